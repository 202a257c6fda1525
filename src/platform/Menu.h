#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class QWidget;

// A pop-up menu: named items with a caption ("&" marks the access key),
// enabled and visible flags, and a Click raised when the user chooses one.
namespace platform {

class MenuItem : public QObject {
    Q_OBJECT
public:
    MenuItem(QString name, QString caption)
        : name_(std::move(name)), caption_(std::move(caption)) {}
    QString Name() const { return name_; }
    QString Caption() const { return caption_; }
    void SetCaption(const QString& c) { caption_ = c; }
    bool Enabled = true;
    bool Visible = true;
    // What the user's choice does.
    void ClickIt() {
        if (Enabled && Visible) emit Click();
    }

signals:
    void Click();

private:
    QString name_;
    QString caption_;
};

class Menu {
public:
    explicit Menu(QString name) : name_(std::move(name)) {}
    QString Name() const { return name_; }
    MenuItem& Add(const QString& name, const QString& caption);
    MenuItem* Item(const QString& name) const;
    const std::vector<std::unique_ptr<MenuItem>>& Items() const { return items_; }

private:
    QString name_;
    std::vector<std::unique_ptr<MenuItem>> items_;
};

// Pops the menu up at the pointer over the window and returns once it is
// closed; the chosen item's Click has run by then.
void PopupMenu(Menu& menu, QWidget* window);

namespace MenuSeam {
// From Enable on, no menu is shown: each pop-up is recorded with the state
// of its items, and the next scripted choice (an item name, or empty for
// none) is made.
struct Popup {
    QString menu;
    QStringList enabled;   // names of the enabled, visible items
    QStringList disabled;  // names of the disabled, visible items
};
void Enable();
void Disable();
void Choose(const QString& itemName);
QList<Popup> Popups();
void Clear();
}  // namespace MenuSeam

}  // namespace platform
