#pragma once

#include <Qt>
#include <functional>

#include "platform/Controls.h"

// The writes of the in-place editors, which have no save step: a failure
// must not go unnoticed, but typing on must not raise one box per key.
namespace Ecriture {

// Runs one write. On a failure the user is told in a message, once until a
// later write succeeds, and false is returned: the caller keeps what the
// file does not hold so that the next change tries again.
bool Ecrire(const std::function<void()>& ecriture);

// A mouse button as the press handlers number it: 1 left, 2 right, 4 middle.
int BoutonSouris(Qt::MouseButton b);

// A press on a photo frame or its picture. The right button pops the photo
// menu Pop.Menu2 and notes which frame popped it (0 the recipe's, 1 the
// glass's); any other lets the user choose a picture for Image in Cadre and
// stores it with `enregistrer`. With nothing to store to (an empty
// `enregistrer`) or a failed write, the panel shows again what it showed.
void PressionPhoto(int Button, int cadre, platform::PictureBox& Image, platform::Panel& Cadre,
                   const std::function<void()>& enregistrer);

}  // namespace Ecriture
