// The lists' context menu over a real collection file: adding, renaming and
// deleting entries, and what the lists show afterwards.
#include <QLineEdit>
#include <QtTest>

#include "db/Schema.h"
#include "platform/CommonDialog.h"
#include "platform/InputBox.h"
#include "platform/Menu.h"
#include "platform/MessageBox.h"
#include "platform/Modal.h"
#include "platform/VbText.h"
#include "recipe_view/CadreRecette.h"
#include "recipe_view/CadreVerre.h"
#include "shell/Frmmain.h"
#include "shell/General.h"
#include "shell/Pop.h"
#include "support/Fixture.h"

namespace {

// Five recipes (Numero 1-5, listed in that order by name); categories
// Classique 1 (four recipes), Tropical 2 (one), Vide 3 (none).
const char* kSeed = R"({
  "categories": ["Classique", "Tropical", "Vide"],
  "verres": [{"nom": "Coupe"}, {"nom": "Flûte"}],
  "recettes": [
    {"nom": "Alpha", "categorie": "Classique", "verre": "Coupe", "lignes": [["1", "cl", "Gin"]]},
    {"nom": "Bravo", "categorie": "Classique", "verre": "Coupe", "lignes": [["2", "cl", "Gin"]]},
    {"nom": "Charlie", "categorie": "Classique", "verre": "Coupe",
     "lignes": [["3", "cl", "Rhum"], ["1", "trait", "Sirop"]]},
    {"nom": "Delta", "categorie": "Classique", "verre": "Coupe", "lignes": [["4", "cl", "Gin"]]},
    {"nom": "Echo", "categorie": "Tropical", "verre": "Coupe", "lignes": [["5", "cl", "Rhum"]]}
  ]})";

Frmmain& F() {
    return Frmmain::Instance();
}
Pop& P() {
    return Pop::Instance();
}

void Click(platform::ListView& l, const QString& text) {
    l.Select(Fixture::Entry(l, text));
    if (&l == &F().Liste)
        F().Liste_Click();
    else
        F().LFilms_Click();
}

void SortBy(int kind) {
    F().Bouton[static_cast<size_t>(kind)]->ClickIt();
}

long Count(const QString& sql) {
    return db::OpenDb().OpenRecordset(sql).RecordCount();
}

}  // namespace

