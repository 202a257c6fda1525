#include "entry/Facile.h"

#include <QCloseEvent>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

#include "entry/FicheSaisie.h"
#include "platform/AppFolder.h"
#include "platform/MessageBox.h"
#include "platform/Resume.h"
#include "platform/VbText.h"
#include "shell/Configuration.h"
#include "shell/Frmmain.h"
#include "shell/General.h"
#include "shell/Skin.h"

namespace {
const QColor& kTexte = Skin::kCreme;

void Habiller(BoutonIcone& b, const QString& icone = QString()) {
    Skin::Habiller(b, QStringLiteral("ok_face"));
    if (!icone.isEmpty()) b.Icon = Skin::Picture(icone, {64, 64});
    b.setFont(platform::SkinFont(8.25, true));
    b.SetForeColor(QColor(48, 28, 16));
    if (b.accessibleName().isEmpty())
        b.setAccessibleName(platform::Trim(b.Caption()).isEmpty() ? b.toolTip()
                                                                  : platform::Trim(b.Caption()));
}

}  // namespace

Facile::Facile() : DialogFrame(QStringLiteral("Facile"), 1) {
    DisposerFenetreTravail(QStringLiteral("Création facile"));
    Fond.Move(120, 480, 11775, 8055);
    Status.Move(120, 8700, 11775, 255);
    Status.setFont(platform::SkinFont(8.25));
    Status.SetForeColor(kTexte);
    Status.setAccessibleName(QStringLiteral("Barre d'état"));
    SSPanel1.Move(0, 0, 11775, 8100);

    CadreBouton.Move(0, 0, 11775, 855);
    const char* captions[2] = {"Précédent   ", "  Suivant   "};
    const char* tips[2] = {"Précédent", "Suivant"};
    const double lefts[2] = {30, 3170}, widths[2] = {1660, 1575};
    for (int i = 0; i < 2; ++i) {
        auto b = std::make_unique<BoutonIcone>(&CadreBouton);
        b->Move(lefts[i], 60, widths[i], 705);
        b->SetCaption(QString::fromUtf8(captions[i]));
        b->setToolTip(QString::fromUtf8(tips[i]));
        b->setAccessibleName(QString::fromUtf8(tips[i]));
        Habiller(*b);
        b->setEnabled(false);
        connect(b.get(), &platform::PictureButton::Click, this, [this, i] { Navi_Click(i); });
        Navi[static_cast<size_t>(i)] = std::move(b);
    }
    GotO1.Move(1680, 60, 1500, 705);
    GotO1.setToolTip(QStringLiteral("Visiter le site ") + Configuration::SitePartenaire());
    GotO1.setAccessibleName(QStringLiteral("Visiter le site"));
    Habiller(GotO1, QStringLiteral("tool_7"));
    connect(&GotO1, &platform::PictureButton::Click, this, [this] { GotO1_Click(); });
    Analyse.Move(5355, 60, 1620, 705);
    Analyse.setToolTip(QStringLiteral("Récupérer la recette affichée"));
    Analyse.setAccessibleName(QStringLiteral("Récupérer la recette affichée"));
    Habiller(Analyse, QStringLiteral("tool_1"));
    Analyse.hide();
    connect(&Analyse, &platform::PictureButton::Click, this,
            [this] { platform::Reported([this] { Analyse_Click(); }, this); });
    Pb.Move(7560, 240, 3255, 255);
    Pb.setAccessibleName(QStringLiteral("Progression de l'analyse"));
    Pb.hide();
    LPB.Move(7560, 480, 3255, 255);
    LPB.setFont(platform::SkinFont(8.25));
    LPB.SetForeColor(kTexte);
    LPB.SetCaption(QStringLiteral("Analyse en cours ..."));
    LPB.hide();

    WebBrowser1.Move(0, 840, 11805, 7250);
    connect(&WebBrowser1, &platform::WebBrowser::BeforeNavigate2, this,
            &Facile::WebBrowser1_BeforeNavigate2);
    connect(&WebBrowser1, &platform::WebBrowser::DocumentComplete, this, [this](const QString& u) {
        platform::Reported([&] { WebBrowser1_DocumentComplete(u); }, this);
    });
    connect(&WebBrowser1, &platform::WebBrowser::CommandStateChange, this,
            &Facile::WebBrowser1_CommandStateChange);
    connect(&WebBrowser1, &platform::WebBrowser::StatusTextChange, this,
            &Facile::WebBrowser1_StatusTextChange);

    // The edit panel.
    Scroll0.Move(0, 0, 12000, 8295);
    Scroll0.hide();
    FicheSaisie::PlacerPhoto(CadrePhoto, Photo);

    FicheSaisie::PlacerLibelles(Libelle, Scroll0.Content());
    Recette.Move(3240, 480, 3135, 330);
    Recette.setAccessibleName(QStringLiteral("Recette"));
    const double listes[6][5] = {{240, 3960, 1815, 330, 8},   {2160, 3960, 1935, 330, 9},
                                 {4200, 3960, 2175, 330, 10}, {3240, 1320, 3135, 330, 7},
                                 {3240, 2230, 3135, 330, 1},  {3240, 3030, 3135, 330, 2}};
    for (size_t i = 0; i < 6; ++i) {
        auto t = std::make_unique<platform::TextBox>(Scroll0.Content());
        t->Move(listes[i][0], listes[i][1], listes[i][2], listes[i][3]);
        t->setAccessibleName(Libelle[static_cast<size_t>(listes[i][4])]->Caption());
        Liste[i] = std::move(t);
    }
    FicheSaisie::PlacerSaisies(Saisie, Libelle, Scroll0.Content());
    for (auto& t : Saisie) t->setFont(platform::SkinFont(9.75));
    FicheSaisie::PlacerLignes(Qte, Qte2, Ingre, Scroll1);
    const std::pair<platform::ComboBox*, const char*> picks[] = {
        {&LQte, "Quantités"}, {&LQte2, "Mesures"}, {&LIngre, "Ingrédients"}};
    for (auto [l, nom] : picks) {
        l->SetEditable(true);
        l->setAccessibleName(QString::fromUtf8(nom));
        l->hide();
    }

    Revenir.Move(6600, 7020, 1575, 795);
    Revenir.SetCaption(QStringLiteral("Navigateur"));
    Habiller(Revenir, QStringLiteral("tool_7"));
    connect(&Revenir, &platform::PictureButton::Click, this, [this] { Revenir_Click(); });
    Creer.Move(9960, 7020, 1575, 795);
    Creer.SetCaption(QStringLiteral("Créer"));
    Habiller(Creer, QStringLiteral("ok_icon"));
    connect(&Creer, &platform::PictureButton::Click, this, [this] { Creer_Click(); });
    Quit.installEventFilter(this);
}

