#include "shell/Sauvegarde.h"

namespace General {

void SauvegarderBase() {}
void RestaurerBase() {}

}  // namespace General
