#include "shell/Frmmain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <chrono>
#include <random>

#include "card/ChargerAlbums.h"
#include "platform/AppFolder.h"
#include "platform/Menu.h"
#include "platform/MessageBox.h"
#include "platform/Modal.h"
#include "platform/Remplacement.h"
#include "platform/Resume.h"
#include "platform/Screen.h"
#include "platform/Settings.h"
#include "platform/ShellOpen.h"
#include "platform/VbText.h"
#include "recipe_view/CadreRecette.h"
#include "recipe_view/CadreVerre.h"
#include "shell/AccesBase.h"
#include "shell/Configuration.h"
#include "shell/Fenetres.h"
#include "shell/General.h"
#include "shell/Patch.h"
#include "shell/Pop.h"
#include "shell/Sauvegarde.h"
#include "shell/Skin.h"
#include "shell/Splash.h"

using platform::AppTitle;
using platform::IntDiv;
using platform::Resume;

namespace {
Frmmain* g_frmmain = nullptr;

// Colours of the title text, in the order of the colour table.
const QColor kTitleColours[13] = {
    {255, 255, 255}, {0, 0, 0},       {255, 255, 0},   {128, 255, 128}, {0, 255, 0},
    {128, 255, 255}, {0, 255, 255},   {192, 192, 255}, {128, 128, 255}, {255, 192, 255},
    {255, 0, 255},   {255, 255, 192}, {255, 0, 0},
};

// Text on the dark skin: cream for captions, gold for headings.
const QColor& kTexte = Skin::kCreme;
const QColor& kTitre = Skin::kOr;
// The wallpaper named by FondScreen replaces the design one.
bool g_fondPerso = false;

// Window code stored by each tool button before its action.
const short kCodeOutil[12] = {0, 1, 2, 3, 5, 99, 99, 99, 99, 8, 99, 4};

const char* const kAideTri[7] = {
    "Liste de Cocktails triée par ordre alphabétique ",
    "Liste de Cocktails triée par Catégorie",
    "Liste de Cocktails triée par Type de Verre",
    "Liste de Cocktails triée par Cout ",
    "Liste de Cocktails triée par Difficulté",
    "Liste de Cocktails triée par Teneur en Alcool",
    "Liste de Cocktails triée par Ingrédients",
};

QString AideOutil(int i) {
    switch (i) {
        case 0:
            return QStringLiteral("Créer une nouvelle recette ");
        case 1:
            return QStringLiteral("Ajouter des nouvelles recettes à partir du site ") +
                   Configuration::SitePartenaire() + QStringLiteral(" ");
        case 2:
            return QStringLiteral("Imprimer les recettes ");
        case 3:
            return QStringLiteral("Acquérir de nouvelles images ");
        case 4:
            return QStringLiteral("Rechercher une recette avec plusieurs critères ");
        case 5:
            return QStringLiteral("Sauvegarder la base ");
        case 6:
            return QStringLiteral("Restaurer une ancienne base ");
        case 7:
            return QStringLiteral("Visiter le site de notre partenaire ") +
                   Configuration::DomainePartenaire() + QStringLiteral(" ");
        case 8:
            return QStringLiteral("Visiter le site de l'auteur ");
        case 9:
            return QStringLiteral("A Propos ...");
        case 10:
            return QStringLiteral("Aide de ") + AppTitle() + QStringLiteral(" ... ");
        case 11:
            return QStringLiteral("Conseils pratiques de ") + Configuration::DomainePartenaire() +
                   QStringLiteral(" ...");
        default:
            return QString();
    }
}

QPixmap Pix(const char* name, const QWidget& w) {
    return Skin::Picture(QString::fromLatin1(name), w.size());
}

void TexteSombre(platform::ListView& l) {
    QPalette p = l.palette();
    p.setColor(QPalette::Text, kTexte);
    p.setColor(QPalette::WindowText, kTexte);
    p.setColor(QPalette::Window, QColor(24, 18, 22));
    p.setColor(QPalette::Button, QColor(48, 36, 30));
    p.setColor(QPalette::ButtonText, kTitre);
    // A pale highlight, so that the blue of the selected entry reads well.
    p.setColor(QPalette::Highlight, QColor(246, 226, 170));
    p.setColor(QPalette::HighlightedText, QColor(0, 0, 255));
    l.setPalette(p);
    l.setFrameShape(QFrame::NoFrame);
    l.header()->setPalette(p);
}

QString Setting(const char* key, const char* def) {
    return platform::GetSetting(AppTitle(), QStringLiteral("Settings"), QString::fromLatin1(key),
                                QString::fromLatin1(def));
}
}  // namespace

Frmmain& Frmmain::Instance() {
    if (!g_frmmain) g_frmmain = new Frmmain();
    return *g_frmmain;
}

bool Frmmain::Loaded() {
    return g_frmmain != nullptr;
}

void Frmmain::Unload() {
    Splash::Unload();
    Patch::Unload();
    Pop::Unload();
    delete g_frmmain;
    g_frmmain = nullptr;
    g_fondPerso = false;
    platform::SurReglageRefuse(nullptr);
}