QString Facile::PageAccueil() {
    return platform::AppPath() + QStringLiteral("/astuces/facile.htm");
}

void Facile::Form_Load() {
    Habillage h;
    h.fondPrincipal = true;
    h.modeSplash = true;
    ChargerHabillage(h);
    const Frmmain& f = Frmmain::Instance();
    for (platform::ScrollPanel* s : Scroll) s->SetPicture(f.Liste.Picture());
    WebBrowser1.SetSilent(true);
    WebBrowser1.Navigate(PageAccueil());
}

void Facile::WebBrowser1_BeforeNavigate2(const QString&) {
    Analyse.hide();
}

void Facile::WebBrowser1_DocumentComplete(const QString&) {
    // A window closed, that waits to go, starts nothing.
    if (fermer_ || !Loaded() || &Instance() != this) return;
    // The browser's address now, whichever frame the event comes from.
    const QString adresse = WebBrowser1.LocationURL();
    // The start page's links lead to the partner site of the configuration.
    if (QUrl(adresse) == platform::WebBrowser::UrlOf(PageAccueil()))
        WebBrowser1.RunScript(
            QStringLiteral("document.querySelectorAll('a.partenaire').forEach(function (a) "
                           "{ a.href = %1; });")
                .arg(QString::fromUtf8(QJsonDocument(QJsonArray{Configuration::SitePartenaire()})
                                           .toJson(QJsonDocument::Compact))
                         .mid(1)
                         .chopped(1)));
    if (adresse.contains(QStringLiteral("/recette-cocktai"))) Analyse.show();
    if (Photo.toolTip() == adresse) Occupe([] { Module1::TelechargerPhoto(); });
}

void Facile::WebBrowser1_CommandStateChange(int Command, bool Enable) {
    if (Command == platform::WebBrowser::NavigateBack) Navi[0]->setEnabled(Enable);
    if (Command == platform::WebBrowser::NavigateForward) Navi[1]->setEnabled(Enable);
}

void Facile::WebBrowser1_StatusTextChange(const QString& Text) {
    Status.SetCaption(Text);
}

void Facile::GotO1_Click() {
    if (!GotO1.Value()) return;
    WebBrowser1.Navigate(Configuration::SitePartenaire());
    GotO1.SetValue(false);
}

void Facile::Navi_Click(int Index) {
    BoutonIcone& b = *Navi[Index == 0 ? 0 : 1];
    if (!b.Value()) return;
    if (Index == 0)
        WebBrowser1.GoBack();
    else
        WebBrowser1.GoForward();
    Analyse.hide();
    b.SetValue(false);
}

void Facile::Analyse_Click() {
    if (!Analyse.Value()) return;
    platform::Finally relache([this] { Analyse.SetValue(false); });
    Occupe([this] {
        // The page goes to the reader in memory: no scratch file.
        const QString page = WebBrowser1.InnerHTML();
        if (fermer_) return;
        Module1::AnalyserPage(page);
        CadreBouton.hide();
        WebBrowser1.hide();
        Scroll0.show();
    });
}

