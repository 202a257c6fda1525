#include "Synthetique.h"

#include <sqlite3.h>

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "db/Photo.h"
#include "db/Schema.h"
#include "platform/Database.h"

namespace bench {
namespace {

using platform::Database;
using platform::DbError;

// Word lists: names with and without accents or apostrophes, the way a
// French collection mixes them.
const char* const kNoms[] = {
    "Rêve",      "Brise",   "Coupe",    "Éclat",   "Soupir",  "Fleur",   "Nuit",    "Baiser",
    "Tempête",   "Perle",   "Sérénade", "Caprice", "Délice",  "Frisson", "Souffle", "Larme",
    "Étoile",    "Aube",    "Mirage",   "Rosée",   "Volcan",  "Orage",   "Passion", "Chimère",
    "Écume",     "Cascade", "Velours",  "Soleil",  "Lune",    "Comète",  "Jardin",  "Sortilège",
    "Fantaisie", "Mélodie", "Secret",   "Trésor",  "Vertige", "Zéphyr",  "Ivresse", "Mojito",
    "Punch",     "Julep",   "Fizz",     "Sour",    "Spritz",  "Cobbler", "Flip",    "Sling",
    "Toddy",     "Daisy"};
const char* const kComplements[] = {
    "d'Automne",    "d'Été",        "d'Hiver",   "de Printemps",  "de Minuit",    "du Soleil",
    "des Îles",     "de l'Aube",    "du Matin",  "de Provence",   "de Bretagne",  "d'Alsace",
    "de Normandie", "du Pêcheur",   "de la Mer", "des Tropiques", "du Marin",     "de Cythère",
    "d'Orient",     "du Désert",    "de Corse",  "des Caraïbes",  "du Capitaine", "de Noël",
    "du Roi",       "de la Reine",  "d'Antan",   "du Sud",        "du Nord",      "de Paris",
    "de Lyon",      "de Marseille", "de Nice",   "du Château",    "de l'Abbaye",  "des Vignes",
    "du Verger",    "de la Forêt",  "du Lac",    "des Neiges",    "du Volcan",    "de Saint-Malo",
    "de Cognac",    "du Bayou",     "de Cuba",   "de Rio",        "du Manoir",    "des Amants",
    "du Poète",     "de Venise"};
const char* const kAdjectifs[] = {
    "Royal",    "Doré",     "Glacé",  "Sucré",   "Épicé",      "Fruité",   "Velouté",
    "Amer",     "Givré",    "Ambré",  "Rosé",    "Pétillant",  "Fumé",     "Sauvage",
    "Exotique", "Tropical", "Frappé", "Noir",    "Blanc",      "Rouge",    "Bleu",
    "Vert",     "Impérial", "Léger",  "Corsé",   "Mystérieux", "Enchanté", "Brûlant",
    "Intime",   "Céleste",  "Soyeux", "Acidulé", "Citronné",   "Mentholé", "Cuivré",
    "Ardent",   "Infernal", "Divin",  "Parfait", "Oublié"};
const char* const kAnglais[] = {"Sunset", "Paradise", "Lagoon",   "Tonic",   "Cooler",
                                "Breeze", "Dream",    "Kiss",     "Sunrise", "Island",
                                "Golden", "Silver",   "Midnight", "Ocean",   "Jungle",
                                "Velvet", "Cherry",   "Lemon",    "Honey",   "Storm"};
const char* const kFruits[] = {"d'orange",       "de citron",       "de pêche",
                               "d'abricot",      "de fraise",       "de framboise",
                               "de mûre",        "de cassis",       "de myrtille",
                               "de cerise",      "de poire",        "de pomme",
                               "d'ananas",       "de mangue",       "de fruit de la passion",
                               "de banane",      "de noix de coco", "de pamplemousse",
                               "de citron vert", "de mandarine",    "de clémentine",
                               "de kiwi",        "de litchi",       "de goyave",
                               "de papaye",      "de melon",        "de pastèque",
                               "de figue",       "de prune",        "de mirabelle",
                               "de coing",       "de grenade",      "de rhubarbe",
                               "de groseille",   "de canneberge",   "de vanille",
                               "de menthe",      "de violette",     "de rose",
                               "de café",        "de cacao",        "de noisette",
                               "d'amande",       "de gingembre",    "de cannelle"};
const char* const kPrefixes[] = {"Jus",    "Sirop",      "Liqueur", "Crème",   "Purée",
                                 "Nectar", "Eau-de-vie", "Zeste",   "Tranche", "Sorbet"};
// The first one is the ingredient most recipes use.
const char* const kAlcools[] = {"Sucre de canne",
                                "Rhum blanc",
                                "Rhum ambré",
                                "Rhum agricole",
                                "Vodka",
                                "Gin",
                                "Whisky",
                                "Bourbon",
                                "Cognac",
                                "Armagnac",
                                "Calvados",
                                "Tequila",
                                "Mezcal",
                                "Pisco",
                                "Cachaça",
                                "Champagne",
                                "Vin blanc",
                                "Vin rouge",
                                "Porto",
                                "Vermouth rouge",
                                "Vermouth blanc",
                                "Campari",
                                "Chartreuse verte",
                                "Chartreuse jaune",
                                "Bénédictine",
                                "Triple sec",
                                "Curaçao bleu",
                                "Grand Marnier",
                                "Cointreau",
                                "Amaretto",
                                "Kirsch",
                                "Pastis",
                                "Absinthe",
                                "Angostura",
                                "Bitter orange",
                                "Eau gazeuse",
                                "Tonic",
                                "Ginger ale",
                                "Cola",
                                "Limonade",
                                "Lait",
                                "Crème fraîche",
                                "Blanc d'œuf",
                                "Sucre en poudre",
                                "Miel",
                                "Glaçons",
                                "Glace pilée",
                                "Sel",
                                "Poivre",
                                "Noix de muscade"};
const char* const kCategories[] = {
    "Apéritifs",   "Digestifs",  "Long drinks", "Short drinks", "Cocktails chauds",
    "Sans alcool", "Tropicaux",  "Classiques",  "Punchs",       "Sours",
    "Fizz",        "Flips",      "Coolers",     "Highballs",    "Martinis",
    "Tiki",        "Champagne",  "Crémeux",     "Amers",        "Fruités",
    "Épicés",      "À la bière", "Au vin",      "De fête",      "D'été",
    "D'hiver",     "Shooters",   "Granités",    "Smoothies",    "Créations maison"};
const char* const kVerres[] = {
    "Flûte",           "Coupe",          "Tumbler",         "Old fashioned",
    "Verre à martini", "Verre à vin",    "Verre ballon",    "Highball",
    "Collins",         "Verre à shot",   "Chope",           "Mug",
    "Verre tulipe",    "Verre à cognac", "Verre hurricane", "Verre à margarita",
    "Verre à pied",    "Calice",         "Gobelet",         "Verre tiki"};
const char* const kRealisations[] = {"Au shaker", "Au verre à mélange", "Directement dans le verre",
                                     "Au mixer"};
const char* const kQuantites[] = {"1", "2", "3", "4", "5", "10", "1/2", "1/4", "3/4", "quelques"};
const char* const kMesures[] = {
    "cl",      "ml",     "trait", "cuillère à café", "cuillère à soupe", "zeste", "tranche",
    "feuille", "pincée", "dose",  "goutte"};
const char* const kPhrases[] = {"Verser les ingrédients dans le shaker rempli de glaçons.",
                                "Frapper énergiquement une dizaine de secondes.",
                                "Filtrer dans le verre préalablement rafraîchi.",
                                "Compléter avec l'eau gazeuse et remuer doucement.",
                                "Écraser les feuilles de menthe avec le sucre au fond du verre.",
                                "Servir aussitôt, avec une paille.",
                                "Mélanger au verre à mélange avant de filtrer.",
                                "Ajouter la glace pilée jusqu'au bord.",
                                "Laisser reposer une minute avant de servir.",
                                "Ce cocktail est né dans un bar du port, un soir d'orage.",
                                "On le sert volontiers à l'apéritif, en été.",
                                "Sa couleur rappelle celle du ciel au crépuscule.",
                                "Un barman l'aurait créé pour une actrice de passage.",
                                "Il doit son nom à une vieille chanson de marins.",
                                "Très apprécié dans les années cinquante, il revient à la mode."};
const char* const kDecos[] = {"Une rondelle de citron sur le bord du verre.",
                              "Une cerise confite et une feuille de menthe.",
                              "Un zeste d'orange torsadé.", "Une tranche d'ananas et une ombrelle.",
                              "Le bord du verre givré au sucre."};

QByteArray ImageBytes(const QImage& img) {
    QByteArray b;
    QBuffer buf(&b);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return b;
}

template <size_t N>
QString Pick(const char* const (&words)[N], std::mt19937& rng) {
    return QString::fromUtf8(words[rng() % N]);
}

template <size_t N>
QString Phrases(const char* const (&words)[N], std::mt19937& rng, int count) {
    QStringList out;
    for (int i = 0; i < count; ++i) out << QString::fromUtf8(words[rng() % N]);
    return out.join(u' ');
}

QString NomRecette(std::mt19937& rng) {
    const unsigned form = rng() % 20;
    if (form < 3) return Pick(kNoms, rng) + u' ' + Pick(kComplements, rng);
    if (form < 6) return Pick(kNoms, rng) + u' ' + Pick(kAdjectifs, rng);
    if (form < 8) return Pick(kAnglais, rng) + u' ' + Pick(kAnglais, rng) + u' ' + Pick(kNoms, rng);
    return Pick(kNoms, rng) + u' ' + Pick(kAdjectifs, rng) + u' ' + Pick(kComplements, rng);
}

// A prepared insert, finalised on every path.
class Insert {
public:
    Insert(sqlite3* db, const char* sql) : db_(db) {
        if (sqlite3_prepare_v2(db, sql, -1, &st_, nullptr) != SQLITE_OK) Fail();
    }
    ~Insert() { sqlite3_finalize(st_); }
    Insert(const Insert&) = delete;
    Insert& operator=(const Insert&) = delete;

