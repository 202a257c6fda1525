// The tool bar, the sort bar, the window buttons and the title of the main
// window, driven headless.
#include <QtTest>

#include "platform/CommonDialog.h"
#include "platform/Modal.h"
#include "platform/Settings.h"
#include "platform/ShellOpen.h"
#include "shell/Frmmain.h"
#include "shell/General.h"
#include "shell/Patch.h"
#include "shell/Splash.h"
#include "support/Fixture.h"

namespace {
Frmmain& F() {
    return Frmmain::Instance();
}
const char* kSeed = R"({"categories": ["Tropical", "Classique"], "verres": [{"nom": "Tumbler"}],
  "recettes": [{"nom": "Mojito", "categorie": "Tropical", "verre": "Tumbler"},
               {"nom": "Bellini", "categorie": "Classique", "verre": "Tumbler"}]})";

struct Started {
    Fixture fx;
    Started() {
        fx.WriteSeed(kSeed);
        platform::ShellOpenSeam::Disable();
        platform::ShellOpenSeam::Enable();
        if (!fx.StartMain()) qFatal("start-up refused");
        platform::ModalSeam::Clear();
    }
    ~Started() { platform::ShellOpenSeam::Disable(); }
};
}  // namespace

class TestToolbar : public QObject {
    Q_OBJECT
private slots:
    void toolHover_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0 << "Créer une nouvelle recette ";
        QTest::newRow("1") << 1
                           << "Ajouter des nouvelles recettes à partir du site "
                              "http://recettes.exemple.org ";
        QTest::newRow("2") << 2 << "Imprimer les recettes ";
        QTest::newRow("3") << 3 << "Acquérir de nouvelles images ";
        QTest::newRow("4") << 4 << "Rechercher une recette avec plusieurs critères ";
        QTest::newRow("5") << 5 << "Sauvegarder la base ";
        QTest::newRow("6") << 6 << "Restaurer une ancienne base ";
        QTest::newRow("7") << 7 << "Visiter le site de notre partenaire recettes.exemple.org ";
        QTest::newRow("8") << 8 << "Visiter le site de l'auteur ";
        QTest::newRow("9") << 9 << "A Propos ...";
        QTest::newRow("10") << 10 << "Aide de Brivanta ... ";
        QTest::newRow("11") << 11 << "Conseils pratiques de recettes.exemple.org ...";
    }
    void toolHover() {
        QFETCH(int, index);
        QFETCH(QString, text);
        Started s;
        platform::PictureButton& b = *F().Outils[index];
        const qint64 face = b.Picture.cacheKey();
        emit b.MouseEnter();
        QCOMPARE(F().Tooltiptext.Caption(), text);
        emit b.MouseLeave();
        QCOMPARE(F().Tooltiptext.Caption(), QString(" "));
        // Tool buttons keep their picture.
        QCOMPARE(b.Picture.cacheKey(), face);
    }

    void toolClick_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QString>("shown");
        QTest::newRow("0 new recipe") << 0 << 0 << ""
                                      << "Manuelle";
        QTest::newRow("1 import") << 1 << 1 << ""
                                  << "Facile";
        QTest::newRow("2 card") << 2 << 2 << ""
                                << "FicheAlbum";
        QTest::newRow("3 pictures") << 3 << 3 << ""
                                    << "Acquisition";
        QTest::newRow("4 search") << 4 << 5 << ""
                                  << "FrmFind";
        QTest::newRow("7 partner") << 7 << 99 << "http://recettes.exemple.org"
                                   << "";
        QTest::newRow("8 author") << 8 << 99 << "http://brivanta.exemple.net/"
                                  << "";
        QTest::newRow("9 about") << 9 << 8 << ""
                                 << "Splash";
        QTest::newRow("10 help") << 10 << 99 << "%1/aide/index.htm"
                                 << "";
        QTest::newRow("11 tips") << 11 << 4 << ""
                                 << "Astuces";
    }
    void toolClick() {
        QFETCH(int, index);
        QFETCH(int, code);
        QFETCH(QString, opened);
        QFETCH(QString, shown);
        Started s;
        platform::PictureButton& b = *F().Outils[index];
        bool pressedWhileShown = false;
        short codeWhileShown = -1;
        platform::ModalSeam::OnShow([&](QDialog&) {
            pressedWhileShown = b.Value();
            codeWhileShown = General::FenetreReduite;
        });
        b.ClickIt();
        QCOMPARE(int(General::FenetreReduite), code);
        QVERIFY(!b.Value());
        QCOMPARE(platform::ShellOpenSeam::Opened(),
                 opened.isEmpty() ? QStringList() : QStringList{opened.arg(s.fx.Dir())});
        QCOMPARE(platform::ModalSeam::Shown(),
                 shown.isEmpty() ? QStringList() : QStringList{shown});
        if (!shown.isEmpty()) {
            // The code is stored before the window opens, and the button
            // stays pressed while it is open.
            QVERIFY(pressedWhileShown);
            QCOMPARE(int(codeWhileShown), code);
        }
    }

    // A click on a button that is not pressed (a second click releases it)
    // does nothing.
    void toolActsOnlyWhenPressed() {
        Started s;
        platform::PictureButton& b = *F().Outils[7];
        b.SetValue(true);
        General::FenetreReduite = 8;
        b.ClickIt();  // toggles to released
        QCOMPARE(int(General::FenetreReduite), 8);
        QVERIFY(platform::ShellOpenSeam::Opened().isEmpty());
    }

    void backupAndRestoreAskForAFile_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("save");
        QTest::newRow("backup") << 5 << true;
        QTest::newRow("restore") << 6 << false;
    }
    void backupAndRestoreAskForAFile() {
        QFETCH(int, index);
        QFETCH(bool, save);
        Started s;
        platform::CommonDialogSeam::Scripted cancel({});
        General::FenetreReduite = 8;
        F().Outils[index]->ClickIt();
        QCOMPARE(int(General::FenetreReduite), 99);
        QCOMPARE(platform::CommonDialogSeam::Calls().size(), 1);
        QCOMPARE(platform::CommonDialogSeam::Calls()[0].save, save);
        QVERIFY(!F().Outils[index]->Value());
    }

    void addressesComeFromTheConfiguration() {
        Started s;
        QFile conf(s.fx.Dir() + "/brivanta.conf");
        QVERIFY(conf.open(QIODevice::WriteOnly));
        conf.write(
            "[Partenaire]\nAdresse=http://ailleurs.exemple.com/cocktails/\n"
            "Domaine=ailleurs.exemple.com\n[Auteur]\nAdresse=http://moi.exemple.com/\n");
        conf.close();
        emit F().Outils[7]->MouseEnter();
        QCOMPARE(F().Tooltiptext.Caption(),
                 QString("Visiter le site de notre partenaire ailleurs.exemple.com "));
        emit F().Outils[1]->MouseEnter();
        QCOMPARE(F().Tooltiptext.Caption(),
                 QString("Ajouter des nouvelles recettes à partir du site "
                         "http://ailleurs.exemple.com/cocktails "));
        F().Outils[7]->ClickIt();
        F().Outils[8]->ClickIt();
        QCOMPARE(platform::ShellOpenSeam::Opened(),
                 (QStringList{"http://ailleurs.exemple.com/cocktails", "http://moi.exemple.com/"}));
    }

    void sortHover_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0 << "Liste de Cocktails triée par ordre alphabétique ";
        QTest::newRow("1") << 1 << "Liste de Cocktails triée par Catégorie";
        QTest::newRow("2") << 2 << "Liste de Cocktails triée par Type de Verre";
        QTest::newRow("3") << 3 << "Liste de Cocktails triée par Cout ";
        QTest::newRow("4") << 4 << "Liste de Cocktails triée par Difficulté";
        QTest::newRow("5") << 5 << "Liste de Cocktails triée par Teneur en Alcool";
        QTest::newRow("6") << 6 << "Liste de Cocktails triée par Ingrédients";
    }
    void sortHover() {
        QFETCH(int, index);
        QFETCH(QString, text);
        Started s;
        platform::PictureButton& b = *F().Bouton[index];
        emit b.MouseEnter();
        QCOMPARE(F().Tooltiptext.Caption(), text);
        QCOMPARE(b.Picture.cacheKey(), b.PictureHover.cacheKey());
        emit b.MouseLeave();
        QCOMPARE(F().Tooltiptext.Caption(), QString());
        QCOMPARE(b.Picture.cacheKey(), b.PictureUp.cacheKey());
    }

    void sortOfTheCurrentKindChangesNothing() {
        Started s;
        platform::ListItem* first = F().Liste.Item(1);
        QVERIFY(first);
        F().Bouton[0]->ClickIt();
        QCOMPARE(F().Liste.Item(1), first);
        QVERIFY(!platform::HasSetting("Brivanta", "Settings", "Tris"));
        // The sort button keeps its pressed state.
        QVERIFY(F().Bouton[0]->Value());
    }

    void sortOfANewKindRefillsAndStores() {
        Started s;
        QCOMPARE(F().Liste.Tag, QString("0"));
        F().Bouton[1]->ClickIt();
        QCOMPARE(F().Liste.Tag, QString("1"));
        QCOMPARE(F().Liste.Count(), 2);
        QCOMPARE(s.fx.Setting("Settings", "Tris"), QString("1"));
        QVERIFY(F().Bouton[1]->Value());
        QVERIFY(!F().Bouton[0]->Value());
        F().Bouton[0]->ClickIt();
        QCOMPARE(F().Liste.Tag, QString("0"));
        QCOMPARE(s.fx.Setting("Settings", "Tris"), QString("0"));
    }

    void windowButtonsHover() {
        Started s;
        for (platform::PictureButton* b : {&F().Btn_Min, &F().Btn_Quit}) {
            emit b->MouseEnter();
            QCOMPARE(b->Picture.cacheKey(), b->PictureHover.cacheKey());
            emit b->MouseLeave();
            QCOMPARE(b->Picture.cacheKey(), b->PictureUp.cacheKey());
        }
        QCOMPARE(F().Btn_Min.toolTip(), QString("Minimiser"));
        QCOMPARE(F().Btn_Quit.toolTip(), QString("Fermer"));
    }

    void titleDoubleClickOpensTheModeChooser() {
        Started s;
        QVERIFY(!Patch::Loaded());
        QTest::mouseDClick(&F().Anim2, Qt::LeftButton);
        QCOMPARE(platform::ModalSeam::Shown(), QStringList{"Patch"});
        QVERIFY(Patch::Loaded());
        QVERIFY(Patch::Instance().isVisible());
    }
};

QTEST_MAIN(TestToolbar)
#include "test_toolbar.moc"
