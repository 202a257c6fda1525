#include "pictures/Acquisition.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>

#include "pictures/Scan.h"
#include "platform/MessageBox.h"
#include "platform/Resume.h"
#include "platform/Scanner.h"
#include "shell/Skin.h"

namespace {
// Caption colours of the buttons: pure blue under the pointer, else black.
const QColor kSurvol(0, 0, 255);
const QColor kRepos(0, 0, 0);
const QColor kNoir(0, 0, 0);
const QColor kGrisFonce(0x40, 0x40, 0x40);
const QColor kPiste(0x30, 0x30, 0x30);
const QColor kProgression(0x80, 0x80, 0xFF);

struct Dessin {
    double l, t, w, h;
    const char* caption;
    const char* icone;
};
// Btn_ScanS(0..6).
const Dessin kBoutons[7] = {
    {480, 3300, 2000, 1000, "90°  à Gauche", "scan_gauche"},
    {9240, 3300, 2000, 1000, "90°  à Droite", "scan_droite"},
    {480, 1100, 2000, 900, "Ouvrir", "scan_ouvrir"},
    {9240, 1100, 2000, 900, "Sauvegarder", "scan_sauver"},
    {9240, 5500, 2000, 1000, "Pivoter Horiz.", "scan_horizontal"},
    {480, 5500, 2000, 1000, "Pivoter Vertical.", "scan_vertical"},
    {5100, 130, 2000, 800, "Scanner", "scan_scanner"},
};

void Fonds(QWidget& w, const QColor& c) {
    w.setAttribute(Qt::WA_TranslucentBackground, false);
    w.setAttribute(Qt::WA_NoSystemBackground, false);
    QPalette p = w.palette();
    p.setColor(QPalette::Window, c);
    w.setPalette(p);
    w.setAutoFillBackground(true);
}
}  // namespace

void BoutonScan::paintEvent(QPaintEvent* e) {
    BoutonIcone::paintEvent(e);
    if (isEnabled()) return;
    QPainter p(this);
    p.fillRect(rect(), QColor(60, 60, 60, 150));
}

Acquisition::Acquisition() : DialogFrame(QStringLiteral("Acquisition"), 3) {
    DisposerFenetreTravail(QStringLiteral("Acquisition d'image"));
    Fond.Move(100, 480, 11800, 8070);

    CadreListe[2] = std::make_unique<platform::PictureBox>(&Fond);
    CadreListe[2]->SetStretch(true);
    CadreListe[2]->Move(2630, 920, 6600, 6705);
    CadreListe[2]->SetPicture(Skin::Picture(QStringLiteral("scan_cadre"), CadreListe[2]->size()));
    CadreListe[2]->lower();
    Label1.Move(2700, 1040, 6435, 6435);
    Fonds(Label1, kNoir);
    Cadre.Move(2805, 1150, 6195, 6195);
    Fonds(Cadre, kGrisFonce);
    Label1.raise();
    Cadre.raise();

    PhotoScan.SetStretch(true);
    PhotoScan.Move(0, 6840, 975, 975);
    PhotoScan.setAccessibleName(QStringLiteral("Image"));
    PhotoScan.raise();
    PhotoScan1.Move(1320, 7320, 615, 495);
    PhotoScan1.hide();
    PhotoScan2.Move(2040, 7320, 615, 495);
    PhotoScan2.hide();

    PbCadre.Move(120, 7920, 11600, 75);
    Fonds(PbCadre, kPiste);
    PbCadre.hide();
    Pb.Move(120, 7920, 0, 75);
    Fonds(Pb, kProgression);
    Pb.hide();
    Pb.raise();

    for (int i = 0; i < 7; ++i) {
        const Dessin& d = kBoutons[i];
        auto b = std::make_unique<BoutonScan>(&Fond);
        b->Move(d.l, d.t, d.w, d.h);
        b->SetCaption(QString::fromUtf8(d.caption));
        b->setFont(platform::SkinFont(9.75));
        b->Icon = Skin::Picture(QString::fromUtf8(d.icone), {64, 64});
        Skin::Habiller(*b, QStringLiteral("ok_face"));
        b->SetForeColor(kRepos);
        connect(b.get(), &platform::PictureButton::Click, this,
                [this, i] { platform::Reported([&] { Btn_ScanS_Click(i); }, this); });
        connect(b.get(), &platform::PictureButton::MouseEnter, this,
                [this, i] { Btn_ScanS_MouseEnter(i); });
        connect(b.get(), &platform::PictureButton::MouseLeave, this,
                [this, i] { Btn_ScanS_MouseLeave(i); });
        Btn_ScanS[static_cast<size_t>(i)] = std::move(b);
    }
}

