#include "recipe_view/CadreRecette.h"

#include <QFileInfo>

#include "db/Photo.h"
#include "db/Schema.h"
#include "platform/Database.h"
#include "platform/MessageBox.h"
#include "platform/Resume.h"
#include "platform/Screen.h"
#include "platform/VbText.h"
#include "shell/AccesBase.h"
#include "shell/Frmmain.h"
#include "shell/General.h"
#include "shell/Images.h"
#include "shell/Skin.h"

using platform::Trim;

namespace {

// The margin between a heading and the box above it, and at the right edge.
constexpr double kMarge = 400;
// Between two ingredient rows.
constexpr double kEntreLignes = 200;

const QColor kFondSaisie(36, 28, 30);

struct Geometrie {
    double l, t, w, h;
};

// The number a lookup column holds, as it is pasted into a query; none when
// the column has no value or is not a whole number, which then finds no row.
std::optional<long long> Numero(const QVariant& v) {
    if (v.isNull()) return std::nullopt;
    bool ok = false;
    const long long n = Trim(v.toString()).toLongLong(&ok);
    if (!ok) return std::nullopt;
    return n;
}

// Column `colonne` of the first row whose key is `numero`, as stored; an
// empty optional when there is no such row.
std::optional<QString> Lookup(platform::Database& d, const QString& sql,
                              const std::optional<long long>& numero, const char* colonne) {
    if (!numero) return std::nullopt;
    auto rs = d.OpenRecordset(sql.arg(*numero));
    if (rs.RecordCount() == 0) return std::nullopt;
    return rs.Text(QString::fromLatin1(colonne));
}

// The same, where a query the collection refuses (a table of a damaged file
// is missing) also counts as no row: that caption is then empty, and the
// damage was told when the collection was opened.
std::optional<QString> LookupOrNone(platform::Database& d, const QString& sql,
                                    const std::optional<long long>& numero, const char* colonne) {
    try {
        return Lookup(d, sql, numero, colonne);
    } catch (const platform::DbError&) {
        return std::nullopt;
    }
}

// A level word, or nothing for a number outside its array.
QString Niveau(const QStringList& mots, const QVariant& v) {
    const auto n = Numero(v);
    if (!n || *n < 0 || *n >= mots.size()) return QString();
    return mots.at(static_cast<qsizetype>(*n));
}

}  // namespace

const QString& CadreRecette::Pointilles() {
    static const QString s(855, u'.');
    return s;
}

