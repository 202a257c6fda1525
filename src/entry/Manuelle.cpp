#include "entry/Manuelle.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

#include "entry/FicheSaisie.h"
#include "platform/MessageBox.h"
#include "platform/Resume.h"
#include "shell/AccesBase.h"
#include "shell/Frmmain.h"
#include "shell/General.h"
#include "shell/Images.h"
#include "shell/Skin.h"

namespace {
const QColor& kTexte = Skin::kCreme;

}  // namespace

Manuelle::Manuelle() : DialogFrame(QStringLiteral("Manuelle"), 0) {
    DisposerFenetreTravail(QStringLiteral("Création Recette"));
    Scroll0.Move(-10, -20, 12000, 8300);

    FicheSaisie::PlacerPhoto(CadrePhoto, Photo);
    CadrePhoto.installEventFilter(this);
    Photo.installEventFilter(this);

    FicheSaisie::PlacerLibelles(Libelle, Scroll0.Content());

    Recette.Move(3240, 480, 3135, 330);
    Recette.setAccessibleName(QStringLiteral("Recette"));

    struct Liste_ {
        double left, top, width, height;
        bool saisie;
        int libelle;
    };
    const Liste_ listes[6] = {
        {240, 3960, 1815, 315, false, 8},   {2160, 3960, 1935, 315, false, 9},
        {4200, 3960, 2175, 315, false, 10}, {3240, 1340, 3135, 330, true, 7},
        {3240, 2240, 3135, 330, true, 1},   {3240, 3050, 3135, 330, true, 2},
    };
    for (int i = 0; i < 6; ++i) {
        const Liste_& d = listes[i];
        auto c = std::make_unique<platform::ComboBox>(Scroll0.Content());
        c->Move(d.left, d.top, d.width, d.height);
        c->SetEditable(d.saisie);
        c->setAccessibleName(Libelle[static_cast<size_t>(d.libelle)]->Caption());
        connect(c.get(), &platform::ComboBox::Click, this, [this, i] { Liste_Click(i); });
        Liste[static_cast<size_t>(i)] = std::move(c);
    }
    platform::MemeTaille({Liste[0].get(), Liste[1].get(), Liste[2].get()});

    FicheSaisie::PlacerSaisies(Saisie, Libelle, Scroll0.Content());
    for (int i = 0; i < 4; ++i)
        connect(Saisie[static_cast<size_t>(i)].get(), &platform::TextBox::Click, this,
                [this, i] { Saisie_Click(i); });

    FicheSaisie::PlacerLignes(Qte, Qte2, Ingre, Scroll1);
    for (int i = 0; i < Creation::kLignes; ++i) {
        const size_t k = static_cast<size_t>(i);
        connect(Qte[k].get(), &platform::TextBox::Click, this, [this, i] { Qte_Click(i); });
        connect(Qte2[k].get(), &platform::TextBox::Click, this, [this, i] { Qte2_Click(i); });
        connect(Ingre[k].get(), &platform::TextBox::Click, this, [this, i] { Ingre_Click(i); });
    }

    // The pick-lists float over the grid, hidden until a cell is clicked.
    const std::pair<platform::ComboBox*, const char*> picks[] = {
        {&LQte, "Quantités"}, {&LQte2, "Mesures"}, {&LIngre, "Ingrédients"}};
    for (auto [l, nom] : picks) {
        l->SetEditable(true);
        l->SetHeight(315);
        l->setAccessibleName(QString::fromUtf8(nom));
        l->raise();
        l->hide();
    }
    LQte.SetWidth(975);
    LQte2.SetWidth(1575);
    LIngre.SetWidth(3530);
    connect(&LQte, &platform::ComboBox::Change, this, &Manuelle::LQte_Change);
    connect(&LQte, &platform::ComboBox::Click, this, &Manuelle::LQte_Change);
    connect(&LQte2, &platform::ComboBox::Change, this, &Manuelle::LQte2_Change);
    connect(&LQte2, &platform::ComboBox::Click, this, &Manuelle::LQte2_Change);
    connect(&LIngre, &platform::ComboBox::Change, this, &Manuelle::LIngre_Change);
    connect(&LIngre, &platform::ComboBox::Click, this, &Manuelle::LIngre_Change);

    Creer.Move(8040, 7000, 1935, 795);
    Creer.SetCaption(QStringLiteral("Créer"));
    Creer.Icon = Skin::Picture(QStringLiteral("ok_icon"), {64, 64});
    Skin::Habiller(Creer, QStringLiteral("ok_face"));
    connect(&Creer, &platform::PictureButton::Click, this, [this] { Creer_Click(); });

    // The panels hold the form and are no stop of the keyboard.
    for (platform::ScrollPanel* s : Scroll) s->setFocusPolicy(Qt::NoFocus);
    // Qt's own chain, which moves the focus off a control that hides,
    // follows the same order.
    QList<QWidget*> chaine;
    for (QWidget* w : Arrets()) chaine << (w->focusProxy() ? w->focusProxy() : w);
    OrdreClavier(chaine);
}

