// The search window over a real collection file: the query it builds, the
// matching of the word, the criteria, and the opening of a result in the
// main window.
#include <QtTest>

#include "card/FrmFind.h"
#include "db/Schema.h"
#include "platform/MessageBox.h"
#include "platform/Modal.h"
#include "platform/VbText.h"
#include "shell/Frmmain.h"
#include "shell/General.h"
#include "shell/Pop.h"
#include "support/Fixture.h"

namespace {

// Numbers follow the order: Cosmo is the newest recipe. (One apostrophe is
// written as a JSON escape: moc reads raw strings as plain code.)
const char* kSeed = R"({
  "categories": ["Tropical", "Classique"],
  "verres": [{"nom": "Tumbler"}, {"nom": "coupe"}, {"nom": "Flûte"}],
  "recettes": [
    {"nom": "Mojito", "categorie": "Tropical", "verre": "Tumbler", "cout": 0, "difficulte": 2, "teneur": 4,
     "lignes": [["4", "cl", "Rhum blanc"]]},
    {"nom": "MOSCOW MULE", "categorie": "Classique", "verre": "Tumbler", "cout": 2, "difficulte": 1, "teneur": 4,
     "lignes": [["4", "cl", "Vodka"]]},
    {"nom": "Écume d'été", "categorie": "Tropical", "verre": "coupe", "cout": 0, "difficulte": 1, "teneur": 1,
     "lignes": [["10", "cl", "Jus d'orange"]]},
    {"nom": "100% _Zeste_ d\u0027or", "categorie": "Classique", "verre": "Flûte", "cout": 5, "difficulte": 4, "teneur": 6},
    {"nom": "Cosmo", "categorie": "Classique", "verre": "coupe", "cout": 3, "difficulte": 2, "teneur": 4,
     "lignes": [["4", "cl", "Vodka"], ["1", "trait", "Citron vert"]]}
  ]})";

Frmmain& F() {
    return Frmmain::Instance();
}

struct Started {
    Fixture fx;
    Started() {
        fx.WriteSeed(kSeed);
        if (!fx.StartMain()) qFatal("start-up failed");
    }
};

// The window as the tool bar opens it.
FrmFind& Ouvrir() {
    F().Outils[4]->ClickIt();
    return FrmFind::Instance();
}

QStringList Chercher(FrmFind& w, const QString& mot, bool partout = false) {
    w.Saisie.TypeIt(mot);
    w.Choix[partout ? 1 : 0]->ClickIt();
    w.Creer.ClickIt();
    return Fixture::Texts(w.Liste);
}

void DoubleCliquer(FrmFind& w, const QString& texte) {
    w.Liste.Select(Fixture::Entry(w.Liste, texte));
    QVERIFY(w.Liste.SelectedItem());
    const QRect r = w.Liste.visualItemRect(w.Liste.SelectedItem());
    // The press and release that come before a double-click, then the
    // double-click itself.
    QTest::mouseClick(w.Liste.viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(w.Liste.viewport(), Qt::LeftButton, {}, r.center());
}

}  // namespace

class TestFind : public QObject {
    Q_OBJECT
private slots:
    void loadState() {
        Started s;
        FrmFind& w = Ouvrir();
        QCOMPARE(platform::ModalSeam::Shown(), QStringList{"FrmFind"});
        QCOMPARE(int(General::FenetreReduite), 5);
        QCOMPARE(w.Titre[2]->Caption(), QString("Recherche multicritères"));
        QCOMPARE(w.L[0]->Caption(), QString("Saisir le mot recherché"));
        QCOMPARE(w.L[1]->Caption(), QString("Résultats de Recherche"));
        QCOMPARE(w.Choix[0]->Caption(), QString("Commençant par"));
        QCOMPARE(w.Choix[1]->Caption(), QString("Rechercher Partout"));
        const QStringList genres = {"Liste des Cocktails", "Liste des Catégorie",
                                    "Liste des Verres", "Liste des Ingrédients"};
        for (int i = 0; i < 4; ++i) QCOMPARE(w.Opt_Liste[i]->Caption(), genres[i]);
        QCOMPARE(w.Chk[0]->Caption(), QString("Coût"));
        QCOMPARE(w.Chk[1]->Caption(), QString("Difficulté"));
        QCOMPARE(w.Chk[2]->Caption(), QString("Teneur en Alcool"));
        QCOMPARE(w.Creer.Caption(), QString("Rechercher"));
        QVERIFY(w.Choix[0]->Value() && w.Opt_Liste[0]->Value());
        QCOMPARE(w.TableRecherche, QString("Cocktails"));
        QCOMPARE(w.IconeRecherche, 1);
        QCOMPARE(w.LChk[0]->ListCount(), 6);
        QCOMPARE(w.LChk[1]->ListCount(), 6);
        QCOMPARE(w.LChk[2]->ListCount(), 7);
        QCOMPARE(w.LChk[2]->List(6), QString("Très Fort"));
        for (int i = 0; i < 3; ++i) {
            QVERIFY(!w.Chk[i]->Value());
            QCOMPARE(w.LChk[i]->ListIndex(), -1);
        }
        QCOMPARE(w.Liste.columnCount(), 1);
        QCOMPARE(w.Liste.headerItem()->text(0), QString("Titre"));
        QCOMPARE(w.Liste.Count(), 0);
        QCOMPARE(w.Liste.Picture().cacheKey(), F().Liste.Picture().cacheKey());
        // Geometry of the design, in twips.
        QCOMPARE(w.Liste.Left(), 5985.0);
        QCOMPARE(w.Creer.Top(), 6450.0);
        QCOMPARE(w.LChk[2]->Height(), 1980.0);
    }

