#pragma once

#include <QJsonObject>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A fresh application folder with its own settings file, the message boxes
// answered through their seam, and the main window unloaded afterwards.
namespace platform {
class ComboBox;
class ListView;
class ListItem;
}  // namespace platform

class Fixture {
public:
    Fixture();
    ~Fixture();
    Fixture(const Fixture&) = delete;
    Fixture& operator=(const Fixture&) = delete;

    QString Dir() const { return dir_.path(); }
    QString DbFile() const { return dir_.path() + QStringLiteral("/db.mdb"); }
    QString SettingsFile() const { return settings_; }

    // Writes db.mdb from a seed given as JSON text, or from the sample one.
    void WriteSeed(const char* json);
    void WriteSeed(const QJsonObject& seed);
    void WriteSample();

    // Starts the main window as the program does (screen given in twips).
    // Unless a test stored SplashAuto itself, the splash window is switched
    // off so that no modal window waits for a click.
    bool StartMain(double widthTwips = 15360, double heightTwips = 11520);

    void SetSetting(const QString& section, const QString& key, const QString& value);
    QString Setting(const QString& section, const QString& key) const;

    static QJsonObject Parse(const char* json);
    // The whole content of a file (empty when it cannot be read).
    static QByteArray ReadFile(const QString& path);
    // Writes a whole file; a fixture that cannot be written ends the test run.
    static void WriteFile(const QString& path, const QByteArray& bytes);
    // Writes a small picture file of one colour; returns its path.
    static QString WriteImage(const QString& path, int width = 6, int height = 4);
    // The file's identity on disk: a file renamed over it gets a new one.
    static unsigned long long Inode(const QString& path);
    // Every row of a query on the live collection, its values joined by "|"
    // ("<null>" for no value).
    static QStringList Rows(const QString& sql);
    // The texts of a list's entries, in their order.
    static QStringList Texts(const platform::ListView& list);
    // The first entry of a list with that text, or none.
    static platform::ListItem* Entry(const platform::ListView& list, const QString& text);
    // A real click of the mouse on the entry of a list with that text (the
    // right button presses only, as a user opening the menu does).
    static void ClickEntry(platform::ListView& list, const QString& text,
                           Qt::MouseButton button = Qt::LeftButton);
    // The sample collection, the main window started on the whole screen
    // and made the active window, as the user meets it.
    bool StartSampleOnScreen();
    // A real click on the arrow of a pick-list, which opens it.
    static void OpenList(platform::ComboBox& list);
    // Escape in the open list, which closes it choosing nothing.
    static void CloseList(platform::ComboBox& list);
    // A real click on the entry of the open list with that text.
    static void ClickListEntry(platform::ComboBox& list, const QString& text);
    // Every row of every table of the live collection, by table, sorted.
    static QMap<QString, QStringList> AllRows();

private:
    QTemporaryDir dir_;
    QString settings_;
};
