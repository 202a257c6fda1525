#include "shell/Splash.h"

#include <QEvent>
#include <QMouseEvent>
#include <QScrollBar>

#include "platform/AppFolder.h"
#include "platform/Settings.h"
#include "platform/ShellOpen.h"
#include "shell/Configuration.h"
#include "shell/Skin.h"

namespace {
const QColor& kTexte = Skin::kCreme;
const QColor kLien(120, 200, 255);

QString Remerciement() {
    return QStringLiteral(
               "Un grand merci à l'équipe du site %1 pour ses recettes de cocktails "
               "et pour son accord. Retrouvez toutes leurs recettes à l'adresse "
               "ci-dessous.")
        .arg(Configuration::DomainePartenaire());
}
}  // namespace

Splash::Splash() : DialogFrame(QStringLiteral("Splash"), 8) {
    Move(0, 0, 8820, 5850);
    SSSplash1.Move(0, 0, 8820, 5850);
    SSSplash1.SetBandeTitre(440);
    PlacerTitre(1, 0, 250, 60, 1635, 240, QStringLiteral(" Brivanta "), 9.75);
    // The large pair ends before the check box: Titre(2) lies 10 right of
    // and 50 below Titre(3).
    PlacerTitre(3, 2, 2050, -20, 2700, 570, QStringLiteral("Brivanta"), 24);
    Titre[2]->Move(2060, 30, 2700, 570);
    // Their text sits in the title strip, above the work area; the labels
    // make it small enough to read whole in its box whatever the font.
    for (int i : {2, 3}) Titre[static_cast<size_t>(i)]->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    SphashAuto.Move(4800, 60, 255, 255);
    LSphashAuto.Move(5040, 105, 2790, 195);
    LSphashAuto.setFont(platform::SkinFont(8.25));
    LSphashAuto.SetCaption(QStringLiteral("Afficher cet écran au démarrage"));
    SphashAuto.setAccessibleName(LSphashAuto.Caption());
    LSphashAuto.SetForeColor(kTexte);
    LSphashAuto.setCursor(Qt::PointingHandCursor);
    LSphashAuto.installEventFilter(this);
    Mini.Move(8050, 45, 375, 330);
    Quit.Move(8400, 45, 375, 330);

    Fond.Move(100, 440, 8640, 4970);
    Image1.SetStretch(true);
    Image1.Move(1920, 360, 6750, 3720);

    SSScroll1.Move(0, 0, 1935, 4965);
    SSScroll1.setFrameShape(QFrame::NoFrame);
    SSScroll1.setStyleSheet(QStringLiteral("background: transparent;"));
    auto* strip = new platform::Panel();
    strip->Move(0, 0, 1935, 7 * 700);
    for (int i = 0; i < 7; ++i) {
        MesSofts[i] = std::make_unique<platform::PictureButton>(strip);
        MesSofts[i]->Move(120, 60 + i * 700, 1650, 640);
        MesSofts[i]->setToolTip(QStringLiteral("Mes autres applications"));
        // No product of the maker is shown for now.
        MesSofts[i]->hide();
        connect(MesSofts[i].get(), &platform::PictureButton::Click, this,
                [this, i] { MesSofts_Click(i); });
        connect(MesSofts[i].get(), &platform::PictureButton::MouseEnter, this,
                [this, i] { MesSofts_MouseEnter(i); });
        connect(MesSofts[i].get(), &platform::PictureButton::MouseLeave, this,
                [this] { MesSofts_MouseLeave(); });
    }
    SSScroll1.setWidget(strip);

    SSScroll2.Move(2200, 3990, 6195, 930);
    SSScroll2.setFrameShape(QFrame::NoFrame);
    SSScroll2.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Remerciements.Move(0, 0, 6000, 2400);
    SSScroll2.setWidget(&Remerciements);
    // The thanks scroll over the backdrop.
    SSScroll2.viewport()->setAutoFillBackground(false);
    Remerciements.setAutoFillBackground(false);
    QPalette sombre = SSScroll2.palette();
    sombre.setColor(QPalette::Window, QColor(30, 24, 40));
    sombre.setColor(QPalette::Button, QColor(48, 36, 30));
    sombre.setColor(QPalette::Base, QColor(20, 16, 26));
    SSScroll2.setPalette(sombre);
    SSScroll2.verticalScrollBar()->setPalette(sombre);
    Label2[0] = nullptr;
    Label2[1] = std::make_unique<platform::Label>(&Remerciements);
    Label2[1]->Move(0, 0, 6000, 270);
    Label2[1]->setFont(platform::SkinFont(11.25, false, true));
    Label2[1]->SetCaption(QStringLiteral("Remerciements"));
    Label2[1]->SetForeColor(kTexte);
    Label4.Move(240, 255, 5655, 1815);
    Label4.setWordWrap(true);
    Label4.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label4.SetForeColor(kTexte);
    Label4.SetCaption(Remerciement());
    lien.Move(120, 2055, 3255, 255);
    lien.setFont(platform::SkinFont(9.75, false, true));
    lien.SetCaption(Configuration::SitePartenaire());
    lien.SetForeColor(kLien);
    lien.setCursor(Qt::PointingHandCursor);
    connect(&lien, &platform::PictureButton::Click, this, [this] { lien_Click(); });

    Commentaire.Move(120, 5500, 8535, 255);
    Commentaire.setFont(platform::SkinFont(9.75));
    Commentaire.SetForeColor(kTexte);
    Label1[0] = std::make_unique<platform::Label>(&SSSplash1);
    Label1[0]->Move(2280, 4050, 6135, 900);
    Label1[0]->stackUnder(&Fond);

    connect(&SphashAuto, &QCheckBox::clicked, this, [this] { SphashAuto_Click(); });
}

