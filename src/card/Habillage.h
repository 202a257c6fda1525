#pragma once

#include "platform/Controls.h"

namespace Carte {

// A list of these windows dressed like the main window's upper list:
// background picture, colours and frame.
void HabillerListe(platform::ListView& liste);

}  // namespace Carte