void Facile::Revenir_Click() {
    if (!Revenir.Value()) return;
    CadreBouton.show();
    WebBrowser1.show();
    Scroll0.hide();
    Revenir.SetValue(false);
    for (auto& s : Saisie) s->SetText(QString());
    for (auto& l : Liste) l->SetText(QString());
    for (size_t i = 0; i < Creation::kLignes; ++i) {
        Qte[i]->SetText(QString());
        Qte2[i]->SetText(QString());
        Ingre[i]->SetText(QString());
    }
    Recette.SetText(QString());
}

void Facile::CreerRecette() {
    Creation::CreerRecette(*this, Creation::Variante::Facile);
}

void Facile::Creer_Click() {
    if (!Creer.Value()) return;
    platform::Finally relache([this] { Creer.SetValue(false); });
    RecetteCreee = false;
    CreerRecette();
    if (RecetteCreee)
        platform::MsgBox(QStringLiteral("Création réussie ! "), platform::vbInformation);
}

void Facile::Quit_Click() {
    if (!Quit.Value()) return;
    Quit.SetValue(false);
    Fermer();
}

void Facile::Fermer() {
    if (occupe_ > 0) {
        // A handler of ours waits below: its wait gives up and the window
        // goes at once; it unloads when that handler has returned.
        fermer_ = true;
        platform::Inet::Abandonner();
        hide();
        return;
    }
    if (RecetteCreee) platform::Reported([] { General::AfficherListe(General::Tris()); }, this);
    Unload();
}

void Facile::Occupe(const std::function<void()>& handler) {
    ++occupe_;
    platform::Finally fin([this] {
        if (--occupe_ == 0 && fermer_) Fermer();
    });
    handler();
}

platform::Transfert Facile::RecevoirPhoto(const QString& adresse) {
    Analyse.setEnabled(false);
    Mini.setEnabled(false);
    attentePhoto_ = true;
    platform::Finally fin([this] {
        attentePhoto_ = false;
        Analyse.setEnabled(true);
        Mini.setEnabled(true);
    });
    return platform::Inet::OpenURL(adresse);
}

bool Facile::eventFilter(QObject* o, QEvent* e) {
    // The analysis holds the window disabled while its photo is awaited; the
    // close button still takes its click then.
    if (o == &Quit && attentePhoto_ && !Quit.isEnabled() &&
        e->type() == QEvent::MouseButtonRelease) {
        const auto* m = static_cast<QMouseEvent*>(e);
        if (m->button() == Qt::LeftButton && Quit.rect().contains(m->position().toPoint())) {
            Quit.ClickIt();
            return true;
        }
    }
    return DialogFrame::eventFilter(o, e);
}

void Facile::reject() {}

void Facile::closeEvent(QCloseEvent* e) {
    e->accept();
    if (Loaded() && &Instance() == this) Fermer();
}

Module1::Panneau Facile::LirePanneau() const {
    Module1::Panneau p;
    p.Recette = Recette.Text();
    for (size_t i = 0; i < 6; ++i) p.Liste[i] = Liste[i]->Text();
    for (size_t i = 0; i < 4; ++i) p.Saisie[i] = Saisie[i]->Text();
    for (size_t i = 0; i < Creation::kLignes; ++i) {
        p.Qte[i] = Qte[i]->Text();
        p.Qte2[i] = Qte2[i]->Text();
        p.Ingre[i] = Ingre[i]->Text();
    }
    p.PhotoAdresse = Photo.toolTip();
    return p;
}

void Facile::EcrirePanneau(const Module1::Panneau& p) {
    Recette.SetText(p.Recette);
    for (size_t i = 0; i < 6; ++i) Liste[i]->SetText(p.Liste[i]);
    for (size_t i = 0; i < 4; ++i) Saisie[i]->SetText(p.Saisie[i]);
    for (size_t i = 0; i < Creation::kLignes; ++i) {
        Qte[i]->SetText(p.Qte[i]);
        Qte2[i]->SetText(p.Qte2[i]);
        Ingre[i]->SetText(p.Ingre[i]);
    }
}

Creation::Fiche Facile::LireFiche() const {
    Creation::Fiche f = FicheSaisie::LireChamps(*this);
    f.PhotoOctets = Module1::PhotoOctets;
    f.PhotoTaille = Module1::PhotoTaille;
    return f;
}

void Facile::DonnerFocus(Creation::Champ champ) {
    FicheSaisie::DonnerFocus(*this, champ);
}

void Facile::RecetteEcrite(const Creation::Resultat& r) {
    RecetteCreee = true;
    Recette.SetText(r.Recette);
    Liste[5]->SetText(r.Methode);
    const Creation::Nouveaux& n = r.Ajouts;
    const std::pair<const QStringList*, platform::ComboBox*> listes[] = {
        {&n.Quantites, &LQte}, {&n.Mesures, &LQte2}, {&n.Ingredients, &LIngre}};
    for (auto [textes, liste] : listes)
        for (const QString& t : *textes) liste->AddItem(t);
}