QList<QWidget*> Manuelle::Arrets() {
    // The name, the three lists under it, the levels, the texts, the
    // ingredient grid line by line, then the buttons.
    QList<QWidget*> a{&Recette};
    for (size_t i : {3, 4, 5, 0, 1, 2}) a << Liste[i].get();
    for (auto& t : Saisie) a << t.get();
    for (size_t k = 0; k < Creation::kLignes; ++k)
        for (auto [colonne, liste] : {std::pair{&Qte, &LQte}, {&Qte2, &LQte2}, {&Ingre, &LIngre}}) {
            platform::TextBox* cellule = (*colonne)[k].get();
            a << (liste->Visible() && Cellule(*liste) == cellule ? static_cast<QWidget*>(liste)
                                                                 : cellule);
        }
    a << &Creer << &Mini << &Quit;
    return a;
}

bool Manuelle::focusNextPrevChild(bool next) {
    const QList<QWidget*> a = Arrets();
    QWidget* f = QApplication::focusWidget();
    qsizetype i = -1;
    for (qsizetype k = 0; k < a.size() && i < 0; ++k)
        if (f && (a[k] == f || a[k]->isAncestorOf(f))) i = k;
    if (i < 0) return DialogFrame::focusNextPrevChild(next);
    const qsizetype n = a.size();
    for (qsizetype pas = 1; pas < n; ++pas) {
        QWidget* w = a[((i + (next ? pas : -pas)) % n + n) % n];
        QWidget* cible = w->focusProxy() ? w->focusProxy() : w;
        if (!w->isVisibleTo(this) || !w->isEnabled() || !(cible->focusPolicy() & Qt::TabFocus))
            continue;
        w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }
    return false;
}

void Manuelle::Form_Load() {
    Frmmain& f = Frmmain::Instance();
    Habillage h;
    h.fondPrincipal = true;
    h.modeSplash = true;
    RecetteCreee = false;
    ChargerHabillage(h);
    for (platform::ScrollPanel* s : Scroll) s->SetPicture(f.Liste.Picture());
    Photo.setCursor(f.Liste.MouseIcon());
    for (auto& l : Liste) l->setCursor(f.Liste.MouseIcon());
    ChargerCoutDiffTeneur();
    const std::pair<const char*, platform::ComboBox*> tables[] = {
        {"Categorie", Liste[3].get()}, {"Verre", Liste[4].get()}, {"Realisation", Liste[5].get()},
        {"Quantite", &LQte},           {"Mesure", &LQte2},        {"Ingredient", &LIngre}};
    // A file that cannot be read is told; the window opens all the same and
    // a creation will say what fails.
    platform::Reported(
        [&] {
            for (auto [table, liste] : tables)
                AccesBase::RemplirListeTable(QString::fromLatin1(table), QString::fromLatin1(table),
                                             1, *liste);
        },
        this);
}

void Manuelle::ChargerCoutDiffTeneur() {
    const QStringList* mots[3] = {&General::Couts, &General::Difficultes, &General::Teneurs};
    for (size_t i = 0; i < 3; ++i) {
        for (const QString& m : *mots[i]) Liste[i]->AddItem(m);
        Liste[i]->SetListIndex(0);
    }
}

void Manuelle::ReinitChamps() {
    Recette.SetText(QString());
    for (auto& s : Saisie) s->SetText(QString());
    for (size_t i = 0; i < 3; ++i) Liste[i]->SetListIndex(0);
    for (size_t i = 3; i < 6; ++i) Liste[i]->SetText(QString());
    Photo.Tag.clear();
    Photo.SetPicture(QPixmap());
    for (int i = 0; i < Creation::kLignes; ++i) {
        const size_t k = static_cast<size_t>(i);
        Qte[k]->SetText(QString());
        Qte2[k]->SetText(QString());
        Ingre[k]->SetText(QString());
    }
    // A pick-list left on its line shows that line, now empty.
    for (platform::ComboBox* l : {&LQte, &LQte2, &LIngre}) l->SetText(QString());
}

void Manuelle::CreerRecette() {
    Creation::CreerRecette(*this, Creation::Variante::Manuelle);
}

Creation::Fiche Manuelle::LireFiche() const {
    Creation::Fiche f = FicheSaisie::LireChamps(*this);
    for (size_t i = 0; i < 3; ++i) f.Niveaux[i] = Liste[i]->ListIndex();
    return f;
}

void Manuelle::DonnerFocus(Creation::Champ champ) {
    FicheSaisie::DonnerFocus(*this, champ);
}

