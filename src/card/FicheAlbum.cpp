#include "card/FicheAlbum.h"

#include <QPainter>

#include "card/ChargerAlbums.h"
#include "platform/MessageBox.h"
#include "platform/Resume.h"
#include "platform/Screen.h"
#include "platform/VbText.h"
#include "recipe_view/CadreRecette.h"
#include "shell/Frmmain.h"
#include "shell/Skin.h"

namespace {

const QColor kTitres(128, 128, 255);
const QColor kOrange(255, 128, 0);
const QColor kMarine(0, 0, 128);
const QColor kBleu(0, 0, 255);
const QColor kNoir(0, 0, 0);

// The button bar's buttons: the icon on the left, the caption centred in
// the room that is left.
class BoutonNavi : public platform::PictureButton {
public:
    using PictureButton::PictureButton;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.setRenderHint(QPainter::Antialiasing);
        const QPixmap& face = (Value() && !PictureDn.isNull()) ? PictureDn : Picture;
        if (!face.isNull()) p.drawPixmap(rect(), face);
        if (!isEnabled()) p.setOpacity(0.4);
        const int cote = std::max(0, height() - 16);
        if (!Icon.isNull()) p.drawPixmap(QRect(8, (height() - cote) / 2, cote, cote), Icon);
        p.setPen(ForeColor);
        p.setFont(font());
        p.drawText(rect().adjusted(8 + cote, 0, -4, 0), Qt::AlignCenter | Qt::TextSingleLine,
                   Caption());
    }
};

struct Geometrie {
    double l, t, w, h;
};

template <class C>
double Bas(const C& c) {
    return c.Top() + c.Height();
}

}  // namespace