    // Matching ignores letter case; recipes come newest first.
    void matching_data() {
        QTest::addColumn<QString>("mot");
        QTest::addColumn<bool>("partout");
        QTest::addColumn<QStringList>("found");
        const QStringList tous = {"Cosmo", "100% _Zeste_ d'or", "Écume d'été", "MOSCOW MULE",
                                  "Mojito"};
        QTest::newRow("empty word") << "" << false << tous;
        QTest::newRow("empty word anywhere") << "" << true << tous;
        QTest::newRow("mo begins") << "mo" << false << QStringList{"MOSCOW MULE", "Mojito"};
        QTest::newRow("mo anywhere")
            << "mo" << true << QStringList{"Cosmo", "MOSCOW MULE", "Mojito"};
        QTest::newRow("accented capital") << "éCU" << false << QStringList{"Écume d'été"};
        QTest::newRow("longer than names") << "Mojito royal" << false << QStringList{};
        QTest::newRow("apostrophe")
            << "d'" << true << QStringList{"100% _Zeste_ d'or", "Écume d'été"};
        QTest::newRow("quote alone") << "'" << false << QStringList{};
        QTest::newRow("percent") << "%" << true << QStringList{"100% _Zeste_ d'or"};
        QTest::newRow("underscore") << "_" << true << QStringList{"100% _Zeste_ d'or"};
        QTest::newRow("percent begins") << "%" << false << QStringList{};
        QTest::newRow("sql text") << "' or 1=1 --" << true << QStringList{};
        QTest::newRow("blank kept") << " mo" << true << QStringList{};
    }
    void matching() {
        QFETCH(QString, mot);
        QFETCH(bool, partout);
        QFETCH(QStringList, found);
        Started s;
        FrmFind& w = Ouvrir();
        QCOMPARE(Chercher(w, mot, partout), found);
        QVERIFY(!w.Creer.Value());
        for (int i = 1; i <= w.Liste.Count(); ++i) {
            QCOMPARE(w.Liste.Item(i)->SmallIcon(), 1);
            QVERIFY(w.Liste.Item(i)->Key().startsWith("N  "));
        }
    }

    // Typed with the keyboard and run with a real click.
    void typedAndClicked() {
        Started s;
        FrmFind& w = Ouvrir();
        QTest::keyClicks(w.Saisie.Editor(), "mul");
        QTest::mouseClick(&w.Creer, Qt::LeftButton);
        QCOMPARE(Fixture::Texts(w.Liste), QStringList{});
        QTest::mouseClick(w.Choix[1].get(), Qt::LeftButton, {}, QPoint(8, 8));
        QVERIFY(w.Choix[1]->Value() && !w.Choix[0]->Value());
        QTest::mouseClick(&w.Creer, Qt::LeftButton);
        QCOMPARE(Fixture::Texts(w.Liste), QStringList{"MOSCOW MULE"});
        QCOMPARE(w.Liste.Item(1)->Key(), QString("N  2"));
    }

