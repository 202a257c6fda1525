#include "card/FrmFind.h"

#include "card/Habillage.h"
#include "db/Schema.h"
#include "platform/AppFolder.h"
#include "platform/MessageBox.h"
#include "platform/Resume.h"
#include "platform/Settings.h"
#include "platform/VbText.h"
#include "shell/AccesBase.h"
#include "shell/Frmmain.h"
#include "shell/General.h"
#include "shell/Skin.h"

namespace {

const QColor& kTexte = Skin::kCreme;
const QColor& kTitre = Skin::kOr;
const QColor kRepos(0, 0, 0);
const QColor kSurvol(0, 0, 255);

struct Genre {
    const char* table;
    const char* cle;  // the number column
    const char* nom;  // the name column
    int icone;
    int kind;  // the main list's kind
};
// Indexed by the kind option.
const Genre kGenres[4] = {
    {"Cocktails", "Numero", "Recette", 1, 0},
    {"Categorie", "NCategorie", "Categorie", 2, 1},
    {"Verre", "NVerre", "Verre", 3, 2},
    {"Ingredient", "NIngredient", "Ingredient", 7, 6},
};

const Genre& GenreDe(const QString& table) {
    for (const Genre& g : kGenres)
        if (table == QLatin1String(g.table)) return g;
    return kGenres[0];
}

void Clair(QWidget& w) {
    QPalette p = w.palette();
    p.setColor(QPalette::WindowText, kTexte);
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(130, 120, 110));
    w.setPalette(p);
}

// The entry of the key is still in its table (with a name, as the main
// list shows only named rows).
bool Existe(const Genre& g, const QString& key) {
    auto d = db::OpenDb();
    auto rs = d.OpenRecordset(
        QStringLiteral("Select ") + QLatin1String(g.cle) + QStringLiteral(" From ") +
        QLatin1String(g.table) + QStringLiteral(" where ") + QLatin1String(g.cle) +
        QStringLiteral(" = ") + QString::number(platform::Val(key)) + QStringLiteral(" and ") +
        QLatin1String(g.nom) + QStringLiteral(" is not null"));
    return rs.RecordCount() > 0;
}

}  // namespace