FicheAlbum::FicheAlbum() : DialogFrame(QStringLiteral("FicheAlbum"), 2) {
    DisposerFenetreTravail(QStringLiteral("Fiche Recette"));
    SetWidth(12015);
    SetHeight(9015);
    setWindowTitle(QStringLiteral("Fiche Recette"));

    SSPanel1.Move(0, 0, 11775, 8205);
    CadreBouton.Move(0, 0, 11775, 855);
    CadreBouton.SetPicture(Skin::Picture(QStringLiteral("card_bar"), CadreBouton.size()));
    Scroll[0] = std::make_unique<platform::ScrollPanel>(&SSPanel1);
    platform::ScrollPanel& s = *Scroll[0];
    s.Move(0, 840, 11775, 7280);
    s.SetPicture(Skin::Picture(QStringLiteral("card_paper")));
    s.setAccessibleName(QStringLiteral("Fiche"));
    QWidget* carte = s.Content();

    const struct {
        int i;
        Geometrie g;
        const char* caption;
        const char* tooltip;
        const char* icone;
    } boutons[4] = {
        {0, {30, 60, 1660, 705}, "Précédent  ", "Précédent", "card_prev"},
        {1, {1720, 60, 1575, 705}, "   Suivant", "Suivant", "card_next"},
        {3, {3360, 60, 1815, 705}, "  Imprimer  ", "Imprimer la recette", "card_print"},
        {2, {9840, 60, 1815, 705}, " Configurer  ", "Configurer l'imprimante", "card_setup"},
    };
    for (const auto& b : boutons) {
        auto& n = Navi.Set(b.i, std::make_unique<BoutonNavi>(&CadreBouton));
        n.Move(b.g.l, b.g.t, b.g.w, b.g.h);
        n.setFont(platform::SkinFont(9));
        n.SetCaption(QString::fromUtf8(b.caption));
        n.setToolTip(QString::fromUtf8(b.tooltip));
        n.setAccessibleName(n.toolTip());
        n.ForeColor = Skin::kCreme;
        n.Icon = Skin::Picture(QString::fromLatin1(b.icone), {64, 64});
        Skin::Habiller(n, QStringLiteral("card_button"));
        const int i = b.i;
        connect(&n, &platform::PictureButton::Click, this,
                [this, i] { platform::Reported([&] { Navi_Click(i); }, this); });
        connect(&n, &platform::PictureButton::MouseEnter, this,
                [&n] { n.ShowPicture(n.PictureHover); });
        connect(&n, &platform::PictureButton::MouseLeave, this,
                [&n] { n.ShowPicture(n.PictureUp); });
    }

    Recette.setParent(carte);
    Recette.show();
    Recette.Move(240, 165, 10935, 430);
    Recette.setFont(platform::SkinFont(14.25, true));
    Recette.SetForeColor(kOrange);
    Recette.SetAlignment(Qt::AlignCenter);
    Recette.SetPicture(Skin::Picture(QStringLiteral("card_title"), Recette.size()));
    Recette.setAccessibleName(QStringLiteral("Recette"));

    CadrePhoto.setParent(carte);
    CadrePhoto.show();
    CadrePhoto.Move(240, 840, 3255, 3975);
    CadrePhoto.setFont(platform::SkinFont(8.25));
    CadrePhoto.SetCaption(QStringLiteral("Pas de photo"));
    CadrePhoto.SetAlignment(Qt::AlignCenter);
    CadrePhoto.SetForeColor(kMarine);
    CadrePhoto.SetPicture(Skin::Picture(QStringLiteral("card_photo"), CadrePhoto.size()));
    CadrePhoto.setAccessibleName(QStringLiteral("Photo"));
    Photo.Move(120, 120, 3015, 3735);
    Photo.SetStretch(true);

    const struct {
        int i;
        const char* caption;
        Geometrie g;
    } libelles[] = {
        {8, "Coût", {3720, 840, 510, 240}},
        {9, "Difficulté", {6600, 840, 945, 240}},
        {10, "Teneur en alcool", {9120, 840, 1785, 240}},
        {7, "Catégorie", {3720, 1920, 1065, 240}},
        {1, "Type de verre", {3720, 3000, 1500, 240}},
        {2, "Matériel", {3720, 4200, 885, 240}},
        {0, "Ingrédients", {240, 5040, 1260, 240}},
        {3, "Préparation", {240, 5595, 1275, 240}},
        {4, "Description", {240, 7365, 1230, 240}},
        {5, "Décoration", {240, 9165, 1185, 240}},
        {6, "Histoire", {240, 11010, 855, 240}},
    };
    for (const auto& l : libelles) {
        auto& lab = Libelle.Set(l.i, std::make_unique<platform::Label>(carte));
        lab.Move(l.g.l, l.g.t, l.g.w, l.g.h);
        lab.SetCaption(QString::fromUtf8(l.caption));
        lab.setFont(platform::SkinFont(9.75, true, true));
        lab.SetForeColor(kTitres);
    }

    auto place = [&](platform::PictureButton& b, Geometrie g, const QColor& couleur) {
        if (b.parentWidget() != carte) b.setParent(carte);
        b.show();
        b.Move(g.l, g.t, g.w, g.h);
        Champ(b, 9, couleur);
    };
    place(Cout, {3720, 1080, 1935, 375}, kOrange);
    place(Diff, {6600, 1080, 1935, 375}, kOrange);
    place(Teneur, {9120, 1080, 2055, 375}, kOrange);
    const Geometrie data[3] = {
        {3720, 2160, 7455, 375}, {3720, 3240, 7455, 375}, {3720, 4440, 7455, 375}};
    auto nouveau = [carte] { return std::make_unique<platform::PictureButton>(carte); };
    for (int i = 1; i <= 3; ++i) place(Data.Set(i, nouveau()), data[i - 1], kMarine);
    place(Qte.Set(0, nouveau()), {240, 5280, 1095, 375}, kBleu);
    place(Mesure.Set(0, nouveau()), {1350, 5280, 2175, 375}, kMarine);
    place(Ingre.Set(0, nouveau()), {3540, 5280, 7635, 375}, kNoir);
    // What each field holds, for a screen reader, whatever it shows.
    int k = 0;
    const char* const champs[6] = {"Catégorie", "Type de verre", "Matériel",
                                   "Quantité",  "Mesure",        "Ingrédient"};
    for (platform::PictureButton* t :
         {&Data[1], &Data[2], &Data[3], &Qte[0], &Mesure[0], &Ingre[0]})
        t->setAccessibleDescription(QString::fromUtf8(champs[k++]));
    place(Prepa, {240, 5835, 10935, 1335}, kMarine);
    place(Desc, {240, 7650, 10935, 1335}, kMarine);
    place(Deco, {240, 9435, 10935, 1335}, kMarine);
    place(Histoire, {240, 11250, 10935, 3375}, kMarine);
    const char* const noms[4] = {"Préparation", "Description", "Décoration", "Histoire"};
    k = 0;
    for (platform::PictureButton* t : {&Prepa, &Desc, &Deco, &Histoire}) {
        t->TextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
        t->setAccessibleName(QString::fromUtf8(noms[k++]));
    }
    const char* const niveaux[3] = {"Coût", "Difficulté", "Teneur en alcool"};
    k = 0;
    for (platform::PictureButton* t : {&Cout, &Diff, &Teneur})
        t->setAccessibleName(QString::fromUtf8(niveaux[k++]));
    Scroll[0]->SetScrollHeight(Bas(Histoire) + 400);
}