// A tool window: the task-bar entry of the program is Pop's alone.
Frmmain::Frmmain() : Twips<QWidget>(nullptr, Qt::Tool | Qt::FramelessWindowHint) {
    setWindowTitle(AppTitle());
    setWindowIcon(QIcon(Skin::Picture(QStringLiteral("app_icon"), {64, 64})));
    platform::SetMainWindow(this);
    BuildPieces();
    Habiller();
    for (int i = 0; i < 12; ++i) {
        platform::PictureButton* b = Outils[i].get();
        connect(b, &platform::PictureButton::Click, this,
                [this, i] { platform::Reported([&] { Outils_Click(i); }, this); });
        connect(b, &platform::PictureButton::MouseEnter, this, [this, i] { Outils_MouseEnter(i); });
        connect(b, &platform::PictureButton::MouseLeave, this, [this] { Outils_MouseLeave(); });
    }
    for (int i = 0; i < 7; ++i) {
        platform::PictureButton* b = Bouton[i].get();
        connect(b, &platform::PictureButton::Click, this,
                [this, i] { platform::Reported([&] { Bouton_Click(i); }, this); });
        connect(b, &platform::PictureButton::MouseEnter, this, [this, i] { Bouton_MouseEnter(i); });
        connect(b, &platform::PictureButton::MouseLeave, this, [this, i] { Bouton_MouseLeave(i); });
    }
    connect(&Btn_Min, &platform::PictureButton::Click, this, &Frmmain::Btn_Min_Click);
    connect(&Btn_Min, &platform::PictureButton::MouseEnter, this, &Frmmain::Btn_Min_MouseEnter);
    connect(&Btn_Min, &platform::PictureButton::MouseLeave, this, &Frmmain::Btn_Min_MouseLeave);
    connect(&Btn_Quit, &platform::PictureButton::Click, this, &Frmmain::Btn_Quit_Click);
    connect(&Btn_Quit, &platform::PictureButton::MouseEnter, this, &Frmmain::Btn_Quit_MouseEnter);
    connect(&Btn_Quit, &platform::PictureButton::MouseLeave, this, &Frmmain::Btn_Quit_MouseLeave);
    Anim2.installEventFilter(this);
    Timer1.setInterval(2000);
    connect(&Timer1, &QTimer::timeout, this, &Frmmain::Timer1_Timer);
    connect(&Liste, &platform::ListView::Click, this,
            [this] { platform::Reported([&] { Liste_Click(); }, this); });
    connect(&LFilms, &platform::ListView::Click, this,
            [this] { platform::Reported([&] { LFilms_Click(); }, this); });
    connect(&Liste, &platform::ListView::MouseDown, this, [this](int b, int s, double x, double y) {
        platform::Reported([&] { Liste_MouseDown(b, s, x, y); }, this);
    });
    connect(&LFilms, &platform::ListView::MouseDown, this,
            [this](int b, int s, double x, double y) {
                platform::Reported([&] { LFilms_MouseDown(b, s, x, y); }, this);
            });
    connect(&Liste, &platform::ListView::LostFocus, this, &Frmmain::Liste_LostFocus);
    connect(&LFilms, &platform::ListView::LostFocus, this, &Frmmain::LFilms_LostFocus);
    connect(&Liste, &platform::ListView::AfterLabelEdit, this, &Frmmain::Liste_AfterLabelEdit);
    connect(&LFilms, &platform::ListView::AfterLabelEdit, this, &Frmmain::LFilms_AfterLabelEdit);
}