    void criteria_data() {
        QTest::addColumn<QList<int>>("levels");  // cost, difficulty, strength; -1 unticked
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QStringList>("found");
        const QString debut = "Select Numero, Recette From Cocktails where Numero > 0 ";
        const QString fin = "   order by Numero desc";
        QTest::newRow("none") << QList<int>{-1, -1, -1} << debut + fin
                              << QStringList{"Cosmo", "100% _Zeste_ d'or", "Écume d'été",
                                             "MOSCOW MULE", "Mojito"};
        // Ticking alone selects "Sans Commentaire".
        QTest::newRow("cost ticked alone")
            << QList<int>{0, -1, -1} << debut + " and Cout =  0" + fin
            << QStringList{"Écume d'été", "Mojito"};
        QTest::newRow("difficulty 1")
            << QList<int>{-1, 1, -1} << debut + " and Difficulte =  1" + fin
            << QStringList{"Écume d'été", "MOSCOW MULE"};
        QTest::newRow("strength 4 and cost 3")
            << QList<int>{3, -1, 4} << debut + " and Cout =  3 and Teneur =  4" + fin
            << QStringList{"Cosmo"};
        QTest::newRow("all three")
            << QList<int>{5, 4, 6}
            << debut + " and Cout =  5 and Difficulte =  4 and Teneur =  6" + fin
            << QStringList{"100% _Zeste_ d'or"};
        QTest::newRow("no match") << QList<int>{1, -1, -1} << debut + " and Cout =  1" + fin
                                  << QStringList{};
    }
    void criteria() {
        QFETCH(QList<int>, levels);
        QFETCH(QString, sql);
        QFETCH(QStringList, found);
        Started s;
        FrmFind& w = Ouvrir();
        for (int i = 0; i < 3; ++i) {
            if (levels[i] < 0) continue;
            w.Chk[i]->ClickIt();
            QVERIFY(w.Chk[i]->Value());
            QCOMPARE(w.LChk[i]->ListIndex(), 0);
            if (levels[i] > 0) w.LChk[i]->PickIt(levels[i]);
        }
        QCOMPARE(w.Requete(), sql);
        QCOMPARE(Chercher(w, ""), found);
    }

    // Unticking keeps the level; ticking again keeps a level chosen before.
    void tickKeepsAChosenLevel() {
        Started s;
        FrmFind& w = Ouvrir();
        w.LChk[1]->PickIt(3);
        w.Chk[1]->ClickIt();
        QCOMPARE(w.LChk[1]->ListIndex(), 3);
        w.Chk[1]->ClickIt();
        QVERIFY(!w.Chk[1]->Value());
        QCOMPARE(w.LChk[1]->ListIndex(), 3);
        // A ticked criterion whose level the user cleared searches level 0.
        w.Chk[0]->ClickIt();
        w.LChk[0]->SetListIndex(-1);
        w.Creer.ClickIt();
        QCOMPARE(w.LChk[0]->ListIndex(), 0);
        QCOMPARE(Fixture::Texts(w.Liste), (QStringList{"Écume d'été", "Mojito"}));
    }

    void otherKinds_data() {
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("categories") << 1
                                    << "Select NCategorie, Categorie From Categorie order "
                                       "by Categorie asc "
                                    << 2 << QStringList{"Classique", "Tropical"};
        QTest::newRow("glasses") << 2 << "Select NVerre, Verre From Verre order by Verre asc " << 3
                                 << QStringList{"coupe", "Flûte", "Tumbler"};
        QTest::newRow("ingredients")
            << 3 << "Select NIngredient, Ingredient From Ingredient order by Ingredient asc " << 7
            << QStringList{"Citron vert", "Jus d'orange", "Rhum blanc", "Vodka"};
    }
    void otherKinds() {
        QFETCH(int, option);
        QFETCH(QString, sql);
        QFETCH(int, icon);
        QFETCH(QStringList, found);
        Started s;
        FrmFind& w = Ouvrir();
        // Criteria left ticked do not count for another kind.
        w.Chk[0]->ClickIt();
        w.LChk[2]->PickIt(3);
        Chercher(w, "mo");
        const QStringList avant = Fixture::Texts(w.Liste);
        w.Opt_Liste[option]->ClickIt();
        // The results already shown stay until the next search.
        QCOMPARE(Fixture::Texts(w.Liste), avant);
        for (int i = 0; i < 3; ++i) {
            QVERIFY(!w.Chk[i]->Enabled());
            QVERIFY(!w.LChk[i]->Enabled());
        }
        QVERIFY(w.Chk[0]->Value());
        QCOMPARE(w.LChk[2]->ListIndex(), 3);
        QCOMPARE(w.Requete(), sql);
        QCOMPARE(Chercher(w, ""), found);
        QCOMPARE(w.Liste.Item(1)->SmallIcon(), icon);
        // One kind is chosen; the way of matching is a choice of its own.
        for (int i = 0; i < 4; ++i) QCOMPARE(w.Opt_Liste[i]->Value(), i == option);
        QVERIFY(w.Choix[0]->Value() && !w.Choix[1]->Value());
        // Back to recipes: the criteria come back with their state.
        w.Opt_Liste[0]->ClickIt();
        QVERIFY(w.Chk[0]->Enabled() && w.LChk[2]->Enabled());
        QVERIFY(w.Requete().contains(" and Cout =  0"));
    }

