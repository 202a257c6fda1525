// The recipe card printed on one page: the boxes drawn, checked from the
// recorded draw calls and from a real PDF read back with poppler.
#include <QPageLayout>
#include <QPrinter>
#include <QtTest>

#include "Carte.h"
#include "platform/MessageBox.h"
#include "platform/Screen.h"
#include "support/Pdf.h"

using namespace carte;
using platform::PrinterSeam::Call;

using pdf::Lettre;
using pdf::Pt;

namespace {

QList<Call> Textes(const QList<Call>& calls) {
    QList<Call> out;
    for (const Call& c : calls)
        if (c.kind == Call::Text) out << c;
    return out;
}

using Boite = QList<int>;
Boite B(const platform::RECT& r) {
    return {r.Left, r.Top, r.Right, r.Bottom};
}

// The card printed to `fichier`.
void Imprimer(const QString& fichier, const QPageLayout& page = Lettre(), int dpi = 600) {
    platform::PrinterSeam::UsePdf(fichier, page, dpi);
    C().Navi[3].ClickIt();
}

// Some pixel near the colour in the part of the picture.
bool Couleur(const QImage& img, const QRect& zone, const QColor& c) {
    for (int y = zone.top(); y <= zone.bottom(); ++y)
        for (int x = zone.left(); x <= zone.right(); ++x) {
            const QColor p = img.pixelColor(x, y);
            if (std::abs(p.red() - c.red()) + std::abs(p.green() - c.green()) +
                    std::abs(p.blue() - c.blue()) <
                60)
                return true;
        }
    return false;
}

// The text boxes of the worked example, in print order: a printer 4800
// pixels wide (600 dpi), a card 12015 twips wide, the design sizes, two
// ingredient rows.
const struct Attendu {
    const char* texte;
    Boite boite;
} kExemple[] = {
    {"Charlie", {96, 100, 4704, 272}},
    {"Coût", {1646, 372, 1850, 468}},
    {nullptr, {1646, 468, 2419, 618}},
    {"Difficulté", {2519, 372, 2897, 468}},
    {nullptr, {2519, 468, 3292, 618}},
    {"Teneur en alcool", {3392, 372, 4105, 468}},
    {nullptr, {3392, 468, 4213, 618}},
    {"Catégorie", {1646, 683, 2071, 779}},
    {"Tropical", {1646, 779, 4213, 929}},
    {"Type de verre", {1646, 994, 2245, 1090}},
    {"Coupe", {1646, 1090, 4213, 1240}},
    {"Matériel", {1646, 1305, 2000, 1401}},
    {"Au shaker", {1646, 1401, 4213, 1551}},
    {"Ingrédients", {96, 1901, 599, 1997}},
    {"6", {96, 1997, 533, 2147}},
    {"cl", {543, 1997, 1412, 2147}},
    {"Tequila", {1422, 1997, 4442, 2147}},
    {"2", {96, 2147, 533, 2297}},
    {"cl", {543, 2147, 1412, 2297}},
    {"Triple sec", {1422, 2147, 4442, 2297}},
    {"Préparation", {96, 2397, 605, 2493}},
    {"Secouer et servir.", {96, 2493, 4465, 3026}},
    {"Description", {96, 3126, 587, 3222}},
    {"Classique mexicain.", {96, 3222, 4465, 3755}},
    {"Décoration", {96, 3855, 569, 3951}},
    {"Sel sur le bord.", {96, 3951, 4465, 4484}},
    {"Histoire", {96, 4584, 438, 4680}},
    {"Inventé vers 1940.", {96, 4680, 4465, 6028}},
};

// A4 with quarter-inch margins, upright or on its side.
QPageLayout A4(QPageLayout::Orientation sens) {
    return QPageLayout(QPageSize(QPageSize::A4), sens, QMarginsF(0.25, 0.25, 0.25, 0.25),
                       QPageLayout::Inch);
}

// One recipe of 22 lines with the photo.
QString SeedLongue(const QString& photo) {
    QStringList lignes;
    // The first line without a measure: its cell shows the dotted
    // placeholder, a word far wider than its box.
    for (int i = 1; i <= 22; ++i)
        lignes << QStringLiteral(R"(["%1", "%2", "Ingrédient%1"])").arg(i).arg(i > 1 ? "cl" : "");
    return QStringLiteral(R"({"categories": ["Tropical"], "verres": [{"nom": "Coupe"}],
  "realisations": ["Au shaker"],
  "recettes": [{"nom": "Longue", "categorie": "Tropical", "verre": "Coupe",
    "realisation": "Au shaker", "cout": 1, "difficulte": 1, "teneur": 1, "photo": "%1",
    "lignes": [%2], "preparation": "Secouer.", "deco": "Zeste.", "description": "Longue.",
    "histoire": "Récente."}]})")
        .arg(photo, lignes.join(u','));
}

}  // namespace

