#pragma once

#include <QList>
#include <QString>
#include <exception>
#include <utility>

class QWidget;

// The message box of the program, with French buttons. Every question asked
// of the user passes through here, so tests answer it through the seam.
namespace platform {

enum MsgStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
};
enum MsgResult : int { vbOK = 1, vbCancel = 2, vbYes = 6, vbNo = 7 };

// Shows the message; the caption is the application title when empty. The
// box stands centred over the window in front of the user: the parent when
// it is on screen, else the dialog in front, else the main window, else
// the middle of the screen; never over a window the user cannot see.
int MsgBox(const QString& prompt, int style = vbOKOnly, const QString& title = QString(),
           QWidget* parent = nullptr);

// The program's main window, over which a box stands when no dialog is in
// front.
void SetMainWindow(QWidget* window);
// The window a box asked now would stand over (none: the screen).
QWidget* MsgBoxOwner(QWidget* parent = nullptr);

// Runs a user's command; a failure it lets through is shown to the user in
// a message box instead of ending the program.
template <class F>
void Reported(F&& command, QWidget* parent = nullptr);

namespace MessageSeam {
struct Call {
    QString prompt;
    int style = 0;
    QString title;
};
// From Enable on, no box is shown: each call is recorded and answered with
// the next scripted answer, or with its last button (OK, No, Cancel) when
// none is left.
void Enable();
void Disable();
bool Enabled();
void Answer(const QList<int>& answers);
QList<Call> Calls();
void Clear();
}  // namespace MessageSeam

template <class F>
void Reported(F&& command, QWidget* parent) {
    try {
        std::forward<F>(command)();
    } catch (const std::exception& e) {
        MsgBox(QString::fromUtf8(e.what()), vbExclamation, QString(), parent);
    }
}

}  // namespace platform
