#include "platform/Screen.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace platform {
namespace {
int g_hourglass = 0;
double g_width = 0, g_height = 0;
}  // namespace

void OverrideScreenTwips(double width, double height) {
    g_width = width;
    g_height = height;
}

int ToPixels(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

double ScreenWidthTwips() {
    if (g_width > 0) return g_width;
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry().width() * kTwipsPerPixel : 0.0;
}

double ScreenHeightTwips() {
    if (g_height > 0) return g_height;
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry().height() * kTwipsPerPixel : 0.0;
}

// One pointer for the whole program, as the original screen object has: a
// second hourglass request while one is shown changes nothing, and one
// restore gives the default pointer back.
void ShowHourglass() {
    if (g_hourglass == 0) QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    g_hourglass = 1;
}

void RestorePointer() {
    if (g_hourglass != 0) QGuiApplication::restoreOverrideCursor();
    g_hourglass = 0;
}

bool HourglassShown() {
    return g_hourglass != 0;
}

}  // namespace platform
