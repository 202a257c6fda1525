#pragma once

class QWidget;

// The screen as the windows measure it: in twips, 15 to a pixel.
namespace platform {

constexpr double kTwipsPerPixel = 15.0;

int ToPixels(double twips);
double ScreenWidthTwips();
double ScreenHeightTwips();
// Test seam: makes the screen report this size in twips (0, 0: the real one).
void OverrideScreenTwips(double width, double height);

// Screen.MousePointer: the hourglass over the whole program, or the default.
void ShowHourglass();
void RestorePointer();
bool HourglassShown();

// The hourglass for one scope, restored on every way out.
class Hourglass {
public:
    Hourglass() { ShowHourglass(); }
    ~Hourglass() { RestorePointer(); }
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;
};

}  // namespace platform
