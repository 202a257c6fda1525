// The recipe card window: filled from the main window, paging through the
// list the shown recipe came from, its layout, hide and show.
#include <QAccessible>
#include <QtTest>

#include "Carte.h"
#include "card/ChargerAlbums.h"
#include "platform/MessageBox.h"
#include "platform/Modal.h"
#include "platform/Printer.h"
#include "platform/VbText.h"
#include "recipe_view/CadreRecette.h"
#include "shell/General.h"
#include "shell/Pop.h"

using namespace carte;

namespace {
QList<double> Tops(const platform::ControlArray<platform::PictureButton>& a) {
    QList<double> out;
    a.ForEach([&](int, platform::PictureButton& b) { out << b.Top(); });
    return out;
}

long long Numero(const QString& nom) {
    return platform::Val(platform::KeyNumber(Fixture::Entry(F().Liste, nom)->Key()));
}

// Shows the lower list of a category (kind 1) and clicks one of its recipes.
void MontrerDansCategorie(const QString& categorie, const QString& nom) {
    F().Bouton[1]->ClickIt();
    platform::ListItem* cat = Fixture::Entry(F().Liste, categorie);
    QVERIFY(cat);
    F().Liste.Select(cat);
    F().Liste_Click();
    platform::ListItem* it = Fixture::Entry(F().LFilms, nom);
    QVERIFY(it);
    F().LFilms.Select(it);
    F().LFilms_Click();
}
}  // namespace