CadreRecette::CadreRecette(platform::ScrollPanel& scroll, const platform::Panel& cadre)
    : Scroll(scroll),
      Contenu(scroll.Content()),
      Cadre(cadre),
      CadrePhoto(scroll.Content()),
      LCout(scroll.Content()),
      LDiff(scroll.Content()),
      LTeneur(scroll.Content()),
      LCategorie(scroll.Content()),
      LVerre(scroll.Content()),
      LMateriel(scroll.Content()),
      LQuantite(scroll.Content()),
      LMesure(scroll.Content()),
      LIngre(scroll.Content()) {
    CadrePhoto.Move(240, 240, 2775, 3135);
    CadrePhoto.SetCaption(QStringLiteral("Pas de photo"));
    CadrePhoto.SetAlignment(Qt::AlignCenter);
    CadrePhoto.SetForeColor(Skin::kCreme);
    CadrePhoto.SetPicture(Skin::Picture(QStringLiteral("photo_frame"), CadrePhoto.size()));
    Photo.Move(120, 120, 2535, 2895);
    Photo.setToolTip(QStringLiteral("Cliquer ICI pour modifier l'image"));
    Photo.setAccessibleName(Photo.toolTip());

    const struct {
        int i;
        const char* caption;
        Geometrie g;
    } libelles[] = {
        {7, "Catégorie", {3240, 240, 1065, 240}},
        {1, "Type de verre", {3240, 1080, 1500, 240}},
        {2, "Matériel", {3240, 2040, 885, 240}},
        {8, "Coût", {240, 3600, 510, 240}},
        {9, "Difficulté", {2160, 3630, 945, 240}},
        {10, "Teneur en alcool", {4080, 3630, 1785, 240}},
        {0, "Ingrédients", {240, 4830, 1260, 240}},
        {3, "Préparation", {240, 5670, 1275, 240}},
        {4, "Décoration", {240, 7320, 1185, 240}},
        {5, "Description", {240, 9000, 1230, 240}},
        {6, "Histoire", {240, 10665, 855, 240}},
    };
    for (const auto& l : libelles) {
        auto& lab = Libelle.Set(l.i, std::make_unique<platform::Label>(Contenu));
        lab.Move(l.g.l, l.g.t, l.g.w, l.g.h);
        lab.SetCaption(QString::fromUtf8(l.caption));
        lab.setFont(platform::SkinFont(9.75, true, true));
        lab.SetForeColor(Skin::kOr);
    }

    const struct {
        int i;
        Geometrie g;
        double points;
        int libelle;  // the heading it stands under
    } data[] = {
        {6, {3240, 480, 3135, 375}, 9.75, 7},  {0, {3240, 1320, 3135, 375}, 9.75, 1},
        {1, {3240, 2280, 3135, 375}, 9.75, 2}, {2, {240, 3840, 1815, 330}, 8.25, 8},
        {3, {2160, 3840, 1815, 330}, 8.25, 9}, {4, {4080, 3840, 1815, 330}, 8.25, 10},
    };
    for (const auto& d : data) {
        auto& b = Data.Set(d.i, std::make_unique<platform::PictureButton>(Contenu));
        b.Move(d.g.l, d.g.t, d.g.w, d.g.h);
        b.setFont(platform::SkinFont(d.points));
        b.setAccessibleDescription(Libelle[d.libelle].Caption());
        Habiller(b);
    }

    auto cellule = [this](platform::ControlArray<platform::PictureButton>& a, Geometrie g,
                          const char* colonne) {
        auto& b = a.Set(0, std::make_unique<platform::PictureButton>(Contenu));
        b.setAccessibleDescription(QString::fromUtf8(colonne));
        b.Move(g.l, g.t, g.w, g.h);
        b.setFont(platform::SkinFont(9.75));
        Habiller(b);
    };
    cellule(Quantite, {240, 5070, 645, 360}, "Quantité");
    cellule(Mesure, {900, 5070, 2205, 360}, "Mesure");
    cellule(Ingre, {3120, 5070, 3735, 360}, "Ingrédient");

    const Geometrie saisies[4] = {{240, 6000, 7095, 1455},
                                  {240, 7560, 7095, 1455},
                                  {240, 9165, 7095, 1455},
                                  {240, 10980, 7095, 1455}};
    const char* const noms[4] = {"Préparation", "Décoration", "Description", "Histoire"};
    for (int i = 0; i < 4; ++i) {
        Saisie[static_cast<size_t>(i)] = std::make_unique<platform::TextBox>(Contenu, true);
        platform::TextBox& t = *Saisie[static_cast<size_t>(i)];
        t.Move(saisies[i].l, saisies[i].t, saisies[i].w, saisies[i].h);
        t.setAccessibleName(QString::fromUtf8(noms[i]));
        t.Editor()->setAccessibleName(t.accessibleName());
        QPalette p = t.Editor()->palette();
        p.setColor(QPalette::Base, kFondSaisie);
        p.setColor(QPalette::Text, Skin::kCreme);
        t.Editor()->setPalette(p);
    }

    for (platform::ComboBox* l : {&LCategorie, &LVerre, &LMateriel}) l->Move(0, 0, 1815, 360);
    for (platform::ComboBox* l : {&LCout, &LDiff, &LTeneur}) l->Move(0, 0, 1815, 330);
    LQuantite.Move(0, 0, 1530, 360);
    LMesure.Move(0, 0, 2205, 360);
    LIngre.Move(0, 0, 3735, 360);
    for (platform::ComboBox* l : {&LCategorie, &LVerre, &LMateriel, &LQuantite, &LMesure, &LIngre})
        l->SetEditable(true);
    const char* const listes[9] = {"Coût",      "Difficulté",    "Teneur en alcool",
                                   "Catégorie", "Type de verre", "Matériel",
                                   "Quantité",  "Mesure",        "Ingrédient"};
    int k = 0;
    for (platform::ComboBox* l : {&LCout, &LDiff, &LTeneur, &LCategorie, &LVerre, &LMateriel,
                                  &LQuantite, &LMesure, &LIngre}) {
        l->setAccessibleName(QString::fromUtf8(listes[k++]));
        // Dark like the cells they lie over, in the panel's cream text.
        QPalette p = l->palette();
        p.setColor(QPalette::Base, kFondSaisie);
        p.setColor(QPalette::Button, kFondSaisie);
        p.setColor(QPalette::Text, Skin::kCreme);
        p.setColor(QPalette::ButtonText, Skin::kCreme);
        p.setColor(QPalette::Window, kFondSaisie);
        p.setColor(QPalette::WindowText, Skin::kCreme);
        l->setPalette(p);
        l->view()->setPalette(p);
        l->hide();
    }
    ConnecterEditeurs();
}

