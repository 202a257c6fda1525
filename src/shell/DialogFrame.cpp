#include "shell/DialogFrame.h"

#include <QPainter>

#include "platform/AppFolder.h"
#include "platform/Modal.h"
#include "platform/Settings.h"
#include "platform/VbText.h"
#include "shell/Frmmain.h"
#include "shell/General.h"
#include "shell/Pop.h"
#include "shell/Skin.h"

namespace {
const QColor& kTitreDevant = Skin::kCreme;
const QColor kTitreOmbre(0, 0, 0);

void CopierImages(platform::PictureButton& to, const platform::PictureButton& from) {
    to.Picture = from.Picture;
    to.PictureUp = from.PictureUp;
    to.PictureDn = from.PictureDn;
    to.PictureHover = from.PictureHover;
    to.update();
}

int LireEntier(const QString& section, const QString& key) {
    return static_cast<int>(platform::Val(
        platform::GetSetting(platform::AppTitle(), section, key, QStringLiteral("0"))));
}
}  // namespace

// ---------------------------------------------------------------- Backdrop

Backdrop::Backdrop(QWidget* parent) : Twips<QWidget>(parent) {}

void Backdrop::SetPicture(const QPixmap& p) {
    picture_ = p;
    update();
}

void Backdrop::SetMode(int m) {
    mode_ = m;
    update();
}

void Backdrop::SetBandeTitre(double twips) {
    bande_ = twips;
    update();
}

QRect Backdrop::Separateur() const {
    const int foot = platform::ToPixels(bande_);
    return bande_ > 0 ? QRect(0, foot - 4, width(), 6) : QRect();
}

void Backdrop::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(12, 10, 16));
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!picture_.isNull()) switch (mode_) {
            case 1:
                p.drawTiledPixmap(rect(), picture_);
                break;
            case 2:
                p.drawPixmap((width() - picture_.width()) / 2, (height() - picture_.height()) / 2,
                             picture_);
                break;
            default:
                p.drawPixmap(rect(), picture_);
                break;
        }
    if (bande_ <= 0) return;
    // The frame: title strip, its divider (cyan, dark, gold, bronze, then a
    // shadow), and the gold border.
    const int foot = platform::ToPixels(bande_);
    const int w = width(), h = height();
    QLinearGradient strip(0, 0, 0, foot);
    strip.setColorAt(0, QColor(78, 44, 112, 235));
    strip.setColorAt(0.5, QColor(42, 22, 64, 235));
    strip.setColorAt(1, QColor(26, 18, 56, 235));
    p.fillRect(0, 0, w, foot, strip);
    QLinearGradient sheen(0, 2, 0, 2 + foot / 2);
    sheen.setColorAt(0, QColor(255, 255, 255, 26));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(0, 2, w, foot / 2, sheen);
    p.fillRect(0, foot - 4, w, 1, QColor(63, 224, 208, 90));
    p.fillRect(0, foot - 3, w, 1, QColor(61, 42, 16));
    p.fillRect(0, foot - 2, w, 1, QColor(243, 213, 138));
    p.fillRect(0, foot - 1, w, 1, QColor(160, 116, 42));
    p.fillRect(0, foot, w, 2, QColor(0, 0, 0, 90));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(61, 42, 16), 1));
    p.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
    p.setPen(QPen(QColor(212, 168, 75), 2));
    p.drawRect(QRectF(2, 2, w - 4, h - 4));
    p.setPen(QPen(QColor(61, 42, 16), 1));
    p.drawRect(QRectF(3.5, 3.5, w - 7, h - 7));
}

// ------------------------------------------------------------- DialogFrame

