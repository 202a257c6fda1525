#include "platform/ShellOpen.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace platform {
namespace {
struct SeamState {
    bool enabled = false;
    QStringList opened;
};
SeamState& Seam() {
    static SeamState s;
    return s;
}
}  // namespace

void ShellOpen(const QString& address) {
    SeamState& s = Seam();
    if (s.enabled) {
        s.opened.append(address);
        return;
    }
    // An absolute path is a local page; anything else is an address.
    const QUrl url = QFileInfo(address).isAbsolute() ? QUrl::fromLocalFile(address)
                                                     : QUrl::fromUserInput(address);
    QDesktopServices::openUrl(url);
}

namespace ShellOpenSeam {
void Enable() {
    Seam().enabled = true;
}
void Disable() {
    Seam() = SeamState();
}
QStringList Opened() {
    return Seam().opened;
}
void Clear() {
    Seam().opened.clear();
}
}  // namespace ShellOpenSeam

}  // namespace platform