CadreRecette::~CadreRecette() = default;

void CadreRecette::Habiller(platform::PictureButton& b) {
    const QSize s(std::max(1, b.width()), std::max(1, b.height()));
    b.PictureUp = Skin::Picture(QStringLiteral("cell_normal"), s);
    b.PictureDn = Skin::Picture(QStringLiteral("cell_pressed"), s);
    b.PictureHover = b.PictureUp;
    b.ShowPicture(b.PictureUp);
    b.ForeColor = Skin::kCreme;
    b.TextFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
}

void CadreRecette::CacherListes() {
    for (platform::ComboBox* l : {&LCout, &LDiff, &LTeneur, &LCategorie, &LVerre, &LMateriel,
                                  &LQuantite, &LMesure, &LIngre})
        l->hide();
}

// ------------------------------------------------------------- the rows

void CadreRecette::CreerLigne(int i) {
    for (auto* a : {&Quantite, &Mesure, &Ingre}) {
        const platform::PictureButton& zero = (*a)[0];
        auto& b = a->Set(i, std::make_unique<platform::PictureButton>(Contenu));
        b.hide();
        b.Move(zero.Left(), zero.Top(), zero.Width(), zero.Height());
        b.setFont(zero.Police());
        b.setAccessibleDescription(zero.accessibleDescription());
        Habiller(b);
        b.SetCaption(QString());
        b.setToolTip(QString());
        b.Tag = QStringLiteral("0");
    }
    ConnecterLigne(i);
}

void CadreRecette::DetruireLignes() {
    for (auto* a : {&Ingre, &Mesure, &Quantite})
        for (int i = a->UBound(); i >= 1; --i) a->Unload(i);
}

void CadreRecette::ChargerIngredients(const QString& n) {
    platform::Hourglass sablier;
    for (auto* a : {&Quantite, &Mesure, &Ingre}) {
        (*a)[0].SetCaption(QString());
        (*a)[0].setToolTip(QString());
        (*a)[0].Tag = QStringLiteral("0");
    }
    DetruireLignes();

    int i = 0;
    platform::Resume([&] {
        auto d = db::OpenDb();
        auto rs = d.OpenRecordset(QStringLiteral("SELECT * From Ingre where Numero = ") + n +
                                  QStringLiteral(" order by Numero desc"));
        // One cell: the lookup text as stored, the placeholder when it is
        // blank or has no row; the tooltip empty when there is no row.
        auto remplir = [&](platform::PictureButton& cell, const QVariant& cle, const char* sql,
                           const char* colonne) {
            platform::Resume([&] {
                const auto texte = Lookup(d, QString::fromLatin1(sql), Numero(cle), colonne);
                cell.SetCaption(texte && !Trim(*texte).isEmpty() ? *texte : Pointilles());
                cell.setToolTip(texte ? *texte : QString());
            });
        };
        for (long r = 0; r < rs.RecordCount(); ++r, rs.MoveNext()) {
            const QVariant ingredient = rs.Fields(QStringLiteral("NIngre"));
            const QVariant quantite = rs.Fields(QStringLiteral("NQuantite"));
            const QVariant mesure = rs.Fields(QStringLiteral("NMesure"));
            if (ingredient.isNull() || quantite.isNull() || mesure.isNull()) continue;
            if (i > 0) CreerLigne(i);
            // The line's stored numbers: the line editor finds the old line
            // by them, whatever the captions show.
            Quantite[i].Tag = QString::number(quantite.toLongLong());
            Mesure[i].Tag = QString::number(mesure.toLongLong());
            Ingre[i].Tag = QString::number(ingredient.toLongLong());
            remplir(Ingre[i], ingredient,
                    "SELECT * From Ingredient where NIngredient = %1 order by Ingredient desc",
                    "Ingredient");
            if (i > 0) {
                const double top = Ingre[i - 1].Top() + Ingre[i - 1].Height() + kEntreLignes;
                Ingre[i].SetTop(top);
                Mesure[i].SetTop(top);
                Quantite[i].SetTop(top);
            }
            Ingre[i].show();
            remplir(Quantite[i], quantite,
                    "SELECT * From Quantite where NQuantite = %1 order by Quantite desc",
                    "Quantite");
            Quantite[i].show();
            remplir(Mesure[i], mesure,
                    "SELECT * From Mesure where NMesure = %1 order by Mesure desc", "Mesure");
            Mesure[i].show();
            ++i;
        }
    });

    if (i > 0) {
        CreerLigne(i);
        for (auto* a : {&Quantite, &Mesure, &Ingre}) {
            (*a)[i].SetCaption(Pointilles());
            (*a)[i].setToolTip(QString());
            (*a)[i].show();
        }
    }
    PlacerCadreRecette();
}