class TestMenus : public QObject {
    Q_OBJECT
private slots:
    void addAsksAndRefills_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("listTitle");
        QTest::addColumn<QString>("sql");
        QTest::newRow("category, leading blanks kept")
            << 1 << "  Fizz"
            << "Veuillez saisir une nouvelle catégorie"
            << "Création d'une nouvelle Catégorie"
            << " Liste des Catégories "
            << "SELECT * From Categorie where Categorie = '  Fizz'";
        QTest::newRow("glass")
            << 2 << "Tumbler"
            << "Veuillez saisir un nouveau type de verre "
            << "Création d'un nouveau type de verre "
            << " Liste des Verres"
            << "SELECT * From Verre where Verre = 'Tumbler' and Contenance = ' '";
        QTest::newRow("ingredient") << 6 << "Menthe"
                                    << "Veuillez saisir un nouvel ingrédient"
                                    << "Création d'un nouvel ingrédient"
                                    << " Liste des Ingredients"
                                    << "SELECT * From Ingredient where Ingredient = 'Menthe'";
    }
    void addAsksAndRefills() {
        QFETCH(int, kind);
        QFETCH(QString, answer);
        QFETCH(QString, prompt);
        QFETCH(QString, title);
        QFETCH(QString, listTitle);
        QFETCH(QString, sql);
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        SortBy(kind);
        platform::InputSeam::Answer({answer});
        P().Ajouter().ClickIt();
        const auto calls = platform::InputSeam::Calls();
        QCOMPARE(calls.size(), 1);
        QCOMPARE(calls.first().prompt, prompt);
        QCOMPARE(calls.first().title, title);
        QCOMPARE(Count(sql), 1L);
        QCOMPARE(F().LTGauche.Caption(), listTitle);
        QVERIFY(Fixture::Entry(F().Liste, answer));
        // The refill is followed by a selection of its first entry.
        QCOMPARE(F().Liste.SelectedItem(), F().Liste.Item(1));
    }

    void addWithNothingTypedAddsNothing() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        SortBy(1);
        const QByteArray before = Fixture::ReadFile(fx.DbFile());
        platform::InputSeam::Answer({"   ", QString()});
        P().Ajouter().ClickIt();
        P().Ajouter().ClickIt();
        QCOMPARE(Fixture::ReadFile(fx.DbFile()), before);
        // A name already there is refused by its message.
        platform::InputSeam::Answer({"classique"});
        P().Ajouter().ClickIt();
        QCOMPARE(platform::MessageSeam::Calls().last().prompt,
                 QString("Information déjà existante !"));
        QCOMPARE(Count("SELECT * From Categorie"), 3L);
    }

    void addInRecipesOpensTheEntryWindow() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        P().Ajouter().ClickIt();
        QVERIFY(platform::ModalSeam::Shown().contains("Manuelle"));
        QVERIFY(platform::InputSeam::Calls().isEmpty());
    }

    void deleteRecipesFromTheUpperList() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        // The third of five: the recipe moved into third place is shown.
        Click(F().Liste, "Charlie");
        F().Outils[2]->Tag = "H";
        P().Supprimer().ClickIt();
        QCOMPARE(Fixture::Texts(F().Liste), QStringList({"Alpha", "Bravo", "Delta", "Echo"}));
        QCOMPARE(F().Liste.SelectedItem()->Text(), QString("Delta"));
        QCOMPARE(F().LTDroit.Caption(), QString("Delta"));
        QCOMPARE(F().Recette().RecetteAffichee(), std::optional<long long>(4));
        QCOMPARE(F().LBGauche.Caption(), QString(" 4 Cocktail(s) ..."));
        QCOMPARE(Count("SELECT * From Cocktails where Numero = 3"), 0L);
        QCOMPARE(Count("SELECT * From Ingre where Numero = 3"), 0L);
        // The last one: the new last is selected.
        Click(F().Liste, "Echo");
        P().Supprimer().ClickIt();
        QCOMPARE(F().Liste.SelectedItem()->Text(), QString("Delta"));
        // Down to none: the deleted recipe stays on screen, written to no more.
        for (int i = 0; i < 3; ++i) P().Supprimer().ClickIt();
        QCOMPARE(F().Liste.Count(), 0);
        QCOMPARE(F().LBGauche.Caption(), QString(" 0 Cocktail(s) ..."));
        QVERIFY(F().Cadre[0]->Visible());
        QVERIFY(!F().Recette().RecetteAffichee());
        QCOMPARE(Count("SELECT * From Ingre"), 0L);
        P().Supprimer().ClickIt();  // nothing selected: nothing happens
    }

    void deleteLookupEntriesOnlyWhenUnused() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        SortBy(1);
        // A category with recipes: nothing, even with the item enabled.
        Click(F().Liste, "Classique");
        const QByteArray before = Fixture::ReadFile(fx.DbFile());
        P().Supprimer().ClickIt();
        QCOMPARE(Fixture::ReadFile(fx.DbFile()), before);
        // A stale lower list: the collection itself is asked.
        Click(F().Liste, "Vide");
        db::OpenDb().Execute("UPDATE Cocktails SET NCategorie = 3 WHERE Numero = 5");
        P().Supprimer().ClickIt();
        QCOMPARE(Count("SELECT * From Categorie"), 3L);
        db::OpenDb().Execute("UPDATE Cocktails SET NCategorie = 2 WHERE Numero = 5");
        P().Supprimer().ClickIt();
        QCOMPARE(Count("SELECT * From Categorie where NCategorie = 3"), 0L);
        QCOMPARE(Fixture::Texts(F().Liste), QStringList({"Classique", "Tropical"}));
        QCOMPARE(F().Liste.SelectedItem()->Text(), QString("Tropical"));
        // The selection then shows its recipes and their count.
        QCOMPARE(F().LBGauche.Caption(), QString(" 1 Recette(s) ..."));

        // An ingredient whose only lines belong to deleted recipes can go.
        SortBy(6);
        db::OpenDb().Execute("INSERT INTO Ingre VALUES (99, 1, 1, 3)");
        db::OpenDb().Execute("DELETE FROM Ingre WHERE NIngre = 3 AND Numero <> 99");
        Click(F().Liste, "Sirop");
        QCOMPARE(F().LFilms.Count(), 0);
        P().Supprimer().ClickIt();
        QCOMPARE(Count("SELECT * From Ingredient where Ingredient = 'Sirop'"), 0L);
        QCOMPARE(F().LBGauche.Caption(), QString(" 2 Recette(s) ..."));  // Rhum, below
    }

    void deleteTheOnlyCategory() {
        Fixture fx;
        fx.WriteSeed(R"({"categories": ["Seule"]})");
        QVERIFY(fx.StartMain());
        SortBy(1);
        P().Supprimer().ClickIt();
        QCOMPARE(F().Liste.Count(), 0);
        QCOMPARE(F().LBGauche.Caption(), QString(" 0 Catégorie(s) ..."));
    }

    void deleteFromTheLowerList() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        SortBy(1);
        Click(F().Liste, "Classique");
        const QString count = F().LBGauche.Caption();
        const QStringList below = Fixture::Texts(F().LFilms);
        const QString second = below.at(1);
        Click(F().LFilms, second);
        P().Supprimer().ClickIt();
        QCOMPARE(F().LFilms.Count(), 3);
        QCOMPARE(F().LFilms.SelectedItem()->Text(), below.at(2));
        QCOMPARE(F().LTDroit.Caption(), below.at(2));
        QCOMPARE(F().Recette().RecetteAffichee(),
                 std::optional<long long>(
                     platform::Val(platform::KeyNumber(F().LFilms.SelectedItem()->Key()))));
        QCOMPARE(F().LBGauche.Caption(), count);
        QCOMPARE(Count("SELECT * From Cocktails where Recette = '" + second + "'"), 0L);
    }

    void aFailedDeletionLeavesEverything() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        db::OpenDb().Execute(
            "CREATE TRIGGER non BEFORE DELETE ON Cocktails BEGIN SELECT RAISE(ABORT, 'non'); END");
        const QByteArray before = Fixture::ReadFile(fx.DbFile());
        Click(F().Liste, "Charlie");
        P().Supprimer().ClickIt();
        QCOMPARE(Fixture::ReadFile(fx.DbFile()), before);
        QCOMPARE(platform::MessageSeam::Calls().size(), 1);
        QCOMPARE(F().Liste.Count(), 5);
        QCOMPARE(F().Recette().RecetteAffichee(), std::optional<long long>(3));
    }

    void renameStartsOnTheListOfTheContext() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        F().show();
        SortBy(1);
        Click(F().Liste, "Classique");
        Click(F().LFilms, "Alpha");
        P().Modifier().ClickIt();
        QVERIFY(F().LFilms.LabelEditAutomatic());
        QTRY_VERIFY(F().LFilms.findChild<QLineEdit*>());
        QVERIFY(!F().Liste.LabelEditAutomatic());
    }
    // A settings file that cannot be written does not change which table an
    // action hits: the kind chosen on the sort bar holds for the session.
    void unwritableSettingsKeepEachActionOnItsTable() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        Fixture::WriteFile(fx.Dir() + "/fichier", "x");
        qputenv("BRIVANTA_REGLAGES", (fx.Dir() + "/fichier/Brivanta.ini").toUtf8());
        QVERIFY(fx.StartMain());
        QCOMPARE(platform::MessageSeam::Calls().size(), 1);
        QVERIFY(platform::MessageSeam::Calls()[0].prompt.startsWith(
            "Les réglages de Brivanta ne pourront pas être enregistrés"));
        const auto before = Fixture::AllRows();

        QTest::mouseClick(F().Bouton[1].get(), Qt::LeftButton);
        QCOMPARE(F().Liste.Tag, QString("1"));
        // A category that has recipes: the menu offers no deletion, and a
        // deletion asked anyway removes nothing.
        platform::MenuSeam::Choose("Supprimer");
        Fixture::ClickEntry(F().Liste, "Classique", Qt::RightButton);
        QCOMPARE(platform::MenuSeam::Popups().size(), 1);
        QVERIFY(platform::MenuSeam::Popups()[0].disabled.contains("Supprimer"));
        QCOMPARE(F().LFilms.Count(), 4);

        // A rename typed in the list's own label editor renames the category.
        platform::MenuSeam::Choose("Modifier");
        Fixture::ClickEntry(F().Liste, "Tropical", Qt::RightButton);
        QLineEdit* editor = nullptr;
        QTRY_VERIFY((editor = F().Liste.findChild<QLineEdit*>()) && editor->isVisible());
        editor->selectAll();
        QTest::keyClicks(editor, "Exotique");
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(!F().Liste.findChild<QLineEdit*>() ||
                    !F().Liste.findChild<QLineEdit*>()->isVisible());
        QVERIFY(Fixture::Entry(F().Liste, "Exotique"));

        auto expected = before;
        expected["Categorie"].replace(expected["Categorie"].indexOf("2|Tropical"), "2|Exotique");
        const auto after = Fixture::AllRows();
        for (auto t = expected.cbegin(); t != expected.cend(); ++t)
            QCOMPARE(after.value(t.key()), t.value());

        // Every kind is reached on the sort bar, the recipes included.
        for (int kind : {0, 2, 3, 4, 5, 6, 1, 0}) {
            QTest::mouseClick(F().Bouton[static_cast<size_t>(kind)].get(), Qt::LeftButton);
            QCOMPARE(F().Liste.Tag, QString::number(kind));
            QCOMPARE(F().LTGauche.Caption(), QString::fromUtf8(General::Kind(kind).title));
        }
        QCOMPARE(Fixture::AllRows(), expected);
        QVERIFY(!QFile::exists(fx.Dir() + "/fichier/Brivanta.ini"));
        QCOMPARE(platform::MessageSeam::Calls().size(), 1);
    }

    // A recipe clicked in the lower list under a glass takes the right
    // block: the glass panel gives way, and the photo on screen is the
    // recipe's, until a glass is clicked again.
    void aRecipeClickedUnderItsGlassIsOnTop() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        Fixture::WriteImage(fx.Dir() + "/verre.png");
        Fixture::WriteImage(fx.Dir() + "/charlie.png");
        db::OpenDb().Execute("UPDATE Verre SET Image = 'verre.png' WHERE NVerre = 1");
        db::OpenDb().Execute("UPDATE Cocktails SET Photo = '" + fx.Dir() +
                             "/charlie.png' WHERE Numero = 3");
        QVERIFY(fx.StartMain());
        QTest::mouseClick(F().Bouton[2].get(), Qt::LeftButton);
        Fixture::ClickEntry(F().Liste, "Coupe");
        QVERIFY(F().Cadre[1]->isVisible());
        Fixture::ClickEntry(F().LFilms, "Charlie");
        QCOMPARE(F().LTDroit.Caption(), QString("Charlie"));
        QVERIFY(F().Outils[2]->isVisible());

        // What lies at the centre of the recipe's photo frame.
        CadreRecette& r = F().Recette();
        const QPoint centre = r.CadrePhoto.mapTo(&F(), r.CadrePhoto.rect().center());
        auto dessus = [&]() -> QWidget* { return F().childAt(centre); };
        QWidget* w = dessus();
        QVERIFY(w);
        QVERIFY2(w == &r.CadrePhoto || r.CadrePhoto.isAncestorOf(w), w->metaObject()->className());
        QVERIFY(!F().Cadre[1]->isVisible());

        // The photo menu there acts on the recipe, never on the glass.
        platform::MenuSeam::Choose("SuppPhoto");
        QTest::mousePress(w, Qt::RightButton, {}, w->mapFrom(&F(), centre));
        QCOMPARE(platform::MenuSeam::Popups().last().menu, QString("Menu2"));
        QCOMPARE(db::OpenDb().OpenRecordset("SELECT Photo From Cocktails where Numero = 3").Text(0),
                 QString(" "));
        QCOMPARE(db::OpenDb().OpenRecordset("SELECT Image From Verre where NVerre = 1").Text(0),
                 QString("verre.png"));
        QCOMPARE(r.CadrePhoto.Caption(), QString("Pas de photo"));

        // A glass clicked again comes back on top.
        Fixture::ClickEntry(F().Liste, "Coupe");
        QVERIFY(F().Cadre[1]->isVisible());
        QVERIFY(!F().Cadre[0]->isVisible());
        QVERIFY(F().Cadre[1]->isAncestorOf(dessus()));
        QVERIFY(!F().Verre().PhotoVerre.Picture().isNull());
    }

    // The photo menu acts on the frame that popped it: the recipe's photo
    // even when the recipe was opened under its glass.
    void photoMenuOnTheFrameThatPoppedIt() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QImage img(6, 4, QImage::Format_RGB32);
        img.fill(Qt::blue);
        QVERIFY(img.save(fx.Dir() + "/petite.png"));
        db::OpenDb().Execute("UPDATE Verre SET Image = 'verre.png' WHERE NVerre = 1");
        QVERIFY(img.save(fx.Dir() + "/verre.png"));
        QVERIFY(fx.StartMain());
        SortBy(2);
        Click(F().Liste, "Coupe");
        QVERIFY(!F().Verre().PhotoVerre.Picture().isNull());
        Click(F().LFilms, "Charlie");
        {
            platform::CommonDialogSeam::Scripted answer({fx.Dir() + "/petite.png"});
            platform::MenuSeam::Choose("ModifPhoto");
            F().Recette().CadrePhoto_MouseDown(2, 0, 0, 0);
        }
        QCOMPARE(platform::MenuSeam::Popups().last().menu, QString("Menu2"));
        QVERIFY(db::OpenDb()
                    .OpenRecordset("SELECT Photo From Cocktails where Numero = 3")
                    .Text(0)
                    .contains('#'));
        QCOMPARE(db::OpenDb().OpenRecordset("SELECT Image From Verre where NVerre = 1").Text(0),
                 QString("verre.png"));
        QVERIFY(!F().Recette().Photo.Picture().isNull());

        // A cancelled choice stores nothing.
        const QByteArray before = Fixture::ReadFile(fx.DbFile());
        {
            platform::CommonDialogSeam::Scripted cancel({QString()});
            platform::MenuSeam::Choose("ModifPhoto");
            F().Verre().CadrephotoVerre_MouseDown(2, 0, 0, 0);
        }
        QCOMPARE(Fixture::ReadFile(fx.DbFile()), before);

        // Removing the glass picture stores one blank; the next load says so.
        const QString tag = F().Verre().PhotoVerre.Tag;
        platform::MenuSeam::Choose("SuppPhoto");
        F().Verre().CadrephotoVerre_MouseDown(2, 0, 0, 0);
        QCOMPARE(db::OpenDb().OpenRecordset("SELECT Image From Verre where NVerre = 1").Text(0),
                 QString(" "));
        QVERIFY(F().Verre().PhotoVerre.Picture().isNull());
        QCOMPARE(F().Verre().CadrephotoVerre.Caption(), QString("Pas de photo"));
        QCOMPARE(F().Verre().PhotoVerre.Tag, tag);
        F().Verre().ChargerVerre(1);
        QCOMPARE(F().Verre().CadrephotoVerre.Caption(), QString("Pas de photo"));
        // And the recipe's photo, on its own frame.
        platform::MenuSeam::Choose("SuppPhoto");
        F().Recette().CadrePhoto_MouseDown(2, 0, 0, 0);
        QCOMPARE(db::OpenDb().OpenRecordset("SELECT Photo From Cocktails where Numero = 3").Text(0),
                 QString(" "));
        QCOMPARE(F().Recette().CadrePhoto.Caption(), QString("Pas de photo"));
    }
};

QTEST_MAIN(TestMenus)
#include "test_menus.moc"