    // The arrow keys move among the kinds and among the ways of matching,
    // in the order of the screen, and choose as a click does.
    void optionGroupsAnswerTheArrows() {
        Started s;
        FrmFind& w = Ouvrir();
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        platform::OptionButton& ingredients = *w.Opt_Liste[3];
        QTest::mouseClick(&ingredients, Qt::LeftButton, {}, QPoint(8, ingredients.height() / 2));
        QCOMPARE(w.TableRecherche, QString("Ingredient"));
        const struct {
            Qt::Key key;
            int option;
            const char* table;
        } steps[] = {{Qt::Key_Down, 2, "Verre"},     {Qt::Key_Right, 1, "Categorie"},
                     {Qt::Key_Down, 0, "Cocktails"}, {Qt::Key_Down, 3, "Ingredient"},
                     {Qt::Key_Up, 0, "Cocktails"},   {Qt::Key_Left, 1, "Categorie"}};
        for (const auto& k : steps) {
            QTest::keyClick(QApplication::focusWidget(), k.key);
            QCOMPARE(QApplication::focusWidget(), w.Opt_Liste[k.option].get());
            for (int i = 0; i < 4; ++i) QCOMPARE(w.Opt_Liste[i]->Value(), i == k.option);
            QCOMPARE(w.TableRecherche, QString(k.table));
            QCOMPARE(w.Chk[0]->Enabled(), k.option == 0);
        }
        QVERIFY(w.Choix[0]->Value());

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::mouseClick(w.Choix[0].get(), Qt::LeftButton, {}, QPoint(8, 8));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QCOMPARE(QApplication::focusWidget(), w.Choix[1].get());
        QVERIFY(w.Choix[1]->Value() && !w.Choix[0]->Value());
        QVERIFY(w.Opt_Liste[0]->Value());
        w.Saisie.TypeIt(QStringLiteral("mo"));
        w.Creer.ClickIt();
        QCOMPARE(Fixture::Texts(w.Liste), (QStringList{"Cosmo", "MOSCOW MULE", "Mojito"}));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
        QVERIFY(w.Choix[0]->Value() && !w.Choix[1]->Value());
    }

    void secondSearchReplacesTheFirst() {
        Started s;
        FrmFind& w = Ouvrir();
        QCOMPARE(Chercher(w, "mo"), (QStringList{"MOSCOW MULE", "Mojito"}));
        QCOMPARE(Chercher(w, "co"), QStringList{"Cosmo"});
        QCOMPARE(Chercher(w, "zz"), QStringList{});
    }

    void quitOnlyHides() {
        Started s;
        FrmFind& w = Ouvrir();
        w.Opt_Liste[0]->ClickIt();
        w.Chk[2]->ClickIt();
        w.LChk[2]->PickIt(4);
        QCOMPARE(Chercher(w, "o", true), (QStringList{"Cosmo", "MOSCOW MULE", "Mojito"}));
        w.Liste.Select(w.Liste.Item(2));
        w.Quit.ClickIt();
        QVERIFY(!w.isVisible());
        QVERIFY(!w.Quit.Value());
        QVERIFY(FrmFind::Loaded());

        FrmFind& again = Ouvrir();
        QCOMPARE(&again, &w);
        QVERIFY(again.isVisible());
        QCOMPARE(again.Saisie.Text(), QString("o"));
        QVERIFY(again.Choix[1]->Value());
        QVERIFY(again.Chk[2]->Value());
        QCOMPARE(again.LChk[2]->ListIndex(), 4);
        QCOMPARE(Fixture::Texts(again.Liste), (QStringList{"Cosmo", "MOSCOW MULE", "Mojito"}));
        QCOMPARE(again.Liste.SelectedItem()->Text(), QString("MOSCOW MULE"));
        QCOMPARE(again.Liste.columnCount(), 1);
        QCOMPARE(platform::ModalSeam::Shown(), (QStringList{"FrmFind", "FrmFind"}));
    }

