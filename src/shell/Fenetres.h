#pragma once

class DialogFrame;

namespace General {

// The window of a window code (loaded on first use), or none when the code
// names no window or its window is not part of the program.
DialogFrame* Fenetre(short code);

// Shows the window of the code modally; false when there is none.
bool OuvrirFenetre(short code);

}  // namespace General