// Every piece at its design place; the layout then fits them to the screen.
void Frmmain::BuildPieces() {
    Move(0, 0, 14865, 9525);
    Fond.Move(0, 0, 13815, 9495);
    HautGauche.Move(0, 0, 75, 420);
    Anim.Move(60, 0, 10740, 420);
    Anim2.Move(0, 0, 1695, 375);
    Anim2.SetCaption(QStringLiteral(" Brivanta "));
    Anim2.setFont(platform::SkinFont(9.75));
    Anim2.SetForeColor(kTitleColours[0]);
    Coin.Move(5760, 0, 795, 420);
    Btn_Min.Move(90, 40, 350, 330);
    Btn_Min.setToolTip(QStringLiteral("Minimiser"));
    Btn_Quit.Move(400, 40, 375, 330);
    Btn_Quit.setToolTip(QStringLiteral("Fermer"));
    HautDroit.Move(11280, 0, 75, 420);
    CoinGT.Move(30, 420, 1335, 1125);
    TopMenu.Move(1185, 420, 9255, 795);
    Tooltiptext.Move(1500, 1200, 9015, 255);
    Tooltiptext.setFont(platform::SkinFont(9));
    Tooltiptext.SetForeColor(kTexte);
    Chargement.Move(9840, 525, 1695, 495);
    ChargementTexte.Move(60, 30, 1575, 255);
    ChargementTexte.SetCaption(QStringLiteral("Chargement ..."));
    Pb.Move(60, 315, 1575, 120);
    Chargement.hide();
    BordGauche.Move(60, 1550, 1140, 10920);
    Gauche.Move(1440, 1560, 3900, 6495);
    TGauche.Move(120, 120, 3705, 300);
    LTGauche.Move(120, 150, 3615, 255);
    Liste.Move(180, 435, 3550, 1935);
    // The lists' own pointer: a cocktail pick whose tip points.
    Liste.SetMouseIcon(QCursor(Skin::Picture(QStringLiteral("list_pointer"), {32, 32}), 1, 1));
    TCentre.Move(195, 2640, 3615, 300);
    LTCentre2.Move(195, 2655, 3135, 300);
    LTCentre2.SetCaption(QStringLiteral("Liste des cocktails"));
    LFilms.setAccessibleName(LTCentre2.Caption());
    LFilms.Move(180, 2880, 3550, 2175);
    BGauche.Move(0, 6000, 3900, 300);
    LBGauche.Move(240, 6020, 3495, 255);

    struct G {
        double l, t, w, h;
    };
    const G borders[16] = {
        {0, 0, 180, 300},      {3765, 120, 150, 6165}, {-20, 6320, 195, 200},
        {120, 0, 3640, 150},   {3760, 0, 150, 200},    {3760, 6270, 150, 255},
        {-20, 100, 200, 6250}, {120, 6360, 3645, 150}, {-10, 120, 210, 6255},
        {-10, 6340, 200, 195}, {195, 6375, 4965, 150}, {180, 0, 5000, 150},
        {5160, 0, 150, 195},   {5160, 120, 150, 6165}, {5160, 6280, 150, 255},
        {0, 0, 180, 300},
    };
    Fr_Droit.Move(6120, 1560, 7335, 6375);
    TDroit.Move(195, 120, 4890, 300);
    LTDroit.Move(840, 150, 3690, 255);
    Cadre[0] = std::make_unique<platform::Panel>(&Fr_Droit);
    Cadre[0]->Move(0, 0, 6015, 5655);
    Scroll[0] = std::make_unique<platform::ScrollPanel>(Cadre[0].get());
    Scroll[0]->Move(0, 0, 5535, 5655);
    Cadre[1] = std::make_unique<platform::Panel>(&Fr_Droit);
    Cadre[1]->Move(120, 120, 6855, 6255);
    Scroll[1] = std::make_unique<platform::ScrollPanel>(Cadre[1].get());
    Scroll[1]->Move(0, 0, 6735, 5655);
    Cadre[1]->hide();
    BDroit.Move(0, 6000, 6450, 300);
    for (int i = 0; i < 16; ++i) {
        c[i] = std::make_unique<platform::Panel>(i < 8 ? &Gauche : &Fr_Droit);
        c[i]->Move(borders[i].l, borders[i].t, borders[i].w, borders[i].h);
    }
    BarreHor.Move(480, 9000, 10740, 420);
    BarreHor.SetCaption(QStringLiteral(" Brivanta "));
    BarreHor.setFont(platform::SkinFont(9.75, true));
    BarreHor.SetForeColor(kTitre);
    BarreHor.SetAlignment(Qt::AlignCenter);
    BasGauche.Move(0, 9000, 75, 420);
    BasDroit.Move(11280, 9000, 75, 420);
    Icone_DEco.Move(240, 120, 300, 300);
    Icone_DEco.SetStretch(true);
    ImageTemp.hide();

    // Tool buttons on the top bar, help on the left bar.
    const struct {
        int index;
        double l, t;
    } tools[11] = {{0, 360, 70},   {1, 1080, 70}, {3, 1800, 75}, {4, 2520, 75},
                   {11, 3240, 75}, {5, 3960, 75}, {6, 4680, 75}, {2, 5400, 70},
                   {7, 6240, 75},  {8, 6960, 75}, {9, 7680, 70}};
    for (const auto& t : tools) {
        Outils[t.index] = std::make_unique<platform::PictureButton>(&TopMenu);
        Outils[t.index]->Move(t.l, t.t, t.index == 0 ? 700 : 705, 600);
    }
    Outils[10] = std::make_unique<platform::PictureButton>(&BordGauche);
    Outils[10]->Move(400, 6600, 640, 600);
    for (int i = 0; i < 12; ++i) Outils[i]->setAccessibleName(platform::Trim(AideOutil(i)));
    const double tops[7] = {250, 1150, 2050, 2950, 3850, 4750, 5640};
    for (int i = 0; i < 7; ++i) {
        Bouton[i] = std::make_unique<platform::PictureButton>(&BordGauche);
        Bouton[i]->Move(420, tops[i], i == 0 ? 600 : 615, 750);
        Bouton[i]->Group = 1;
        // Drawn buttons are named by the text their hover shows.
        Bouton[i]->setAccessibleName(platform::Trim(QString::fromUtf8(kAideTri[i])));
    }

    recette_ = std::make_unique<CadreRecette>(*Scroll[0], *Cadre[0]);
    verre_ = std::make_unique<CadreVerre>(*Scroll[1], *Cadre[1]);

    for (int i = 1; i <= 7; ++i) Img.Add(Skin::Picture(QStringLiteral("img_%1").arg(i), {16, 16}));

    for (platform::Label* l : {&LTGauche, &LTCentre2, &LTDroit}) l->SetForeColor(kTitre);
    // The heading of the right block starts after the entry's icon.
    LTDroit.setIndent(26);
    LBGauche.SetForeColor(kTexte);
    ChargementTexte.SetForeColor(kTexte);
    TexteSombre(Liste);
    TexteSombre(LFilms);
    Fr_Droit.SetPictureMode(platform::Panel::PictureMode::Tile);
    // The list background is a tile; the other lists and panels copy it.
    Liste.SetPicture(Skin::Picture(QStringLiteral("list_background")));
    for (int i = 0; i < 12; ++i)
        Outils[i]->Icon = Skin::Picture(QStringLiteral("tool_%1").arg(i), {64, 64});
    for (int i = 0; i < 7; ++i)
        Bouton[i]->Icon = Skin::Picture(QStringLiteral("sort_%1").arg(i), {56, 56});
}

