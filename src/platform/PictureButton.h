#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QPixmap>

class QPainter;

#include "platform/Twips.h"

// The skin's picture button. A click toggles its pressed state (in a group,
// sets it and clears the others') before Click is raised, so a handler acts
// only when the state is set; the caption reads whole in the font it is
// drawn in.
namespace platform {

// A picture button with a pressed state. Its click toggles the state (or,
// in a group, sets it and clears the others') and then raises Click.
class PictureButton : public Twips<QAbstractButton> {
    Q_OBJECT
public:
    explicit PictureButton(QWidget* parent = nullptr);
    bool Value() const { return value_; }
    void SetValue(bool v);
    // The picture shown now, and the three it is set from.
    QPixmap Picture;
    QPixmap PictureUp;
    QPixmap PictureDn;
    QPixmap PictureHover;
    void ShowPicture(const QPixmap& p);
    QString Caption() const { return text(); }
    void SetCaption(const QString& s) { setText(s); }
    void setText(const QString& s);
    // The font the window gave the button; font() is the one its caption is
    // drawn in, smaller when the caption would not read whole otherwise.
    const QFont& Police() const { return police_.Police(); }
    // Where the caption is drawn.
    QRect BoiteTexte() const;
    QPixmap Icon;
    QColor ForeColor = Qt::black;
    void SetForeColor(const QColor& c);
    // How the caption is drawn: centred and wrapped unless told otherwise.
    int TextFlags = Qt::AlignCenter | Qt::TextWordWrap;
    // Buttons that share a group number above 0 act as one choice.
    int Group = 0;
    // What a user's click does, for tests and for the windows' own code.
    void ClickIt();

signals:
    void Click();
    void MouseEnter();
    void MouseLeave();

protected:
    void paintEvent(QPaintEvent*) override;
    // Draws the focus mark over whatever face paintEvent drew.
    bool event(QEvent* e) override;
    void enterEvent(QEnterEvent*) override;
    void leaveEvent(QEvent*) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    // The focus mark: an inset dotted frame while the button has the focus
    // and the window is driven from the keyboard (the convention of Qt's
    // styles), so that Space there is no surprise.
    void MarquerFocus(QPainter& p) const;
    void Ajuster();
    bool value_ = false;
    PoliceAjustee police_;
};

}  // namespace platform
