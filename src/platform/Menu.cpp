#include "platform/Menu.h"

#include <QCursor>
#include <QMenu>
#include <QPointer>

namespace platform {

MenuItem& Menu::Add(const QString& name, const QString& caption) {
    items_.push_back(std::make_unique<MenuItem>(name, caption));
    return *items_.back();
}

MenuItem* Menu::Item(const QString& name) const {
    for (const auto& i : items_)
        if (i->Name() == name) return i.get();
    return nullptr;
}

namespace {
struct SeamState {
    bool enabled = false;
    QStringList choices;
    QList<MenuSeam::Popup> popups;
};
SeamState& Seam() {
    static SeamState s;
    return s;
}
}  // namespace

void PopupMenu(Menu& menu, QWidget* window) {
    SeamState& s = Seam();
    if (s.enabled) {
        MenuSeam::Popup p{menu.Name(), {}, {}};
        for (const auto& i : menu.Items())
            if (i->Visible) (i->Enabled ? p.enabled : p.disabled).append(i->Name());
        s.popups.append(p);
        const QString choice = s.choices.isEmpty() ? QString() : s.choices.takeFirst();
        if (MenuItem* i = menu.Item(choice)) i->ClickIt();
        return;
    }
    QMenu m(window);
    MenuItem* chosen = nullptr;
    for (const auto& i : menu.Items()) {
        if (!i->Visible) continue;
        QAction* a = m.addAction(i->Caption());
        a->setEnabled(i->Enabled);
        MenuItem* item = i.get();
        QObject::connect(a, &QAction::triggered, [&chosen, item] { chosen = item; });
    }
    m.exec(QCursor::pos());
    // The choice runs once the menu is gone, as a click after it.
    if (chosen) chosen->ClickIt();
}

namespace MenuSeam {
void Enable() {
    Seam().enabled = true;
}
void Disable() {
    Seam() = SeamState();
}
void Choose(const QString& itemName) {
    Seam().choices.append(itemName);
}
QList<Popup> Popups() {
    return Seam().popups;
}
void Clear() {
    Seam().popups.clear();
    Seam().choices.clear();
}
}  // namespace MenuSeam

}  // namespace platform
