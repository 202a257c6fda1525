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
    const QFont f = PoliceQuiTient(demandee_, text, boite_, flags);
    if (f == w.font()) return;
    pose_ = true;
    w.setFont(f);
    pose_ = false;
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
