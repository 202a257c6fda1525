#include "platform/Panel.h"

#include <QPainter>
#include <QResizeEvent>

namespace platform {

// ------------------------------------------------------------------ Panel

Panel::Panel(QWidget* parent) : Twips<QFrame>(parent) {
    setFont(SkinFont(9.75));
}

void Panel::SetPicture(const QPixmap& p) {
    picture_ = p;
    update();
}
void Panel::SetPictureMode(PictureMode m) {
    mode_ = m;
    update();
}
void Panel::SetCaption(const QString& s) {
    caption_ = s;
    update();
}
void Panel::SetForeColor(const QColor& c) {
    fore_ = c;
    update();
}
void Panel::SetAlignment(Qt::Alignment a) {
    align_ = a;
    update();
}

void Panel::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    if (!picture_.isNull()) {
        switch (mode_) {
            case PictureMode::Stretch:
                p.drawPixmap(rect(), picture_);
                break;
            case PictureMode::Tile:
                p.drawTiledPixmap(rect(), picture_);
                break;
            case PictureMode::Natural:
                p.drawPixmap(0, 0, picture_);
                break;
        }
    }
    if (!caption_.isEmpty()) {
        p.setPen(fore_);
        p.setFont(font());
        p.drawText(rect().adjusted(2, 0, -2, 0), static_cast<int>(align_), caption_);
    }
    QFrame::paintEvent(e);
}

// ------------------------------------------------------------- PictureBox

PictureBox::PictureBox(QWidget* parent) : Twips<QWidget>(parent) {}

void PictureBox::SetPicture(const QPixmap& p) {
    picture_ = p;
    if (!stretch_ && !p.isNull()) {
        SetWidth(p.width() * kTwipsPerPixel);
        SetHeight(p.height() * kTwipsPerPixel);
    }
    update();
}

bool PictureBox::LoadPicture(const QString& path) {
    QPixmap p;
    if (path.isEmpty() || !p.load(path)) return false;
    SetPicture(p);
    return true;
}

void PictureBox::SetStretch(bool s) {
    stretch_ = s;
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (stretch_)
        p.drawPixmap(rect(), picture_);
    else
        p.drawPixmap(0, 0, picture_);
}

// ------------------------------------------------------------ ScrollPanel

ScrollPanel::ScrollPanel(QWidget* parent) : Twips<QScrollArea>(parent) {
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setWidgetResizable(false);
    content_ = new platform::Panel();
    content_->SetPictureMode(platform::Panel::PictureMode::Tile);
    setWidget(content_);
    viewport()->setAutoFillBackground(false);
    Fit();
}

void ScrollPanel::SetScrollHeight(double twips) {
    extent_ = std::max(0.0, twips);
    Fit();
}

void ScrollPanel::SetPicture(const QPixmap& p) {
    content_->SetPicture(p);
}

void ScrollPanel::resizeEvent(QResizeEvent* e) {
    QScrollArea::resizeEvent(e);
    Fit();
}

// The content is as wide as the view and as high as the extent, never less
// than the view, so that its background fills it.
void ScrollPanel::Fit() {
    const int h = std::max(viewport()->height(), ToPixels(extent_));
    content_->resize(viewport()->width(), h);
}

}  // namespace platform
