#include "platform/PictureButton.h"

#include <QKeySequence>
#include <QPainter>
#include <QResizeEvent>

namespace platform {

PictureButton::PictureButton(QWidget* parent) : Twips<QAbstractButton>(parent) {
    setFont(SkinFont(9.75));
    police_.Noter(*this);
    setAttribute(Qt::WA_Hover);
    connect(this, &QAbstractButton::clicked, this, &PictureButton::ClickIt);
}

void PictureButton::SetValue(bool v) {
    value_ = v;
    update();
}

void PictureButton::ShowPicture(const QPixmap& p) {
    Picture = p;
    update();
}

void PictureButton::SetForeColor(const QColor& c) {
    ForeColor = c;
    update();
}

void PictureButton::ClickIt() {
    if (Group > 0) {
        if (parentWidget())
            for (auto* b : parentWidget()->findChildren<PictureButton*>(Qt::FindDirectChildrenOnly))
                if (b != this && b->Group == Group) b->SetValue(false);
        SetValue(true);
    } else {
        SetValue(!value_);
    }
    emit Click();
}

void PictureButton::setText(const QString& s) {
    // A caption is often stored text: an "&" in it is a letter, never a
    // keyboard shortcut, and a screen reader reads it whole. A name the
    // window gave a button without caption is left as it was.
    const QString ancien = text();
    QAbstractButton::setText(s);
    setShortcut(QKeySequence());
    if (!s.isEmpty())
        setAccessibleName(s);
    else if (!ancien.isEmpty() && accessibleName() == ancien)
        setAccessibleName(QString());
    Ajuster();
}

QRect PictureButton::BoiteTexte() const {
    // A caption drawn from the left keeps a small inner margin.
    return (TextFlags & Qt::AlignLeft) ? rect().adjusted(6, 0, -4, 0) : rect();
}

void PictureButton::Ajuster() {
    police_.Ajuster(*this, text(), BoiteTexte(), TextFlags);
}

void PictureButton::resizeEvent(QResizeEvent* e) {
    QAbstractButton::resizeEvent(e);
    Ajuster();
}

void PictureButton::changeEvent(QEvent* e) {
    QAbstractButton::changeEvent(e);
    if (e->type() == QEvent::FontChange) {
        police_.Noter(*this);
        Ajuster();
    }
}

void PictureButton::paintEvent(QPaintEvent*) {
    // Flags or a caption set behind the button's back are fitted here.
    Ajuster();
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QPixmap& face = (value_ && !PictureDn.isNull()) ? PictureDn : Picture;
    if (!face.isNull()) p.drawPixmap(rect(), face);
    if (!Icon.isNull()) {
        const QSize s = Icon.size().scaled(size() * 0.8, Qt::KeepAspectRatio);
        const QRect r(QPoint((width() - s.width()) / 2, (height() - s.height()) / 2), s);
        p.drawPixmap(r, Icon);
    }
    if (!text().isEmpty()) {
        p.setPen(ForeColor);
        p.setFont(font());
        // Cut at the button's edge when no size reads whole.
        const QRect r = BoiteTexte();
        p.setClipRect(r);
        p.drawText(r, TextFlags, text());
    }
}

bool PictureButton::event(QEvent* e) {
    const bool fait = Twips<QAbstractButton>::event(e);
    // Still inside the paint event: the mark goes over every face, whichever
    // paintEvent drew it.
    if (e->type() == QEvent::Paint) {
        QPainter p(this);
        MarquerFocus(p);
    }
    return fait;
}

void PictureButton::MarquerFocus(QPainter& p) const {
    if (!hasFocus() || !window()->testAttribute(Qt::WA_KeyboardFocusChange)) return;
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setOpacity(1);
    // Dots in the caption's colour over a line of the opposite shade read
    // on any face.
    const QRectF r = QRectF(rect()).adjusted(3.5, 3.5, -3.5, -3.5);
    p.setPen(
        QPen(ForeColor.lightness() > 127 ? QColor(0, 0, 0, 160) : QColor(255, 255, 255, 160), 1));
    p.drawRect(r);
    p.setPen(QPen(ForeColor, 1, Qt::DotLine));
    p.drawRect(r);
    p.restore();
}

void PictureButton::enterEvent(QEnterEvent* e) {
    QAbstractButton::enterEvent(e);
    emit MouseEnter();
}

void PictureButton::leaveEvent(QEvent* e) {
    QAbstractButton::leaveEvent(e);
    emit MouseLeave();
}

void PictureButton::mouseReleaseEvent(QMouseEvent* e) {
    QAbstractButton::mouseReleaseEvent(e);
}

}  // namespace platform