    Insert& Int(int i, long long v) {
        sqlite3_bind_int64(st_, i, v);
        return *this;
    }
    Insert& Text(int i, const QString& s) {
        const QByteArray b = s.toUtf8();
        sqlite3_bind_text(st_, i, b.constData(), static_cast<int>(b.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Insert& Null(int i) {
        sqlite3_bind_null(st_, i);
        return *this;
    }
    void Run() {
        if (sqlite3_step(st_) != SQLITE_DONE) Fail();
        sqlite3_reset(st_);
        sqlite3_clear_bindings(st_);
    }

private:
    [[noreturn]] void Fail() {
        throw DbError(QStringLiteral("La collection de mesure ne peut pas être écrite (%1).")
                          .arg(QString::fromUtf8(sqlite3_errmsg(db_))));
    }
    sqlite3* db_;
    sqlite3_stmt* st_ = nullptr;
};

template <size_t N>
void Names(sqlite3* db, const char* sql, const char* const (&words)[N]) {
    Insert ins(db, sql);
    for (size_t i = 0; i < N; ++i)
        ins.Int(1, static_cast<long long>(i + 1)).Text(2, QString::fromUtf8(words[i])).Run();
}

// An inline photo value of about `chars` characters: a real picture (noise,
// so that it does not compress) written as its bytes joined by "#".
QString PhotoInline(int chars, std::mt19937& rng) {
    // About 3.6 characters a byte: the digits of 0 to 255 and a "#".
    const int bytes = static_cast<int>(chars / 3.57);
    const int side = std::max(4, static_cast<int>(std::sqrt(bytes / 3.0)));
    QImage img(side, side, QImage::Format_RGB888);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            img.setPixel(x, y, qRgb(rng() % 256, rng() % 256, rng() % 256));
    return db::PhotoInline(ImageBytes(img));
}

Synthese Remplir(Database& d, int recettes, bool photos) {
    sqlite3* db = d.Handle();
    std::mt19937 rng(20261210u + static_cast<unsigned>(recettes));

    Names(db, "INSERT INTO Categorie VALUES (?, ?)", kCategories);
    Names(db, "INSERT INTO Realisation VALUES (?, ?)", kRealisations);
    Names(db, "INSERT INTO Quantite VALUES (?, ?)", kQuantites);
    Names(db, "INSERT INTO Mesure VALUES (?, ?)", kMesures);

    constexpr int kNbVerres = 40;
    {
        Insert ins(db, "INSERT INTO Verre VALUES (?, ?, ?, ?, ?)");
        for (int i = 0; i < kNbVerres; ++i) {
            const QString nom = QString::fromUtf8(kVerres[i % 20]) +
                                (i < 20 ? QString() : QStringLiteral(" large"));
            ins.Int(1, i + 1)
                .Text(2, nom)
                .Text(3, QStringLiteral("%1 cl").arg(6 + (i * 7) % 40))
                .Text(4, Phrases(kPhrases, rng, 1))
                .Null(5)
                .Run();
        }
    }

    // 50 spirits and basics, then every prefix with every fruit: 500 names.
    std::vector<QString> ingredients;
    for (const char* a : kAlcools) ingredients.push_back(QString::fromUtf8(a));
    for (const char* p : kPrefixes)
        for (const char* f : kFruits)
            ingredients.push_back(QString::fromUtf8(p) + u' ' + QString::fromUtf8(f));
    {
        Insert ins(db, "INSERT INTO Ingredient VALUES (?, ?)");
        for (size_t i = 0; i < ingredients.size(); ++i)
            ins.Int(1, static_cast<long long>(i + 1)).Text(2, ingredients[i]).Run();
    }

    Synthese s;
    s.ingredientVedette = 1;
    const int usage = std::max(1, std::min(5000, recettes / 2));
    const int step = std::max(1, recettes / usage);

    Insert cocktail(db, "INSERT INTO Cocktails VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    std::mt19937 photoRng(7u);
    const QString photo7k = photos ? PhotoInline(7000, photoRng) : QString();
    const QString photo140k = photos ? PhotoInline(140000, photoRng) : QString();
    Insert ligne(db, "INSERT INTO Ingre VALUES (?, ?, ?, ?)");
    const int nbIngredients = static_cast<int>(ingredients.size());
    std::vector<int> choisis;
    for (int n = 1; n <= recettes; ++n) {
        cocktail.Int(1, n)
            .Text(2, NomRecette(rng))
            .Int(3, 1 + rng() % std::size(kCategories))
            .Int(4, 1 + rng() % kNbVerres);
        if (photos && n % 50 == 0)
            cocktail.Text(5, photo140k);
        else if (photos && n % 5 == 0)
            cocktail.Text(5, photo7k);
        else
            cocktail.Null(5);
        cocktail.Int(6, 1 + rng() % std::size(kRealisations))
            .Text(7, Phrases(kPhrases, rng, 6))
            .Text(8, Phrases(kDecos, rng, 2))
            .Int(9, rng() % 6)
            .Int(10, rng() % 6)
            .Int(11, rng() % 7)
            .Text(12, Phrases(kPhrases, rng, 4))
            .Text(13, Phrases(kPhrases, rng, 6))
            .Run();

        choisis.clear();
        const bool vedette = (n - 1) % step == 0 && s.recettesVedette < usage;
        if (vedette) {
            choisis.push_back(1);
            ++s.recettesVedette;
        }
        const int lignes = 8 + static_cast<int>(rng() % 5);
        while (static_cast<int>(choisis.size()) < lignes) {
            const int i = 2 + static_cast<int>(rng() % (nbIngredients - 1));
            if (std::find(choisis.begin(), choisis.end(), i) == choisis.end()) choisis.push_back(i);
        }
        for (const int i : choisis)
            ligne.Int(1, n)
                .Int(2, 1 + rng() % std::size(kQuantites))
                .Int(3, 1 + rng() % std::size(kMesures))
                .Int(4, i)
                .Run();
    }

    Insert mot(db, "INSERT INTO lexique VALUES (?, ?)");
    for (const char* m : kMesures)
        mot.Text(1, QString::fromUtf8(m)).Text(2, Phrases(kPhrases, rng, 1)).Run();
    return s;
}

}  // namespace

Synthese EcrireCollection(const QString& path, int recettes, bool photos) {
    // Never over an existing collection: the folder may be someone's own.
    if (QFile::exists(path))
        throw DbError(QStringLiteral("Le fichier « %1 » existe déjà.").arg(path));
    Synthese s;
    try {
        Database d = Database::CreateDatabase(path);
        d.Execute(QStringLiteral("BEGIN"));
        db::CreateSchema(d);
        s = Remplir(d, recettes, photos);
        d.Execute(QStringLiteral("COMMIT"));
        d.Close();
    } catch (...) {
        QFile::remove(path);
        throw;
    }
    return s;
}

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// The page up to the heading of its history.
QString DebutDePage() {
    const QString crlf = kCrLf;
    QString page = QStringLiteral(
        "<HEAD>\r\n<TITLE>Recette du Cocktail Mojito .:. Recettes</TITLE>\r\n"
        "<META content=\"Long drinks \" itemprop=\"recipeCategory\">\r\n"
        "<META content=\"http://recettes.exemple.org/photos/mojito.jpg\" "
        "property=\"og:image\"></HEAD>\r\n<BODY>\r\n"
        "<DIV class=notes>Coût : <EM>cher</EM> <SPAN class=ratingfill style=\"WIDTH: "
        "48px\"></SPAN></DIV>");
    for (int i = 1; i <= 7; ++i)
        page += crlf + QStringLiteral(
                           "<LI><A class=ajout href=\"#\">Ajouter à mes ingrédients</A>"
                           "%1 cl <A title=\"Ingrédient %1\" href=\"http://recettes."
                           "exemple.org/cocktails/ingredients\">Ingrédient %1</A></LI>")
                           .arg(i);
    page += crlf +
            QStringLiteral(
                "<P class=realisation>Réalisez la recette <A href=\"#\"><U>Au verre</U></A>"
                "<SPAN itemprop=\"recipeInstructions\"><BR>Piler.<BR>Verser.</SPAN> Servir "
                "dans un verre de type <A href=\"#\">Tumbler</A></P>") +
            crlf + QStringLiteral("<H2>Histoire du cocktail</H2>");
    return page;
}

void Histoire(QString& page, qsizetype taille) {
    const QString paragraphe = kCrLf + QStringLiteral(
                                           "<P>Un paragraphe ordinaire de la page, avec un <A "
                                           "href=\"http://recettes.exemple.org/x\">lien</A>, du "
                                           "<B>gras</B> et des accents : été, à, où.</P>");
    while (page.size() < taille) page += paragraphe;
}

}  // namespace

QString PageRecette(qsizetype taille) {
    QString page = DebutDePage();
    Histoire(page, taille);
    page += kCrLf + QStringLiteral("<H2>Commentaires de la recette</H2></BODY>");
    return page;
}

QString PageCommentaires(qsizetype taille) {
    QString page = DebutDePage();
    Histoire(page, taille / 2);
    const QString avis =
        kCrLf + QStringLiteral("<P>Commentaires de la recette : un avis de lecteur, bref.</P>");
    while (page.size() < taille) page += avis;
    page += QStringLiteral("</BODY>");
    return page;
}

QString PageHistoireImbriquee(qsizetype taille) {
    QString page = DebutDePage();
    const QString debut = kCrLf + QStringLiteral(
                                      "<P><A href=\"http://recettes.exemple.org/v.php\">"
                                      "• Variantes de Cocktails</A> &nbsp;");
    const QString fin = kCrLf + QStringLiteral(
                                    "<A href=\"http://recettes.exemple.org/d.php\">• "
                                    "Dates de conception des grands cocktails "
                                    "classiques</A></P>");
    const qsizetype niveaux = (taille / 2 - page.size()) / (debut.size() + fin.size());
    for (qsizetype i = 0; i < niveaux; ++i) page += debut;
    for (qsizetype i = 0; i < niveaux; ++i) page += fin;
    const QString avis =
        kCrLf + QStringLiteral("<P>Commentaires de la recette : un avis de lecteur, bref.</P>");
    while (page.size() < taille) page += avis;
    page += QStringLiteral("</BODY>");
    return page;
}

}  // namespace bench
