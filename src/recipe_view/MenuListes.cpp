// The lists' context menu (add, rename and delete entries of the main
// window's lists) and the picture frames' menu (change or remove the recipe
// photo or the glass picture). Their items belong to the task-bar window,
// which owns the program's menus.
#include "platform/InputBox.h"
#include "platform/VbText.h"
#include "recipe_view/CadreRecette.h"
#include "recipe_view/CadreVerre.h"
#include "recipe_view/Ecriture.h"
#include "shell/AccesBase.h"
#include "shell/Fenetres.h"
#include "shell/Frmmain.h"
#include "shell/General.h"
#include "shell/Pop.h"

using platform::KeyNumber;
using platform::Str;
using platform::Trim;

namespace {

// The lookup lists a user can add to or delete from.
struct Liste {
    int kind;
    const char* table;
    const char* champ;
    const char* invite;
    const char* titreBoite;
    const char* titreListe;
    const char* suffixeAjout;
    const char* suffixeSuppression;
};
const Liste kListes[] = {
    {1, "Categorie", "NCategorie", "Veuillez saisir une nouvelle catégorie",
     "Création d'une nouvelle Catégorie", " Liste des Catégories ", " Catégorie(s) ...",
     " Catégorie(s) ..."},
    {2, "Verre", "NVerre", "Veuillez saisir un nouveau type de verre ",
     "Création d'un nouveau type de verre ", " Liste des Verres", " Verre(s) ...", " Verre(s) ..."},
    {6, "Ingredient", "NIngredient", "Veuillez saisir un nouvel ingrédient",
     "Création d'un nouvel ingrédient", " Liste des Ingredients", " Ingredient(s) ...",
     " Ingrédient(s) ..."},
};

const Liste* ListeDe(int kind) {
    for (const Liste& l : kListes)
        if (l.kind == kind) return &l;
    return nullptr;
}

QString S(const char* utf8) {
    return QString::fromUtf8(utf8);
}

bool ContexteBas() {
    return Frmmain::Instance().Outils[2]->Tag == QStringLiteral("B");
}

// After a deletion the shown recipe may still be on screen; nothing more is
// written to it.
void OublierSiAffichee(const QString& numero) {
    CadreRecette& r = Frmmain::Instance().Recette();
    if (r.RecetteAffichee() && *r.RecetteAffichee() == platform::Val(numero)) r.Oublier();
}

// The entry now at `position` of the list, or its last one.
platform::ListItem* Suivante(const platform::ListView& l, int position) {
    return l.Item(std::min(position, l.Count()));
}

}  // namespace

void Pop::Ajouter_Click() {
    const int kind = General::Tris();
    if (ContexteBas() || kind == 0) {
        General::OuvrirFenetre(General::kManuelle);
        return;
    }
    const Liste* l = ListeDe(kind);
    if (!l) return;
    const QString texte = platform::InputBox(S(l->invite), S(l->titreBoite));
    if (Trim(texte).isEmpty()) return;
    AccesBase::AjouterInformation(texte, S(l->table), S(l->champ));
    General::RemplirListe(S(l->table), S(l->table), S(l->titreListe), S(l->suffixeAjout), kind);
    Frmmain::Instance().ListeHaute();
}

void Pop::Modifier_Click() {
    Frmmain& f = Frmmain::Instance();
    platform::ListView& l = ContexteBas() ? f.LFilms : f.Liste;
    if (!l.SelectedItem()) return;
    l.SetLabelEditAutomatic(true);
    l.setFocus();
    l.StartLabelEdit();
}

void Pop::Supprimer_Click() {
    Frmmain& f = Frmmain::Instance();
    if (ContexteBas()) {
        platform::ListItem* sel = f.LFilms.SelectedItem();
        if (!sel) return;
        const QString numero = KeyNumber(sel->Key());
        AccesBase::SupprimerRecette(numero);
        OublierSiAffichee(numero);
        const int position = sel->Index();
        f.LFilms.Remove(sel);
        if (platform::ListItem* next = Suivante(f.LFilms, position)) {
            f.LFilms.Select(next);
            f.Recette().ChargerRecette(KeyNumber(next->Key()));
            f.LTDroit.SetCaption(next->Text());
            f.LTDroit.Tag = QString::number(next->Index());
        }
        return;
    }

    platform::ListItem* sel = f.Liste.SelectedItem();
    if (!sel) return;
    const int kind = General::Tris();
    const QString numero = KeyNumber(sel->Key());
    QString suffixe;
    if (kind == 0) {
        AccesBase::SupprimerRecette(numero);
        OublierSiAffichee(numero);
        suffixe = QStringLiteral(" Cocktail(s) ...");
    } else if (const Liste* l = ListeDe(kind)) {
        // An entry still in use is never deleted, whatever the lower list
        // shows.
        if (f.LFilms.Count() > 0) return;
        if (AccesBase::InformationUtilisee(S(l->table), numero)) return;
        AccesBase::SupprimerEnregistrement(S(l->table), numero, S(l->champ));
        CadreVerre& v = f.Verre();
        if (kind == 2 && v.VerreAffiche() && *v.VerreAffiche() == platform::Val(numero))
            v.Oublier();
        suffixe = S(l->suffixeSuppression);
    } else {
        return;
    }
    f.LBGauche.SetCaption(Str(f.Liste.Count() - 1) + suffixe);
    f.LBGauche.repaint();
    const int position = sel->Index();
    f.Liste.Remove(sel);
    if (platform::ListItem* next = Suivante(f.Liste, position)) {
        f.Liste.Select(next);
        f.LTDroit.SetCaption(next->Text());
        f.LTDroit.Tag = QString::number(next->Index());
        f.ListeHaute();
    }
}

void Pop::ModifPhoto_Click() {
    // As a press on that frame: the user chooses a picture, which is stored
    // for the recipe or the glass the panel shows.
    Frmmain& f = Frmmain::Instance();
    if (f.CadreMenuPhoto == 1)
        f.Verre().CadrephotoVerre_MouseDown(1, 0, 0, 0);
    else
        f.Recette().CadrePhoto_MouseDown(1, 0, 0, 0);
}

void Pop::SuppPhoto_Click() {
    Frmmain& f = Frmmain::Instance();
    const bool verre = f.CadreMenuPhoto == 1;
    const std::optional<long long> numero =
        verre ? f.Verre().VerreAffiche() : f.Recette().RecetteAffichee();
    if (!numero) return;
    const bool fait = Ecriture::Ecrire([&] {
        AccesBase::EnregistrerPhoto(QStringLiteral(" "),
                                    verre ? QStringLiteral("Verre") : QStringLiteral("Cocktails"),
                                    *numero, 4);
    });
    if (!fait) return;
    platform::PictureBox& image = verre ? f.Verre().PhotoVerre : f.Recette().Photo;
    platform::Panel& cadre = verre ? f.Verre().CadrephotoVerre : f.Recette().CadrePhoto;
    image.SetPicture(QPixmap());
    cadre.SetCaption(QStringLiteral("Pas de photo"));
}