// A read-only value field of the card.
void FicheAlbum::Champ(platform::PictureButton& b, double points, const QColor& couleur) {
    b.setFont(platform::SkinFont(points));
    b.ForeColor = couleur;
    const QSize s(std::max(1, b.width()), std::max(1, b.height()));
    b.PictureUp = Skin::Picture(QStringLiteral("card_cell"), s);
    b.PictureDn = Skin::Picture(QStringLiteral("card_cell_pressed"), s);
    b.PictureHover = b.PictureUp;
    b.ShowPicture(b.PictureUp);
    b.TextFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    b.setFocusPolicy(Qt::NoFocus);
    connect(&b, &platform::PictureButton::Click, this, [this, &b] { Champ_Click(b); });
}

void FicheAlbum::Form_Load() {
    // The frame only: the card is filled by ChargerFiche.
    Habillage h;
    ChargerHabillage(h);
}

void FicheAlbum::Champ_Click(platform::PictureButton& champ) {
    champ.SetValue(false);
}

void FicheAlbum::CreerLigne(int i) {
    for (auto* a : {&Qte, &Mesure, &Ingre}) {
        const platform::PictureButton& zero = (*a)[0];
        auto& b = a->Set(i, std::make_unique<platform::PictureButton>(zero.parentWidget()));
        b.hide();
        b.Move(zero.Left(), zero.Top(), zero.Width(), zero.Height());
        Champ(b, zero.Police().pointSizeF(), zero.ForeColor);
        b.setFont(zero.Police());
        b.setAccessibleDescription(zero.accessibleDescription());
    }
}

void FicheAlbum::DetruireLignes() {
    for (auto* a : {&Qte, &Mesure, &Ingre})
        for (int i = a->UBound(); i >= 1; --i) a->Unload(i);
}

platform::ListView* FicheAlbum::ListeSource() {
    Frmmain& f = Frmmain::Instance();
    // The list the shown recipe really came from: the mark on the tool
    // button is emptied by a right click on the upper list while a recipe
    // of the lower one is still shown.
    const QChar liste = f.ListeAffichee();
    if (liste == u'B') return &f.LFilms;
    if (liste == u'H') return &f.Liste;
    return nullptr;
}

void FicheAlbum::Navi_Click(int Index) {
    platform::PictureButton& b = Navi[Index];
    if (!b.Value()) return;
    platform::Finally release([&] { b.SetValue(false); });
    switch (Index) {
        case 0:
        case 1: {
            if (!b.isEnabled()) return;
            platform::ListView* liste = ListeSource();
            platform::ListItem* sel = liste ? liste->SelectedItem() : nullptr;
            if (!sel) return;
            platform::ListItem* voisin = liste->Item(sel->Index() + (Index == 0 ? -1 : 1));
            if (!voisin) return;
            // Only the selection moves: the main window's highlight and
            // pick-lists stay as they were.
            liste->Select(voisin);
            Frmmain::Instance().Recette().ChargerRecette(platform::KeyNumber(voisin->Key()));
            ChargerAlbums::ChargerFiche();
            break;
        }
        case 2:
            Frmmain::Instance().CommonDialog1.ShowPrinter();
            break;
        case 3: {
            platform::Hourglass sablier;
            Imprimer();
            break;
        }
        default:
            break;
    }
}

void FicheAlbum::Quit_Click() {
    if (!Quit.Value()) return;
    Quit.SetValue(false);
    // Hidden, not unloaded: the card keeps its content.
    hide();
}