// ------------------------------------------------------------- the load

void CadreRecette::ChargerRecette(const QString& n) {
    ChargerIngredients(n);
    Scroll.SetScrollHeight(0);
    PlacerCadreRecette();

    std::optional<platform::Database> d;
    try {
        d.emplace(db::OpenDb());
        auto rs = d->OpenRecordset(QStringLiteral("SELECT * From Cocktails where Numero = ") + n +
                                   QStringLiteral(" order by Recette asc"));
        if (rs.RecordCount() == 0) {
            // Nothing else changes on screen, but no edit may go anywhere.
            affichee_.reset();
        } else {
            const auto categorie = LookupOrNone(
                *d,
                QStringLiteral(
                    "SELECT * From Categorie where NCategorie = %1 order by Categorie asc"),
                Numero(rs.Fields(QStringLiteral("NCategorie"))), "Categorie");
            const auto verre = LookupOrNone(
                *d, QStringLiteral("SELECT * From Verre where NVerre = %1 order by Verre asc"),
                Numero(rs.Fields(QStringLiteral("Nverre"))), "Verre");
            const auto methode = LookupOrNone(
                *d,
                QStringLiteral(
                    "SELECT * From Realisation where NRealisation = %1 order by Realisation asc"),
                Numero(rs.Fields(QStringLiteral("NReal"))), "Realisation");
            Data[6].SetCaption(categorie.value_or(QString()));
            Data[0].SetCaption(verre.value_or(QString()));
            Data[1].SetCaption(methode.value_or(QString()));

            // From the photo on, a failing step is skipped.
            platform::Resume([&] { AfficherPhoto(rs.Fields(QStringLiteral("Photo"))); });
            const char* const textes[4] = {"preparation", "Deco", "Description", "Histoire"};
            for (int t = 0; t < 4; ++t)
                platform::Resume([&] {
                    Saisie[static_cast<size_t>(t)]->SetText(
                        Trim(rs.Text(QString::fromLatin1(textes[t]))));
                });
            Data[2].SetCaption(Niveau(General::Couts, rs.Fields(QStringLiteral("Cout"))));
            Data[3].SetCaption(
                Niveau(General::Difficultes, rs.Fields(QStringLiteral("difficulte"))));
            Data[4].SetCaption(Niveau(General::Teneurs, rs.Fields(QStringLiteral("Teneur"))));
            affichee_ = rs.Fields(QStringLiteral("Numero")).toLongLong();
        }
    } catch (const std::exception& e) {
        // The panel shows no recipe rather than a mix of two.
        d.reset();
        Vider();
        platform::MsgBox(QStringLiteral("La recette ne peut pas être affichée.\r\r") +
                             QString::fromUtf8(e.what()),
                         platform::vbExclamation);
    }
    d.reset();
    const platform::TextBox& derniere = *Saisie[3];
    Scroll.SetScrollHeight(std::round(derniere.Top() + derniere.Height() + kMarge));
}

void CadreRecette::AfficherPhoto(const QVariant& value) {
    platform::PictureBox& temp = Frmmain::Instance().ImageTemp;
    Photo.SetPicture(QPixmap());
    switch (db::PhotoKindOf(value)) {
        case db::PhotoKind::Inline: {
            // Decoded in memory: no scratch file is left behind, and a
            // read-only application folder does not matter.
            Photo.hide();
            QPixmap p;
            const bool lue = p.loadFromData(db::PhotoShownBytes(value.toString()));
            if (lue) Photo.SetPicture(p);
            CadrePhoto.SetCaption(lue ? QString() : QStringLiteral("Pas de photo"));
            break;
        }
        case db::PhotoKind::Path: {
            Photo.hide();
            const QString chemin = value.toString();
            const bool existe = QFileInfo(chemin).isFile();
            if (existe) Photo.LoadPicture(chemin);
            CadrePhoto.SetCaption(existe ? QString() : QStringLiteral("Pas de photo"));
            break;
        }
        case db::PhotoKind::None:
            CadrePhoto.SetCaption(QStringLiteral("Pas de photo"));
            break;
    }
    temp.SetPicture(Photo.Picture());
    ChargerAlbums::AjusterPhoto(CadrePhoto, Photo);
    Photo.show();
}

