#pragma once

#include <QEvent>
#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>
#include <algorithm>
#include <limits>
#include <memory>
#include <stdexcept>
#include <vector>

#include "platform/Screen.h"

class QKeyEvent;

// What every control stands on. Each keeps its geometry in twips as the
// windows set it (Left, Top, Width, Height), 15 to a pixel, and carries a
// Tag text; a caption reads whole in the font it is drawn in, made smaller
// while it would be cut.
namespace platform {

// Verdana where installed, else DejaVu Sans, at the given size in points.
QFont SkinFont(double points, bool bold = false, bool underline = false);

// The font, no larger than `f`, in which `text` reads whole in a box of
// `box` drawn with the alignment and wrap `flags`: `f` itself when it fits,
// else `f` made smaller by half points down to 6 points. When even that does
// not fit (a filler of dots, a text no size would show whole), `f`.
QFont PoliceQuiTient(const QFont& f, const QString& text, const QSize& box, int flags);
// True when `text` drawn in `f` with `flags` fits a box of `box`.
bool TexteTient(const QFont& f, const QString& text, const QSize& box, int flags);

class GroupeTaille;

// The font a control draws its caption in: the one the window gave it, made
// smaller while the caption would not read whole in its box.
class PoliceAjustee {
public:
    PoliceAjustee() = default;
    PoliceAjustee(const PoliceAjustee&) = delete;
    PoliceAjustee& operator=(const PoliceAjustee&) = delete;
    ~PoliceAjustee();
    // The font the window gave the control.
    const QFont& Police() const { return demandee_; }
    // Called at each font change of the control: a font the window gives.
    void Noter(const QWidget& w);
    // Gives the control the font its caption reads whole in.
    void Ajuster(QWidget& w, const QString& text, const QRect& box, int flags);
    // From now on the control's caption takes its group's size (GroupeTaille).
    void Rejoindre(const std::shared_ptr<GroupeTaille>& groupe);

private:
    friend class GroupeTaille;
    void Poser(const QFont& f);
    QFont demandee_;
    // The font the caption reads whole in, on its own.
    QFont propre_;
    QWidget* w_ = nullptr;
    std::shared_ptr<GroupeTaille> groupe_;
    bool pose_ = false;
    bool valide_ = false;
    QString texte_;
    QSize boite_;
    int flags_ = 0;
};

// Controls side by side: those that show the same caption show it at one
// size, the smallest that any of them needs to show it whole. None is drawn
// larger than it would be on its own.
class GroupeTaille {
public:
    // Called by a member whose own font changed: sets every member's font.
    void Accorder();

private:
    friend class PoliceAjustee;
    std::vector<PoliceAjustee*> membres_;
};

// No length limit on one-line editors: Qt's default cuts at 32,767.
inline constexpr int kSansLimite = std::numeric_limits<int>::max();

// The key code a keyboard event stands for: letters and digits as their
// capital character, Enter 13, Escape 27, Tab 9, Backspace 8.
int KeyCode(const QKeyEvent* e);
// The character a keyboard event types, 0 for none.
int KeyAscii(const QKeyEvent* e);

// Shows the control's tooltip as typed when Qt would read it as markup (a
// stored ingredient, a page's address); false leaves the event to Qt.
bool MontrerBulle(QWidget& w, const QEvent* e);

class ControlError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

template <class Base>
class Twips : public Base {
public:
    using Base::Base;

    double Left() const { return l_; }
    double Top() const { return t_; }
    double Width() const { return w_; }
    double Height() const { return h_; }
    void SetLeft(double v) { l_ = v, Apply(); }
    void SetTop(double v) { t_ = v, Apply(); }
    void SetWidth(double v) { w_ = v, Apply(); }
    void SetHeight(double v) { h_ = v, Apply(); }
    void Move(double l, double t, double w, double h) { l_ = l, t_ = t, w_ = w, h_ = h, Apply(); }
    void Move(double l, double t) { l_ = l, t_ = t, Apply(); }
    // The control's own visibility flag, whatever its container's.
    bool Visible() const { return !this->isHidden(); }
    void SetVisible(bool v) { this->setVisible(v); }

    QString Tag;

protected:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::ToolTip && MontrerBulle(*this, e)) return true;
        return Base::event(e);
    }

private:
    void Apply() {
        // Negative sizes are clipped to nothing, as a window would.
        const int w = std::max(0, ToPixels(w_));
        const int h = std::max(0, ToPixels(h_));
        this->setGeometry(ToPixels(l_), ToPixels(t_), w, h);
    }
    double l_ = 0, t_ = 0, w_ = 0, h_ = 0;
};

}  // namespace platform