DialogFrame::DialogFrame(const QString& name, short code)
    : Twips<QDialog>(nullptr, Qt::Tool | Qt::FramelessWindowHint), CodeFenetre(code) {
    setObjectName(name);
    setWindowTitle(platform::AppTitle());
    setModal(true);
    for (auto& t : Titre) t = std::make_unique<platform::Label>(&SSSplash1);
    Mini.setToolTip(QStringLiteral("Minimiser"));
    Quit.setToolTip(QStringLiteral("Fermer"));
    connect(&Mini, &platform::PictureButton::Click, this, [this] { Mini_Click(); });
    connect(&Mini, &platform::PictureButton::MouseEnter, this, [this] { Mini_MouseEnter(); });
    connect(&Mini, &platform::PictureButton::MouseLeave, this, [this] { Mini_MouseLeave(); });
    connect(&Quit, &platform::PictureButton::Click, this, [this] { Quit_Click(); });
    connect(&Quit, &platform::PictureButton::MouseEnter, this, [this] { Quit_MouseEnter(); });
    connect(&Quit, &platform::PictureButton::MouseLeave, this, [this] { Quit_MouseLeave(); });
}

void DialogFrame::DisposerFenetreTravail(const QString& titre) {
    Move(0, 0, 12000, 9000);
    SSSplash1.Move(0, 0, 12000, 9000);
    SSSplash1.SetBandeTitre(480);
    Fond.Move(120, 480, 11775, 8100);
    Mini.Move(11250, 50, 375, 330);
    Quit.Move(11580, 50, 375, 330);
    PlacerTitre(1, 0, 150, 90, 1635, 240, QStringLiteral("Brivanta"), 9.75);
    PlacerTitre(2, 3, 1950, 90, 6000, 240, titre, 9.75);
}

void DialogFrame::PlacerTitre(int devant, int ombre, double left, double top, double width,
                              double height, const QString& texte, double points) {
    platform::Label& d = *Titre[static_cast<size_t>(devant)];
    platform::Label& o = *Titre[static_cast<size_t>(ombre)];
    d.Move(left, top, width, height);
    o.Move(left + 25, top + 35, width, height);
    for (platform::Label* l : {&d, &o}) {
        l->setFont(platform::SkinFont(points, true));
        l->SetCaption(texte);
    }
    d.SetForeColor(kTitreDevant);
    o.SetForeColor(kTitreOmbre);
    o.stackUnder(&d);
}

void DialogFrame::ChargerHabillage(const Habillage& h) {
    Frmmain& f = Frmmain::Instance();
    if (h.modeAffichage)
        SSSplash1.SetMode(LireEntier(QStringLiteral("Patch"), QStringLiteral("Mode")));
    if (h.fondPrincipal) Fond.SetPicture(f.Fond.Picture());
    if (h.fondEcran) {
        Pop& pop = Pop::Instance();
        SSSplash1.SetPicture(h.petitEcran ? pop.PetitEcran.Picture() : pop.GrandEcran.Picture());
    }
    if (h.icone) setWindowIcon(f.windowIcon());
    if (h.mini) CopierImages(Mini, f.Btn_Min);
    Mini.setVisible(h.mini);
    CopierImages(Quit, f.Btn_Quit);
    if (h.modeSplash)
        SSSplash1.SetMode(LireEntier(QStringLiteral("Splash"), QStringLiteral("Splash")));
}

void DialogFrame::OrdreClavier(const QList<QWidget*>& ordre) {
    for (qsizetype i = 1; i < ordre.size(); ++i) setTabOrder(ordre[i - 1], ordre[i]);
}

void DialogFrame::ShowModal() {
    // Dialogs open in the middle of the screen.
    Move(std::max(0.0, (platform::ScreenWidthTwips() - Width()) / 2),
         std::max(0.0, (platform::ScreenHeightTwips() - Height()) / 2));
    platform::ShowModal(*this);
}

void DialogFrame::Mini_Click() {
    if (!Mini.Value()) return;
    Pop& pop = Pop::Instance();
    pop.Minimiser();
    Mini.SetValue(false);
    Mini.ShowPicture(Mini.PictureUp);
    hide();
    Frmmain::Instance().hide();
    pop.Afficher();
    AvantCodeReduit();
    General::FenetreReduite = CodeFenetre;
}

void DialogFrame::Mini_MouseEnter() {
    Mini.ShowPicture(Mini.PictureHover);
}
void DialogFrame::Mini_MouseLeave() {
    Mini.ShowPicture(Mini.PictureUp);
}
void DialogFrame::Quit_MouseEnter() {
    Quit.ShowPicture(Quit.PictureHover);
}
void DialogFrame::Quit_MouseLeave() {
    Quit.ShowPicture(Quit.PictureUp);
}