class TestImpression : public QObject {
    Q_OBJECT
private slots:
    // The worked example: a printer 4800 pixels wide, a card 12015 twips
    // wide, the design sizes, a 4:3 photo and two ingredient rows.
    void boxesOfTheWorkedExample() {
        Demarre d;
        Montrer("Charlie");
        Ouvrir();
        QCOMPARE(C().ScaleWidth(), 12015.0);
        const QString fichier = d.fx.Dir() + "/fiche.pdf";
        Imprimer(fichier);
        QCOMPARE(platform::Printer::Current().ScaleWidth(), 4800.0);
        QVERIFY(!C().Navi[3].Value());
        QVERIFY(!platform::HourglassShown());
        QVERIFY(platform::MessageSeam::Calls().isEmpty());
        const QList<Call> calls = platform::PrinterSeam::Calls();

        // One outline, the title's; one picture; one end of document, last.
        QCOMPARE(calls.first().kind, Call::Rectangle);
        QCOMPARE(B(calls.first().box), (Boite{96, 100, 4704, 272}));
        QCOMPARE(calls.first().colour, QColor(0, 0, 0));
        QCOMPARE(calls.last().kind, Call::EndDoc);
        int rectangles = 0, images = 0, fins = 0;
        for (const Call& c : calls) {
            rectangles += c.kind == Call::Rectangle;
            images += c.kind == Call::Picture;
            fins += c.kind == Call::EndDoc;
        }
        QCOMPARE(rectangles, 1);
        QCOMPARE(images, 1);
        QCOMPARE(fins, 1);
        const Call photo = calls[2];
        QCOMPARE(photo.kind, Call::Picture);
        QCOMPARE(photo.area.x(), 116.0);
        QCOMPARE(photo.area.y(), 623.0);
        QCOMPARE(qRound(photo.area.width()), 1260);
        QCOMPARE(qRound(photo.area.height()), 945);

        const QList<Call> textes = Textes(calls);
        QCOMPARE(textes.size(), int(std::size(kExemple)));
        for (int i = 0; i < textes.size(); ++i) {
            if (kExemple[i].texte) QCOMPARE(textes[i].text, QString::fromUtf8(kExemple[i].texte));
            QCOMPARE(B(textes[i].box), kExemple[i].boite);
        }
        // The title centred across, wrapped; every other text wrapped only.
        using namespace platform;
        QCOMPARE(textes[0].flags, DT_WORDBREAK | DT_VCENTER | DT_CENTER);
        for (int i = 1; i < textes.size(); ++i) QCOMPARE(textes[i].flags, int(DT_WORDBREAK));

        // Fonts and colours of the controls, the face the printer's own.
        const QColor titres(128, 128, 255), orange(255, 128, 0), marine(0, 0, 128);
        QCOMPARE(textes[0].colour, orange);
        QCOMPARE(textes[0].size, 14.25);
        QVERIFY(textes[0].bold && !textes[0].underline);
        for (int i : {1, 3, 5, 7, 13, 20, 26}) {
            QCOMPARE(textes[i].colour, titres);
            QCOMPARE(textes[i].size, 9.75);
            QVERIFY(textes[i].bold && textes[i].underline && !textes[i].italic);
        }
        for (int i : {2, 4, 6}) QCOMPARE(textes[i].colour, orange);
        for (int i : {8, 10, 12, 15, 21, 27}) QCOMPARE(textes[i].colour, marine);
        QCOMPARE(textes[14].colour, QColor(0, 0, 255));
        QCOMPARE(textes[16].colour, QColor(0, 0, 0));
        for (int i : {2, 8, 14, 15, 16, 21}) {
            QCOMPARE(textes[i].size, 9.0);
            QVERIFY(!textes[i].bold && !textes[i].underline);
        }
        for (const Call& t : textes) QCOMPARE(t.face, textes[0].face);
    }

