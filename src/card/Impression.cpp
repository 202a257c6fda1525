// The recipe card printed on one page of the current printer: a scaled copy
// of the card, box under box.
#include <QPrinter>

#include "card/FicheAlbum.h"
#include "platform/MessageBox.h"
#include "platform/Resume.h"
#include "platform/Screen.h"
#include "platform/VbText.h"

using platform::Printer;
using platform::Resume;

namespace {

// A box edge as it is stored: the nearest whole number, a half to the even.
qint32 Entier(double v) {
    return static_cast<qint32>(platform::RoundHalfEven(v));
}

template <class C>
void Police(const C& c, const QColor& couleur) {
    Printer& p = Printer::Current();
    // The page takes the font the window gave, not one made smaller for
    // the screen.
    const QFont f = c.Police();
    p.ForeColor = couleur;
    p.FontBold = f.bold();
    p.FontSize = f.pointSizeF();
    p.FontItalic = f.italic();
    p.FontUnderline = f.underline();
}

// The resolution the page's fixed gaps are measured at.
constexpr double kResolutionDesEcarts = 600;

double EchelleDe(Printer& p) {
    const int dpi = p.Device().resolution();
    return dpi > 0 ? dpi / kResolutionDesEcarts : 1;
}

}  // namespace

void FicheAlbum::SetupFontPrinter(const platform::Label& Police_) {
    Police(Police_, Police_.ForeColor());
}
void FicheAlbum::SetupFontPrinter(const platform::PictureButton& Police_) {
    Police(Police_, Police_.ForeColor);
}
void FicheAlbum::SetupFontPrinter(const platform::Panel& Police_) {
    Police(Police_, Police_.ForeColor());
}

void FicheAlbum::Dessiner(const platform::Label& c, int flags) {
    SetupFontPrinter(c);
    Printer::Current().DrawText(c.Caption(), ZoneImpression, flags);
}

void FicheAlbum::Dessiner(const platform::PictureButton& c, int flags) {
    SetupFontPrinter(c);
    Printer::Current().DrawText(c.Caption(), ZoneImpression, flags);
}

void FicheAlbum::Imprimer() {
    try {
        ImprimerPage();
    } catch (const std::exception& e) {
        // Nothing half printed is left behind, and the user is not kept
        // waiting under the hourglass.
        Printer::Current().KillDoc();
        platform::RestorePointer();
        platform::MsgBox(
            QStringLiteral("La fiche n'a pas pu être imprimée.\r\r") + QString::fromUtf8(e.what()),
            platform::vbExclamation, QString(), this);
    }
}

void FicheAlbum::ImprimerPage() {
    Printer& P = Printer::Current();
    platform::RECT& Z = ZoneImpression;
    const double largeurPage = P.ScaleWidth();
    const double R = largeurPage / ScaleWidth();
    Echelle = EchelleDe(P);
    const double k = Echelle;

    // Title, in the page's only outline.
    Z.Left = Entier(Recette.Left() * R);
    Z.Top = Entier(100 * k);
    Z.Right = Entier(largeurPage - Z.Left);
    Z.Bottom = Entier(Z.Top + Recette.Height() * R);
    P.Rectangle(Z.Left, Z.Top, Z.Right, Z.Bottom, QColor(0, 0, 0));
    SetupFontPrinter(Recette);
    P.DrawText(Recette.Caption(), Z,
               platform::DT_WORDBREAK | platform::DT_VCENTER | platform::DT_CENTER);
    const qint32 hautNiveaux = Entier(Z.Bottom + 100 * k);

    // Photo area, not outlined.
    Z.Left = Entier(CadrePhoto.Left() * R);
    Z.Top = Entier(Z.Bottom + 30 * k);
    Z.Right = Entier(Z.Left + CadrePhoto.Width() * R);
    Z.Bottom = Entier(Z.Top + CadrePhoto.Height() * R);
    const qint32 basPhoto = Z.Bottom;

    // From here on a step that fails is skipped.
    Resume([&] {
        if (Photo.Picture().isNull()) return;
        const double pw = Photo.Width() * R;
        const double ph = Photo.Height() * R;
        const double x = Z.Left + static_cast<double>(platform::IntDiv((Z.Right - Z.Left) - pw, 2));
        const double y = Z.Top + static_cast<double>(platform::IntDiv((Z.Bottom - Z.Top) - ph, 2));
        P.PaintPicture(Photo.Picture(), x, y, pw, ph);
    });

    // Level row: heading over value, three side by side.
    Z.Left = Entier(Z.Right + 250 * k);
    const qint32 gaucheInfo = Z.Left;
    auto niveau = [&](int libelle, const platform::PictureButton& valeur) {
        const platform::Label& l = Libelle[libelle];
        Z.Top = hautNiveaux;
        Z.Right = Entier(Z.Left + l.Width() * R);
        Z.Bottom = Entier(Z.Top + l.Height() * R);
        Resume([&] { Dessiner(l); });
        Z.Top = Z.Bottom;
        Z.Right = Entier(Z.Left + valeur.Width() * R);
        Z.Bottom = Entier(Z.Top + valeur.Height() * R);
        Resume([&] { Dessiner(valeur); });
    };
    niveau(8, Cout);
    Z.Left = Entier(Z.Right + 100 * k);
    niveau(9, Diff);
    Z.Left = Entier(Z.Right + 100 * k);
    niveau(10, Teneur);
    const qint32 largeurNiveaux = Z.Right - gaucheInfo;

    PlacerCatego(7, 1, gaucheInfo, Z.Bottom, R, largeurNiveaux);
    PlacerCatego(1, 2, gaucheInfo, Z.Bottom, R, largeurNiveaux);
    PlacerCatego(2, 3, gaucheInfo, Z.Bottom, R, largeurNiveaux);

    // Ingredients: the heading's left edge is that of the rows and texts.
    const platform::Label& titre = Libelle[0];
    Z.Left = Entier(titre.Left() * R);
    Z.Top = Entier(Z.Bottom + 350 * k);
    // The boxes grow with the page's width, the gaps only with the
    // resolution: on a wide page the photo area would reach the heading,
    // which then starts below it.
    if (Z.Top < basPhoto + 10 * k) Z.Top = Entier(basPhoto + 10 * k);
    Z.Right = Entier(Z.Left + titre.Width() * R);
    Z.Bottom = Entier(Z.Top + titre.Height() * R);
    Resume([&] { Dessiner(titre); });
    const qint32 gauche = Z.Left;
    for (int i = 0; i <= Qte.UBound(); ++i)
        if (Qte.Exists(i)) PlacerInfo(i, R, gauche);

    PlacerDesc(3, R, gauche, Prepa);
    PlacerDesc(4, R, gauche, Desc);
    PlacerDesc(5, R, gauche, Deco);
    PlacerDesc(6, R, gauche, Histoire);

    // The page goes to the printer; there is never a second one.
    P.EndDoc();
}

