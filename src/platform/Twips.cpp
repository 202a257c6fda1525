#include "platform/Twips.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QTextDocument>
#include <QToolTip>

namespace platform {

QFont SkinFont(double points, bool bold, bool underline) {
    static const QString family = QFontDatabase::families().contains(QStringLiteral("Verdana"))
                                      ? QStringLiteral("Verdana")
                                      : QStringLiteral("DejaVu Sans");
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setUnderline(underline);
    return f;
}

// ------------------------------------------------------- caption fonts

bool TexteTient(const QFont& f, const QString& text, const QSize& box, int flags) {
    const QFontMetrics m(f);
    const QRect r =
        m.boundingRect(QRect(0, 0, box.width(), 1 << 20), flags & ~Qt::AlignVertical_Mask, text);
    return r.width() <= box.width() && r.height() <= box.height();
}

QFont PoliceQuiTient(const QFont& f, const QString& text, const QSize& box, int flags) {
    if (text.isEmpty() || f.pointSizeF() <= 0 || TexteTient(f, text, box, flags)) return f;
    QFont g = f;
    // A text that the smallest size cannot show whole keeps its own.
    g.setPointSizeF(6);
    if (!TexteTient(g, text, box, flags)) return f;
    for (double pt = f.pointSizeF() - 0.5; pt > 6; pt -= 0.5) {
        g.setPointSizeF(pt);
        if (TexteTient(g, text, box, flags)) return g;
    }
    g.setPointSizeF(6);
    return g;
}

PoliceAjustee::~PoliceAjustee() {
    if (groupe_) std::erase(groupe_->membres_, this);
}

void PoliceAjustee::Rejoindre(const std::shared_ptr<GroupeTaille>& groupe) {
    if (groupe_) std::erase(groupe_->membres_, this);
    groupe_ = groupe;
    if (groupe_) groupe_->membres_.push_back(this);
    valide_ = false;
}

void PoliceAjustee::Poser(const QFont& f) {
    if (!w_ || f == w_->font()) return;
    pose_ = true;
    w_->setFont(f);
    pose_ = false;
}

void GroupeTaille::Accorder() {
    auto tient = [](const PoliceAjustee& m, const QFont& f) {
        return TexteTient(f, m.texte_, m.boite_, m.flags_);
    };
    for (PoliceAjustee* m : membres_) {
        if (!m->valide_) continue;
        QFont f = m->propre_;
        if (!m->texte_.isEmpty()) {
            // The smallest size a member showing the same caption needs;
            // one that cannot show it whole at any size has no say.
            double pt = f.pointSizeF();
            for (const PoliceAjustee* n : membres_)
                if (n->valide_ && n->texte_ == m->texte_ && tient(*n, n->propre_))
                    pt = std::min(pt, n->propre_.pointSizeF());
            QFont g = f;
            g.setPointSizeF(pt);
            if (pt < f.pointSizeF() && tient(*m, g)) f = g;
        }
        m->Poser(f);
    }
}

void PoliceAjustee::Noter(const QWidget& w) {
    if (pose_) return;
    demandee_ = w.font();
    valide_ = false;
}

void PoliceAjustee::Ajuster(QWidget& w, const QString& text, const QRect& box, int flags) {
    if (valide_ && text == texte_ && box.size() == boite_ && flags == flags_) return;
    valide_ = true;
    texte_ = text;
    boite_ = box.size();
    flags_ = flags;
    w_ = &w;
    propre_ = PoliceQuiTient(demandee_, text, boite_, flags);
    if (groupe_)
        groupe_->Accorder();
    else
        Poser(propre_);
}

// ------------------------------------------------------------------- keys

int KeyCode(const QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Escape:
            return 27;
        case Qt::Key_Tab:
            return 9;
        case Qt::Key_Backspace:
            return 8;
        default:
            return e->key() < 0x100 ? e->key() : 0;
    }
}

int KeyAscii(const QKeyEvent* e) {
    const int code = KeyCode(e);
    if (code == 13 || code == 27 || code == 8) return code;
    const QString t = e->text();
    return t.size() == 1 ? t.at(0).unicode() : 0;
}

bool MontrerBulle(QWidget& w, const QEvent* e) {
    const QString bulle = w.toolTip();
    if (bulle.isEmpty() || !Qt::mightBeRichText(bulle)) return false;
    const auto* h = static_cast<const QHelpEvent*>(e);
    QToolTip::showText(h->globalPos(),
                       QStringLiteral("<p style=\"white-space:pre-wrap\">") + bulle.toHtmlEscaped() +
                           QStringLiteral("</p>"),
                       &w);
    return true;
}

}  // namespace platform
