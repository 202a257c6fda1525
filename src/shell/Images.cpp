#include "shell/Images.h"

#include <QPixmap>

#include "platform/AppFolder.h"
#include "platform/MessageBox.h"
#include "platform/VbText.h"
#include "shell/Frmmain.h"

namespace General {

bool ChercherImage(platform::PictureBox& Image, FrameRef Cadre) {
    Frmmain& f = Frmmain::Instance();
    platform::CommonDialog& dlg = f.CommonDialog1;
    dlg.DialogTitle = QStringLiteral("Chercher une image");
    dlg.FileName = QString();
    dlg.Filter = QStringLiteral(
        "Tous les fichiers images (*.bmp,*.jpg,*.jpeg,*.gif)|*.bmp;*.jpg;*.jpeg;*.gif");
    dlg.ShowOpen();
    const QString name = dlg.FileName;
    if (name.isEmpty()) return false;

    // A name typed by hand may be anything: the picture and its path stay
    // as they were unless the file really is a picture.
    QPixmap picture;
    if (!picture.load(name)) {
        platform::MsgBox(QStringLiteral("Le fichier « %1 » ne peut pas être affiché : ce n'est "
                                        "pas une image que le programme sait lire.")
                             .arg(name),
                         platform::vbExclamation + platform::vbOKOnly, platform::AppTitle());
        return false;
    }
    Image.Tag = name;
    Image.SetVisible(false);
    Image.SetPicture(picture);
    f.ImageTemp.SetPicture(picture);
    ChargerAlbums::AjusterPhoto(Cadre, Image);
    Image.SetVisible(true);
    return true;
}

}  // namespace General

namespace ChargerAlbums {

void AjusterPhoto(FrameRef Conteneur, platform::PictureBox& Contenu) {
    const Frmmain& f = Frmmain::Instance();
    const double w = f.ImageTemp.Width();
    const double h = f.ImageTemp.Height();
    // Without a picture there are no proportions to keep.
    if (!(w > 0 && h > 0)) return;
    Contenu.SetStretch(true);
    const double W = Conteneur.Width();
    const double H = Conteneur.Height();
    if (H / W < h / w) {
        Contenu.SetHeight(H - 100);
        Contenu.SetWidth(Contenu.Height() * w / h);
    } else {
        Contenu.SetWidth(W - 100);
        Contenu.SetHeight(Contenu.Width() * h / w);
    }
    Contenu.SetLeft(static_cast<double>(platform::IntDiv(W - Contenu.Width(), 2)));
    Contenu.SetTop(static_cast<double>(platform::IntDiv(H - Contenu.Height(), 2)));
}

}  // namespace ChargerAlbums
