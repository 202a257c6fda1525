#include "support/Fixture.h"

#include <sys/stat.h>

#include <QAbstractItemView>
#include <QImage>
#include <QJsonDocument>
#include <QScreen>
#include <QtTest>

#include "db/Collection.h"
#include "db/Schema.h"
#include "platform/AppFolder.h"
#include "platform/Controls.h"
#include "platform/InputBox.h"
#include "platform/Menu.h"
#include "platform/MessageBox.h"
#include "platform/Modal.h"
#include "platform/Screen.h"
#include "platform/Settings.h"
#include "shell/Frmmain.h"

Fixture::Fixture() {
    settings_ = dir_.path() + QStringLiteral("/reglages/Brivanta.ini");
    qputenv("BRIVANTA_DOSSIER", dir_.path().toUtf8());
    qputenv("BRIVANTA_REGLAGES", settings_.toUtf8());
    platform::MessageSeam::Disable();
    platform::MessageSeam::Enable();
    // Modal windows show without blocking and the end of the program is
    // only counted, so a test runs on to its checks.
    platform::ModalSeam::Disable();
    platform::ModalSeam::Enable();
    platform::EndSeam::Disable();
    platform::EndSeam::Enable();
    platform::InputSeam::Disable();
    platform::InputSeam::Enable();
    platform::MenuSeam::Disable();
    platform::MenuSeam::Enable();
    platform::OverrideScreenTwips(0, 0);
}

Fixture::~Fixture() {
    Frmmain::Unload();
    platform::MessageSeam::Disable();
    platform::ModalSeam::Disable();
    platform::EndSeam::Disable();
    platform::InputSeam::Disable();
    platform::MenuSeam::Disable();
    platform::OverrideScreenTwips(0, 0);
    platform::RestorePointer();
}

QJsonObject Fixture::Parse(const char* json) {
    QJsonParseError err{};
    const QJsonDocument d = QJsonDocument::fromJson(QByteArray(json), &err);
    if (err.error != QJsonParseError::NoError)
        qFatal("bad fixture: %s", qPrintable(err.errorString()));
    return d.object();
}

QByteArray Fixture::ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Fixture::WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QString Fixture::WriteImage(const QString& path, int width, int height) {
    QImage img(width, height, QImage::Format_RGB32);
    img.fill(Qt::blue);
    if (!img.save(path)) qFatal("cannot write %s", qPrintable(path));
    return path;
}

unsigned long long Fixture::Inode(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

QStringList Fixture::Rows(const QString& sql) {
    auto d = db::OpenDb();
    auto rs = d.OpenRecordset(sql);
    QStringList out;
    for (long i = 0; i < rs.RecordCount(); ++i, rs.MoveNext()) {
        QStringList row;
        for (int c = 0; c < rs.FieldCount(); ++c) {
            const QVariant v = rs.Fields(c);
            row << (v.isNull() ? QStringLiteral("<null>") : v.toString());
        }
        out << row.join(u'|');
    }
    return out;
}

platform::ListItem* Fixture::Entry(const platform::ListView& list, const QString& text) {
    for (int i = 1; i <= list.Count(); ++i)
        if (list.Item(i)->Text() == text) return list.Item(i);
    return nullptr;
}

void Fixture::ClickEntry(platform::ListView& list, const QString& text, Qt::MouseButton button) {
    platform::ListItem* it = Entry(list, text);
    QVERIFY2(it, qPrintable(text));
    list.scrollToItem(it);
    const QPoint at = list.visualItemRect(it).center();
    if (button == Qt::LeftButton)
        QTest::mouseClick(list.viewport(), button, {}, at);
    else
        QTest::mousePress(list.viewport(), button, {}, at);
}

void Fixture::OpenList(platform::ComboBox& list) {
    QTest::mouseClick(&list, Qt::LeftButton, {}, QPoint(list.width() - 4, list.height() / 2));
    QTRY_VERIFY(list.view()->isVisible());
}

void Fixture::CloseList(platform::ComboBox& list) {
    QTest::keyClick(list.view(), Qt::Key_Escape);
    QTRY_VERIFY(!list.view()->isVisible());
}

void Fixture::ClickListEntry(platform::ComboBox& list, const QString& text) {
    QAbstractItemView* v = list.view();
    QTRY_VERIFY(v->isVisible());
    const int i = list.findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    QVERIFY2(i >= 0, qPrintable(text));
    const QModelIndex idx = v->model()->index(i, 0);
    v->scrollTo(idx);
    const QPoint at = v->visualRect(idx).center();
    // The open list takes no release that comes at once after it opened.
    QTest::qWait(QApplication::doubleClickInterval() / 4);
    QTest::mouseMove(v->viewport(), at);
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, at);
    QTRY_VERIFY(!v->isVisible());
}

QMap<QString, QStringList> Fixture::AllRows() {
    QMap<QString, QStringList> out;
    const QStringList tables =
        Rows(QStringLiteral("SELECT name From sqlite_master where type = 'table'"));
    for (const QString& table : tables) {
        QStringList rows = Rows(QStringLiteral("SELECT * From ") + table);
        rows.sort();
        out.insert(table, rows);
    }
    return out;
}

QStringList Fixture::Texts(const platform::ListView& list) {
    QStringList out;
    for (int i = 1; i <= list.Count(); ++i) out << list.Item(i)->Text();
    return out;
}

void Fixture::WriteSeed(const char* json) {
    WriteSeed(Parse(json));
}
void Fixture::WriteSeed(const QJsonObject& seed) {
    db::WriteCollection(DbFile(), seed);
}
void Fixture::WriteSample() {
    db::WriteCollection(DbFile(), db::ReadSeed(QStringLiteral(BRIVANTA_SEED)));
}

void Fixture::SetSetting(const QString& section, const QString& key, const QString& value) {
    platform::SaveSetting(platform::AppTitle(), section, key, value);
}

QString Fixture::Setting(const QString& section, const QString& key) const {
    return platform::GetSetting(platform::AppTitle(), section, key, QStringLiteral("<absent>"));
}

bool Fixture::StartSampleOnScreen() {
    WriteSample();
    const QSize s = QGuiApplication::primaryScreen()->geometry().size();
    if (!StartMain(s.width() * 15.0, s.height() * 15.0)) return false;
    QApplication::setActiveWindow(&Frmmain::Instance());
    // A quick double-click interval: the open lists take a click sooner.
    QApplication::setDoubleClickInterval(100);
    return QTest::qWaitFor([] { return Frmmain::Instance().isActiveWindow(); });
}

bool Fixture::StartMain(double widthTwips, double heightTwips) {
    if (!platform::HasSetting(platform::AppTitle(), QStringLiteral("Settings"),
                              QStringLiteral("SplashAuto")))
        SetSetting(QStringLiteral("Settings"), QStringLiteral("SplashAuto"),
                   QStringLiteral("False"));
    platform::OverrideScreenTwips(widthTwips, heightTwips);
    return Frmmain::Instance().Form_Load();
}
