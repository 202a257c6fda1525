#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>

// Writing a new recipe with its missing lookup entries and its ingredient
// lines. The manual entry window and the import window share it; where they
// differ (name, method of making, levels, photo, line order, which lists
// get the new entries) the variant decides.
namespace Creation {

enum class Variante { Manuelle, Facile };

constexpr int kLignes = 7;

// The recipe as the window's controls hold it, texts unchanged.
struct Fiche {
    QString Recette;
    // Liste(0..2): the level words (import); Liste(3..5): category, glass,
    // method of making.
    std::array<QString, 6> Liste;
    // The selected positions of Liste(0..2) (manual entry).
    std::array<int, 3> Niveaux{};
    std::array<QString, 4> Saisie;
    QString PhotoTag;
    // The downloaded photo (import).
    QByteArray PhotoOctets;
    qint64 PhotoTaille = 0;
    std::array<QString, kLignes> Qte, Qte2, Ingre;
};

// The field that a refused recipe lacks.
enum class Champ { Aucun, Recette, Categorie, Verre, Methode };

// Lookup entries created by one creation, as entered, in their order.
struct Nouveaux {
    QStringList Categories, Verres, Realisations, Quantites, Mesures, Ingredients;
};

struct Resultat {
    long long Numero = 0;
    // The stored name and the method text after the import's cleaning: the
    // import window shows them in its fields.
    QString Recette;
    QString Methode;
    // The entries that go to the window's drop lists.
    Nouveaux Ajouts;
};

// What a window lends the creation: its fields, its focus, its lists.
class Formulaire {
public:
    virtual ~Formulaire() = default;
    virtual Fiche LireFiche() const = 0;
    virtual void DonnerFocus(Champ champ) = 0;
    // Called once the recipe is in the file.
    virtual void RecetteEcrite(const Resultat& r) = 0;
};

// The checks in their order: the first field missing, or Aucun.
Champ Verifier(const Fiche& f);
QString MessageRefus(Champ champ);

// The name rules.
QString NomManuelle(const QString& nom);
QString NomFacile(const QString& nom);
// The import's method text: the tags removed (the text the field shows
// afterwards, in *affiche) and then, between two double quotes, the part
// that is looked up.
QString MethodeFacile(const QString& texte, QString* affiche = nullptr);
// The import's level: the first word equal to the trimmed text, letter case
// ignored; 0 when none is.
int NiveauMot(const QString& texte, const QStringList& mots);

// Writes the recipe in one transaction: all of it lands, or nothing. Raises
// platform::DbError (the file as it was) on any failing step.
Resultat Ecrire(const Fiche& f, Variante v);

// The whole creation for a window: checks (message and focus on a refusal),
// then the writing. A failure is told in French and leaves the file and
// the form as they were. True when the recipe was written.
bool CreerRecette(Formulaire& form, Variante v);

}  // namespace Creation