FrmFind::FrmFind() : DialogFrame(QStringLiteral("FrmFind"), 5) {
    DisposerFenetreTravail(QStringLiteral("Recherche multicritères"));
    SSPanel1.Move(0, 0, 11775, 8100);
    SSPanel1.SetPicture(Skin::Picture(QStringLiteral("work_panel"), SSPanel1.size()));

    const char* const titres[3] = {"Saisir le mot recherché", "Résultats de Recherche", ""};
    const double places[3][4] = {
        {600, 460, 2280, 240}, {6120, 465, 2340, 240}, {6120, 7560, 75, 240}};
    for (size_t i = 0; i < L.size(); ++i) {
        L[i] = std::make_unique<platform::Label>(&SSPanel1);
        L[i]->Move(places[i][0], places[i][1], places[i][2], places[i][3]);
        L[i]->setFont(platform::SkinFont(9.75));
        L[i]->SetCaption(QString::fromUtf8(titres[i]));
        L[i]->SetForeColor(kTitre);
    }
    L[0]->setBuddy(Saisie.Editor());

    Saisie.Move(440, 730, 5000, 300);
    Saisie.setAccessibleName(L[0]->Caption());
    Saisie.Editor()->setAccessibleName(L[0]->Caption());

    SSPanel2.Move(460, 1040, 4935, 500);
    const char* const choix[2] = {"Commençant par", "Rechercher Partout"};
    const double choixPlaces[2][3] = {{0, 2055}, {2600, 2415}};
    for (size_t i = 0; i < Choix.size(); ++i) {
        Choix[i] = std::make_unique<platform::OptionButton>(&SSPanel2);
        Choix[i]->Move(choixPlaces[i][0], 0, choixPlaces[i][1], 375);
        Choix[i]->SetCaption(QString::fromUtf8(choix[i]));
        Clair(*Choix[i]);
    }
    Choix[0]->SetValue(true);

    const char* const genres[4] = {"Liste des Cocktails", "Liste des Catégorie", "Liste des Verres",
                                   "Liste des Ingrédients"};
    const double genrePlaces[4][3] = {
        {600, 3000, 4575}, {3000, 2400, 2295}, {600, 2400, 2055}, {600, 1800, 4575}};
    for (int i = 0; i < 4; ++i) {
        auto& o = Opt_Liste[static_cast<size_t>(i)];
        o = std::make_unique<platform::OptionButton>(&SSPanel1);
        o->Move(genrePlaces[i][0], genrePlaces[i][1], genrePlaces[i][2], 375);
        o->SetCaption(QString::fromUtf8(genres[i]));
        Clair(*o);
        connect(o.get(), &platform::OptionButton::Click, this, [this, i] { Opt_Liste_Click(i); });
    }
    Opt_Liste[0]->SetValue(true);

    const char* const criteres[3] = {"Coût", "Difficulté", "Teneur en Alcool"};
    const double chkPlaces[3][3] = {{600, 3480, 1575}, {600, 5440, 1575}, {3000, 3480, 2415}};
    const double listPlaces[3][4] = {
        {600, 3800, 2175, 1500}, {600, 5760, 2175, 1500}, {3000, 3800, 2175, 1980}};
    for (int i = 0; i < 3; ++i) {
        const auto k = static_cast<size_t>(i);
        Chk[k] = std::make_unique<platform::CheckBox>(&SSPanel1);
        Chk[k]->Move(chkPlaces[i][0], chkPlaces[i][1], chkPlaces[i][2], 375);
        Chk[k]->SetCaption(QString::fromUtf8(criteres[i]));
        Clair(*Chk[k]);
        connect(Chk[k].get(), &platform::CheckBox::Click, this, [this, i] { Chk_Click(i); });
        LChk[k] = std::make_unique<platform::ListBox>(&SSPanel1);
        LChk[k]->Move(listPlaces[i][0], listPlaces[i][1], listPlaces[i][2], listPlaces[i][3]);
        LChk[k]->setAccessibleName(Chk[k]->Caption());
    }

    Creer.Move(3120, 6450, 1935, 795);
    Creer.SetCaption(QStringLiteral("Rechercher"));
    Creer.setAccessibleName(Creer.Caption());
    Creer.Icon = Skin::Picture(QStringLiteral("tool_4"), {64, 64});
    Skin::Habiller(Creer, QStringLiteral("ok_face"));
    Creer.SetForeColor(kRepos);
    // A failing read is told to the user; the window stays as it was.
    connect(&Creer, &platform::PictureButton::Click, this,
            [this] { platform::Reported([this] { Creer_Click(); }, this); });
    connect(&Creer, &platform::PictureButton::MouseEnter, this,
            [this] { Creer.SetForeColor(kSurvol); });
    connect(&Creer, &platform::PictureButton::MouseLeave, this,
            [this] { Creer.SetForeColor(kRepos); });

    Liste.Move(5985, 735, 5310, 6770);
    Liste.setAccessibleName(L[1]->Caption());
    connect(&Liste, &QTreeWidget::itemDoubleClicked, this,
            [this] { platform::Reported([this] { Liste_DblClick(); }, this); });

    // The tab order follows the work: word, way of matching, kind, criteria.
    OrdreClavier({Saisie.Editor(), Choix[0].get(), Choix[1].get(), Opt_Liste[3].get(),
                  Opt_Liste[2].get(), Opt_Liste[1].get(), Opt_Liste[0].get(), Chk[0].get(),
                  LChk[0].get(), Chk[2].get(), LChk[2].get(), Chk[1].get(), LChk[1].get(), &Creer,
                  &Liste});
}