void Manuelle::RecetteEcrite(const Creation::Resultat& r) {
    RecetteCreee = true;
    CreationFaite = true;
    const Creation::Nouveaux& n = r.Ajouts;
    const std::pair<const QStringList*, platform::ComboBox*> listes[] = {
        {&n.Categories, Liste[3].get()},
        {&n.Verres, Liste[4].get()},
        {&n.Realisations, Liste[5].get()},
        {&n.Quantites, &LQte},
        {&n.Mesures, &LQte2},
        {&n.Ingredients, &LIngre}};
    for (auto [textes, liste] : listes)
        for (const QString& t : *textes) liste->AddItem(t);
}

platform::TextBox* Manuelle::Cellule(const platform::ComboBox& l) {
    FicheSaisie::Lignes& x = &l == &LQte ? Qte : &l == &LQte2 ? Qte2 : Ingre;
    bool ok = false;
    const int i = l.Tag.toInt(&ok);
    // Not yet placed on a line.
    if (!ok || i < 0 || i >= Creation::kLignes) return nullptr;
    return x[static_cast<size_t>(i)].get();
}

void Manuelle::Placer(platform::ComboBox& l, int i) {
    if (platform::TextBox* avant = Cellule(l)) avant->Editor()->setFocusPolicy(Qt::StrongFocus);
    l.Tag = QString::number(i);
    platform::TextBox& x = *Cellule(l);
    l.Move(x.Left(), x.Top(), x.Width(), l.Height());
    // What the line shows is what it holds, and so what Créer stores.
    l.SetText(x.Text());
    l.SetVisible(true);
    // The cell lies hidden under the list: the keys typed, the click's
    // included, go to the list, which copies them into the cell; Tab
    // stops at the list in the cell's place (Arrets).
    QWidget* cellule = x.Editor();
    const bool avaitLeClavier = cellule->hasFocus();
    const int curseur = x.MultiLine() ? 0 : static_cast<QLineEdit*>(cellule)->cursorPosition();
    cellule->setFocusPolicy(Qt::NoFocus);
    if (avaitLeClavier) {
        l.setFocus(Qt::MouseFocusReason);
        if (l.lineEdit()) l.lineEdit()->setCursorPosition(curseur);
    }
}

void Manuelle::Cacher(platform::ComboBox& l) {
    if (!l.Visible()) return;
    l.SetVisible(false);
    if (platform::TextBox* x = Cellule(l)) x->Editor()->setFocusPolicy(Qt::StrongFocus);
}

void Manuelle::Qte_Click(int i) {
    Placer(LQte, i);
    LQte.raise();
    Cacher(LQte2);
    Cacher(LIngre);
}

void Manuelle::Qte2_Click(int i) {
    Placer(LQte2, i);
    Cacher(LQte);
    Cacher(LIngre);
}

void Manuelle::Ingre_Click(int i) {
    Placer(LIngre, i);
    Cacher(LQte2);
    Cacher(LQte);
}

void Manuelle::Copier(const platform::ComboBox& l) {
    if (platform::TextBox* x = Cellule(l)) x->SetText(l.Text());
}

void Manuelle::LQte_Change() {
    Copier(LQte);
}
void Manuelle::LQte2_Change() {
    Copier(LQte2);
}
void Manuelle::LIngre_Change() {
    Copier(LIngre);
}

void Manuelle::CacherListes() {
    for (platform::ComboBox* l : {&LQte2, &LQte, &LIngre}) Cacher(*l);
}

void Manuelle::Liste_Click(int) {
    CacherListes();
}

void Manuelle::Saisie_Click(int) {
    CacherListes();
}

void Manuelle::CadrePhoto_Click() {
    General::ChercherImage(Photo, CadrePhoto);
}

void Manuelle::Photo_Click() {
    CacherListes();
    CadrePhoto_Click();
}

void Manuelle::Creer_Click() {
    if (!Creer.Value()) return;
    platform::Finally relache([this] { Creer.SetValue(false); });
    RecetteCreee = false;
    CreerRecette();
    Creer.SetValue(false);
    if (RecetteCreee) {
        ReinitChamps();
        platform::MsgBox(QStringLiteral("Création réussie ! "), platform::vbInformation);
    }
}

void Manuelle::Quit_Click() {
    if (!Quit.Value()) return;
    Quit.SetValue(false);
    Fermer();
}

void Manuelle::Fermer() {
    // The main list shows every recipe created since the window opened; a
    // failing refresh is told and the window still closes.
    if (CreationFaite) platform::Reported([] { General::AfficherListe(General::Tris()); }, this);
    Unload();
}

void Manuelle::reject() {}

void Manuelle::closeEvent(QCloseEvent* e) {
    e->accept();
    if (Loaded() && &Instance() == this) Fermer();
}

bool Manuelle::eventFilter(QObject* o, QEvent* e) {
    if ((o == &CadrePhoto || o == &Photo) &&
        (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonRelease) &&
        static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        if (e->type() == QEvent::MouseButtonRelease)
            platform::Reported(
                [&] {
                    if (o == &Photo)
                        Photo_Click();
                    else
                        CadrePhoto_Click();
                },
                this);
        return true;
    }
    return DialogFrame::eventFilter(o, e);
}
