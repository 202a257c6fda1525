#include "shell/Fenetres.h"

#include "card/Astuces.h"
#include "card/FicheAlbum.h"
#include "card/FrmFind.h"
#include "entry/Facile.h"
#include "entry/Manuelle.h"
#include "pictures/Acquisition.h"
#include "shell/DialogFrame.h"
#include "shell/Splash.h"

namespace General {

// One line per window that the tool bar opens and the restore re-opens:
// 0 Manuelle, 1 Facile, 2 FicheAlbum, 3 Acquisition, 4 Astuces, 5 FrmFind,
// 8 Splash.
DialogFrame* Fenetre(short code) {
    switch (code) {
        case 0:
            return &Manuelle::Instance();
        case 1:
            return &Facile::Instance();
        case 2:
            return &FicheAlbum::Instance();
        case 3:
            return &Acquisition::Instance();
        case 4:
            return &Astuces::Instance();
        case 5:
            return &FrmFind::Instance();
        case 8:
            return &Splash::Instance();
        default:
            return nullptr;
    }
}

bool OuvrirFenetre(short code) {
    DialogFrame* w = Fenetre(code);
    if (!w) return false;
    w->ShowModal();
    return true;
}

}  // namespace General