void CadreRecette::Vider() {
    affichee_.reset();
    for (int i : {0, 1, 2, 3, 4, 6}) Data[i].SetCaption(QString());
    for (auto& s : Saisie) s->SetText(QString());
    Photo.SetPicture(QPixmap());
    Frmmain::Instance().ImageTemp.SetPicture(QPixmap());
    CadrePhoto.SetCaption(QStringLiteral("Pas de photo"));
    DetruireLignes();
    for (auto* a : {&Quantite, &Mesure, &Ingre}) {
        (*a)[0].SetCaption(QString());
        (*a)[0].setToolTip(QString());
    }
    PlacerCadreRecette();
}

// ----------------------------------------------------------- the layout

void CadreRecette::PlacerCadreRecette() {
    const double M = kMarge;
    Scroll.SetScrollHeight(0);
    const double W = Cadre.Width();
    auto bas = [](const auto& c) { return c.Top() + c.Height(); };

    Ingre.ForEach([&](int, platform::PictureButton& b) { b.SetWidth(W - b.Left() - M); });
    Data[0].SetWidth(W - Data[0].Left() - M);
    LVerre.SetWidth(Data[0].Width());
    Data[1].SetWidth(W - Data[1].Left() - M);
    LMateriel.SetWidth(Data[1].Width());
    Saisie[0]->SetWidth(W - Saisie[0]->Left() - M);
    for (int i = 1; i < 4; ++i) Saisie[static_cast<size_t>(i)]->SetWidth(Saisie[0]->Width());
    Data[6].SetWidth(W - Data[6].Left() - M);
    LCategorie.SetWidth(Data[6].Width());

    Libelle[0].SetTop(bas(Data[2]) + M);
    const double ligne0 = bas(Libelle[0]);
    Quantite[0].SetTop(ligne0);
    Mesure[0].SetTop(ligne0);
    Ingre[0].SetTop(ligne0);
    const int n = Ingre.UBound() + 1;
    for (int i = 1; i < n; ++i) {
        const double top = bas(Ingre[i - 1]) + kEntreLignes;
        Ingre[i].SetTop(top);
        Mesure[i].SetTop(top);
        Quantite[i].SetTop(top);
    }
    Libelle[3].SetTop(std::max(bas(Ingre[n - 1]), bas(CadrePhoto)) + M);

    Data[6].SetTop(bas(Libelle[7]));
    Libelle[1].SetTop(bas(Data[6]) + M);
    Data[0].SetTop(bas(Libelle[1]));
    Libelle[2].SetTop(bas(Data[0]) + M);
    Data[1].SetTop(bas(Libelle[2]));

    Saisie[0]->SetTop(bas(Libelle[3]));
    Libelle[4].SetTop(bas(*Saisie[0]) + M);
    Saisie[1]->SetTop(bas(Libelle[4]));
    Libelle[5].SetTop(bas(*Saisie[1]) + M);
    Saisie[2]->SetTop(bas(Libelle[5]));
    Libelle[6].SetTop(bas(*Saisie[2]) + M);
    Saisie[3]->SetTop(bas(Libelle[6]));

    Scroll.SetScrollHeight(std::round(bas(*Saisie[3]) + 20 * M));
}

void CadreRecette::RemplirListes() {
    // The six database pick-lists, in this order; the three attribute lists
    // then show the recipe's own value.
    AccesBase::RemplirComboTable(LCategorie, QStringLiteral("Categorie"),
                                 QStringLiteral("Categorie"));
    LCategorie.SetText(Data[6].Caption());
    AccesBase::RemplirComboTable(LVerre, QStringLiteral("Verre"), QStringLiteral("Verre"));
    LVerre.SetText(Data[0].Caption());
    AccesBase::RemplirComboTable(LMateriel, QStringLiteral("Realisation"),
                                 QStringLiteral("Realisation"));
    LMateriel.SetText(Data[1].Caption());
    AccesBase::RemplirComboTable(LMesure, QStringLiteral("Mesure"), QStringLiteral("Mesure"));
    AccesBase::RemplirComboTable(LQuantite, QStringLiteral("Quantite"), QStringLiteral("Quantite"));
    AccesBase::RemplirComboTable(LIngre, QStringLiteral("Ingredient"),
                                 QStringLiteral("Ingredient"));
}