    void minimiseAndRestoreKeepTheResults() {
        Started s;
        FrmFind& w = Ouvrir();
        Chercher(w, "mo");
        w.Mini.ClickIt();
        QCOMPARE(int(General::FenetreReduite), 5);
        QVERIFY(!w.isVisible());
        QVERIFY(!F().isVisible());
        Pop::Instance().Restaurer();
        QVERIFY(F().isVisible());
        QCOMPARE(&FrmFind::Instance(), &w);
        QVERIFY(w.isVisible());
        QCOMPARE(Fixture::Texts(w.Liste), (QStringList{"MOSCOW MULE", "Mojito"}));
    }

    // A glass under the recipe kind: the main list turns to glasses, shows
    // the glass and keeps the kind for the next start.
    void openingAGlassSwitchesTheMainList() {
        Started s;
        QCOMPARE(F().Liste.Tag, QString("0"));
        FrmFind& w = Ouvrir();
        w.Opt_Liste[2]->ClickIt();
        Chercher(w, "");
        DoubleCliquer(w, "coupe");
        QVERIFY(!FrmFind::Loaded());
        QVERIFY(!w.isVisible());
        QCOMPARE(s.fx.Setting("Settings", "Tris"), QString("2"));
        QCOMPARE(F().Liste.Tag, QString("2"));
        QCOMPARE(F().Liste.SelectedItem()->Key(), QString("N  2"));
        QCOMPARE(F().LTDroit.Caption(), QString("coupe"));
        QStringList recettes = Fixture::Texts(F().LFilms);
        recettes.sort();
        QCOMPARE(recettes, (QStringList{"Cosmo", "Écume d'été"}));
        // The next opening starts afresh.
        FrmFind& fresh = Ouvrir();
        QVERIFY(fresh.Opt_Liste[0]->Value());
        QCOMPARE(fresh.Liste.Count(), 0);
        QCOMPARE(fresh.TableRecherche, QString("Cocktails"));
    }

    // A recipe under the recipe kind: the list stays as it was filled.
    void openingARecipeKeepsTheMainList() {
        Started s;
        platform::ListItem* avant = F().Liste.Item(1);
        avant->Tag = "repère";
        FrmFind& w = Ouvrir();
        Chercher(w, "mo");
        DoubleCliquer(w, "MOSCOW MULE");
        QVERIFY(!FrmFind::Loaded());
        QCOMPARE(F().Liste.Item(1), avant);
        QCOMPARE(avant->Tag, QString("repère"));
        QCOMPARE(F().Liste.SelectedItem()->Text(), QString("MOSCOW MULE"));
        QVERIFY(F().Liste.SelectedItem()->Bold());
        QCOMPARE(F().NumeroSelection, 2LL);
        QCOMPARE(F().LTDroit.Caption(), QString("MOSCOW MULE"));
        QCOMPARE(F().Liste.Tag, QString("0"));
        QCOMPARE(s.fx.Setting("Settings", "Tris"), QString("0"));
    }

    // Under the category kind, an ingredient turns the list to kind 6.
    void openingAnIngredientFromAnotherKind() {
        Started s;
        s.fx.SetSetting("Settings", "Tris", "1");
        General::AfficherListe(1);
        FrmFind& w = Ouvrir();
        w.Opt_Liste[3]->ClickIt();
        Chercher(w, "vod");
        DoubleCliquer(w, "Vodka");
        QCOMPARE(s.fx.Setting("Settings", "Tris"), QString("6"));
        QCOMPARE(F().Liste.Tag, QString("6"));
        QCOMPARE(F().Liste.SelectedItem()->Text(), QString("Vodka"));
        QStringList recettes = Fixture::Texts(F().LFilms);
        recettes.sort();
        QCOMPARE(recettes, (QStringList{"Cosmo", "MOSCOW MULE"}));
    }

