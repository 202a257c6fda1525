#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

// The input box of the program: a prompt, a line to type in, OK and
// Annuler. It gives the typed text, or an empty text when cancelled.
namespace platform {

QString InputBox(const QString& prompt, const QString& title = QString(),
                 const QString& defaultText = QString(), QWidget* parent = nullptr);

namespace InputSeam {
struct Call {
    QString prompt;
    QString title;
    QString defaultText;
};
// From Enable on, no box is shown: each call is recorded and answered with
// the next scripted text, or as a cancel (an empty text) when none is left.
void Enable();
void Disable();
void Answer(const QStringList& answers);
QList<Call> Calls();
}  // namespace InputSeam

}  // namespace platform