    // The page comes out the same on paper whatever the printer's
    // resolution: every box of the worked example in its place, a portrait
    // photo clear of the ingredients, one page.
    void samePageAtEveryResolution_data() {
        QTest::addColumn<int>("dpi");
        QTest::newRow("300 dpi") << 300;
        QTest::newRow("600 dpi") << 600;
        QTest::newRow("1200 dpi") << 1200;
        // The program's printer as it makes it, sent to a PDF file the way
        // the print dialog does.
        QTest::newRow("printer as made") << 0;
    }
    void samePageAtEveryResolution() {
        QFETCH(int, dpi);
        Demarre d;
        // A portrait photo, as the sample photos are.
        QImage portrait(300, 400, QImage::Format_RGB32);
        portrait.fill(QColor(40, 160, 90));
        QVERIFY(portrait.save(d.photo));
        Montrer("Charlie");
        Ouvrir();
        const QString fichier = d.fx.Dir() + "/fiche.pdf";
        if (dpi) {
            Imprimer(fichier, Lettre(), dpi);
        } else {
            platform::PrinterSeam::Disable();
            QPrinter& imprimante = platform::Printer::Current().Device();
            imprimante.setOutputFormat(QPrinter::PdfFormat);
            imprimante.setOutputFileName(fichier);
            imprimante.setPageLayout(Lettre());
            C().Navi[3].ClickIt();
            dpi = imprimante.resolution();
        }
        QVERIFY(platform::MessageSeam::Calls().isEmpty());
        QCOMPARE(pdf::Pages(fichier), 1);
        const double enPixels600 = 600.0 / dpi;
        // The portrait photo fitted in the worked example's photo area
        // (x, y, bottom).
        const double photo[3] = {165, 322, 1870};

        // The boxes drawn, brought back to 600 dpi: the worked example's, to
        // the rounding of boxes stacked in whole pixels of the printer (a
        // third of a millimetre).
        if (platform::PrinterSeam::Enabled()) {
            const double tolerance = 8;
            QCOMPARE(platform::Printer::Current().ScaleWidth(), 8.0 * dpi);
            const QList<Call> calls = platform::PrinterSeam::Calls();
            const QList<Call> textes = Textes(calls);
            QCOMPARE(textes.size(), int(std::size(kExemple)));
            for (int i = 0; i < textes.size(); ++i) {
                const Boite b = B(textes[i].box);
                for (int j = 0; j < 4; ++j)
                    QVERIFY2(std::abs(b[j] * enPixels600 - kExemple[i].boite[j]) <= tolerance,
                             qPrintable(QString("%1 : %2 au lieu de %3")
                                            .arg(textes[i].text)
                                            .arg(b[j] * enPixels600)
                                            .arg(kExemple[i].boite[j])));
            }
            QCOMPARE(B(calls.first().box), B(textes.first().box));
            const Call image = calls[2];
            QCOMPARE(image.kind, Call::Picture);
            QVERIFY(std::abs(image.area.x() * enPixels600 - photo[0]) <= tolerance);
            QVERIFY(std::abs(image.area.y() * enPixels600 - photo[1]) <= tolerance);
            QVERIFY(std::abs(image.area.bottom() * enPixels600 - photo[2]) <= tolerance);
        }

        // Read back from the file: each text where the example puts it.
        const QList<pdf::Mot> mots = pdf::Mots(fichier);
        QVERIFY2(!mots.isEmpty(), "pdftotext");
        for (const Attendu& a : kExemple) {
            if (!a.texte) continue;
            const QString premier = QString::fromUtf8(a.texte).section(' ', 0, 0);
            const double gauche = a.boite[0], haut = a.boite[1];
            bool vu = false;
            for (const pdf::Mot& m : mots)
                vu = vu ||
                     (m.texte == premier && m.yMin >= Pt(haut) - 0.5 && m.yMin < Pt(haut) + 3 &&
                      (a.boite == kExemple[0].boite || std::abs(m.xMin - Pt(gauche)) < 1.5));
            QVERIFY2(vu, a.texte);
        }
        const pdf::Mot* nom = pdf::Trouver(mots, "Charlie");
        QVERIFY(nom);
        QVERIFY(std::abs((nom->xMin + nom->xMax) / 2 - Pt(2400)) < 2);

        // As a picture: the photo in its place, its bottom above the
        // ingredients' heading.
        const QImage page = pdf::Image(fichier, 100);
        QCOMPARE(page.size(), QSize(850, 1100));
        auto px = [](double pixel) { return 25 + pixel / 6.0; };
        int haut = page.height(), bas = -1, gauche = page.width();
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < qRound(px(1646)); ++x)
                if (Couleur(page, QRect(x, y, 1, 1), QColor(40, 160, 90))) {
                    haut = std::min(haut, y);
                    bas = std::max(bas, y);
                    gauche = std::min(gauche, x);
                }
        QVERIFY(bas > 0);
        QVERIFY2(std::abs(gauche - px(photo[0])) < 1.5, qPrintable(QString::number(gauche)));
        QVERIFY2(std::abs(haut - px(photo[1])) < 1.5, qPrintable(QString::number(haut)));
        QVERIFY2(std::abs(bas + 1 - px(photo[2])) < 1.5, qPrintable(QString::number(bas)));
        const pdf::Mot* ingredients = pdf::Trouver(mots, "Ingrédients");
        QVERIFY(ingredients);
        QVERIFY2(bas + 1 <= ingredients->yMin * 100 / 72,
                 qPrintable(QString("%1 / %2").arg(bas).arg(ingredients->yMin * 100 / 72)));
    }

    // The same page read back from the real PDF file.
    void thePdfReadBack() {
        Demarre d;
        Montrer("Charlie");
        Ouvrir();
        const QString fichier = d.fx.Dir() + "/fiche.pdf";
        Imprimer(fichier);
        QCOMPARE(pdf::Pages(fichier), 1);
        // Nothing is left beside the file.
        QCOMPARE(QDir(d.fx.Dir()).entryList({"*.part", ".*.part"}, QDir::Files | QDir::Hidden),
                 QStringList());
        const QList<pdf::Mot> mots = pdf::Mots(fichier);
        QVERIFY2(!mots.isEmpty(), "pdftotext");

        // The name centred on the page, at the top of its box.
        const pdf::Mot* nom = pdf::Trouver(mots, "Charlie");
        QVERIFY(nom);
        QVERIFY(std::abs((nom->xMin + nom->xMax) / 2 - Pt(2400)) < 2);
        QVERIFY(nom->yMin >= Pt(100) - 0.5 && nom->yMax <= Pt(272) + 0.5);

        // Each word where its box starts (the glyph's own bearing aside).
        const struct {
            const char* mot;
            double left, top, bottom;
        } places[] = {
            {"Coût", 1646, 372, 468},        {"Difficulté", 2519, 372, 468},
            {"Catégorie", 1646, 683, 779},   {"Tropical", 1646, 779, 929},
            {"Matériel", 1646, 1305, 1401},  {"Ingrédients", 96, 1901, 1997},
            {"Tequila", 1422, 1997, 2147},   {"Triple", 1422, 2147, 2297},
            {"Préparation", 96, 2397, 2493}, {"Secouer", 96, 2493, 3026},
            {"Histoire", 96, 4584, 4680},    {"Inventé", 96, 4680, 6028},
        };
        for (const auto& p : places) {
            const pdf::Mot* m = pdf::Trouver(mots, QString::fromUtf8(p.mot));
            QVERIFY2(m, p.mot);
            QVERIFY2(std::abs(m->xMin - Pt(p.left)) < 1.5, p.mot);
            QVERIFY2(m->yMin >= Pt(p.top) - 0.5 && m->yMin < Pt(p.top) + 3, p.mot);
            QVERIFY2(m->yMin < Pt(p.bottom), p.mot);
        }

        // As a picture: the outline, the photo, the texts in their colours.
        const QImage page = pdf::Image(fichier, 100);
        QCOMPARE(page.size(), QSize(850, 1100));
        auto px = [](double pixel) { return qRound(25 + pixel / 6.0); };
        const QRect titre(px(96), px(100), px(4704) - px(96), px(272) - px(100));
        QVERIFY(Couleur(page, titre.adjusted(2, 2, -2, -2), QColor(255, 128, 0)));
        // The outline is one printer pixel: grey at this resolution.
        QVERIFY(Couleur(page, QRect(px(1000), px(100) - 1, 10, 3), QColor(150, 150, 150)));
        QVERIFY(!Couleur(page, QRect(px(1000), px(100) + 3, 10, 3), QColor(150, 150, 150)));
        QVERIFY(Couleur(page, QRect(px(116) + 10, px(623) + 10, 20, 20), QColor(40, 160, 90)));
        QVERIFY(Couleur(page, QRect(px(1646), px(372), 40, 15), QColor(128, 128, 255)));
        QVERIFY(Couleur(page, QRect(px(96), px(1997), 70, 25), QColor(0, 0, 255)));
        QVERIFY(Couleur(page, QRect(px(96), px(2493), 300, 25), QColor(0, 0, 128)));
        // Nothing at all below the history box.
        QVERIFY(!Couleur(page, QRect(0, px(6028) + 5, page.width(), 50), QColor(0, 0, 128)));
    }

    // A text longer than its box is cut at the box's bottom.
    void longTextCutAtItsBox() {
        QStringList mots;
        for (int i = 1; i <= 400; ++i) mots << QString("mot%1").arg(i, 3, 10, QChar('0'));
        Demarre d(mots.join(' '));
        Montrer("Charlie");
        Ouvrir();
        const QString fichier = d.fx.Dir() + "/long.pdf";
        Imprimer(fichier);
        const QList<pdf::Mot> lus = pdf::Mots(fichier);
        QVERIFY(pdf::Trouver(lus, "mot001"));
        QVERIFY(!pdf::Trouver(lus, "mot400"));
        int vus = 0;
        for (const pdf::Mot& m : lus)
            if (m.texte.startsWith("mot")) {
                ++vus;
                QVERIFY(m.yMin < Pt(3026));
                QVERIFY(m.xMax <= Pt(4465) + 1);
            }
        QVERIFY(vus > 20 && vus < 400);
        // The next heading still in its place.
        const pdf::Mot* suite = pdf::Trouver(lus, "Description");
        QVERIFY(suite);
        QVERIFY(suite->yMin >= Pt(3126) - 0.5);
    }

    // Without a photo every box is where it is with one.
    void noPhotoSameBoxes() {
        Demarre d;
        Montrer("Charlie");
        Ouvrir();
        Imprimer(d.fx.Dir() + "/avec.pdf");
        const QList<Call> avec = platform::PrinterSeam::Calls();
        C().Photo.SetPicture(QPixmap());
        Imprimer(d.fx.Dir() + "/sans.pdf");
        const QList<Call> sans = platform::PrinterSeam::Calls();
        QCOMPARE(sans.size(), avec.size() - 1);
        QList<Boite> a, s;
        for (const Call& c : avec)
            if (c.kind != Call::Picture) a << B(c.box);
        for (const Call& c : sans) {
            QVERIFY(c.kind != Call::Picture);
            s << B(c.box);
        }
        QCOMPARE(s, a);
        QCOMPARE(pdf::Pages(d.fx.Dir() + "/sans.pdf"), 1);
    }

    // What passes the page's bottom is lost; there is never a second page.
    void neverASecondPage() {
        Demarre d;
        Montrer("Bravo");
        Ouvrir();
        const QString fichier = d.fx.Dir() + "/court.pdf";
        const QPageLayout court(QPageSize(QSizeF(8.5, 3), QPageSize::Inch), QPageLayout::Portrait,
                                QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch);
        Imprimer(fichier, court);
        QCOMPARE(pdf::Pages(fichier), 1);
        const QList<pdf::Mot> lus = pdf::Mots(fichier);
        QVERIFY(pdf::Trouver(lus, "Bravo"));
        QVERIFY(!pdf::Trouver(lus, "Histoire"));
    }

    // A4 upright and on its side (« Paysage » in the print dialog), a
    // portrait photo and 22 lines. On the wide page the boxes grow with the
    // width and the gaps only with the resolution: the ingredients' heading
    // starts below the photo all the same. The upright page is laid out as
    // ever. On both, every word printed lies inside the printable area: what
    // passes its bottom is lost, headings included.
    void wideAndUprightPages_data() {
        QTest::addColumn<bool>("paysage");
        QTest::newRow("A4 portrait") << false;
        QTest::newRow("A4 landscape") << true;
    }
    void wideAndUprightPages() {
        QFETCH(bool, paysage);
        QImage portrait(300, 400, QImage::Format_RGB32);
        portrait.fill(QColor(40, 160, 90));
        Demarre d(portrait, SeedLongue);
        Montrer("Longue");
        Ouvrir();
        const QString fichier = d.fx.Dir() + "/a4.pdf";
        Imprimer(fichier, A4(paysage ? QPageLayout::Landscape : QPageLayout::Portrait), 600);
        QVERIFY(platform::MessageSeam::Calls().isEmpty());
        QCOMPARE(pdf::Pages(fichier), 1);

        const QList<Call> textes = Textes(platform::PrinterSeam::Calls());
        auto boite = [&](const QString& texte) {
            for (const Call& c : textes)
                if (c.text == texte) return c.box;
            return platform::RECT{};
        };
        const platform::RECT titre = boite("Ingrédients");
        if (!paysage) QCOMPARE(titre.Top, boite("Au shaker").Bottom + 350);

        const QList<pdf::Mot> mots = pdf::Mots(fichier);
        QVERIFY2(pdf::Trouver(mots, "Longue"), "pdftotext");

        // As a picture: the photo's bottom above the ingredients' heading.
        const QImage image = pdf::Image(fichier, 100);
        QVERIFY(!image.isNull());
        int bas = -1;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width() / 3; ++x)
                if (Couleur(image, QRect(x, y, 1, 1), QColor(40, 160, 90))) bas = std::max(bas, y);
        QVERIFY(bas > 0);
        const pdf::Mot* ingredients = pdf::Trouver(mots, "Ingrédients");
        QVERIFY(ingredients);
        QVERIFY2(bas + 1 <= ingredients->yMin * 100 / 72,
                 qPrintable(QString("%1 / %2").arg(bas).arg(ingredients->yMin * 100 / 72)));

        // The dotted placeholder shows, as far as its box goes: a part of
        // its 855 dots (pdftotext joins it to the ingredient beside it).
        bool vus = false;
        for (const pdf::Mot& m : mots)
            if (m.texte.startsWith("....")) {
                vus = true;
                const qsizetype fin = m.texte.indexOf(QRegularExpression("[^.]"));
                const qsizetype points = fin < 0 ? m.texte.size() : fin;
                QVERIFY2(points > 20 && points < 855, qPrintable(m.texte));
            }
        QVERIFY(vus);

        // In the file: every word inside the printable area.
        const QSizeF page = A4(paysage ? QPageLayout::Landscape : QPageLayout::Portrait)
                                .fullRect(QPageLayout::Point)
                                .size();
        for (const pdf::Mot& m : mots)
            QVERIFY2(m.xMin >= 18 - 0.5 && m.yMin >= 18 - 0.5 &&
                         m.xMax <= page.width() - 18 + 0.5 && m.yMax <= page.height() - 18 + 0.5,
                     qPrintable(QString("%1 : %2, %3 – %4, %5")
                                    .arg(m.texte)
                                    .arg(m.xMin)
                                    .arg(m.yMin)
                                    .arg(m.xMax)
                                    .arg(m.yMax)));
    }

    // Printing that cannot start: a short message, the pointer back, the
    // card still there, no file half written; an old file is replaced whole.
    void printingThatCannotStart_data() {
        QTest::addColumn<QString>("fichier");
        QTest::addColumn<QString>("message");
        QTest::newRow("no printer") << ""
                                    << "Aucune imprimante n'est disponible";
        QTest::newRow("folder missing") << "absent/fiche.pdf"
                                        << "ne peut pas être écrit";
        // The page is drawn, but the finished file cannot take its place.
        QTest::newRow("refused at the end") << "dossier.pdf"
                                            << "ne peut pas être écrit";
    }
    void printingThatCannotStart() {
        QFETCH(QString, fichier);
        QFETCH(QString, message);
        Demarre d;
        Montrer("Alpha");
        Ouvrir();
        const QString chemin = fichier.isEmpty() ? QString() : d.fx.Dir() + "/" + fichier;
        if (fichier == "dossier.pdf") QVERIFY(QDir().mkpath(chemin + "/dedans"));
        Imprimer(chemin);
        const auto calls = platform::MessageSeam::Calls();
        QCOMPARE(calls.size(), 1);
        QVERIFY2(calls[0].prompt.startsWith("La fiche n'a pas pu être imprimée."),
                 qPrintable(calls[0].prompt));
        QVERIFY2(calls[0].prompt.contains(message), qPrintable(calls[0].prompt));
        QVERIFY(!platform::HourglassShown());
        QVERIFY(!platform::Printer::Current().Printing());
        QVERIFY(C().isVisible());
        QVERIFY(!C().Navi[3].Value());
        if (fichier == "dossier.pdf")
            QVERIFY(QFileInfo(chemin + "/dedans").isDir());
        else if (!chemin.isEmpty())
            QVERIFY(!QFile::exists(chemin));
        QCOMPARE(QDir(d.fx.Dir()).entryList({".*.part"}, QDir::Files | QDir::Hidden),
                 QStringList());

        // The next print, to a file that can be written, goes through.
        const QString bon = d.fx.Dir() + "/bon.pdf";
        Fixture::WriteFile(bon, "ancien");
        Imprimer(bon);
        QCOMPARE(platform::MessageSeam::Calls().size(), 1);
        QVERIFY(Fixture::ReadFile(bon).startsWith("%PDF"));
        QCOMPARE(pdf::Pages(bon), 1);
    }
};

QTEST_MAIN(TestImpression)
#include "test_impression.moc"
