#pragma once

#include <QString>
#include <QStringList>

// The shell's "open": a web address in the default browser, a local page or
// file in the program that shows it. The result is not looked at.
namespace platform {

void ShellOpen(const QString& address);

namespace ShellOpenSeam {
// From Enable on, nothing is opened: each address is recorded.
void Enable();
void Disable();
QStringList Opened();
void Clear();
}  // namespace ShellOpenSeam

}  // namespace platform
