// The upper and lower lists of the main window, filled for every list kind
// from a real collection file.
#include <QtTest>

#include "card/FicheAlbum.h"
#include "db/Schema.h"
#include "platform/Menu.h"
#include "platform/MessageBox.h"
#include "platform/Screen.h"
#include "platform/Settings.h"
#include "platform/VbText.h"
#include "recipe_view/CadreRecette.h"
#include "shell/Frmmain.h"
#include "shell/General.h"
#include "support/Fixture.h"

namespace {

// Three categories (one without a name, one unused), glasses, ingredients;
// the Margarita uses Citron vert on two lines.
const char* kSeed = R"({
  "categories": ["Tropical", "Classique", "Vide"],
  "verres": [{"nom": "Tumbler", "contenance": "30 cl"}, {"nom": "Coupe", "contenance": "15 cl"}],
  "realisations": ["Au shaker"],
  "recettes": [
    {"nom": "Mojito", "categorie": "Tropical", "verre": "Tumbler", "cout": 2, "difficulte": 2, "teneur": 4,
     "lignes": [["4", "cl", "Rhum blanc"], ["1/2", "", "Citron vert"]]},
    {"nom": "Margarita", "categorie": "Classique", "verre": "Coupe", "cout": 3, "difficulte": 3, "teneur": 5,
     "lignes": [["4", "cl", "Tequila"], ["2", "cl", "Citron vert"], ["1", "zeste", "Citron vert"]]},
    {"nom": "Écume d'été", "categorie": "Tropical", "verre": "Coupe", "cout": 2, "difficulte": 1, "teneur": 1,
     "lignes": [["10", "cl", "Jus d'orange"]]},
    {"nom": "Daïquiri", "categorie": "Classique", "verre": "Coupe", "cout": 2, "difficulte": 2, "teneur": 5,
     "lignes": [["4", "cl", "Rhum blanc"], ["2", "cl", "Citron vert"]]}
  ]})";

Frmmain& F() {
    return Frmmain::Instance();
}

QStringList Keys(const platform::ListView& l) {
    QStringList out;
    for (int i = 1; i <= l.Count(); ++i) out << l.Item(i)->Key();
    return out;
}

void NullCategory(const Fixture&) {
    platform::Database d = db::OpenDb();
    auto rs = d.OpenRecordset("SELECT * From Categorie");
    rs.AddNew();
    rs.SetField(0, 4);
    rs.SetField(1, QVariant());
    rs.Update();
}

}  // namespace