// Draws every skin piece at its present size in pixels.
void Frmmain::Habiller() {
    if (!g_fondPerso) {
        const QSize s(std::max(1, platform::ToPixels(platform::ScreenWidthTwips())),
                      std::max(1, platform::ToPixels(Fond.Height())));
        Fond.SetPicture(Skin::Picture(QStringLiteral("wallpaper"), s));
    }
    HautGauche.SetPicture(Pix("titlebar_left", HautGauche));
    Anim.SetPicture(Pix("titlebar", Anim));
    // The button holder shows the part of the title bar it lies on.
    {
        QPixmap coin(Coin.size());
        coin.fill(Qt::transparent);
        QPainter p(&coin);
        p.drawPixmap(QPoint(0, 0), Anim.Picture(), Coin.geometry());
        p.end();
        Coin.SetPicture(coin);
    }
    HautDroit.SetPicture(Pix("titlebar_right", HautDroit));
    CoinGT.SetPicture(Pix("corner_ornament", CoinGT));
    TopMenu.SetPicture(Pix("toolbar", TopMenu));
    Chargement.SetPicture(Pix("loading", Chargement));
    BordGauche.SetPicture(Pix("leftbar", BordGauche));
    for (platform::Panel* p : {&TGauche, &TCentre, &BGauche, &TDroit, &BDroit})
        p->SetPicture(Pix("strip", *p));
    // Border pieces by number: the left block's, then the right block's.
    static const char* const kBords[16] = {
        "border_tl",   "border_right",  "border_bl",   "border_top", "border_tr",     "border_br",
        "border_left", "border_bottom", "border_left", "border_bl",  "border_bottom", "border_top",
        "border_tr",   "border_right",  "border_br",   "border_tl"};
    for (int i = 0; i < 16; ++i) c[i]->SetPicture(Pix(kBords[i], *c[i]));
    BarreHor.SetPicture(Pix("bottombar", BarreHor));
    BasGauche.SetPicture(Pix("bottombar_left", BasGauche));
    BasDroit.SetPicture(Pix("bottombar_right", BasDroit));

    Skin::Habiller(Btn_Min, QStringLiteral("btn_min"));
    Skin::Habiller(Btn_Quit, QStringLiteral("btn_quit"));
    for (auto& b : Outils) Skin::Habiller(*b, QStringLiteral("tool"));
    for (auto& b : Bouton) Skin::Habiller(*b, QStringLiteral("sort"));
}

