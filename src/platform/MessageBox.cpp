#include "platform/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

#include "platform/AppFolder.h"

namespace platform {
namespace {
struct SeamState {
    bool enabled = false;
    QList<int> answers;
    QList<MessageSeam::Call> calls;
};
SeamState& Seam() {
    static SeamState s;
    return s;
}

QPointer<QWidget>& MainWindow() {
    static QPointer<QWidget> w;
    return w;
}

// A window the user sees: shown, not minimised, on a screen.
bool EnVue(QWidget* w) {
    if (!w) return false;
    QWidget* win = w->window();
    return win->isVisible() && !win->isMinimized() &&
           QGuiApplication::screenAt(win->geometry().center()) != nullptr;
}

// Centred over its owner, or over the screen, once its size is known.
class Boite : public QMessageBox {
public:
    explicit Boite(QWidget* owner) : QMessageBox(owner), owner_(owner) {}

protected:
    void showEvent(QShowEvent* e) override {
        QMessageBox::showEvent(e);
        QRect over;
        if (owner_)
            over = owner_->frameGeometry();
        else if (QScreen* s = QGuiApplication::primaryScreen())
            over = s->availableGeometry();
        if (over.isEmpty()) return;
        QRect r = frameGeometry();
        r.moveCenter(over.center());
        move(r.topLeft());
    }

private:
    QPointer<QWidget> owner_;
};

int LastButton(int style) {
    switch (style & 7) {
        case vbOKCancel:
        case vbYesNoCancel:
            return vbCancel;
        case vbYesNo:
            return vbNo;
        default:
            return vbOK;
    }
}
}  // namespace

void SetMainWindow(QWidget* window) {
    MainWindow() = window;
}

QWidget* MsgBoxOwner(QWidget* parent) {
    if (EnVue(parent)) return parent->window();
    QWidget* modal = QApplication::activeModalWidget();
    if (EnVue(modal)) return modal;
    if (EnVue(MainWindow())) return MainWindow();
    return nullptr;
}

int MsgBox(const QString& prompt, int style, const QString& title, QWidget* parent) {
    const QString caption = title.isEmpty() ? AppTitle() : title;
    SeamState& s = Seam();
    if (s.enabled) {
        s.calls.append({prompt, style, caption});
        return s.answers.isEmpty() ? LastButton(style) : s.answers.takeFirst();
    }
    Boite box(MsgBoxOwner(parent));
    box.setWindowTitle(caption);
    QString shown = prompt;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    // A message may quote a name or a path from the collection: as typed.
    box.setTextFormat(Qt::PlainText);
    box.setText(shown);
    switch (style & 0x70) {
        case vbCritical:
            box.setIcon(QMessageBox::Critical);
            break;
        case vbQuestion:
            box.setIcon(QMessageBox::Question);
            break;
        case vbExclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case vbInformation:
            box.setIcon(QMessageBox::Information);
            break;
        default:
            box.setIcon(QMessageBox::NoIcon);
    }
    QList<QPair<QAbstractButton*, int>> map;
    auto add = [&](const char* text, QMessageBox::ButtonRole role, int result) {
        QPushButton* b = box.addButton(QString::fromUtf8(text), role);
        map.append({b, result});
        return b;
    };
    switch (style & 7) {
        case vbOKCancel:
            box.setDefaultButton(add("OK", QMessageBox::AcceptRole, vbOK));
            box.setEscapeButton(add("Annuler", QMessageBox::RejectRole, vbCancel));
            break;
        case vbYesNoCancel:
            box.setDefaultButton(add("Oui", QMessageBox::YesRole, vbYes));
            add("Non", QMessageBox::NoRole, vbNo);
            box.setEscapeButton(add("Annuler", QMessageBox::RejectRole, vbCancel));
            break;
        case vbYesNo:
            box.setDefaultButton(add("Oui", QMessageBox::YesRole, vbYes));
            box.setEscapeButton(add("Non", QMessageBox::NoRole, vbNo));
            break;
        default:
            box.setDefaultButton(add("OK", QMessageBox::AcceptRole, vbOK));
    }
    box.exec();
    for (const auto& [b, r] : map)
        if (box.clickedButton() == b) return r;
    return LastButton(style);
}

namespace MessageSeam {
void Enable() {
    Seam().enabled = true;
}
void Disable() {
    Seam() = SeamState{};
}
bool Enabled() {
    return Seam().enabled;
}
void Answer(const QList<int>& answers) {
    Seam().answers = answers;
}
QList<Call> Calls() {
    return Seam().calls;
}
void Clear() {
    Seam().calls.clear();
    Seam().answers.clear();
}
}  // namespace MessageSeam

}  // namespace platform
