#include "recipe_view/Ecriture.h"

#include <QString>
#include <exception>

#include "platform/Menu.h"
#include "platform/MessageBox.h"
#include "shell/Frmmain.h"
#include "shell/Images.h"
#include "shell/Pop.h"

namespace Ecriture {

namespace {
// Set after a failure has been shown, cleared by the next success.
bool g_signale = false;
}  // namespace

bool Ecrire(const std::function<void()>& ecriture) {
    QString pourquoi;
    try {
        ecriture();
        g_signale = false;
        return true;
    } catch (const std::exception& e) {
        pourquoi = QString::fromUtf8(e.what());
    }
    if (!g_signale) {
        g_signale = true;
        platform::MsgBox(
            QStringLiteral("La modification n'a pas pu être enregistrée dans la base de "
                           "données.\r\r") +
                pourquoi,
            platform::vbExclamation);
    }
    return false;
}

int BoutonSouris(Qt::MouseButton b) {
    return b == Qt::LeftButton ? 1 : b == Qt::RightButton ? 2 : b == Qt::MiddleButton ? 4 : 0;
}

void PressionPhoto(int Button, int cadre, platform::PictureBox& Image, platform::Panel& Cadre,
                   const std::function<void()>& enregistrer) {
    Frmmain& f = Frmmain::Instance();
    if (Button == 2) {
        f.CadreMenuPhoto = cadre;
        platform::PopupMenu(Pop::Instance().Menu2, &f);
        return;
    }
    f.CacherListeModif();
    const QPixmap image = Image.Picture();
    const QString legende = Cadre.Caption();
    const double place[4] = {Image.Left(), Image.Top(), Image.Width(), Image.Height()};
    if (!General::ChercherImage(Image, Cadre)) return;
    if (enregistrer && Ecrire(enregistrer)) return;
    // Not stored: the panel goes on showing what the file holds.
    Image.SetPicture(image);
    Image.Move(place[0], place[1], place[2], place[3]);
    Cadre.SetCaption(legende);
}

}  // namespace Ecriture