bool Frmmain::Form_Load() {
    hide();
    General::ChargerLibelles();

    if (platform::ScreenWidthTwips() < 12000) {
        platform::MsgBox(
            QStringLiteral("La configuration minimum de 800*600 est nécessaire pour le "
                           "fonctionnement de ") +
                AppTitle() + QStringLiteral(" !"),
            platform::vbCritical + platform::vbOKOnly);
        return false;
    }
    instance_ =
        std::make_unique<platform::SingleInstance>(platform::SingleInstance::DefaultLockPath());
    // Only a running copy refuses this one; a lock that cannot be made
    // leaves the program usable.
    const auto verrou = instance_->Prendre();
    const QString raison = instance_->Raison();
    if (verrou != platform::SingleInstance::Issue::Pris) instance_.reset();
    if (verrou == platform::SingleInstance::Issue::Occupe) {
        platform::MsgBox(QStringLiteral("  ") + AppTitle() +
                             QStringLiteral(" est en cours d'utilsation sur votre machine") +
                             QStringLiteral("\r\r") +
                             QStringLiteral("Pour pouvoir l'utiliser de nouveau, veuillez fermer "
                                            "la version ouverte !"),
                         platform::vbCritical);
        return false;
    }
    if (verrou == platform::SingleInstance::Issue::Impossible)
        platform::MsgBox(
            AppTitle() +
                QStringLiteral(" ne peut pas s'assurer qu'il est seul à utiliser la "
                               "collection « ") +
                QDir::toNativeSeparators(platform::SingleInstance::CheminCollection()) +
                QStringLiteral(" » : le fichier de verrou « ") +
                QDir::toNativeSeparators(platform::SingleInstance::DefaultLockPath()) +
                QStringLiteral(" » ") + raison + QStringLiteral(".\r\r") + AppTitle() +
                QStringLiteral(" démarre quand même ; n'en ouvrez pas une deuxième copie sur "
                               "cette collection."),
            platform::vbExclamation);
    // A backup or a restore killed before its rename left its copy beside
    // the collection.
    platform::Remplacement::Nettoyer(
        QFileInfo(platform::SingleInstance::CheminCollection()).absolutePath());
    // Settings that will not be kept are told once: at once when the file
    // cannot be written, else at the first value it refuses (a full disk).
    const auto reglagesPerdus = [] {
        platform::MsgBox(QStringLiteral("Les réglages de ") + AppTitle() +
                             QStringLiteral(" ne pourront pas être enregistrés : le fichier « ") +
                             QDir::toNativeSeparators(platform::SettingsFile(AppTitle())) +
                             QStringLiteral(" » ne peut pas être écrit.\r\r") + AppTitle() +
                             QStringLiteral(" démarre quand même, mais vos choix (tri de la "
                                            "liste, écran d'accueil, mode d'affichage) ne seront "
                                            "pas gardés."),
                         platform::vbExclamation);
    };
    if (platform::SettingsWritable(AppTitle())) {
        platform::SurReglageRefuse(reglagesPerdus);
    } else {
        platform::SurReglageRefuse(nullptr);
        reglagesPerdus();
    }

    Liste.SetColumnHeader(QStringLiteral("Titre"), Liste.Width());
    LFilms.SetColumnHeader(QStringLiteral("Titre"), LFilms.Width());
    General::InitCouleurSelection();
    Timer1.start();

    // From here a failing step is skipped and the load goes on.
    Resume([&] {
        const QString wall = Setting("FondScreen", "");
        if (!wall.isEmpty() && !platform::Trim(wall).endsWith(u'\\')) {
            QPixmap p;
            if (p.load(wall)) {
                Fond.SetPicture(p);
                g_fondPerso = true;
            }
        }
    });
    Resume([&] {
        LFilms.SetPicture(Liste.Picture());
        Fr_Droit.SetPicture(Liste.Picture());
        for (platform::Panel* p : {&TDroit, &BDroit, &BGauche, &TCentre})
            p->SetPicture(TGauche.Picture());
    });
    General::FenetreReduite = 99;
    Resume([&] {
        SetHeight(platform::ScreenHeightTwips());
        SetWidth(platform::ScreenWidthTwips());
    });
    Resume([&] {
        BarreHor.SetTop(Height() - BarreHor.Height());
        BasGauche.SetTop(BarreHor.Top());
        BasDroit.SetTop(BarreHor.Top());
    });
    Resume([&] {
        Move(-Width(), -Height());
        Move(0, 0);
    });
    Resume([&] {
        CadreRecette& r = Recette();
        r.LCout.AddItems(General::Couts);
        r.LDiff.AddItems(General::Difficultes);
        r.LTeneur.AddItems(General::Teneurs);
        // Each level list stands on its first word, and the level buttons
        // show it until a recipe is shown; nothing is written.
        int i = 2;
        for (platform::ComboBox* l : {&r.LCout, &r.LDiff, &r.LTeneur}) {
            l->SetListIndex(0);
            r.Data[i].SetCaption(l->Text());
            r.Data[i++].Tag = QStringLiteral("0");
        }
        for (platform::ComboBox* l :
             {&r.LCout, &r.LDiff, &r.LTeneur, &r.LCategorie, &r.LMateriel, &r.LVerre})
            l->setCursor(Liste.MouseIcon());
    });
    Resume([&] { AdapterEcran(); });
    if (!Pop::Reduit()) show();
    loaded_ = true;
    return true;
}

