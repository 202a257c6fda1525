#include "platform/ImageBox.h"

#include <QPainter>

namespace platform {

ImageBox::ImageBox(QWidget* parent) : Twips<QWidget>(parent) {}

void ImageBox::SetPicture(const QImage& p) {
    picture_ = p;
    shown_ = QPixmap();
    if (!stretch_ && !p.isNull()) {
        SetWidth(p.width() * kTwipsPerPixel);
        SetHeight(p.height() * kTwipsPerPixel);
    }
    update();
}

void ImageBox::SetStretch(bool s) {
    stretch_ = s;
    shown_ = QPixmap();
    update();
}

void ImageBox::paintEvent(QPaintEvent*) {
    if (picture_.isNull() || width() <= 0 || height() <= 0) return;
    QPainter p(this);
    if (!stretch_) {
        p.drawImage(0, 0, picture_);
        return;
    }
    if (shown_.size() != size()) {
        // A large picture is first thinned to twice the size, then smoothed:
        // the same look as smoothing it whole, in a fraction of the time.
        QImage small = picture_;
        if (small.width() > 4 * width() && small.height() > 4 * height())
            small = small.scaled(size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        shown_ = QPixmap::fromImage(
            small.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    p.drawPixmap(0, 0, shown_);
}

}  // namespace platform