void FicheAlbum::PlacerCatego(short IndiceLabel, short IndiceData, double RL, double RB,
                              double Rapport, double LargeurChamp) {
    platform::RECT& Z = ZoneImpression;
    const platform::Label& l = Libelle[IndiceLabel];
    const platform::PictureButton& d = Data[IndiceData];
    Z.Left = Entier(RL);
    Z.Top = Entier(RB + 65 * Echelle);
    Z.Right = Entier(Z.Left + l.Width() * Rapport);
    Z.Bottom = Entier(Z.Top + l.Height() * Rapport);
    Resume([&] { Dessiner(l); });
    Z.Top = Z.Bottom;
    Z.Right = Entier(Z.Left + LargeurChamp);
    Z.Bottom = Entier(Z.Top + d.Height() * Rapport);
    Resume([&] { Dessiner(d); });
}

void FicheAlbum::PlacerInfo(int Indice, double Rapport, double RLeft) {
    platform::RECT& Z = ZoneImpression;
    // Each row directly under the box above it.
    Z.Left = Entier(RLeft);
    Z.Top = Z.Bottom;
    const platform::PictureButton& q = Qte[Indice];
    Z.Right = Entier(Z.Left + q.Width() * Rapport);
    Z.Bottom = Entier(Z.Top + q.Height() * Rapport);
    Resume([&] { Dessiner(q); });
    const platform::PictureButton& m = Mesure[Indice];
    Z.Left = Entier(Z.Right + 10 * Echelle);
    Z.Right = Entier(Z.Left + m.Width() * Rapport);
    Z.Bottom = Entier(Z.Top + m.Height() * Rapport);
    Resume([&] { Dessiner(m); });
    const platform::PictureButton& g = Ingre[Indice];
    Z.Left = Entier(Z.Right + 10 * Echelle);
    Z.Right = Entier(Z.Left + g.Width() * Rapport - 30 * Echelle);
    Z.Bottom = Entier(Z.Top + g.Height() * Rapport);
    Resume([&] { Dessiner(g); });
}

void FicheAlbum::PlacerDesc(int Indice, double Rapport, double RLeft,
                            const platform::PictureButton& NomChamp) {
    platform::RECT& Z = ZoneImpression;
    const platform::Label& l = Libelle[Indice];
    Z.Left = Entier(RLeft);
    Z.Top = Entier(Z.Bottom + 100 * Echelle);
    Z.Right = Entier(Z.Left + l.Width() * Rapport);
    Z.Bottom = Entier(Z.Top + l.Height() * Rapport);
    Resume([&] { Dessiner(l); });
    Z.Top = Z.Bottom;
    Z.Right = Entier(Z.Left + NomChamp.Width() * Rapport);
    Z.Bottom = Entier(Z.Top + NomChamp.Height() * Rapport);
    Resume([&] { Dessiner(NomChamp); });
}