void FrmFind::Form_Load() {
    Habillage h;
    h.fondPrincipal = true;
    ChargerHabillage(h);
    Frmmain& f = Frmmain::Instance();
    Carte::HabillerListe(Liste);

    // The level lists in the colours of the result list, on a plain ground.
    QPalette niveaux = Liste.palette();
    niveaux.setColor(QPalette::Base, QColor(22, 18, 44));
    niveaux.setColor(QPalette::Disabled, QPalette::Text, QColor(110, 100, 96));
    niveaux.setColor(QPalette::Disabled, QPalette::Base, QColor(34, 30, 44));
    const QStringList* mots[3] = {&General::Couts, &General::Difficultes, &General::Teneurs};
    for (size_t i = 0; i < LChk.size(); ++i) {
        LChk[i]->Clear();
        for (const QString& m : *mots[i]) LChk[i]->AddItem(m);
        LChk[i]->setCursor(f.Liste.MouseIcon());
        LChk[i]->setPalette(niveaux);
    }
    Liste.SetMouseIcon(f.Liste.MouseIcon());
    Liste.UseCustomPointer(true);

    TableRecherche = QStringLiteral("Cocktails");
    IconeRecherche = 1;
    TableResultats = TableRecherche;
    Liste.SetColumnHeader(QStringLiteral("Titre"), Liste.Width() - 400);
    // Opening a result depends on the main window's list: this window goes
    // with it.
    connect(&f, &QObject::destroyed, this, [] { Unload(); });
}

void FrmFind::Opt_Liste_Click(int Index) {
    if (!Opt_Liste[static_cast<size_t>(Index)]->Value()) return;
    for (size_t j = 0; j < LChk.size(); ++j) {
        LChk[j]->SetEnabled(Index == 0);
        Chk[j]->SetEnabled(Index == 0);
    }
    TableRecherche = QLatin1String(kGenres[Index].table);
    IconeRecherche = kGenres[Index].icone;
}

void FrmFind::Chk_Click(int Index) {
    const auto i = static_cast<size_t>(Index);
    if (Chk[i]->Value() && LChk[i]->ListIndex() < 0) LChk[i]->SetListIndex(0);
}

QString FrmFind::Requete() const {
    const Genre& g = GenreDe(TableRecherche);
    // Only the two columns the search reads: photos and long texts stay on disk.
    const QString colonnes = QLatin1String(g.cle) + QStringLiteral(", ") + QLatin1String(g.nom);
    const QString debut = QStringLiteral("Select ") + colonnes + QStringLiteral(" From ");
    if (TableRecherche != QLatin1String("Cocktails"))
        return debut + TableRecherche + QStringLiteral(" order by ") + TableRecherche +
               QStringLiteral(" asc ");
    QString sql = debut + TableRecherche + QStringLiteral(" where Numero > 0 ");
    const char* const clauses[3] = {" and Cout = ", " and Difficulte = ", " and Teneur = "};
    for (size_t i = 0; i < Chk.size(); ++i)
        if (Chk[i]->Value())
            sql += QLatin1String(clauses[i]) + platform::Str(std::max(0, LChk[i]->ListIndex()));
    return sql + QStringLiteral("   order by Numero desc");
}

void FrmFind::Creer_Click() {
    if (!Creer.Value()) return;
    platform::Finally release([this] { Creer.SetValue(false); });
    // A ticked criterion always has its level: entry 0 when none is chosen.
    if (TableRecherche == QLatin1String("Cocktails"))
        for (int i = 0; i < 3; ++i) Chk_Click(i);
    TableResultats = TableRecherche;
    AccesBase::RechercherTexte(Requete(), Liste, IconeRecherche, Choix[0]->Value(), Saisie.Text());
}

void FrmFind::Liste_DblClick() {
    const platform::ListItem* choisi = Liste.SelectedItem();
    if (!choisi) return;
    const QString key = choisi->Key();
    const Genre& g = GenreDe(TableResultats);
    Frmmain& f = Frmmain::Instance();
    int saved = General::Tris();
    if (g.kind != saved) {
        // An entry deleted since the search opens nothing and changes nothing.
        if (!Existe(g, platform::KeyNumber(key))) return;
        saved = g.kind;
        General::AfficherListe(g.kind);
    }
    platform::ListItem* item = f.Liste.Find(key);
    if (!item) return;
    f.Liste.Select(item);
    f.ListeHaute();
    f.Liste.scrollToItem(item);
    platform::SaveSetting(platform::AppTitle(), QStringLiteral("Settings"), QStringLiteral("Tris"),
                          QString::number(saved));
    Unload();
}

void FrmFind::Quit_Click() {
    if (!Quit.Value()) return;
    Quit.SetValue(false);
    hide();
}
