#pragma once

#include <QProgressBar>

#include "platform/Twips.h"

// The progress bar: a value from 0 to 100, kept as set and shown in tenths.
namespace platform {

// A progress bar from 0 to 100.
class ProgressBar : public Twips<QProgressBar> {
public:
    explicit ProgressBar(QWidget* parent = nullptr);
    double Value() const { return value_; }
    void SetValue(double v);

private:
    double value_ = 0;
};

}  // namespace platform
