#include "platform/Modal.h"

#include <QApplication>
#include <QDialog>
#include <QList>
#include <QPointer>
#include <QTimer>

namespace platform {
namespace {
struct ModalState {
    bool enabled = false;
    QList<std::function<void(QDialog&)>> actions;
    QStringList shown;
};
ModalState& Modal() {
    static ModalState s;
    return s;
}
struct EndState {
    bool enabled = false;
    int calls = 0;
    bool ending = false;
};
EndState& End() {
    static EndState s;
    return s;
}
}  // namespace

void ShowRaised(QWidget& window) {
    if (window.windowState() & Qt::WindowMinimized)
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

void ShowModal(QDialog& window) {
    ModalState& s = Modal();
    if (!s.enabled) {
        // A window already in its modal display is only brought back to
        // the front: a second display would nest in the first.
        static QList<QPointer<QDialog>> enCours;
        for (const QPointer<QDialog>& w : enCours)
            if (w == &window) {
                ShowRaised(window);
                return;
            }
        enCours.append(&window);
        ShowRaised(window);
        window.exec();
        enCours.removeAll(QPointer<QDialog>(&window));
        return;
    }
    s.shown.append(window.objectName());
    ShowRaised(window);
    if (!s.actions.isEmpty()) {
        const auto action = s.actions.takeFirst();
        action(window);
    }
}

namespace ModalSeam {
void Enable() {
    Modal().enabled = true;
}
void Disable() {
    Modal() = ModalState();
}
bool Enabled() {
    return Modal().enabled;
}
void OnShow(std::function<void(QDialog&)> action) {
    Modal().actions.append(std::move(action));
}
QStringList Shown() {
    return Modal().shown;
}
void Clear() {
    Modal().shown.clear();
    Modal().actions.clear();
}
}  // namespace ModalSeam

void EndProgram() {
    EndState& s = End();
    if (s.enabled) {
        ++s.calls;
        return;
    }
    s.ending = true;
    for (QWidget* w : QApplication::topLevelWidgets()) w->hide();
    // Leaves the nested loops now, and the main loop as soon as it runs
    // (the end may come before the main loop has started).
    QCoreApplication::exit(0);
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
}

bool Ending() {
    return End().ending;
}

namespace EndSeam {
void Enable() {
    End().enabled = true;
}
void Disable() {
    End() = EndState();
}
int Calls() {
    return End().calls;
}
}  // namespace EndSeam

}  // namespace platform