void Frmmain::AdapterEcran() {
    const double W = Width();
    const double H = Height();
    const double screenH = platform::ScreenHeightTwips();

    Fond.SetWidth(0);
    Fond.SetHeight(screenH);

    Gauche.SetHeight(Fond.Height() - Gauche.Top() - 700);
    Fr_Droit.SetHeight(Gauche.Height());
    Gauche.SetWidth(IntDiv(platform::RoundHalfEven(W - Gauche.Left()), 3) - 230);
    Fr_Droit.SetWidth(W - (Gauche.Left() + Gauche.Width() + 230) - 500);

    Liste.SetWidth(Gauche.Width() - (c[6]->Width() + c[1]->Width()));
    LTGauche.SetWidth(Liste.Width() + 100);
    TGauche.SetWidth(Liste.Width() + 100);
    LFilms.SetWidth(Liste.Width());
    LTCentre2.SetWidth(Liste.Width());
    TCentre.SetWidth(Liste.Width());
    LBGauche.SetWidth(Liste.Width());
    BGauche.SetWidth(Liste.Width());
    BordGauche.SetHeight(H - BordGauche.Top() - BarreHor.Height());
    c[1]->SetLeft(Liste.Left() + Liste.Width() + 40);
    c[4]->SetLeft(Liste.Left() + Liste.Width() + 40);
    c[5]->SetLeft(Liste.Left() + Liste.Width() + 40);
    c[3]->SetWidth(Gauche.Width() - (c[5]->Width() + c[4]->Width()) + 100);
    c[7]->SetWidth(c[3]->Width());
    Liste.SetColumnHeader(QStringLiteral("Titre"), Liste.Width() - 250);
    LFilms.SetColumnHeader(QStringLiteral("Titre"), Liste.Width() - 250);
    LBGauche.SetLeft(LTGauche.Left());
    BGauche.SetLeft(LBGauche.Left());
    c[6]->SetHeight(Gauche.Height() - (c[0]->Height() + c[2]->Height()) + 300);
    c[1]->SetHeight(c[6]->Height());
    c[7]->SetTop(Gauche.Height() - c[7]->Height());
    c[2]->SetTop(c[7]->Top());
    c[5]->SetTop(c[7]->Top() - 60);
    c[7]->SetTop(c[7]->Top() + 40);
    TDroit.SetWidth(Fr_Droit.Width() - 30);
    BDroit.SetWidth(TDroit.Width());
    LTDroit.SetWidth(TDroit.Width());
    BGauche.SetWidth(TGauche.Width());
    LTGauche.SetWidth(TGauche.Width());
    BGauche.SetTop(Gauche.Height() - BGauche.Height() - c[7]->Height() + 30);
    LBGauche.SetTop(BGauche.Top() + 20);

    Fr_Droit.SetLeft(Gauche.Left() + Gauche.Width() + 300);
    BDroit.SetTop(Fr_Droit.Height() - BDroit.Height() - 120);
    Tooltiptext.SetWidth(Fr_Droit.Left() + Fr_Droit.Width() - Gauche.Left());
    Gauche.show();
    Btn_Quit.show();
    Move(0, 0);
    BarreHor.SetWidth(W);
    BarreHor.SetTop(H - BarreHor.Height());
    LTDroit.SetWidth(Fr_Droit.Width());
    TDroit.SetWidth(Fr_Droit.Width());
    LTDroit.SetLeft(200);
    TDroit.SetLeft(200);
    BDroit.SetWidth(LTDroit.Width());
    BDroit.SetLeft(LTDroit.Left());

    for (int i = 0; i < 2; ++i) {
        Cadre[i]->SetLeft(TDroit.Left());
        Cadre[i]->SetWidth(Fr_Droit.Width() - 350);
        Cadre[i]->SetTop(TDroit.Top() + TDroit.Height());
        Cadre[i]->SetHeight(BDroit.Top() - TDroit.Top() - TDroit.Height());
        Scroll[i]->Move(0, 0, Cadre[i]->Width(), Cadre[i]->Height());
        Scroll[i]->SetPicture(Liste.Picture());
    }

    hide();

    Anim.SetWidth(W - 130);
    Btn_Min.show();
    Coin.SetLeft(W - 900);
    HautDroit.SetLeft(W - HautDroit.Width());
    BasGauche.SetLeft(0);
    BasDroit.SetLeft(HautDroit.Left());
    BarreHor.SetLeft(BasGauche.Width());
    BarreHor.SetWidth(W - BasGauche.Width() - BasDroit.Width());
    TopMenu.SetWidth(W - TopMenu.Left());

    c[8]->SetHeight(c[6]->Height());
    c[13]->SetHeight(c[6]->Height());
    c[9]->SetTop(c[2]->Top());
    c[14]->SetTop(c[5]->Top());
    c[12]->SetLeft(Fr_Droit.Width() - c[12]->Width());
    c[14]->SetLeft(c[12]->Left());
    c[10]->SetTop(Fr_Droit.Height() - c[10]->Height() + 30);
    c[10]->SetWidth(Fr_Droit.Width() - (c[13]->Width() + c[15]->Width()));
    c[11]->SetWidth(c[10]->Width());
    c[13]->SetLeft(Fr_Droit.Width() - c[13]->Width());
    Recette().Photo.setCursor(Liste.MouseIcon());
    Verre().PhotoVerre.setCursor(Liste.MouseIcon());

    Habiller();
    StartupTail();
}

void Frmmain::StartupTail() {
    // A collection that cannot be read is told once the window stands.
    QString avis;
    Resume([&] { avis = General::AfficherListeDemarrage(); });
    Resume([&] { hide(); });
    Resume([&] {
        if (platform::TextBool(Setting("SplashAuto", "True"), true)) {
            platform::SaveSetting(AppTitle(), QStringLiteral("Settings"),
                                  QStringLiteral("SplashAuto"), platform::BoolText(true));
            General::OuvrirFenetre(General::kSplash);
        }
    });
    // The splash window may have ended the program, or been minimised with
    // it: the main window then waits for the restore.
    if (platform::Ending()) return;
    Resume([&] {
        if (!Pop::Reduit()) show();
    });
    Resume([] {
        platform::SaveSetting(AppTitle(), QStringLiteral("Settings"), QStringLiteral("FirstTime"),
                              QStringLiteral("1"));
    });
    Resume([&] { Fond.SetWidth(platform::ScreenWidthTwips()); });
    Resume([] { Pop::Instance().Afficher(); });
    if (!avis.isEmpty())
        Resume([&] { platform::MsgBox(avis, platform::vbExclamation + platform::vbOKOnly); });
}

void Frmmain::Form_Activate() {
    Resume([&] {
        if (platform::ScreenWidthTwips() == Width()) return;
        hide();
        SetWidth(platform::ScreenWidthTwips());
        SetHeight(platform::ScreenHeightTwips());
        Move(0, 0);
        AdapterEcran();
    });
}

void Frmmain::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow() && loaded_) Form_Activate();
}

void Frmmain::Timer1_Timer() {
    std::mt19937 rng(static_cast<unsigned>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count()));
    std::uniform_real_distribution<double> rnd(0.0, 1.0);
    int i = static_cast<int>(rnd(rng) * 13);
    while (kTitleColours[i] == Anim2.ForeColor()) i = static_cast<int>(rnd(rng) * 13);
    Anim2.SetForeColor(kTitleColours[i]);
}

