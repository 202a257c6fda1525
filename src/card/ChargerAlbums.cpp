#include "card/ChargerAlbums.h"

#include "card/FicheAlbum.h"
#include "platform/VbText.h"
#include "recipe_view/CadreRecette.h"
#include "shell/Frmmain.h"

namespace ChargerAlbums {

namespace {
// Between two headings or blocks, and below the last one.
constexpr double kMarge = 400;
// Between two ingredient rows.
constexpr double kEntreLignes = 100;

template <class C>
double Bas(const C& c) {
    return c.Top() + c.Height();
}
}  // namespace

void ChargerFiche() {
    FicheAlbum& c = FicheAlbum::Instance();
    Frmmain& f = Frmmain::Instance();
    platform::ListView* liste = FicheAlbum::ListeSource();
    platform::ListItem* sel = liste ? liste->SelectedItem() : nullptr;
    // Without a selected row there is nowhere to page to and no name.
    c.Navi[0].setEnabled(sel && sel->Index() != 1);
    c.Navi[1].setEnabled(sel && sel->Index() != liste->Count());
    c.Recette.SetCaption(sel ? sel->Text() : QString());
    c.Recette.setAccessibleDescription(c.Recette.Caption());
    RemplirFiche();
    c.Photo.SetPicture(f.Recette().Photo.Picture());
    f.ImageTemp.SetPicture(c.Photo.Picture());
    AjusterPhoto(c.CadrePhoto, c.Photo);
}

void RemplirFiche() {
    FicheAlbum& c = FicheAlbum::Instance();
    const CadreRecette& r = Frmmain::Instance().Recette();
    c.Scroll[0]->SetScrollHeight(kMarge);

    c.Cout.SetCaption(r.Data[2].Caption());
    c.Diff.SetCaption(r.Data[3].Caption());
    c.Teneur.SetCaption(r.Data[4].Caption());
    c.Data[1].SetCaption(r.Data[6].Caption());
    c.Data[2].SetCaption(r.Data[0].Caption());
    c.Data[3].SetCaption(r.Data[1].Caption());
    c.Prepa.SetCaption(r.Saisie[0]->Text());
    c.Deco.SetCaption(r.Saisie[1]->Text());
    c.Desc.SetCaption(r.Saisie[2]->Text());
    c.Histoire.SetCaption(r.Saisie[3]->Text());

    c.DetruireLignes();
    // The main window keeps one row more than there are lines (none when
    // the recipe has no line).
    const int lignes = r.Ingre.UBound();
    if (lignes < 1)
        for (auto* a : {&c.Qte, &c.Mesure, &c.Ingre}) (*a)[0].SetCaption(QString());
    for (int i = 0; i < lignes; ++i) {
        if (i >= 1) {
            c.CreerLigne(i);
            const double top = Bas(c.Qte[i - 1]) + kEntreLignes;
            for (auto* a : {&c.Qte, &c.Mesure, &c.Ingre}) {
                (*a)[i].SetTop(top);
                (*a)[i].show();
            }
        }
        c.Qte[i].SetCaption(r.Quantite[i].Caption());
        c.Mesure[i].SetCaption(r.Mesure[i].Caption());
        c.Ingre[i].SetCaption(r.Ingre[i].Caption());
    }

    const platform::PictureButton& derniere = c.Qte[c.Qte.UBound()];
    c.Libelle[3].SetTop(Bas(derniere) + kMarge);
    c.Prepa.SetTop(Bas(c.Libelle[3]));
    c.Libelle[4].SetTop(Bas(c.Prepa) + kMarge);
    c.Desc.SetTop(Bas(c.Libelle[4]));
    c.Libelle[5].SetTop(Bas(c.Desc) + kMarge);
    c.Deco.SetTop(Bas(c.Libelle[5]));
    c.Libelle[6].SetTop(Bas(c.Deco) + kMarge);
    c.Histoire.SetTop(Bas(c.Libelle[6]));
    c.Scroll[0]->SetScrollHeight(platform::RoundHalfEven(Bas(c.Histoire) + kMarge));
}

}  // namespace ChargerAlbums