    // A kind chosen after the search does not change what the results name:
    // the double-click opens the entry of the table they came from.
    void resultsKeepTheirTable_data() {
        QTest::addColumn<int>("cherche");  // the kind option of the search
        QTest::addColumn<int>("ensuite");  // the one clicked afterwards
        QTest::addColumn<QString>("mot");
        QTest::addColumn<QString>("resultat");
        QTest::addColumn<QString>("tris");
        QTest::addColumn<QString>("cle");
        // Flûte is glass 3, and recipe 3 is Écume d'été.
        QTest::newRow("glass, then recipes") << 2 << 0 << "fl"
                                             << "Flûte"
                                             << "2"
                                             << "N  3";
        // MOSCOW MULE is recipe 2, and glass 2 is coupe.
        QTest::newRow("recipe, then glasses") << 0 << 2 << "mos"
                                              << "MOSCOW MULE"
                                              << "0"
                                              << "N  2";
        // Vodka is ingredient 2, and category 2 is Classique.
        QTest::newRow("ingredient, then categories") << 3 << 1 << "vod"
                                                     << "Vodka"
                                                     << "6"
                                                     << "N  2";
    }
    void resultsKeepTheirTable() {
        QFETCH(int, cherche);
        QFETCH(int, ensuite);
        QFETCH(QString, mot);
        QFETCH(QString, resultat);
        QFETCH(QString, tris);
        QFETCH(QString, cle);
        Started s;
        FrmFind& w = Ouvrir();
        QTest::mouseClick(w.Opt_Liste[cherche].get(), Qt::LeftButton, {}, QPoint(8, 8));
        QVERIFY(w.Opt_Liste[cherche]->Value());
        QTest::keyClicks(w.Saisie.Editor(), mot);
        QTest::mouseClick(&w.Creer, Qt::LeftButton);
        QCOMPARE(Fixture::Texts(w.Liste), QStringList{resultat});
        QTest::mouseClick(w.Opt_Liste[ensuite].get(), Qt::LeftButton, {}, QPoint(8, 8));
        QVERIFY(w.Opt_Liste[ensuite]->Value() && !w.Opt_Liste[cherche]->Value());
        QCOMPARE(Fixture::Texts(w.Liste), QStringList{resultat});
        DoubleCliquer(w, resultat);
        QVERIFY(!FrmFind::Loaded());
        QCOMPARE(s.fx.Setting("Settings", "Tris"), tris);
        QCOMPARE(F().Liste.Tag, tris);
        QVERIFY(F().Liste.SelectedItem());
        QCOMPARE(F().Liste.SelectedItem()->Text(), resultat);
        QCOMPARE(F().Liste.SelectedItem()->Key(), cle);
        if (ensuite != 1) QCOMPARE(F().LTDroit.Caption(), resultat);
    }

    // A collection that cannot be read is told of; the window stays.
    void unreadableCollection() {
        Started s;
        FrmFind& w = Ouvrir();
        Chercher(w, "mo");
        QVERIFY(QFile::remove(s.fx.DbFile()));
        w.Creer.ClickIt();
        QCOMPARE(platform::MessageSeam::Calls().size(), 1);
        QVERIFY(!w.Creer.Value());
        QVERIFY(w.isVisible());
        QCOMPARE(w.Liste.Count(), 0);
    }

    // No selection, or an entry deleted since the search: nothing happens.
    void openingNothing() {
        Started s;
        FrmFind& w = Ouvrir();
        Chercher(w, "zz");
        emit w.Liste.itemDoubleClicked(nullptr, 0);
        QVERIFY(FrmFind::Loaded() && w.isVisible());

        w.Opt_Liste[2]->ClickIt();
        Chercher(w, "Flû");
        {
            auto d = db::OpenDb();
            d.Execute("DELETE FROM Verre WHERE NVerre = 3");
        }
        DoubleCliquer(w, "Flûte");
        QVERIFY(FrmFind::Loaded() && w.isVisible());
        QCOMPARE(F().Liste.Tag, QString("0"));
        QCOMPARE(s.fx.Setting("Settings", "Tris"), QString("<absent>"));

        // A recipe deleted while the main list still shows it is not opened.
        w.Opt_Liste[0]->ClickIt();
        Chercher(w, "co");
        General::AfficherListe(0);
        F().Liste.Clear();
        DoubleCliquer(w, "Cosmo");
        QVERIFY(FrmFind::Loaded() && w.isVisible());
    }
};

QTEST_MAIN(TestFind)
#include "test_find.moc"
