#pragma once

#include <QImage>
#include <QPixmap>

#include "platform/Controls.h"

namespace platform {

// A picture box that keeps its picture as an image whose pixels can be
// read and written. Without Stretch it takes the natural size of its
// picture (15 twips to a pixel); with Stretch on, the picture is drawn to
// the box's size, scaled once per size rather than at every paint.
class ImageBox : public Twips<QWidget> {
public:
    explicit ImageBox(QWidget* parent = nullptr);
    const QImage& Picture() const { return picture_; }
    void SetPicture(const QImage& p);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool s);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QImage picture_;
    QPixmap shown_;  // the picture at the size it was last drawn
    bool stretch_ = false;
};

}  // namespace platform