void Frmmain::ListeHaute() {
    if (Liste.Count() == 0) LTDroit.SetCaption(QString());
    platform::ListItem* sel = Liste.SelectedItem();
    if (!sel) return;
    LTDroit.SetCaption(sel->Text());
    Icone_DEco.SetPicture(Img.ListImages(sel->SmallIcon()));
    sel->SetForeColor(General::CouleurSelection);
    sel->SetBold(true);
    const int previous = static_cast<int>(platform::Val(LTDroit.Tag));
    if (platform::ListItem* old = Liste.Item(previous)) {
        old->SetForeColor(Liste.palette().color(QPalette::Text));
        old->SetBold(false);
        if (old == sel) {
            sel->SetForeColor(General::CouleurSelection);
            sel->SetBold(true);
        }
    }
    LTDroit.Tag = QString::number(sel->Index());
    TDroit.SetPicture(TGauche.Picture());
    NumeroSelection = platform::Val(platform::KeyNumber(sel->Key()));

    if (platform::Val(Liste.Tag) != 0) {
        General::ListerRecettesLiees(static_cast<int>(platform::Val(Liste.Tag)));
        Cadre[0]->hide();
        LBGauche.SetCaption(platform::Str(LFilms.Count()) + QStringLiteral(" Recette(s) ..."));
        if (Liste.Tag == QStringLiteral("2")) {
            Verre().ChargerVerre(NumeroSelection);
            Cadre[1]->show();
        } else {
            Cadre[1]->hide();
        }
        Outils[2]->hide();
    } else {
        Cadre[1]->hide();
        Cadre[0]->show();
        Cadre[0]->repaint();
        AfficherRecette(platform::KeyNumber(sel->Key()), u'H');
    }
}

bool Frmmain::AfficherRecette(const QString& n, QChar liste) {
    CadreRecette& r = Recette();
    r.ChargerRecette(n);
    const bool montree = r.RecetteAffichee().has_value();
    listeAffichee_ = montree ? liste : QChar();
    Outils[2]->Tag = QString(liste);
    // The card is offered only while a recipe is shown.
    Outils[2]->setVisible(montree);
    if (montree) r.RemplirListes();
    return montree;
}

void Frmmain::CacherListeModif() {
    Recette().CacherListes();
}

void Frmmain::Liste_Click() {
    if (Verre().SaisieContenance.Visible()) Verre().SaisieContenance.hide();
    CacherListeModif();
    ListeHaute();
}

void Frmmain::LFilms_Click() {
    CacherListeModif();
    platform::ListItem* sel = LFilms.SelectedItem();
    if (!sel) return;
    LTDroit.SetCaption(sel->Text());
    // The recipe takes the right block: the glass panel, made after it and
    // lying over it, gives way until a glass is clicked again.
    Cadre[1]->hide();
    if (Cadre[0]->isHidden()) Cadre[0]->show();
    AfficherRecette(platform::KeyNumber(sel->Key()), u'B');
}

void Frmmain::Liste_MouseDown(int Button, int, double, double) {
    if (Button != 2) return;
    Outils[2]->Tag.clear();
    Pop& pop = Pop::Instance();
    switch (General::Tris()) {
        case 0:
            pop.Supprimer().Enabled = true;
            Outils[2]->Tag = QStringLiteral("H");
            platform::PopupMenu(pop.Menu1, this);
            break;
        case 1:
        case 2:
        case 6:
            pop.Supprimer().Enabled = LFilms.Count() == 0;
            platform::PopupMenu(pop.Menu1, this);
            break;
        default:
            break;
    }
}

void Frmmain::LFilms_MouseDown(int Button, int, double, double) {
    if (Button != 2) return;
    Outils[2]->Tag = QStringLiteral("B");
    Pop& pop = Pop::Instance();
    pop.Supprimer().Enabled = true;
    platform::PopupMenu(pop.Menu1, this);
}

void Frmmain::Liste_LostFocus() {
    Liste.SetLabelEditAutomatic(false);
}

void Frmmain::LFilms_LostFocus() {
    LFilms.SetLabelEditAutomatic(false);
}

namespace {
// Writes a rename; a failure keeps the old text and tells the user.
void Renommer(bool& Cancel, const QString& table, const QString& cle, const QString& texte,
              const QString& champ, QWidget* parent) {
    try {
        AccesBase::RenommerEnregistrement(table, cle, texte, champ);
    } catch (const std::exception& e) {
        Cancel = true;
        platform::MsgBox(QStringLiteral("Le nouveau nom n'a pas pu être enregistré.\r\r") +
                             QString::fromUtf8(e.what()),
                         platform::vbExclamation, QString(), parent);
    }
}
}  // namespace

