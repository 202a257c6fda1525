#include "platform/ProgressBar.h"

#include <algorithm>

namespace platform {

ProgressBar::ProgressBar(QWidget* parent) : Twips<QProgressBar>(parent) {
    setRange(0, 1000);
    setTextVisible(false);
}

void ProgressBar::SetValue(double v) {
    value_ = std::clamp(v, 0.0, 100.0);
    setValue(static_cast<int>(value_ * 10));
}

}  // namespace platform