class TestFiche : public QObject {
    Q_OBJECT
private slots:
    void designAndCaptions() {
        Demarre d;
        Montrer("Alpha");
        Ouvrir();
        FicheAlbum& c = C();
        QCOMPARE(platform::ModalSeam::Shown(), QStringList{"FicheAlbum"});
        QCOMPARE(int(General::FenetreReduite), 2);
        QVERIFY(c.isVisible());
        QCOMPARE(c.Titre[2]->Caption(), QString("Fiche Recette"));
        QCOMPARE(c.ScaleWidth(), 12015.0);
        QCOMPARE(c.Height(), 9015.0);
        const char* const captions[4] = {"Précédent  ", "   Suivant", " Configurer  ",
                                         "  Imprimer  "};
        const char* const tips[4] = {"Précédent", "Suivant", "Configurer l'imprimante",
                                     "Imprimer la recette"};
        const double lefts[4] = {30, 1720, 9840, 3360};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(c.Navi[i].Caption(), QString::fromUtf8(captions[i]));
            QCOMPARE(c.Navi[i].toolTip(), QString::fromUtf8(tips[i]));
            QCOMPARE(c.Navi[i].accessibleName(), QString::fromUtf8(tips[i]));
            QCOMPARE(c.Navi[i].Left(), lefts[i]);
            QCOMPARE(c.Navi[i].Top(), 60.0);
            QCOMPARE(c.Navi[i].Height(), 705.0);
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&c.Navi[i]);
            QVERIFY(a);
            QCOMPARE(a->role(), QAccessible::PushButton);
            QCOMPARE(a->text(QAccessible::Name), QString::fromUtf8(tips[i]));
        }
        // Headings and values in their colours and fonts.
        const QColor titres(128, 128, 255), orange(255, 128, 0), marine(0, 0, 128);
        for (int i = 0; i <= 10; ++i) {
            QCOMPARE(c.Libelle[i].ForeColor(), titres);
            QVERIFY(c.Libelle[i].font().bold());
            QVERIFY(c.Libelle[i].font().underline());
            QCOMPARE(c.Libelle[i].Police().pointSizeF(), 9.75);
            QVERIFY(c.Libelle[i].font().pointSizeF() <= 9.75);
        }
        QCOMPARE(c.Recette.ForeColor(), orange);
        QCOMPARE(c.Recette.font().pointSizeF(), 14.25);
        QVERIFY(c.Recette.font().bold());
        QCOMPARE(c.Cout.ForeColor, orange);
        QCOMPARE(c.Teneur.ForeColor, orange);
        QCOMPARE(c.Data[1].ForeColor, marine);
        QCOMPARE(c.Qte[0].ForeColor, QColor(0, 0, 255));
        QCOMPARE(c.Mesure[0].ForeColor, marine);
        QCOMPARE(c.Ingre[0].ForeColor, QColor(0, 0, 0));
        QCOMPARE(c.Histoire.ForeColor, marine);
        QCOMPARE(c.Cout.font().pointSizeF(), 9.0);
        QCOMPARE(c.CadrePhoto.Caption(), QString("Pas de photo"));

        // Everything copied from the main window's panel.
        const CadreRecette& r = F().Recette();
        QCOMPARE(c.Recette.Caption(), QString("Alpha"));
        QCOMPARE(c.Cout.Caption(), r.Data[2].Caption());
        QCOMPARE(c.Diff.Caption(), r.Data[3].Caption());
        QCOMPARE(c.Teneur.Caption(), r.Data[4].Caption());
        QCOMPARE(c.Teneur.Caption(), General::Teneurs[4]);
        QCOMPARE(c.Data[1].Caption(), QString("Tropical"));
        QCOMPARE(c.Data[2].Caption(), QString("Tumbler"));
        QCOMPARE(c.Data[3].Caption(), QString("Au shaker"));
        QCOMPARE(c.Prepa.Caption(), QString("Piler la menthe."));
        QCOMPARE(c.Deco.Caption(), QString("Une feuille."));
        QCOMPARE(c.Desc.Caption(), QString("Frais."));
        QCOMPARE(c.Histoire.Caption(), QString("Né à Cuba."));
        QCOMPARE(c.Ingre[2].Caption(), QString("Menthe"));
        QCOMPARE(c.Mesure[1].Caption(), QString("cl"));
        QCOMPARE(c.Qte[0].Caption(), QString("4"));
        // The photo fitted to the card's frame: 4:3 in 3255 × 3975.
        QVERIFY(!c.Photo.Picture().isNull());
        QCOMPARE(c.Photo.Width(), 3155.0);
        QCOMPARE(c.Photo.Height(), 2366.25);
        QCOMPARE(c.Photo.Left(), 50.0);
        QCOMPARE(c.Photo.Top(), 804.0);
    }

    // Rows 475 twips apart from row 0's design top, the text blocks stacked
    // under the last row, the extent 400 below the history.
    void layoutByLineCount_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QList<double>>("tops");
        QTest::newRow("three lines") << "Alpha" << QList<double>{5280, 5755, 6230};
        QTest::newRow("five lines") << "Bravo" << QList<double>{5280, 5755, 6230, 6705, 7180};
        QTest::newRow("no line: one empty row") << "Delta" << QList<double>{5280};
    }
    void layoutByLineCount() {
        QFETCH(QString, nom);
        QFETCH(QList<double>, tops);
        Demarre d;
        Montrer(nom);
        Ouvrir();
        FicheAlbum& c = C();
        QCOMPARE(Tops(c.Qte), tops);
        QCOMPARE(Tops(c.Mesure), tops);
        QCOMPARE(Tops(c.Ingre), tops);
        for (int i = 1; i <= c.Qte.UBound(); ++i) {
            QVERIFY(c.Qte[i].Visible());
            QCOMPARE(c.Ingre[i].Width(), 7635.0);
            QCOMPARE(c.Mesure[i].Left(), 1350.0);
        }
        if (nom == "Delta")
            for (auto* a : {&c.Qte, &c.Mesure, &c.Ingre}) QCOMPARE((*a)[0].Caption(), QString());
        const double bas = tops.last() + 375;
        QCOMPARE(c.Libelle[3].Top(), bas + 400);
        QCOMPARE(c.Prepa.Top(), bas + 640);
        QCOMPARE(c.Libelle[4].Top(), bas + 640 + 1335 + 400);
        QCOMPARE(c.Desc.Top(), bas + 2615);
        QCOMPARE(c.Libelle[5].Top(), bas + 2615 + 1735);
        QCOMPARE(c.Deco.Top(), bas + 4590);
        QCOMPARE(c.Libelle[6].Top(), bas + 4590 + 1735);
        QCOMPARE(c.Histoire.Top(), bas + 6565);
        QCOMPARE(c.Histoire.Height(), 3375.0);
        QCOMPARE(c.Scroll[0]->ScrollHeight(), bas + 6565 + 3375 + 400);
        // The heading and everything above the rows keep their places.
        QCOMPARE(c.Libelle[0].Top(), 5040.0);
        QCOMPARE(c.Data[3].Top(), 4440.0);
    }

    void fiveLinesThenTwoRemoveRowsTwoToFour() {
        Demarre d;
        Montrer("Bravo");
        Ouvrir();
        QCOMPARE(C().Qte.UBound(), 4);
        C().Quit.ClickIt();
        Montrer("Charlie");
        Ouvrir();
        FicheAlbum& c = C();
        for (auto* a : {&c.Qte, &c.Mesure, &c.Ingre}) {
            QCOMPARE(a->Count(), 2);
            for (int i = 2; i <= 4; ++i) QVERIFY(!a->Exists(i));
        }
        QCOMPARE(c.Ingre[1].Caption(), QString("Triple sec"));
        QCOMPARE(c.Libelle[3].Top(), 5755.0 + 375 + 400);
    }

    // Which of previous and next are enabled, by the place of the row.
    void endsOfTheList_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<bool>("precedent");
        QTest::addColumn<bool>("suivant");
        QTest::newRow("first") << "Alpha" << false << true;
        QTest::newRow("middle") << "Charlie" << true << true;
        QTest::newRow("last") << "Echo" << true << false;
    }
    void endsOfTheList() {
        QFETCH(QString, nom);
        QFETCH(bool, precedent);
        QFETCH(bool, suivant);
        Demarre d;
        Montrer(nom);
        Ouvrir();
        QCOMPARE(C().Navi[0].isEnabled(), precedent);
        QCOMPARE(C().Navi[1].isEnabled(), suivant);
    }

    void singleRowDisablesBoth() {
        Demarre d;
        MontrerDansCategorie("Seule", "Echo");
        QCOMPARE(F().LFilms.Count(), 1);
        Ouvrir();
        QVERIFY(!C().Navi[0].isEnabled());
        QVERIFY(!C().Navi[1].isEnabled());
        QCOMPARE(C().Recette.Caption(), QString("Echo"));
        // A click on a disabled button changes nothing.
        C().Navi[1].ClickIt();
        QCOMPARE(C().Recette.Caption(), QString("Echo"));
        QVERIFY(!C().Navi[1].Value());
    }

    // Next moves the source list's selection only: the main window keeps
    // its highlighted row and heading, its panel shows the new recipe.
    void nextAndPreviousMoveOnlyTheSelection() {
        Demarre d;
        Montrer("Alpha");
        const QString titre = F().LTDroit.Caption();
        Ouvrir();
        C().Navi[1].ClickIt();
        QVERIFY(!C().Navi[1].Value());
        QCOMPARE(F().Liste.SelectedItem()->Text(), QString("Bravo"));
        QCOMPARE(C().Recette.Caption(), QString("Bravo"));
        QCOMPARE(C().Qte.UBound(), 4);
        QCOMPARE(*F().Recette().RecetteAffichee(), Numero("Bravo"));
        QCOMPARE(F().Recette().Ingre[4].Caption(), QString("Cinq"));
        QVERIFY(F().Liste.Item(1)->Bold());
        QCOMPARE(F().Liste.Item(1)->ForeColor(), General::CouleurSelection);
        QVERIFY(!F().Liste.Item(2)->Bold());
        QCOMPARE(F().LTDroit.Caption(), titre);
        QVERIFY(C().Navi[0].isEnabled());

        C().Navi[1].ClickIt();
        C().Navi[0].ClickIt();
        QCOMPARE(F().Liste.SelectedItem()->Text(), QString("Bravo"));
        C().Navi[0].ClickIt();
        QCOMPARE(C().Recette.Caption(), QString("Alpha"));
        QVERIFY(!C().Navi[0].isEnabled());
        QCOMPARE(C().Qte.UBound(), 2);
        QVERIFY(!C().Photo.Picture().isNull());
    }

    // The card pages through the list the shown recipe came from, whatever
    // the mark on the tool button says.
    void sourceListIsWhereTheRecipeCameFrom() {
        Demarre d;
        MontrerDansCategorie("Tropical", "Bravo");
        QCOMPARE(F().Outils[2]->Tag, QString("B"));
        const QString categorie = F().Liste.SelectedItem()->Text();
        Ouvrir();
        QCOMPARE(C().Recette.Caption(), QString("Bravo"));
        C().Navi[1].ClickIt();
        QCOMPARE(F().LFilms.SelectedItem()->Text(), QString("Charlie"));
        QCOMPARE(F().Liste.SelectedItem()->Text(), categorie);
        QCOMPARE(C().Recette.Caption(), QString("Charlie"));
        C().Quit.ClickIt();

        // A right click on the upper list empties the mark while the lower
        // list's recipe stays shown.
        platform::MenuSeam::Choose(QString());
        F().Liste_MouseDown(2, 0, 0, 0);
        QCOMPARE(F().Outils[2]->Tag, QString());
        QVERIFY(F().Outils[2]->Visible());
        Ouvrir();
        QCOMPARE(C().Recette.Caption(), QString("Charlie"));
        QVERIFY(C().Navi[0].isEnabled());
        C().Navi[0].ClickIt();
        QCOMPARE(F().LFilms.SelectedItem()->Text(), QString("Bravo"));
        QCOMPARE(F().Liste.SelectedItem()->Text(), categorie);
        QCOMPARE(C().Recette.Caption(), QString("Bravo"));
    }

    void upperListWhenTheRecipeCameFromIt() {
        Demarre d;
        Montrer("Charlie");
        QCOMPARE(F().Outils[2]->Tag, QString("H"));
        Ouvrir();
        C().Navi[1].ClickIt();
        QCOMPARE(F().Liste.SelectedItem()->Text(), QString("Delta"));
        QCOMPARE(C().Recette.Caption(), QString("Delta"));
        QCOMPARE(C().Qte.Count(), 1);
        // Delta has no photo: the frame shows its caption.
        QVERIFY(C().Photo.Picture().isNull());
    }

    void noSelectedRowDisablesBoth() {
        Demarre d;
        Montrer("Charlie");
        Ouvrir();
        C().Quit.ClickIt();
        F().Liste.Select(nullptr);
        ChargerAlbums::ChargerFiche();
        QVERIFY(!C().Navi[0].isEnabled());
        QVERIFY(!C().Navi[1].isEnabled());
        QCOMPARE(C().Recette.Caption(), QString());
        C().Navi[1].ClickIt();
        C().Navi[0].ClickIt();
        QCOMPARE(C().Recette.Caption(), QString());
        QVERIFY(platform::MessageSeam::Calls().isEmpty());
    }

    // The close only hides; the tool button refills from what the main
    // window shows then; a value field only gives its pressed state back.
    void hideAndShowAgainRefills() {
        Demarre d;
        Montrer("Bravo");
        Ouvrir();
        C().Quit.ClickIt();
        QVERIFY(!C().isVisible());
        QVERIFY(FicheAlbum::Loaded());
        QCOMPARE(C().Recette.Caption(), QString("Bravo"));
        QCOMPARE(C().Qte.UBound(), 4);
        QVERIFY(!C().Quit.Value());

        Montrer("Alpha");
        QCOMPARE(C().Recette.Caption(), QString("Bravo"));
        Ouvrir();
        QVERIFY(C().isVisible());
        QCOMPARE(C().Recette.Caption(), QString("Alpha"));
        QCOMPARE(C().Qte.UBound(), 2);
        QCOMPARE(platform::ModalSeam::Shown(), (QStringList{"FicheAlbum", "FicheAlbum"}));

        const QString cout = C().Cout.Caption();
        C().Cout.ClickIt();
        QVERIFY(!C().Cout.Value());
        C().Histoire.ClickIt();
        QVERIFY(!C().Histoire.Value());
        QCOMPARE(C().Cout.Caption(), cout);
    }

    // Restoring from the task bar shows the card again as it was.
    void minimiseAndRestoreKeepsTheCard() {
        Demarre d;
        Montrer("Bravo");
        Ouvrir();
        C().Mini.ClickIt();
        QCOMPARE(int(General::FenetreReduite), 2);
        QVERIFY(!C().isVisible());
        Montrer("Alpha");
        Pop::Instance().Restaurer();
        QVERIFY(C().isVisible());
        QCOMPARE(C().Recette.Caption(), QString("Bravo"));
        QCOMPARE(C().Qte.UBound(), 4);
    }

    void configureOpensThePrinterDialog() {
        Demarre d;
        Montrer("Alpha");
        Ouvrir();
        platform::PrinterSeam::AnswerDialog({false});
        C().Navi[2].ClickIt();
        QCOMPARE(platform::PrinterSeam::DialogCalls(), 1);
        QVERIFY(!C().Navi[2].Value());
        QVERIFY(C().isVisible());
        QCOMPARE(C().Recette.Caption(), QString("Alpha"));
    }
};

QTEST_MAIN(TestFiche)
#include "test_fiche.moc"
