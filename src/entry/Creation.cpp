#include "entry/Creation.h"

#include <exception>
#include <memory>

#include "db/Photo.h"
#include "db/Schema.h"
#include "platform/Database.h"
#include "platform/MessageBox.h"
#include "platform/Screen.h"
#include "platform/VbText.h"
#include "shell/AccesBase.h"
#include "shell/General.h"

using platform::Trim;

namespace Creation {

namespace {

// One lookup table as creation finds and creates its entries.
struct Table {
    const char* nom;     // as the find query writes it
    const char* numero;  // number column read and written
    const char* table;   // for the highest key
    const char* cle;     // key column for the highest key
    const char* ajout;   // table of the new-row query
    const char* texte;   // text column of the new row
    QStringList Nouveaux::*nouveaux;
};

const Table kCategorie{"Categorie", "NCategorie", "Categorie",          "NCategorie",
                       "Categorie", "Categorie",  &Nouveaux::Categories};
const Table kVerre{"verre", "Nverre", "Verre", "Nverre", "verre", "Verre", &Nouveaux::Verres};
const Table kRealisation{"Realisation", "nrealisation", "Realisation",          "NRealisation",
                         "realisation", "Realisation",  &Nouveaux::Realisations};
const Table kQuantite{"Quantite", "NQuantite", "Quantite",          "NQuantite",
                      "Quantite", "Quantite",  &Nouveaux::Quantites};
const Table kMesure{"Mesure", "NMesure", "Mesure",          "NMesure",
                    "Mesure", "Mesure",  &Nouveaux::Mesures};
const Table kIngredient{"Ingredient", "NIngredient", "Ingredient",          "NIngredient",
                        "Ingredient", "Ingredient",  &Nouveaux::Ingredients};

QString L(const char* s) {
    return QString::fromLatin1(s);
}

// Finds the entry of the whole text, letter case ignored, or appends it
// with the next key; the new entry is noted in ajouts.
long long Trouver(platform::Database& d, const Table& t, const QString& texte, Nouveaux& ajouts) {
    {
        auto rs = d.OpenRecordset(QStringLiteral("SELECT * From ") + L(t.nom) +
                                  QStringLiteral(" where ") + L(t.nom) + QStringLiteral(" = '") +
                                  platform::Doubled(texte) + QStringLiteral("' order by ") +
                                  L(t.nom) + QStringLiteral(" asc"));
        if (rs.RecordCount() > 0) return rs.Fields(L(t.numero)).toLongLong();
    }
    const long long n = AccesBase::NouvelleCle(d, L(t.table), L(t.cle));
    auto rs = d.OpenRecordset(QStringLiteral("SELECT * From ") + L(t.ajout));
    rs.AddNew();
    rs.SetField(L(t.numero), n);
    rs.SetField(L(t.texte), texte);
    rs.Update();
    (ajouts.*t.nouveaux) << texte;
    return n;
}

// The fiche with its looked-up texts (category, glass, method, the parts of
// the lines) as the lookup tables keep them.
Fiche Cherchables(Fiche f) {
    for (size_t i = 3; i < f.Liste.size(); ++i) f.Liste[i] = platform::SansNul(f.Liste[i]);
    for (auto* textes : {&f.Qte, &f.Qte2, &f.Ingre})
        for (QString& t : *textes) t = platform::SansNul(t);
    return f;
}

// The value of Photo, or a null value when the column stays unwritten.
QVariant Photo(const Fiche& f, Variante v) {
    if (f.PhotoTag.isEmpty()) return {};
    if (v == Variante::Manuelle) return db::PhotoValue(f.PhotoTag);
    if (!f.PhotoTag.toUpper().contains(QStringLiteral(".JPG"))) return QStringLiteral(" ");
    // A size that does not match the bytes leaves the recipe without photo.
    if (f.PhotoTaille < 0 || f.PhotoTaille > f.PhotoOctets.size()) return {};
    return db::PhotoInline(f.PhotoOctets.left(f.PhotoTaille));
}

}  // namespace

Champ Verifier(const Fiche& fiche) {
    const Fiche f = Cherchables(fiche);
    if (Trim(f.Recette).isEmpty()) return Champ::Recette;
    if (Trim(f.Liste[3]).isEmpty()) return Champ::Categorie;
    if (Trim(f.Liste[4]).isEmpty()) return Champ::Verre;
    if (Trim(f.Liste[5]).isEmpty()) return Champ::Methode;
    return Champ::Aucun;
}

QString MessageRefus(Champ champ) {
    switch (champ) {
        case Champ::Recette:
            return QStringLiteral("Veuillez d'abord saisir le nom de la recette !");
        case Champ::Categorie:
            return QStringLiteral("Veuillez d'abord saisir une catégorie de recette !");
        case Champ::Verre:
            return QStringLiteral("Veuillez d'abord saisir un type de verre !");
        case Champ::Methode:
            return QStringLiteral("Veuillez d'abord saisir une méthode de réalisation !");
        case Champ::Aucun:
            break;
    }
    return QString();
}

QString NomManuelle(const QString& nom) {
    if (nom.left(3).toUpper() == QStringLiteral("LE "))
        return Trim(nom.mid(2)) + QStringLiteral(" (Le)");
    return nom;
}

QString NomFacile(const QString& nom) {
    QString s = nom;
    s.remove(u'"');
    // Only a name that begins with the words loses them: a name that merely
    // holds them stays whole.
    const QString mots = QStringLiteral("Le cocktail");
    if (s.startsWith(mots, Qt::CaseSensitive)) s = Trim(s.mid(mots.size()));
    const QString premiere = s.left(1).toUpper();
    const bool voyelle = !premiere.isEmpty() && QStringLiteral("AEIOUY").contains(premiere);
    return s + (voyelle ? QStringLiteral(" (L')") : QStringLiteral(" (Le)"));
}

QString MethodeFacile(const QString& texte, QString* affiche) {
    QString s = texte;
    s.remove(QStringLiteral("<STRONG>"));
    s.remove(QStringLiteral("</STRONG>"));
    if (affiche) *affiche = s;
    const qsizetype a = s.indexOf(u'"');
    const qsizetype b = a < 0 ? -1 : s.indexOf(u'"', a + 1);
    if (b > a) return s.mid(a + 1, b - a - 1);
    return s;
}

int NiveauMot(const QString& texte, const QStringList& mots) {
    const QString t = Trim(texte).toUpper();
    if (t.isEmpty()) return 0;
    for (qsizetype i = 0; i < mots.size(); ++i)
        if (mots[i].toUpper() == t) return static_cast<int>(i);
    return 0;
}

Resultat Ecrire(const Fiche& fiche, Variante v) {
    const Fiche f = Cherchables(fiche);
    const bool manuelle = v == Variante::Manuelle;
    Resultat r;
    r.Recette = manuelle ? NomManuelle(f.Recette) : NomFacile(f.Recette);
    r.Methode = f.Liste[5];
    const QString methode = manuelle ? f.Liste[5] : MethodeFacile(f.Liste[5], &r.Methode);
    // A picture file that cannot be read stops the creation before the file
    // is opened.
    const QVariant photo = Photo(f, v);

    Nouveaux ajouts;
    auto d = db::OpenDb();
    platform::Transaction t(d);
    r.Numero = AccesBase::NouvelleCle(d, QStringLiteral("Cocktails"), QStringLiteral("Numero"));
    {
        // The recordsets of the recipe and its lines only append: they read
        // no row of the tables, which grow with the collection.
        auto rs = d.OpenRecordset(QStringLiteral("SELECT * From Cocktails where Numero = ") +
                                  platform::Str(r.Numero));
        rs.AddNew();
        rs.SetField(QStringLiteral("Numero"), r.Numero);
        rs.SetField(QStringLiteral("Recette"), r.Recette);
        rs.SetField(QStringLiteral("NCategorie"), Trouver(d, kCategorie, f.Liste[3], ajouts));
        rs.SetField(QStringLiteral("Nverre"), Trouver(d, kVerre, f.Liste[4], ajouts));
        // A method emptied by the cleaning has number 0: the recipe still
        // loads.
        rs.SetField(QStringLiteral("NReal"),
                    methode.isEmpty() ? 0LL : Trouver(d, kRealisation, methode, ajouts));
        if (!photo.isNull()) rs.SetField(QStringLiteral("Photo"), photo);
        rs.SetField(QStringLiteral("preparation"), f.Saisie[0]);
        rs.SetField(QStringLiteral("Deco"), f.Saisie[1]);
        rs.SetField(QStringLiteral("Description"), f.Saisie[2]);
        rs.SetField(QStringLiteral("Histoire"), f.Saisie[3]);
        std::array<int, 3> niveaux = f.Niveaux;
        if (!manuelle) {
            niveaux[0] = NiveauMot(f.Liste[0], General::Couts);
            niveaux[1] = NiveauMot(f.Liste[1], General::Difficultes);
            niveaux[2] = NiveauMot(f.Liste[2], General::Teneurs);
        }
        rs.SetField(QStringLiteral("Cout"), niveaux[0]);
        rs.SetField(QStringLiteral("difficulte"), niveaux[1]);
        rs.SetField(QStringLiteral("Teneur"), niveaux[2]);
        rs.Update();
    }
    auto lignes = d.OpenRecordset(QStringLiteral("SELECT * From Ingre where Numero = ") +
                                  platform::Str(r.Numero));
    for (int k = 0; k < kLignes; ++k) {
        const size_t i = static_cast<size_t>(manuelle ? k : kLignes - 1 - k);
        if (f.Qte[i].isEmpty() && f.Qte2[i].isEmpty() && f.Ingre[i].isEmpty()) continue;
        long long q = 0, m = 0, ing = 0;
        if (!f.Qte[i].isEmpty()) q = Trouver(d, kQuantite, f.Qte[i], ajouts);
        if (!f.Qte2[i].isEmpty()) m = Trouver(d, kMesure, f.Qte2[i], ajouts);
        if (!f.Ingre[i].isEmpty()) ing = Trouver(d, kIngredient, f.Ingre[i], ajouts);
        lignes.AddNew();
        lignes.SetField(QStringLiteral("Numero"), r.Numero);
        lignes.SetField(QStringLiteral("NQuantite"), q);
        lignes.SetField(QStringLiteral("NMesure"), m);
        lignes.SetField(QStringLiteral("NIngre"), ing);
        lignes.Update();
    }
    lignes.Close();
    t.Commit();
    d.Close();

    r.Ajouts = ajouts;
    if (!manuelle) r.Ajouts.Categories = r.Ajouts.Verres = r.Ajouts.Realisations = {};
    return r;
}

bool CreerRecette(Formulaire& form, Variante v) {
    std::unique_ptr<platform::Hourglass> sablier;
    if (v == Variante::Facile) sablier = std::make_unique<platform::Hourglass>();
    const Fiche f = form.LireFiche();
    const Champ manque = Verifier(f);
    if (manque != Champ::Aucun) {
        sablier.reset();
        platform::MsgBox(MessageRefus(manque), platform::vbExclamation);
        form.DonnerFocus(manque);
        return false;
    }
    Resultat r;
    try {
        r = Ecrire(f, v);
    } catch (const std::exception& e) {
        sablier.reset();
        platform::MsgBox(QStringLiteral("La recette n'a pas été créée et rien n'a été "
                                        "enregistré :\n%1")
                             .arg(QString::fromUtf8(e.what())),
                         platform::vbExclamation);
        return false;
    }
    form.RecetteEcrite(r);
    return true;
}

}  // namespace Creation
