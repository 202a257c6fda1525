// Writing a new recipe, in the manual entry and the import variants, on a
// real collection file read back after each creation.
#include <QtTest>

#include "db/Schema.h"
#include "entry/Creation.h"
#include "platform/MessageBox.h"
#include "platform/Screen.h"
#include "shell/General.h"
#include "support/Fixture.h"

using Creation::Champ;
using Creation::Fiche;
using Creation::Variante;

namespace {

// Categories 1 Tropical; glasses 1 Tumbler; methods 1 Shaker; quantities
// 1 "4"; measures 1 cl; ingredients 1 Rhum blanc; recipe 1 Mojito.
const char* kSeed = R"({"categories": ["Tropical"], "verres": [{"nom": "Tumbler"}],
  "realisations": ["Shaker"],
  "recettes": [{"nom": "Mojito", "categorie": "Tropical", "verre": "Tumbler",
                "realisation": "Shaker", "lignes": [["4", "cl", "Rhum blanc"]]}]})";

// A window as the creation sees it, with the fields held in a Fiche.
struct Form : Creation::Formulaire {
    Fiche fiche;
    QList<Champ> focus;
    QList<Creation::Resultat> ecrites;
    mutable bool sablierALaLecture = false;
    Fiche LireFiche() const override {
        sablierALaLecture = platform::HourglassShown();
        return fiche;
    }
    void DonnerFocus(Champ c) override { focus << c; }
    void RecetteEcrite(const Creation::Resultat& r) override { ecrites << r; }
};

Fiche Base(const QString& nom = QStringLiteral("Zombie")) {
    Fiche f;
    f.Recette = nom;
    f.Liste[3] = QStringLiteral("Tropical");
    f.Liste[4] = QStringLiteral("Tumbler");
    f.Liste[5] = QStringLiteral("Shaker");
    return f;
}

void Exec(const QString& sql) {
    db::OpenDb().Execute(sql);
}

// The last recipe's column, as text.
QString Colonne(const QString& col) {
    const QStringList r = Fixture::Rows(QStringLiteral("SELECT ") + col +
                                        QStringLiteral(" From Cocktails order by Numero desc"));
    return r.value(0);
}

int Nombre(const QString& table) {
    return Fixture::Rows(QStringLiteral("SELECT count(*) From ") + table).value(0).toInt();
}

// Lines of the last recipe in the order they were added: quantity, measure,
// ingredient texts.
QStringList Lignes() {
    return Fixture::Rows(QStringLiteral(
        "SELECT coalesce(q.Quantite, '-'), coalesce(m.Mesure, '-'), coalesce(i.Ingredient, '-') "
        "From Ingre l left join Quantite q on q.NQuantite = l.NQuantite "
        "left join Mesure m on m.NMesure = l.NMesure "
        "left join Ingredient i on i.NIngredient = l.NIngre "
        "where l.Numero = (SELECT max(Numero) From Cocktails) order by l.rowid"));
}

QString FichierPhoto(const Fixture& fx, const QString& nom, int taille) {
    QByteArray b;
    for (int i = 0; i < taille; ++i) b.append(static_cast<char>((i * 7 + 3) % 256));
    const QString p = fx.Dir() + u'/' + nom;
    Fixture::WriteFile(p, b);
    return p;
}

}  // namespace

