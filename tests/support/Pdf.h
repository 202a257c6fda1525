#pragma once

// Reading a printed PDF back with poppler's tools.
#include <QImage>
#include <QPageLayout>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QTemporaryDir>

namespace pdf {

// A Letter page at 600 dpi with quarter-inch margins: 4800 pixels wide.
inline QPageLayout Lettre() {
    return QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                       QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch);
}

// A printer pixel of that page in PDF points from the page's top left.
inline double Pt(double pixel) {
    return 18 + pixel * 72.0 / 600.0;
}

struct Mot {
    QString texte;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;  // points from the top left
};

inline QString Lancer(const QString& programme, const QStringList& args) {
    QProcess p;
    p.start(programme, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Every word of the file with its box.
inline QList<Mot> Mots(const QString& fichier) {
    const QString html = Lancer(QStringLiteral("pdftotext"),
                                {QStringLiteral("-bbox"), fichier, QStringLiteral("-")});
    static const QRegularExpression re(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<Mot> out;
    for (auto it = re.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        QString t = m.captured(5);
        t.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        t.replace(QStringLiteral("&apos;"), QStringLiteral("'"));
        t.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
        t.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
        t.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
        // Ligatures read back as their letters.
        t.replace(QChar(0xFB03), QStringLiteral("ffi"));
        t.replace(QChar(0xFB04), QStringLiteral("ffl"));
        t.replace(QChar(0xFB00), QStringLiteral("ff"));
        t.replace(QChar(0xFB01), QStringLiteral("fi"));
        t.replace(QChar(0xFB02), QStringLiteral("fl"));
        out.push_back({t, m.captured(1).toDouble(), m.captured(2).toDouble(),
                       m.captured(3).toDouble(), m.captured(4).toDouble()});
    }
    return out;
}

inline const Mot* Trouver(const QList<Mot>& mots, const QString& texte) {
    for (const Mot& m : mots)
        if (m.texte == texte) return &m;
    return nullptr;
}

inline int Pages(const QString& fichier) {
    static const QRegularExpression re(QStringLiteral(R"(Pages:\s+(\d+))"));
    const auto m = re.match(Lancer(QStringLiteral("pdfinfo"), {fichier}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The page as a picture at the given resolution.
inline QImage Image(const QString& fichier, int dpi) {
    QTemporaryDir d;
    const QString base = d.path() + QStringLiteral("/page");
    Lancer(QStringLiteral("pdftoppm"),
           {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
            QStringLiteral("-singlefile"), fichier, base});
    return QImage(base + QStringLiteral(".png"));
}

}  // namespace pdf
