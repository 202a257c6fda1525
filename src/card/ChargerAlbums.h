#pragma once

#include "shell/Images.h"

// The recipe card's filling from the main window (AjusterPhoto is in
// shell/Images.h).
namespace ChargerAlbums {

// Fills the whole card from the recipe the main window shows and enables
// previous and next by the place of its row in the list it came from.
void ChargerFiche();

// Copies the values, texts and ingredient rows and lays the card out.
void RemplirFiche();

}  // namespace ChargerAlbums