void Splash::Form_Load() {
    Habillage h;
    h.petitEcran = true;
    h.icone = true;
    ChargerHabillage(h);
    Image1.SetPicture(Skin::Picture(QStringLiteral("splash"), Image1.size()));
    SphashAuto.setChecked(platform::TextBool(
        platform::GetSetting(platform::AppTitle(), QStringLiteral("Settings"),
                             QStringLiteral("SplashAuto"), QStringLiteral("True")),
        true));
}

void Splash::SphashAuto_Click() {
    platform::SaveSetting(platform::AppTitle(), QStringLiteral("Settings"),
                          QStringLiteral("SplashAuto"), platform::BoolText(SphashAuto.isChecked()));
}

void Splash::LSphashAuto_Click() {
    SphashAuto.setChecked(!SphashAuto.isChecked());
    SphashAuto_Click();
}

void Splash::lien_Click() {
    if (!lien.Value()) return;
    platform::ShellOpen(Configuration::SitePartenaire());
    lien.SetValue(false);
}

void Splash::MesSofts_Click(int index) {
    platform::PictureButton& b = *MesSofts[static_cast<size_t>(index)];
    if (!b.Value()) return;
    platform::ShellOpen(Configuration::SiteAuteur());
    b.SetValue(false);
}

void Splash::MesSofts_MouseEnter(int index) {
    Commentaire.SetCaption(Descriptions[static_cast<size_t>(index)]);
}

void Splash::MesSofts_MouseLeave() {
    Commentaire.SetCaption(QString());
}

void Splash::Quit_Click() {
    if (!Quit.Value()) return;
    Quit.SetValue(false);
    Unload();
}

void Splash::AvantCodeReduit() {
    Mini.ShowPicture(Mini.PictureUp);
}

bool Splash::eventFilter(QObject* o, QEvent* e) {
    if (o == &LSphashAuto && e->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        LSphashAuto_Click();
        return true;
    }
    return DialogFrame::eventFilter(o, e);
}
