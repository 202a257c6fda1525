#pragma once

#include <QColor>
#include <QFrame>
#include <QPixmap>
#include <QScrollArea>

#include "platform/Twips.h"

// Panels, frames, picture boxes and the scrolling container: the surfaces
// the other controls lie on, each with an optional picture. A picture box
// without Stretch takes the natural size of its picture; a scrolling panel
// scrolls the extent it is given, in twips, never less than its view.
namespace platform {

// A panel or frame: an optional picture (stretched or tiled) with an
// optional caption drawn over it.
class Panel : public Twips<QFrame> {
public:
    enum class PictureMode { Stretch, Tile, Natural };
    explicit Panel(QWidget* parent = nullptr);
    const QPixmap& Picture() const { return picture_; }
    void SetPicture(const QPixmap& p);
    void SetPictureMode(PictureMode m);
    QString Caption() const { return caption_; }
    void SetCaption(const QString& s);
    // The font of the caption, as the window gave it.
    const QFont& Police() const { return font(); }
    QColor ForeColor() const { return fore_; }
    void SetForeColor(const QColor& c);
    void SetAlignment(Qt::Alignment a);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QPixmap picture_;
    PictureMode mode_ = PictureMode::Stretch;
    QString caption_;
    QColor fore_ = Qt::black;
    Qt::Alignment align_ = Qt::AlignLeft | Qt::AlignVCenter;
};

// An image control. With Stretch off it takes the natural size of its
// picture (in twips at 15 to a pixel); with Stretch on it fits its size.
class PictureBox : public Twips<QWidget> {
public:
    explicit PictureBox(QWidget* parent = nullptr);
    const QPixmap& Picture() const { return picture_; }
    void SetPicture(const QPixmap& p);
    // Loads a picture file; false (and the picture unchanged) when the file
    // is not a picture.
    bool LoadPicture(const QString& path);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool s);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QPixmap picture_;
    bool stretch_ = false;
};

// A scrolling container: its controls are children of Content(), laid at
// twips positions; the scroll extent is the content's height in twips.
class ScrollPanel : public Twips<QScrollArea> {
public:
    explicit ScrollPanel(QWidget* parent = nullptr);
    QWidget* Content() const { return content_; }
    double ScrollHeight() const { return extent_; }
    void SetScrollHeight(double twips);
    void SetPicture(const QPixmap& p);
    const QPixmap& Picture() const { return content_->Picture(); }

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void Fit();
    platform::Panel* content_;
    double extent_ = 0;
};

}  // namespace platform
