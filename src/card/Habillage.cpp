#include "card/Habillage.h"

#include <QHeaderView>

#include "shell/Frmmain.h"

namespace Carte {

void HabillerListe(platform::ListView& liste) {
    const platform::ListView& modele = Frmmain::Instance().Liste;
    liste.SetPicture(modele.Picture());
    liste.setPalette(modele.palette());
    liste.header()->setPalette(modele.header()->palette());
    liste.setFrameShape(modele.frameShape());
}

}  // namespace Carte