void Frmmain::Liste_AfterLabelEdit(bool& Cancel, const QString& NewString) {
    // The entry that was edited, which is the selected one when the edit began.
    platform::ListItem* it = Liste.EditedItem() ? Liste.EditedItem() : Liste.SelectedItem();
    if (!it) return;
    const QString cle = platform::Trim(platform::KeyNumber(it->Key()));
    static const struct {
        const char* table;
        const char* champ;
    } kTables[7] = {{"Cocktails", "Numero"},      {"Categorie", "NCategorie"}, {"Verre", "NVerre"},
                    {nullptr, nullptr},           {nullptr, nullptr},          {nullptr, nullptr},
                    {"Ingredient", "NIngredient"}};
    const int kind = General::Tris();
    if (kind < 0 || kind > 6 || !kTables[kind].table) return;
    const auto& t = kTables[kind];
    Renommer(Cancel, QString::fromLatin1(t.table), cle, NewString, QString::fromLatin1(t.champ),
             this);
}

void Frmmain::LFilms_AfterLabelEdit(bool& Cancel, const QString& NewString) {
    platform::ListItem* it = LFilms.EditedItem() ? LFilms.EditedItem() : LFilms.SelectedItem();
    if (!it || NewString == it->Text()) return;
    Renommer(Cancel, QStringLiteral("Cocktails"), platform::Trim(platform::KeyNumber(it->Key())),
             NewString, QStringLiteral("Numero"), this);
}

// ------------------------------------------------------------ tool bar

void Frmmain::Outils_Click(int Index) {
    platform::PictureButton& b = *Outils[static_cast<size_t>(Index)];
    if (!b.Value()) return;
    // Released on every way out, a failed action included.
    platform::Finally release([&] { b.SetValue(false); });
    General::FenetreReduite = kCodeOutil[Index];
    switch (Index) {
        case 2:
            // The card is filled from the shown recipe before it shows.
            ChargerAlbums::ChargerFiche();
            General::OuvrirFenetre(kCodeOutil[Index]);
            break;
        case 5:
            General::SauvegarderBase();
            break;
        case 6:
            General::RestaurerBase();
            break;
        case 7:
            platform::ShellOpen(Configuration::SitePartenaire());
            break;
        case 8:
            platform::ShellOpen(Configuration::SiteAuteur());
            break;
        case 10:
            platform::ShellOpen(platform::AppPath() + QStringLiteral("/aide/index.htm"));
            break;
        default:
            // The windows the program has; a code without one opens nothing.
            General::OuvrirFenetre(kCodeOutil[Index]);
            break;
    }
}

void Frmmain::Outils_MouseEnter(int Index) {
    Tooltiptext.SetCaption(AideOutil(Index));
}

void Frmmain::Outils_MouseLeave() {
    Tooltiptext.SetCaption(QStringLiteral(" "));
}

// ------------------------------------------------------------ sort bar

void Frmmain::Bouton_Click(int Index) {
    if (Index == General::Tris()) return;
    if (!Bouton[static_cast<size_t>(Index)]->Value()) return;
    Verre().SaisieContenance.hide();
    General::AfficherListe(Index);
    platform::SaveSetting(AppTitle(), QStringLiteral("Settings"), QStringLiteral("Tris"),
                          QString::number(Index));
}

void Frmmain::Bouton_MouseEnter(int Index) {
    platform::PictureButton& b = *Bouton[static_cast<size_t>(Index)];
    b.ShowPicture(b.PictureHover);
    Tooltiptext.SetCaption(QString::fromUtf8(kAideTri[Index]));
}

void Frmmain::Bouton_MouseLeave(int Index) {
    platform::PictureButton& b = *Bouton[static_cast<size_t>(Index)];
    b.ShowPicture(b.PictureUp);
    Tooltiptext.SetCaption(QString());
}

// ------------------------------------------------------ window buttons

void Frmmain::Btn_Min_Click() {
    if (!Btn_Min.Value()) return;
    General::FenetreReduite = General::kPrincipale;
    Pop& pop = Pop::Instance();
    pop.Minimiser();
    hide();
    pop.Afficher();
    Btn_Min.SetValue(false);
    Btn_Min.ShowPicture(Btn_Min.PictureUp);
}

void Frmmain::Btn_Min_MouseEnter() {
    Btn_Min.ShowPicture(Btn_Min.PictureHover);
}
void Frmmain::Btn_Min_MouseLeave() {
    Btn_Min.ShowPicture(Btn_Min.PictureUp);
}

void Frmmain::Btn_Quit_Click() {
    if (!Btn_Quit.Value()) return;
    General::ConfirmerQuitter();
    if (platform::Ending()) return;
    Btn_Quit.SetValue(false);
    Btn_Quit.ShowPicture(Btn_Quit.PictureUp);
}

void Frmmain::Btn_Quit_MouseEnter() {
    Btn_Quit.ShowPicture(Btn_Quit.PictureHover);
}
void Frmmain::Btn_Quit_MouseLeave() {
    Btn_Quit.ShowPicture(Btn_Quit.PictureUp);
}

void Frmmain::Anim2_DblClick() {
    Patch::Instance().ShowModal();
}

bool Frmmain::eventFilter(QObject* o, QEvent* e) {
    if (o == &Anim2 && e->type() == QEvent::MouseButtonDblClick) {
        Anim2_DblClick();
        return true;
    }
    return QWidget::eventFilter(o, e);
}

// A close asked by the system goes through the quit question like the quit
// button; the window itself never closes.
void Frmmain::closeEvent(QCloseEvent* e) {
    e->ignore();
    General::ConfirmerQuitter();
}
