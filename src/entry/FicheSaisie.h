#pragma once

#include <QPixmap>
#include <QWidget>
#include <array>
#include <memory>

#include "entry/Creation.h"
#include "platform/Controls.h"

// What the two entry windows' recipe forms share: the photo frame, the
// headings, the four texts, the seven ingredient lines, and the reading of
// the fields for the creation.
namespace FicheSaisie {

using Lignes = std::array<std::unique_ptr<platform::TextBox>, Creation::kLignes>;

// The photo frame with its caption "Pas de photo" and the image in it.
void PlacerPhoto(platform::Panel& cadre, platform::PictureBox& photo);
// The twelve headings, bold and underlined, numbered as the windows name
// them.
void PlacerLibelles(std::array<std::unique_ptr<platform::Label>, 12>& libelle, QWidget* parent);
// The four texts: preparation, decoration, description, history.
void PlacerSaisies(std::array<std::unique_ptr<platform::TextBox>, 4>& saisie,
                   const std::array<std::unique_ptr<platform::Label>, 12>& libelle,
                   QWidget* parent);
// The seven ingredient lines of quantity, measure and ingredient.
void PlacerLignes(Lignes& qte, Lignes& qte2, Lignes& ingre, platform::ScrollPanel& grille);

// The fields of a window whose controls bear the form's names.
template <class W>
Creation::Fiche LireChamps(const W& w) {
    Creation::Fiche f;
    f.Recette = w.Recette.Text();
    for (size_t i = 0; i < 6; ++i) f.Liste[i] = w.Liste[i]->Text();
    for (size_t i = 0; i < 4; ++i) f.Saisie[i] = w.Saisie[i]->Text();
    f.PhotoTag = w.Photo.Tag;
    for (size_t i = 0; i < Creation::kLignes; ++i) {
        f.Qte[i] = w.Qte[i]->Text();
        f.Qte2[i] = w.Qte2[i]->Text();
        f.Ingre[i] = w.Ingre[i]->Text();
    }
    return f;
}

// The focus to the field that a refused recipe lacks.
template <class W>
void DonnerFocus(W& w, Creation::Champ champ) {
    switch (champ) {
        case Creation::Champ::Recette:
            w.Recette.setFocus();
            break;
        case Creation::Champ::Categorie:
            w.Liste[3]->setFocus();
            break;
        case Creation::Champ::Verre:
            w.Liste[4]->setFocus();
            break;
        case Creation::Champ::Methode:
            w.Liste[5]->setFocus();
            break;
        case Creation::Champ::Aucun:
            break;
    }
}

}  // namespace FicheSaisie