class TestLists : public QObject {
    Q_OBJECT
private slots:
    void kinds_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("count");
        // Categories are numbered in the seed's order: Tropical 1, Classique 2, Vide 3;
        // the fourth, without a name, counts but is not listed.
        QTest::newRow("0 recipes")
            << 0 << " Liste des Cocktails "
            << QStringList{"Daïquiri", "Écume d'été", "Margarita", "Mojito"}
            << QStringList{"N  4", "N  3", "N  2", "N  1"} << " 4 Cocktail(s) ...";
        QTest::newRow("1 categories")
            << 1 << " Liste des Catégories " << QStringList{"Classique", "Tropical", "Vide"}
            << QStringList{"N  2", "N  1", "N  3"} << " 2 Recette(s) ...";
        QTest::newRow("2 glasses") << 2 << " Liste des Verres" << QStringList{"Coupe", "Tumbler"}
                                   << QStringList{"N  2", "N  1"} << " 3 Recette(s) ...";
        QTest::newRow("3 costs")
            << 3 << "  Coûts "
            << QStringList{"Sans Commentaire", "Peu Coûteux", "Raisonnable", "Moyen", "Cher",
                           "Très Cher"}
            << QStringList{"N  0", "N  1", "N  2", "N  3", "N  4", "N  5"} << " 0 Recette(s) ...";
        QTest::newRow("4 difficulty")
            << 4 << " Niveaux de difficulté"
            << QStringList{"Sans Commentaire", "Très Facile", "Facile",
                           "Faible",           "Moyenne",     "Difficile"}
            << QStringList{"N  0", "N  1", "N  2", "N  3", "N  4", "N  5"} << " 0 Recette(s) ...";
        QTest::newRow("5 strength")
            << 5 << " Teneurs en alcool"
            << QStringList{"Sans Commentaire", "Sans Alcool", "Très Faible",
                           "Faible",           "Moyen",       "Fort",
                           "Très Fort"}
            << QStringList{"N  0", "N  1", "N  2", "N  3", "N  4", "N  5", "N  6"}
            << " 0 Recette(s) ...";
        QTest::newRow("6 ingredients")
            << 6 << " Liste des Ingrédients "
            << QStringList{"Citron vert", "Jus d'orange", "Rhum blanc", "Tequila"}
            << QStringList{"N  2", "N  4", "N  1", "N  3"} << " 3 Recette(s) ...";
    }
    void kinds() {
        QFETCH(int, kind);
        QFETCH(QString, title);
        QFETCH(QStringList, texts);
        QFETCH(QStringList, keys);
        QFETCH(QString, count);
        Fixture fx;
        fx.WriteSeed(kSeed);
        NullCategory(fx);
        fx.SetSetting("Settings", "Tris", QString::number(kind));
        QVERIFY(fx.StartMain());

        QCOMPARE(F().Liste.Tag, QString::number(kind));
        QCOMPARE(F().LTGauche.Caption(), title);
        QCOMPARE(F().LTGauche.Tag, title);
        QCOMPARE(Fixture::Texts(F().Liste), texts);
        QCOMPARE(Keys(F().Liste), keys);
        for (int i = 1; i <= F().Liste.Count(); ++i)
            QCOMPARE(F().Liste.Item(i)->SmallIcon(), kind + 1);
        QCOMPARE(F().LBGauche.Caption(), count);

        // The first entry is selected, blue and bold, and titles the panel.
        platform::ListItem* first = F().Liste.Item(1);
        QCOMPARE(F().Liste.SelectedItem(), first);
        QCOMPARE(first->ForeColor(), QColor(0, 0, 255));
        QVERIFY(first->Bold());
        QVERIFY(!F().Liste.Item(2)->Bold());
        QCOMPARE(F().LTDroit.Caption(), texts.first());
        QCOMPARE(F().LTDroit.Tag, QString("1"));
        QCOMPARE(F().NumeroSelection, platform::Val(keys.first().mid(1)));
        QVERIFY(!F().Chargement.Visible());
        QVERIFY(!platform::HourglassShown());
    }

    void countLineOfEveryTableKind() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        NullCategory(fx);
        QVERIFY(fx.StartMain());
        QCOMPARE(F().LBGauche.Caption(), QString(" 4 Cocktail(s) ..."));
        // The count line of a table kind counts the rows read, the unnamed too;
        // the selection of a group then shows its recipes' count.
        General::RemplirListe("Categorie", "Categorie", " Liste des Catégories ",
                              " Catégorie(s) ...", 1);
        QCOMPARE(F().LBGauche.Caption(), QString(" 4 Catégorie(s) ..."));
        QCOMPARE(F().Liste.Count(), 3);
    }

    void lowerListOfEachGroup_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("entry");
        QTest::addColumn<QStringList>("recipes");
        QTest::newRow("category Tropical") << 1 << 2 << QStringList{"Mojito", "Écume d'été"};
        QTest::newRow("empty category") << 1 << 3 << QStringList{};
        QTest::newRow("glass Coupe")
            << 2 << 1 << QStringList{"Margarita", "Écume d'été", "Daïquiri"};
        QTest::newRow("cost Raisonnable")
            << 3 << 3 << QStringList{"Mojito", "Écume d'été", "Daïquiri"};
        QTest::newRow("difficulty Très Facile") << 4 << 2 << QStringList{"Écume d'été"};
        QTest::newRow("strength Fort") << 5 << 6 << QStringList{"Margarita", "Daïquiri"};
        // Citron vert: two lines in the Margarita, listed once.
        QTest::newRow("ingredient Citron vert")
            << 6 << 1 << QStringList{"Mojito", "Margarita", "Daïquiri"};
    }
    void lowerListOfEachGroup() {
        QFETCH(int, kind);
        QFETCH(int, entry);
        QFETCH(QStringList, recipes);
        Fixture fx;
        fx.WriteSeed(kSeed);
        fx.SetSetting("Settings", "Tris", QString::number(kind));
        QVERIFY(fx.StartMain());
        F().Liste.Select(F().Liste.Item(entry));
        emit F().Liste.Click();

        QCOMPARE(Fixture::Texts(F().LFilms), recipes);
        for (int i = 1; i <= F().LFilms.Count(); ++i) {
            QCOMPARE(F().LFilms.Item(i)->SmallIcon(), 1);
            QVERIFY(F().LFilms.Item(i)->Key().startsWith("N  "));
        }
        QCOMPARE(F().LBGauche.Caption(), QString(" %1 Recette(s) ...").arg(recipes.size()));
        // The highlight moved: the old entry back to plain, the new one blue.
        QCOMPARE(F().LTDroit.Tag, QString::number(entry));
        QVERIFY(F().Liste.Item(entry)->Bold());
        if (entry != 1) {
            QVERIFY(!F().Liste.Item(1)->Bold());
            QCOMPARE(F().Liste.Item(1)->ForeColor(), F().Liste.palette().color(QPalette::Text));
        }
        QVERIFY(!F().Outils[2]->Visible());
        QCOMPARE(F().Cadre[1]->Visible(), kind == 2);
        QVERIFY(!F().Cadre[0]->Visible());
    }

    void clickingTheHighlightedEntryKeepsIt() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        emit F().Liste.Click();
        emit F().Liste.Click();
        QCOMPARE(F().Liste.Item(1)->ForeColor(), QColor(0, 0, 255));
        QVERIFY(F().Liste.Item(1)->Bold());
        QCOMPARE(F().Outils[2]->Tag, QString("H"));
    }

    void leftColumnLayout() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        const double G = F().Gauche.Height(), T = F().TGauche.Height(), L = F().Liste.Top(),
                     U = F().TCentre.Height();
        // Kind 0: the whole column for the upper list.
        QCOMPARE(F().Liste.Height(), G - 2 * T - 2 * (L - T));
        QVERIFY(!F().LFilms.Visible());
        QVERIFY(!F().TCentre.Visible());
        QVERIFY(!F().LTCentre2.Visible());

        General::AfficherListe(1);
        const double half = (G - 2 * T - 2 * (L - T)) / 2;
        QCOMPARE(F().Liste.Height(), half);
        QCOMPARE(F().TCentre.Top(), L + half);
        QCOMPARE(F().LTCentre2.Top(), L + half + 30);
        QCOMPARE(F().LFilms.Top(), L + half + U);
        QCOMPARE(F().LFilms.Height(), half - T);
        QVERIFY(F().LFilms.Visible() && F().TCentre.Visible() && F().LTCentre2.Visible());
        QCOMPARE(F().LTCentre2.Caption(), QString("Liste des cocktails"));

        General::AfficherListe(0);
        QCOMPARE(F().Liste.Height(), G - 2 * T - 2 * (L - T));
        QVERIFY(!F().LFilms.Visible());
    }

    void emptyRecipeTable() {
        Fixture fx;
        fx.WriteSeed(R"({"categories": ["Tropical"]})");
        QVERIFY(fx.StartMain());
        QCOMPARE(F().Liste.Count(), 0);
        QCOMPARE(F().LBGauche.Caption(), QString(" 0 Cocktail(s) ..."));
        QCOMPARE(F().LTDroit.Caption(), QString());
        // The previous highlight position stays.
        F().LTDroit.Tag = "7";
        General::AfficherListe(0);
        QCOMPARE(F().LTDroit.Tag, QString("7"));
        QVERIFY(F().Liste.SelectedItem() == nullptr);
    }

    // A failing read reaches the caller, but the hourglass and the loading
    // panel never stay on screen.
    void failingReadRestoresPointerAndPanel() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        QVERIFY(QFile::remove(fx.DbFile()));
        QVERIFY_THROWS_EXCEPTION(platform::DbError, General::RemplirListe("Cocktails", "Recette",
                                                                          " Liste des Cocktails ",
                                                                          " Cocktail(s) ...", 0));
        QVERIFY(!platform::HourglassShown());
        QVERIFY(!F().Chargement.Visible());

        fx.WriteSeed(kSeed);
        General::AfficherListe(1);
        QFile::remove(fx.DbFile());
        QVERIFY_THROWS_EXCEPTION(platform::DbError,
                                 General::ListerRecettesCritere("Cocktails", "NCategorie"));
        QVERIFY(!platform::HourglassShown());
    }

    // A command that meets a vanished collection tells the user and the
    // program goes on; the sort button is released for the next try.
    void commandsOverAVanishedCollectionAreReported() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        QVERIFY(QFile::remove(fx.DbFile()));
        F().Bouton[1]->ClickIt();
        QCOMPARE(platform::MessageSeam::Calls().size(), 1);
        QVERIFY(platform::MessageSeam::Calls()[0].prompt.contains("introuvable"));
        QCOMPARE(fx.Setting("Settings", "Tris"), QString("<absent>"));
        QVERIFY(!platform::HourglassShown());

        fx.WriteSeed(kSeed);
        F().Bouton[1]->ClickIt();
        QCOMPARE(F().Liste.Tag, QString("1"));
        QCOMPARE(fx.Setting("Settings", "Tris"), QString("1"));
        QVERIFY(QFile::remove(fx.DbFile()));
        emit F().Liste.Click();
        QCOMPARE(platform::MessageSeam::Calls().size(), 2);
    }

    void ingredientLinesOfMissingRecipesAddNothing() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        {
            platform::Database d = db::OpenDb();
            auto rs = d.OpenRecordset("SELECT * From Ingre");
            rs.AddNew();
            rs.SetField(0, 99);
            rs.SetField(1, 0);
            rs.SetField(2, 0);
            rs.SetField(3, 2);
            rs.Update();
        }
        fx.SetSetting("Settings", "Tris", "6");
        QVERIFY(fx.StartMain());
        QCOMPARE(Fixture::Texts(F().LFilms), (QStringList{"Mojito", "Margarita", "Daïquiri"}));
        QFile::remove(fx.DbFile());
        General::ListerRecettesIngredient();
        QCOMPARE(F().LFilms.Count(), 0);
        QVERIFY(!platform::HourglassShown());
    }

    // A letter typed in a list moves its selection as Qt's type-ahead does;
    // the entry it lands on is shown as a click or an arrow shows it: the
    // heading, the panel and the card follow, in both lists.
    void aLetterShowsTheEntryItSelects() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        QApplication::setActiveWindow(&F());
        CadreRecette& r = F().Recette();
        auto montre = [&](const QString& nom, const QString& categorie) {
            QCOMPARE(F().LTDroit.Caption(), nom);
            QCOMPARE(r.Data[6].Caption(), categorie);
            QTest::mouseClick(F().Outils[2].get(), Qt::LeftButton);
            FicheAlbum& c = FicheAlbum::Instance();
            QVERIFY(c.isVisible());
            QCOMPARE(c.Recette.Caption(), nom);
            QCOMPARE(c.Data[1].Caption(), categorie);
            QCOMPARE(c.Ingre[0].Caption(), r.Ingre[0].Caption());
            c.hide();
        };
        QCOMPARE(F().Liste.SelectedItem()->Text(), QString("Daïquiri"));
        F().Liste.setFocus();
        QTest::keyClick(&F().Liste, 'm');
        QCOMPARE(F().Liste.SelectedItem()->Text(), QString("Margarita"));
        montre("Margarita", "Classique");
        if (QTest::currentTestFailed()) return;
        QVERIFY(F().Liste.SelectedItem()->Bold());

        QTest::mouseClick(F().Bouton[1].get(), Qt::LeftButton);
        Fixture::ClickEntry(F().Liste, "Tropical");
        Fixture::ClickEntry(F().LFilms, "Écume d'été");
        F().LFilms.setFocus();
        QTest::keyClick(&F().LFilms, 'm');
        QCOMPARE(F().LFilms.SelectedItem()->Text(), QString("Mojito"));
        montre("Mojito", "Tropical");
    }

    // In kind 1 a letter that reaches a category with recipes lists them,
    // so the menu opened on it offers no deletion.
    void aLetterToAUsedCategoryOffersNoDeletion() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        fx.SetSetting("Settings", "Tris", "1");
        QVERIFY(fx.StartMain());
        Fixture::ClickEntry(F().Liste, "Vide");
        QCOMPARE(F().LFilms.Count(), 0);
        F().Liste.setFocus();
        QTest::keyClick(&F().Liste, 't');
        QCOMPARE(F().Liste.SelectedItem()->Text(), QString("Tropical"));
        QCOMPARE(Fixture::Texts(F().LFilms), (QStringList{"Mojito", "Écume d'été"}));
        platform::MenuSeam::Choose(QString());
        Fixture::ClickEntry(F().Liste, "Tropical", Qt::RightButton);
        QCOMPARE(platform::MenuSeam::Popups().size(), 1);
        QVERIFY(platform::MenuSeam::Popups()[0].disabled.contains("Supprimer"));
    }
};

QTEST_MAIN(TestLists)
#include "test_lists.moc"
