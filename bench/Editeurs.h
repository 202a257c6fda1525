#pragma once

#include <QtGlobal>

// Timings of the in-place editors' writes, each beside the bare statement.
namespace bench {

struct MesuresEditeurs {
    // One keystroke in a recipe text: median and 95th percentile, with the
    // same UPDATE on a fresh connection of ours as floor.
    double saisie = 0, saisieFloor = 0;
    double saisie95 = 0, saisieFloor95 = 0;
    // The same keystroke in a recipe whose inline photo is a 2 MB picture.
    double saisieGrande = 0, saisieGrandeFloor = 0;
    qint64 grandePhoto = 0;  // characters of that photo's value
    // One category pick: find-or-create then the recipe's column written.
    double categorie = 0, categorieFloor = 0;
    int frappes = 0;
};

// Gives every tenth recipe of the open collection an inline photo, shows a
// recipe with one in the main window (already loaded, list kind 0) and
// times `frappes` keystrokes and category picks through the editors.
MesuresEditeurs MesurerEditeurs(int frappes);

}  // namespace bench