void Acquisition::Form_Load() {
    Habillage h;
    h.fondPrincipal = true;
    h.icone = true;
    ChargerHabillage(h);
    PhotoScan.Tag.clear();
    ActiverBoutons(false);
    Btn_ScanS[kOuvrir]->setEnabled(true);
    Btn_ScanS[kScanner]->setEnabled(true);
}

void Acquisition::ActiverBoutons(bool actif) {
    // Every button but the last of the array: the scanner's stays usable.
    for (size_t i = 0; i + 1 < Btn_ScanS.size(); ++i) Btn_ScanS[i]->setEnabled(actif);
}

void Acquisition::Btn_ScanS_Click(int Index) {
    BoutonScan& b = *Btn_ScanS[static_cast<size_t>(Index)];
    if (!b.Value()) return;
    QPointer<Acquisition> self = this;
    // Released on every way out.
    platform::Finally release([&] {
        if (!self) return;
        b.SetValue(false);
        b.SetForeColor(kRepos);
    });
    switch (Index) {
        case kGauche:
            Scan::PivoterGauche();
            break;
        case kDroite:
            Scan::PivoterDroite();
            break;
        case kOuvrir:
            if (Scan::OuvrirImage()) ActiverBoutons(true);
            break;
        case kSauvegarder: {
            bool Enregistre = false;
            Scan::SauvegarderImage(Enregistre);
            if (Enregistre) {
                ActiverBoutons(false);
                Btn_ScanS[kOuvrir]->setEnabled(true);
            }
            break;
        }
        case kHorizontal:
            Scan::PivoterHorizontal();
            break;
        case kVertical:
            Scan::PivoterVertical();
            break;
        case kScanner:
            AcquerirImage();
            break;
        default:
            break;
    }
}

void Acquisition::Btn_ScanS_MouseEnter(int Index) {
    Btn_ScanS[static_cast<size_t>(Index)]->SetForeColor(kSurvol);
}

void Acquisition::Btn_ScanS_MouseLeave(int Index) {
    Btn_ScanS[static_cast<size_t>(Index)]->SetForeColor(kRepos);
}

void Acquisition::AcquerirImage() {
    QPointer<Acquisition> self = this;
    int choisie = 0, acquise = 0;
    {
        // Listing the scanners and scanning both take a while.
        Occupation occupee(*this);
        choisie = platform::TWAIN_SelectImageSource(this);
        if (choisie == 1) {
            QGuiApplication::clipboard()->clear();
            acquise = platform::TWAIN_AcquireToClipboard(this, 0);
        }
    }
    if (!self) return;
    if (choisie != 1) {
        platform::MsgBox(QStringLiteral("                       Une erreur est survenue ...\r\r"
                                        "Veuillez vérifier votre Scanner et recommencer "
                                        "l'opération plus tard !"),
                         platform::vbCritical, QString(), this);
        return;
    }
    if (acquise == 0) return;
    const QImage image = Scan::Opaque(QGuiApplication::clipboard()->image());
    // A scanner that says it scanned but left nothing changes nothing here.
    if (image.isNull()) {
        platform::MsgBox(QStringLiteral("Le scanner n'a transmis aucune image."),
                         platform::vbExclamation, QString(), this);
        return;
    }
    ActiverBoutons(true);
    PhotoScan1.SetPicture(image);
    PhotoScan.SetVisible(false);
    // The scanned picture has margins of its own: the full height of the
    // frame, or its width less 10.
    Scan::AjusterCadre(0, 10);
    PhotoScan.SetVisible(true);
}

void Acquisition::Quit_Click() {
    if (!Quit.Value()) return;
    Quit.SetValue(false);
    Unload();
}

void Acquisition::reject() {
    if (Occupee()) return;
    Unload();
}

void Acquisition::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        e->accept();
        return;
    }
    DialogFrame::keyPressEvent(e);
}

Acquisition::Occupation::Occupation(Acquisition& w) : w_(w) {
    ++w.occupee_;
    std::vector<QWidget*> tous{&w.Mini, &w.Quit};
    for (auto& b : w.Btn_ScanS) tous.push_back(b.get());
    for (QWidget* b : tous) {
        etats_.emplace_back(b, b->isEnabled());
        b->setEnabled(false);
    }
}

Acquisition::Occupation::~Occupation() {
    --w_.occupee_;
    for (auto& [b, actif] : etats_) b->setEnabled(actif);
}