class TestCreation : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { General::ChargerLibelles(); }

    void refusals_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QString>("categorie");
        QTest::addColumn<QString>("verre");
        QTest::addColumn<QString>("methode");
        QTest::addColumn<int>("champ");
        QTest::addColumn<QString>("message");
        QTest::newRow("no name") << ""
                                 << "Tropical"
                                 << "Tumbler"
                                 << "Shaker" << int(Champ::Recette)
                                 << "Veuillez d'abord saisir le nom de la recette !";
        QTest::newRow("blank name")
            << "   "
            << ""
            << ""
            << "" << int(Champ::Recette) << "Veuillez d'abord saisir le nom de la recette !";
        QTest::newRow("blank category") << "Zombie"
                                        << "  "
                                        << "Tumbler"
                                        << "Shaker" << int(Champ::Categorie)
                                        << "Veuillez d'abord saisir une catégorie de recette !";
        QTest::newRow("no glass") << "Zombie"
                                  << "Tropical"
                                  << ""
                                  << "" << int(Champ::Verre)
                                  << "Veuillez d'abord saisir un type de verre !";
        QTest::newRow("blank method")
            << "Zombie"
            << "Tropical"
            << "Tumbler"
            << " " << int(Champ::Methode) << "Veuillez d'abord saisir une méthode de réalisation !";
    }
    void refusals() {
        QFETCH(QString, nom);
        QFETCH(QString, categorie);
        QFETCH(QString, verre);
        QFETCH(QString, methode);
        QFETCH(int, champ);
        QFETCH(QString, message);
        for (Variante v : {Variante::Manuelle, Variante::Facile}) {
            Fixture fx;
            fx.WriteSeed(kSeed);
            const QByteArray avant = Fixture::ReadFile(fx.DbFile());
            Form f;
            f.fiche = Base(nom);
            f.fiche.Liste[3] = categorie;
            f.fiche.Liste[4] = verre;
            f.fiche.Liste[5] = methode;
            f.fiche.Ingre[0] = QStringLiteral("Menthe");
            QVERIFY(!Creation::CreerRecette(f, v));
            const auto calls = platform::MessageSeam::Calls();
            QCOMPARE(calls.size(), 1);
            QCOMPARE(calls[0].prompt, message);
            QCOMPARE(calls[0].style, int(platform::vbExclamation));
            QCOMPARE(calls[0].title, QString("Brivanta"));
            QCOMPARE(f.focus, QList<Champ>{Champ(champ)});
            QVERIFY(f.ecrites.isEmpty());
            QCOMPARE(Fixture::ReadFile(fx.DbFile()), avant);
            QVERIFY(!platform::HourglassShown());
        }
    }

    void hourglassForTheImportOnly() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        Form f;
        f.fiche = Base();
        QVERIFY(Creation::CreerRecette(f, Variante::Facile));
        QVERIFY(f.sablierALaLecture);
        QVERIFY(!platform::HourglassShown());
        QVERIFY(Creation::CreerRecette(f, Variante::Manuelle));
        QVERIFY(!f.sablierALaLecture);
    }

    void names_data() {
        QTest::addColumn<int>("variante");
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QString>("stocke");
        const int m = int(Variante::Manuelle), w = int(Variante::Facile);
        QTest::newRow("le and a blank") << m << "le Mojito"
                                        << "Mojito (Le)";
        QTest::newRow("capitals, blanks") << m << "LE  Mojito "
                                          << "Mojito (Le)";
        QTest::newRow("Le alone") << m << "Le"
                                  << "Le";
        QTest::newRow("Lemon") << m << "Lemon"
                               << "Lemon";
        QTest::newRow("Le and a blank only") << m << "Le "
                                             << " (Le)";
        QTest::newRow("plain") << m << "Mai Tai"
                               << "Mai Tai";
        QTest::newRow("Le cocktail and a name") << w << "Le cocktail Mojito"
                                                << "Mojito (Le)";
        QTest::newRow("vowel") << w << "Americano"
                               << "Americano (L')";
        QTest::newRow("Y") << w << "yellow bird"
                           << "yellow bird (L')";
        QTest::newRow("Le cocktail alone") << w << "Le cocktail"
                                           << " (Le)";
        QTest::newRow("double quotes") << w << "Le \"Blue\" lagoon"
                                       << "Le Blue lagoon (Le)";
        QTest::newRow("quotes before the words") << w << "\"Le cocktail Ouzo\""
                                                 << "Ouzo (L')";
        // Only a name that begins with the words loses them.
        QTest::newRow("words inside") << w << "Mon Le cocktail maison"
                                      << "Mon Le cocktail maison (Le)";
        QTest::newRow("letter case counts") << w << "le cocktail Zombie"
                                            << "le cocktail Zombie (Le)";
    }
    void names() {
        QFETCH(int, variante);
        QFETCH(QString, nom);
        QFETCH(QString, stocke);
        Fixture fx;
        fx.WriteSeed(kSeed);
        Form f;
        f.fiche = Base(nom);
        QVERIFY(Creation::CreerRecette(f, Variante(variante)));
        QCOMPARE(Colonne("Recette"), stocke);
        QCOMPARE(f.ecrites[0].Recette, stocke);
    }

    void webMethod_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("affiche");
        QTest::addColumn<QString>("stocke");  // the method's text, "-" for number 0
        QTest::newRow("tags") << "<STRONG>Blender</STRONG>"
                              << "Blender"
                              << "Blender";
        QTest::newRow("quotes") << "Au \"Shaker\" bien frappé"
                                << "Au \"Shaker\" bien frappé"
                                << "Shaker";
        QTest::newRow("tags and quotes") << "<STRONG>\"Verre à mélange\"</STRONG>"
                                         << "\"Verre à mélange\""
                                         << "Verre à mélange";
        QTest::newRow("one quote") << "Shaker \""
                                   << "Shaker \""
                                   << "Shaker \"";
        // Emptied by the cleaning: number 0, no entry created.
        QTest::newRow("empty between quotes") << "Au \"\" bien"
                                              << "Au \"\" bien"
                                              << "-";
    }
    void webMethod() {
        QFETCH(QString, texte);
        QFETCH(QString, affiche);
        QFETCH(QString, stocke);
        Fixture fx;
        fx.WriteSeed(kSeed);
        Form f;
        f.fiche = Base();
        f.fiche.Liste[5] = texte;
        QVERIFY(Creation::CreerRecette(f, Variante::Facile));
        QCOMPARE(f.ecrites[0].Methode, affiche);
        const QString n = Colonne("NReal");
        if (stocke == "-") {
            QCOMPARE(n, QString("0"));
            QCOMPARE(Nombre("Realisation"), 1);
        } else {
            QCOMPARE(Fixture::Rows("SELECT Realisation From Realisation where NRealisation = " + n),
                     QStringList{stocke});
        }
        // The manual variant takes the text as typed.
        QVERIFY(Creation::CreerRecette(f, Variante::Manuelle));
        QCOMPARE(Fixture::Rows("SELECT Realisation From Realisation where NRealisation = " +
                               Colonne("NReal")),
                 QStringList{texte});
    }

    void levels_data() {
        QTest::addColumn<QString>("cout");
        QTest::addColumn<QString>("difficulte");
        QTest::addColumn<QString>("teneur");
        QTest::addColumn<QString>("stocke");
        QTest::newRow("words") << "moyen "
                               << "très facile"
                               << "FORT"
                               << "3|1|5";
        QTest::newRow("unknown and blank") << "Gratuit"
                                           << "  "
                                           << ""
                                           << "0|0|0";
        QTest::newRow("leading blanks") << "  Cher"
                                        << "Difficile"
                                        << "Sans Alcool"
                                        << "4|5|1";
    }
    void levels() {
        QFETCH(QString, cout);
        QFETCH(QString, difficulte);
        QFETCH(QString, teneur);
        QFETCH(QString, stocke);
        Fixture fx;
        fx.WriteSeed(kSeed);
        Form f;
        f.fiche = Base();
        f.fiche.Liste[0] = cout;
        f.fiche.Liste[1] = difficulte;
        f.fiche.Liste[2] = teneur;
        f.fiche.Niveaux = {2, 4, 6};
        QVERIFY(Creation::CreerRecette(f, Variante::Facile));
        QCOMPARE(Colonne("Cout || '|' || difficulte || '|' || Teneur"), stocke);
        // By position in manual entry, whatever the texts.
        QVERIFY(Creation::CreerRecette(f, Variante::Manuelle));
        QCOMPARE(Colonne("Cout || '|' || difficulte || '|' || Teneur"), QString("2|4|6"));
    }

    void textsStoredAsTyped() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        Form f;
        f.fiche = Base();
        f.fiche.Saisie = {QStringLiteral("Piler.\r\nAjouter "), QString(), QStringLiteral(" "),
                          QStringLiteral("Né à l'hôtel")};
        QVERIFY(Creation::CreerRecette(f, Variante::Manuelle));
        QCOMPARE(Colonne("preparation || '|' || Deco || '|' || Description || '|' || Histoire"),
                 QString("Piler.\r\nAjouter || |Né à l'hôtel"));
        QCOMPARE(Colonne("Numero"), QString("2"));
        QCOMPARE(Colonne("NCategorie || '|' || Nverre || '|' || NReal"), QString("1|1|1"));
    }

    void apostropheEntryCreatedOnce() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        Form f;
        f.fiche = Base();
        f.fiche.Liste[3] = QStringLiteral("Apéritif d'été");
        QVERIFY(Creation::CreerRecette(f, Variante::Manuelle));
        QCOMPARE(f.ecrites[0].Ajouts.Categories, QStringList{"Apéritif d'été"});
        f.fiche.Liste[3] = QStringLiteral("APÉRITIF D'ÉTÉ");
        QVERIFY(Creation::CreerRecette(f, Variante::Manuelle));
        QVERIFY(f.ecrites[1].Ajouts.Categories.isEmpty());
        QCOMPARE(Fixture::Rows("SELECT NCategorie || '|' || Categorie From Categorie"),
                 (QStringList{"1|Tropical", "2|Apéritif d'été"}));
        QCOMPARE(Fixture::Rows("SELECT NCategorie From Cocktails where Numero > 1"),
                 (QStringList{"2", "2"}));
    }

    void lines_data() {
        QTest::addColumn<QStringList>("qte");
        QTest::addColumn<QStringList>("mesure");
        QTest::addColumn<QStringList>("ingre");
        QTest::addColumn<QStringList>("lignes");
        QTest::addColumn<int>("ingredients");
        QTest::newRow("no measure after a measure")
            << QStringList{"4", "2"} << QStringList{"cl", ""}
            << QStringList{"Rhum blanc", "Citron vert"}
            << QStringList{"4|cl|Rhum blanc", "2|-|Citron vert"} << 2;
        QTest::newRow("same new ingredient twice")
            << QStringList{"1", "", "2"} << QStringList{"", "", ""}
            << QStringList{"Menthe", "", "MENTHE"} << QStringList{"1|-|Menthe", "2|-|Menthe"} << 2;
        QTest::newRow("blank is text") << QStringList{"", " "} << QStringList{" ", ""}
                                       << QStringList{"", ""} << QStringList{"-| |-", " |-|-"} << 1;
        QTest::newRow("seven empty lines")
            << QStringList{} << QStringList{} << QStringList{} << QStringList{} << 1;
        QTest::newRow("gaps") << QStringList{"", "", "", "", "", "", "6"}
                              << QStringList{"cl", "", "", "", "", "", ""}
                              << QStringList{"", "", "", "Sucre", "", "", ""}
                              << QStringList{"-|cl|-", "-|-|Sucre", "6|-|-"} << 2;
    }
    void lines() {
        QFETCH(QStringList, qte);
        QFETCH(QStringList, mesure);
        QFETCH(QStringList, ingre);
        QFETCH(QStringList, lignes);
        QFETCH(int, ingredients);
        Fixture fx;
        fx.WriteSeed(kSeed);
        Form f;
        f.fiche = Base();
        for (int i = 0; i < Creation::kLignes; ++i) {
            const size_t k = static_cast<size_t>(i);
            f.fiche.Qte[k] = qte.value(i);
            f.fiche.Qte2[k] = mesure.value(i);
            f.fiche.Ingre[k] = ingre.value(i);
        }
        QVERIFY(Creation::CreerRecette(f, Variante::Manuelle));
        QCOMPARE(Lignes(), lignes);
        QCOMPARE(Nombre("Ingredient"), ingredients);
        // The import adds the same lines from the last one up.
        QVERIFY(Creation::CreerRecette(f, Variante::Facile));
        QStringList inverse(lignes.rbegin(), lignes.rend());
        QCOMPARE(Lignes(), inverse);
        QCOMPARE(Nombre("Ingredient"), ingredients);
    }

    // New entries first, then the recipe, then its lines: the file's own
    // journal of inserts tells the order.
    void rowOrder_data() {
        QTest::addColumn<int>("variante");
        QTest::addColumn<QStringList>("journal");
        QTest::addColumn<QStringList>("quantites");
        QTest::addColumn<QStringList>("categories");
        const QStringList tete{"Categorie", "Verre", "Realisation", "Cocktails"};
        QTest::newRow("manual") << int(Variante::Manuelle)
                                << (tete + QStringList{"Quantite", "Ingredient", "Ingre Rhum ambré",
                                                       "Ingredient", "Ingre Menthe"})
                                << QStringList{"2"} << QStringList{"Tiki"};
        QTest::newRow("import") << int(Variante::Facile)
                                << (tete + QStringList{"Ingredient", "Ingre Menthe", "Quantite",
                                                       "Ingredient", "Ingre Rhum ambré"})
                                << QStringList{"2"} << QStringList{};
    }
    void rowOrder() {
        QFETCH(int, variante);
        QFETCH(QStringList, journal);
        QFETCH(QStringList, quantites);
        QFETCH(QStringList, categories);
        Fixture fx;
        fx.WriteSeed(kSeed);
        Exec("CREATE TABLE Journal (Quoi TEXT)");
        for (const char* t :
             {"Categorie", "Verre", "Realisation", "Cocktails", "Quantite", "Mesure", "Ingredient"})
            Exec(QStringLiteral("CREATE TRIGGER J%1 AFTER INSERT ON %1 BEGIN "
                                "INSERT INTO Journal VALUES ('%1'); END")
                     .arg(t));
        Exec(
            "CREATE TRIGGER JIngre AFTER INSERT ON Ingre BEGIN INSERT INTO Journal VALUES "
            "('Ingre ' || (SELECT Ingredient From Ingredient "
            "where NIngredient = NEW.NIngre)); END");
        Form f;
        f.fiche = Base();
        f.fiche.Liste[3] = QStringLiteral("Tiki");
        f.fiche.Liste[4] = QStringLiteral("Coupe");
        f.fiche.Liste[5] = QStringLiteral("Blender");
        f.fiche.Qte[2] = QStringLiteral("2");
        f.fiche.Qte2[2] = QStringLiteral("CL");
        f.fiche.Ingre[2] = QStringLiteral("Rhum ambré");
        f.fiche.Ingre[5] = QStringLiteral("Menthe");
        QVERIFY(Creation::CreerRecette(f, Variante(variante)));
        QCOMPARE(Fixture::Rows("SELECT Quoi From Journal order by rowid"), journal);
        const Creation::Nouveaux& n = f.ecrites[0].Ajouts;
        QCOMPARE(n.Quantites, quantites);
        QVERIFY(n.Mesures.isEmpty());
        QCOMPARE(n.Categories, categories);
        QCOMPARE(n.Verres.size(), categories.size());
        QCOMPARE(n.Realisations.size(), categories.size());
        QCOMPARE(QSet<QString>(n.Ingredients.begin(), n.Ingredients.end()),
                 (QSet<QString>{"Rhum ambré", "Menthe"}));
        QCOMPARE(f.ecrites[0].Numero, 2LL);
    }

    void manualPhotos_data() {
        QTest::addColumn<int>("taille");
        QTest::addColumn<QString>("forme");  // inline, path, or the exact value
        QTest::newRow("one byte") << 1 << "3";
        QTest::newRow("1999 bytes") << 1999 << "inline";
        QTest::newRow("2000 bytes") << 2000 << "path";
        QTest::newRow("no photo") << -1 << "<null>";
    }
    void manualPhotos() {
        QFETCH(int, taille);
        QFETCH(QString, forme);
        Fixture fx;
        fx.WriteSeed(kSeed);
        Form f;
        f.fiche = Base();
        // No test of the file type.
        if (taille >= 0) f.fiche.PhotoTag = FichierPhoto(fx, "photo.png", taille);
        QVERIFY(Creation::CreerRecette(f, Variante::Manuelle));
        const QString v = Colonne("Photo");
        if (forme == "inline") {
            QCOMPARE(v.split('#').size(), taille);
            QVERIFY(v.startsWith("3#10#17#"));
        } else if (forme == "path") {
            QCOMPARE(v, f.fiche.PhotoTag);
        } else {
            QCOMPARE(v, forme);
        }
    }

    void unreadablePictureCreatesNothing() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        const QByteArray avant = Fixture::ReadFile(fx.DbFile());
        Form f;
        f.fiche = Base();
        f.fiche.PhotoTag = fx.Dir() + "/absente.jpg";
        QVERIFY(!Creation::CreerRecette(f, Variante::Manuelle));
        QVERIFY(f.ecrites.isEmpty());
        const auto calls = platform::MessageSeam::Calls();
        QCOMPARE(calls.size(), 1);
        QVERIFY(calls[0].prompt.startsWith("La recette n'a pas été créée"));
        QVERIFY(calls[0].prompt.contains("absente.jpg"));
        QCOMPARE(calls[0].style, int(platform::vbExclamation));
        QCOMPARE(Fixture::ReadFile(fx.DbFile()), avant);
    }

    void webPhotos_data() {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<int>("octets");
        QTest::addColumn<int>("taille");
        QTest::addColumn<QString>("forme");
        QTest::newRow("jpg of any size") << "http://site/photo.JpG" << 5000 << 5000 << "inline";
        QTest::newRow("only PhotoTaille bytes") << "http://site/a.jpg" << 100 << 40 << "inline";
        QTest::newRow("not jpg") << "http://site/photo.png" << 50 << 50 << " ";
        QTest::newRow("no photo") << "" << 0 << 0 << "<null>";
        // A size beyond the bytes: the recipe is saved without its photo.
        QTest::newRow("size beyond the bytes") << "http://site/a.JPG" << 10 << 11 << "<null>";
    }
    void webPhotos() {
        QFETCH(QString, tag);
        QFETCH(int, octets);
        QFETCH(int, taille);
        QFETCH(QString, forme);
        Fixture fx;
        fx.WriteSeed(kSeed);
        Form f;
        f.fiche = Base();
        f.fiche.PhotoTag = tag;
        f.fiche.PhotoOctets = QByteArray(octets, '\x05');
        f.fiche.PhotoTaille = taille;
        QVERIFY(Creation::CreerRecette(f, Variante::Facile));
        const QString v = Colonne("Photo");
        if (forme == "inline")
            QCOMPARE(v, QStringList(taille, "5").join('#'));
        else
            QCOMPARE(v, forme);
    }

    // A step that fails after other rows were written leaves the file as it
    // was, byte for byte, and tells the user.
    void failureLeavesTheFileAsItWas_data() {
        QTest::addColumn<QString>("declencheur");
        QTest::newRow("a line") << "BEFORE INSERT ON Ingre";
        QTest::newRow("the recipe") << "BEFORE INSERT ON Cocktails";
        QTest::newRow("a new ingredient") << "AFTER INSERT ON Ingredient";
    }
    void failureLeavesTheFileAsItWas() {
        QFETCH(QString, declencheur);
        for (Variante v : {Variante::Manuelle, Variante::Facile}) {
            Fixture fx;
            fx.WriteSeed(kSeed);
            Exec("CREATE TRIGGER Panne " + declencheur +
                 " BEGIN SELECT RAISE(ABORT, 'disque plein'); END");
            const QByteArray avant = Fixture::ReadFile(fx.DbFile());
            Form f;
            f.fiche = Base();
            f.fiche.Liste[3] = QStringLiteral("Tiki");
            f.fiche.Qte[0] = QStringLiteral("3");
            f.fiche.Ingre[0] = QStringLiteral("Menthe");
            f.fiche.Ingre[1] = QStringLiteral("Sucre");
            QVERIFY(!Creation::CreerRecette(f, v));
            QVERIFY(f.ecrites.isEmpty());
            const auto calls = platform::MessageSeam::Calls();
            QCOMPARE(calls.size(), 1);
            QVERIFY(
                calls[0].prompt.startsWith("La recette n'a pas été créée et rien n'a été "
                                           "enregistré"));
            QVERIFY(calls[0].prompt.contains("disque plein"));
            QCOMPARE(Fixture::ReadFile(fx.DbFile()), avant);
            QVERIFY(!QFile::exists(fx.DbFile() + "-journal"));
            QVERIFY(!platform::HourglassShown());
        }
    }

    void lockedFileCreatesNothing() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        const QByteArray avant = Fixture::ReadFile(fx.DbFile());
        Form f;
        f.fiche = Base();
        {
            auto autre = db::OpenDb();  // another operation holds the file
            QVERIFY(!Creation::CreerRecette(f, Variante::Manuelle));
        }
        QVERIFY(f.ecrites.isEmpty());
        QCOMPARE(platform::MessageSeam::Calls().size(), 1);
        QCOMPARE(Fixture::ReadFile(fx.DbFile()), avant);
    }
};

QTEST_MAIN(TestCreation)
#include "test_creation.moc"
