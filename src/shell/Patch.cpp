#include "shell/Patch.h"

#include <QPainter>

#include "platform/AppFolder.h"
#include "platform/Settings.h"
#include "platform/VbText.h"
#include "shell/Skin.h"

namespace {
const QColor& kTexte = Skin::kCreme;
// The caption of OK while the pointer is over it, and otherwise; the
// button has a light face of its own so that both read well.
const QColor kSurvol(0, 0, 255);
const QColor kRepos(0, 0, 0);
}  // namespace

void BoutonIcone::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QPixmap& face = (Value() && !PictureDn.isNull()) ? PictureDn : Picture;
    if (!face.isNull()) p.drawPixmap(rect(), face);
    // Without a caption the icon takes the whole face; without an icon the
    // caption stands in the middle.
    const int captionH = text().isEmpty() ? 0 : fontMetrics().height();
    if (!Icon.isNull()) {
        const int side = std::max(0, std::min(width() - 16, height() - captionH - 14));
        p.drawPixmap((width() - side) / 2, captionH ? 5 : (height() - side) / 2, side, side, Icon);
    }
    p.setPen(isEnabled() ? ForeColor : QColor(150, 140, 130));
    p.setFont(font());
    p.drawText(Icon.isNull() ? rect() : QRect(0, height() - captionH - 6, width(), captionH),
               Qt::AlignCenter, text());
}

Patch::Patch() : DialogFrame(QStringLiteral("Patch"), -1) {
    Move(0, 0, 2520, 2220);
    SSSplash1.Move(0, 0, 2520, 2220);
    // The window's own background picture, always drawn whole; its title
    // strip ends below the caption "Patch".
    SSSplash1.SetPicture(Skin::Picture(QStringLiteral("backdrop_small"), SSSplash1.size()));
    SSSplash1.SetBandeTitre(390);
    Fond.hide();
    for (auto& t : Titre) t->hide();

    Label1.Move(65, 400, 2380, 1390);
    Label2.Move(315, 70, 585, 240);
    Label2.SetCaption(QStringLiteral("Patch"));
    Label2.SetForeColor(kTexte);
    Quit.Move(2040, 40, 375, 330);

    // One group: the three are the only options of the backdrop.
    const QString names[3] = {QStringLiteral("Mode 1"), QStringLiteral("Mode 2"),
                              QStringLiteral("Mode 3")};
    for (int i = 0; i < 3; ++i) {
        c[i] = std::make_unique<platform::OptionButton>(&SSSplash1);
        c[i]->Move(120, 600 + i * 360, 1000, 255);
        c[i]->SetCaption(names[i]);
        c[i]->setFont(platform::SkinFont(9));
        QPalette pal = c[i]->palette();
        pal.setColor(QPalette::WindowText, kTexte);
        c[i]->setPalette(pal);
    }

    OK.Move(1200, 720, 1095, 855);
    OK.SetCaption(QStringLiteral("OK"));
    OK.Icon = Skin::Picture(QStringLiteral("ok_icon"), {64, 64});
    Skin::Habiller(OK, QStringLiteral("ok_face"));
    OK.SetForeColor(kRepos);
    connect(&OK, &platform::PictureButton::Click, this, [this] { OK_Click(); });
    connect(&OK, &platform::PictureButton::MouseEnter, this, [this] { OK_MouseEnter(); });
    connect(&OK, &platform::PictureButton::MouseLeave, this, [this] { OK_MouseLeave(); });
    // The keyboard goes as the eye does: the modes, OK, then the close.
    OrdreClavier({c[0].get(), c[1].get(), c[2].get(), &OK, &Quit});
}

void Patch::Form_Load() {
    const int mode = static_cast<int>(
        platform::Val(platform::GetSetting(platform::AppTitle(), QStringLiteral("Patch"),
                                           QStringLiteral("Mode"), QStringLiteral("0"))));
    // A mode outside 0 to 2 (changed by hand) is shown as mode 0.
    platform::OptionButton& choisi = *c[mode >= 0 && mode <= 2 ? static_cast<size_t>(mode) : 0];
    choisi.SetValue(true);
    // The keyboard starts on the mode shown, ready for the arrows.
    choisi.setFocus();
    Habillage h;
    h.modeAffichage = false;
    h.fondEcran = false;
    h.mini = false;
    ChargerHabillage(h);
}

void Patch::OK_Click() {
    if (!OK.Value()) return;
    const int mode = c[0]->isChecked() ? 0 : c[1]->isChecked() ? 1 : 2;
    platform::SaveSetting(platform::AppTitle(), QStringLiteral("Patch"), QStringLiteral("Mode"),
                          QString::number(mode));
    OK.SetValue(false);
}

void Patch::OK_MouseEnter() {
    OK.SetForeColor(kSurvol);
}
void Patch::OK_MouseLeave() {
    OK.SetForeColor(kRepos);
}

void Patch::Quit_Click() {
    if (!Quit.Value()) return;
    Quit.SetValue(false);
    Unload();
}
