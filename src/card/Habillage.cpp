#include "card/Habillage.h"

#include <QHeaderView>

#include "shell/Frmmain.h"

namespace Carte {

void HabillerListe(platform::ListView& liste) {
    const platform::ListView& modele = Frmmain::Instance().Liste;
    liste.SetPicture(modele.Picture());
    // The main list draws its chosen entry in blue on a pale band; these
    // lists keep their light text, so their band is a deep one.
    QPalette p = modele.palette();
    p.setColor(QPalette::Highlight, QColor(92, 64, 150));
    liste.setPalette(p);
    liste.header()->setPalette(modele.header()->palette());
    liste.setFrameShape(modele.frameShape());
}

}  // namespace Carte
