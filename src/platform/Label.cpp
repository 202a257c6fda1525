#include "platform/Label.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegion>
#include <QResizeEvent>
#include <QTextDocument>
#include <QTextEdit>

namespace platform {

bool PrendLaSouris(const QWidget* w) {
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QAbstractItemView*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QTextEdit*>(w) ||
           qobject_cast<const QPlainTextEdit*>(w);
}

namespace {

// The labels alive now: a control that moves looks among these rather than
// through every object of its window.
QList<Label*>& Etiquettes() {
    static QList<Label*> toutes;
    return toutes;
}

// Watches the controls of every window: when one moves, shows or hides, the
// labels of its window give way to it again.
class GardeEtiquettes : public QObject {
public:
    using QObject::QObject;
    static void Liberer(QWidget* win) {
        if (!win->isVisible()) return;
        for (Label* l : Etiquettes())
            if (l->window() == win && l->Cede()) l->Degager();
    }
    bool eventFilter(QObject* o, QEvent* e) override {
        switch (e->type()) {
            case QEvent::Move:
            case QEvent::Resize:
            case QEvent::Show:
            case QEvent::Hide:
            case QEvent::ParentChange:
                break;
            case QEvent::ChildRemoved:
                // A control unloaded from its container leaves free what it
                // covered.
                if (o->isWidgetType() && static_cast<QChildEvent*>(e)->child()->isWidgetType())
                    Liberer(static_cast<QWidget*>(o)->window());
                return false;
            default:
                return false;
        }
        if (!o->isWidgetType()) return false;
        auto* w = static_cast<QWidget*>(o);
        // A window that shows: what moved while it was hidden is worked out
        // once, for all its labels.
        if (w->isWindow() && e->type() == QEvent::Show) {
            for (Label* l : Etiquettes())
                if (l->window() == w) l->Degager();
            return false;
        }
        if (w->isWindow()) return false;
        // A window not shown yet: its labels work it out when they show.
        QWidget* win = w->window();
        if (!win->isVisible()) return false;
        if (!PrendLaSouris(w)) {
            // A container that grows shows more of the controls in it: the
            // labels it holds work out again what they give way to.
            if (e->type() == QEvent::Resize && !qobject_cast<Label*>(w)) {
                // Only the labels in the strip it gained or lost.
                const QPoint at = w->mapTo(win, QPoint(0, 0));
                const QRegion change =
                    QRegion(QRect(at, w->size()))
                        .xored(QRect(at, static_cast<QResizeEvent*>(e)->oldSize()));
                for (Label* l : Etiquettes())
                    if (l->window() == win &&
                        change.intersects(QRect(l->mapTo(win, QPoint(0, 0)), l->size())) &&
                        w->isAncestorOf(l))
                        l->Degager();
            }
            return false;
        }
        // Only the labels it touches now, or that give way to something
        // already (it may have left them), need working out again.
        const QRect r(w->mapTo(win, QPoint(0, 0)), w->size());
        for (Label* l : Etiquettes())
            if (l->window() == win &&
                (l->Cede() || QRect(l->mapTo(win, QPoint(0, 0)), l->size()).intersects(r)))
                l->Degager();
        return false;
    }
};

void GarderEtiquettes() {
    static bool installed = false;
    if (installed || !qApp) return;
    installed = true;
    qApp->installEventFilter(new GardeEtiquettes(qApp));
}

}  // namespace

Label::Label(QWidget* parent) : Twips<QLabel>(parent) {
    // Captions come from the collection too: shown as typed, never read as
    // markup.
    setTextFormat(Qt::PlainText);
    setFont(SkinFont(9.75));
    police_.Noter(*this);
    setAttribute(Qt::WA_TranslucentBackground);
    GarderEtiquettes();
    Etiquettes().append(this);
}

Label::~Label() {
    Etiquettes().removeOne(this);
}

bool Label::event(QEvent* e) {
    // A caption set through QLabel itself is fitted before it is drawn.
    if (e->type() == QEvent::Paint) Ajuster();
    const bool r = Twips<QLabel>::event(e);
    switch (e->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::ParentChange:
            Degager();
            break;
        case QEvent::FontChange:
            police_.Noter(*this);
            Ajuster();
            break;
        default:
            break;
    }
    return r;
}

void Label::setText(const QString& s) {
    QLabel::setText(s);
    Ajuster();
}

QRect Label::BoiteTexte() const {
    // As QLabel lays its text out: the contents, less the margin and the
    // indent on the aligned side.
    QRect r = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    const int in = std::max(0, indent());
    const Qt::Alignment a = alignment();
    if (a & Qt::AlignLeft) r.setLeft(r.left() + in);
    if (a & Qt::AlignRight) r.setRight(r.right() - in);
    if (a & Qt::AlignTop) r.setTop(r.top() + in);
    if (a & Qt::AlignBottom) r.setBottom(r.bottom() - in);
    return r;
}

void Label::Ajuster() {
    // Rich text lays itself out.
    const bool riche = textFormat() == Qt::RichText ||
                       (textFormat() == Qt::AutoText && Qt::mightBeRichText(text()));
    if (riche) return;
    const int flags = static_cast<int>(alignment()) | (wordWrap() ? Qt::TextWordWrap : 0);
    police_.Ajuster(*this, text(), BoiteTexte(), flags);
}

namespace {
// Takes from `free` (in window coordinates) the shown controls under it,
// each as far as its containers let it show; containers that do not reach
// `free` are not walked.
// `origine` is the parent's place in the window, `visible` the part of it
// that shows.
void Retirer(const QWidget* parent, QPoint origine, const QRect& visible, QRegion& free,
             bool& covered) {
    for (const QObject* o : parent->children()) {
        if (!o->isWidgetType()) continue;
        const auto* w = static_cast<const QWidget*>(o);
        if (w->isWindow() || w->isHidden()) continue;
        const QRect place = w->geometry().translated(origine);
        const QRect r = place & visible;
        if (!free.intersects(r)) continue;
        if (PrendLaSouris(w)) {
            free -= r;
            covered = true;
        } else {
            Retirer(w, place.topLeft(), r, free, covered);
        }
    }
}
}  // namespace

void Label::Degager() {
    QWidget* win = window();
    const QPoint origin = mapTo(win, QPoint(0, 0));
    QRegion free(QRect(origin, size()));
    bool covered = false;
    Retirer(win, QPoint(0, 0), win->rect(), free, covered);
    free.translate(-origin);
    // A label wholly under controls lets every click through; an empty mask
    // would mean no mask at all.
    const bool transparent = covered && free.isEmpty();
    if (transparent != transparent_) {
        transparent_ = transparent;
        setAttribute(Qt::WA_TransparentForMouseEvents, transparent);
    }
    if (covered && !transparent)
        setMask(free);
    else if (!mask().isEmpty())
        clearMask();
    // The caption is laid out in the free part when it is one rectangle, so
    // that no control hides a piece of it (the underline of a heading over
    // a button).
    QRect libre = rect();
    if (covered && !transparent && free.rectCount() == 1) libre = free.boundingRect();
    const QMargins m(libre.left(), libre.top(), width() - 1 - libre.right(),
                     height() - 1 - libre.bottom());
    if (m != contentsMargins()) setContentsMargins(m);
    Ajuster();
}

QColor Label::ForeColor() const {
    return palette().color(QPalette::WindowText);
}

void Label::SetForeColor(const QColor& c) {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, c);
    setPalette(p);
}

}  // namespace platform
