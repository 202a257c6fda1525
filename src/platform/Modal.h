#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QDialog;
class QWidget;

// Modal display of the program's windows and the end of the program. Both
// block or end the event loop, so tests go through their seams.
namespace platform {

// Shows the window modally and returns when it is closed or hidden.
void ShowModal(QDialog& window);

// Shows the window in its normal state, in front: a minimise the window
// manager made earlier would otherwise bring it back minimised.
void ShowRaised(QWidget& window);

namespace ModalSeam {
// From Enable on, a modal show does not block: the window is shown, the
// next scripted action (if any) runs with it, and the show returns. Each
// show is recorded by the window's object name.
void Enable();
void Disable();
bool Enabled();
void OnShow(std::function<void(QDialog&)> action);
QStringList Shown();
void Clear();
}  // namespace ModalSeam

// Ends the program at once (every event loop left, every window hidden).
void EndProgram();
// True once EndProgram has run.
bool Ending();

namespace EndSeam {
// From Enable on, EndProgram only counts its calls.
void Enable();
void Disable();
int Calls();
}  // namespace EndSeam

}  // namespace platform
