// The program's start-up: its two refusals, the settings it reads and
// writes, a collection that is missing or unreadable, and the title timer.
#include <unistd.h>

#include <QtTest>

#include "db/Schema.h"
#include "platform/MessageBox.h"
#include "platform/Modal.h"
#include "platform/Settings.h"
#include "platform/SingleInstance.h"
#include "recipe_view/CadreRecette.h"
#include "recipe_view/CadreVerre.h"
#include "shell/Frmmain.h"
#include "shell/General.h"
#include "shell/Splash.h"
#include "support/Fixture.h"
#include "support/PetitDisque.h"

using platform::MessageSeam::Calls;

namespace {
Frmmain& F() {
    return Frmmain::Instance();
}
const char* kSeed = R"({"categories": ["Tropical"], "verres": [{"nom": "Tumbler"}],
  "recettes": [{"nom": "Mojito", "categorie": "Tropical", "verre": "Tumbler",
                "lignes": [["4", "cl", "Rhum blanc"]]},
               {"nom": "Bellini", "categorie": "Tropical", "verre": "Tumbler"}]})";
}  // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void screenCheck_data() {
        QTest::addColumn<double>("width");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("12000 twips") << 12000.0 << true;
        QTest::newRow("11999 twips") << 11999.0 << false;
        QTest::newRow("640 pixels") << 9600.0 << false;
    }
    void screenCheck() {
        QFETCH(double, width);
        QFETCH(bool, accepted);
        Fixture fx;
        fx.WriteSeed(kSeed);
        platform::OverrideScreenTwips(width, 9000);
        QCOMPARE(F().Form_Load(), accepted);
        if (accepted) {
            QVERIFY(Calls().isEmpty());
            QCOMPARE(F().Width(), width);
            return;
        }
        QCOMPARE(Calls().size(), 1);
        QCOMPARE(Calls()[0].prompt,
                 QString("La configuration minimum de 800*600 est nécessaire pour le "
                         "fonctionnement de Brivanta !"));
        QCOMPARE(Calls()[0].style, int(platform::vbCritical));
        // Nothing else happened: no setting written, nothing shown.
        QVERIFY(!QFile::exists(fx.SettingsFile()));
        QVERIFY(!F().isVisible());
    }

    void secondCopyIsRefusedAndFirstUntouched() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        fx.SetSetting("Settings", "Tris", "0");
        const QByteArray settingsBefore = Fixture::ReadFile(fx.SettingsFile());
        // The first copy holds the program's lock.
        platform::SingleInstance first(platform::SingleInstance::DefaultLockPath());
        QVERIFY(first.TryAcquire());
        platform::OverrideScreenTwips(15360, 11520);
        QVERIFY(!F().Form_Load());
        QCOMPARE(Calls().size(), 1);
        QCOMPARE(
            Calls()[0].prompt,
            QString("  Brivanta est en cours d'utilsation sur votre machine\r\r"
                    "Pour pouvoir l'utiliser de nouveau, veuillez fermer la version ouverte !"));
        QCOMPARE(Calls()[0].style, int(platform::vbCritical));
        QCOMPARE(Calls()[0].title, QString("Brivanta"));
        // The first copy still holds its lock, and its settings are as they were.
        platform::SingleInstance third(platform::SingleInstance::DefaultLockPath());
        QVERIFY(!third.TryAcquire());
        QCOMPARE(Fixture::ReadFile(fx.SettingsFile()), settingsBefore);
        // Once the first copy ends, a new one starts.
        first.Release();
        Frmmain::Unload();
        platform::MessageSeam::Clear();
        QVERIFY(fx.StartMain());
    }

    // The running-copy test follows the collection, not the settings file:
    // a second copy on the same db.mdb is refused whatever its settings file
    // or the path it reaches the folder by; a copy on another collection runs.
    void secondCopyFollowsTheCollection_data() {
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("refused");
        QTest::newRow("other settings file") << "settings" << true;
        QTest::newRow("folder through a link") << "link" << true;
        QTest::newRow("another collection") << "other" << false;
    }
    void secondCopyFollowsTheCollection() {
        QFETCH(QString, second);
        QFETCH(bool, refused);
        Fixture fx;
        fx.WriteSeed(kSeed);
        platform::SingleInstance first(platform::SingleInstance::DefaultLockPath());
        QVERIFY(first.TryAcquire());
        QTemporaryDir other;
        qputenv("BRIVANTA_REGLAGES", (other.path() + "/autres/Brivanta.ini").toUtf8());
        if (second == "link") {
            QVERIFY(QFile::link(fx.Dir(), other.path() + "/lien"));
            qputenv("BRIVANTA_DOSSIER", (other.path() + "/lien").toUtf8());
        } else if (second == "other") {
            QVERIFY(QDir().mkpath(other.path() + "/collection"));
            QVERIFY(QFile::copy(fx.DbFile(), other.path() + "/collection/db.mdb"));
            qputenv("BRIVANTA_DOSSIER", (other.path() + "/collection").toUtf8());
        }
        platform::OverrideScreenTwips(15360, 11520);
        platform::ModalSeam::OnShow([](QDialog& d) { static_cast<Splash&>(d).Quit.ClickIt(); });
        QCOMPARE(F().Form_Load(), !refused);
        if (refused) {
            QCOMPARE(Calls().size(), 1);
            QCOMPARE(Calls()[0].prompt,
                     QString("  Brivanta est en cours d'utilsation sur votre machine\r\r"
                             "Pour pouvoir l'utiliser de nouveau, veuillez fermer la version "
                             "ouverte !"));
            QVERIFY(!QFile::exists(other.path() + "/autres/Brivanta.ini"));
        } else {
            QVERIFY(Calls().isEmpty());
            QCOMPARE(F().Liste.Count(), 2);
        }
        // The first copy keeps its lock either way.
        qputenv("BRIVANTA_DOSSIER", fx.Dir().toUtf8());
        platform::SingleInstance firstAgain(platform::SingleInstance::DefaultLockPath());
        QCOMPARE(firstAgain.Prendre(), platform::SingleInstance::Issue::Occupe);
    }

    // Settings that cannot be written do not make a second copy: the program
    // starts and says once that its settings will not be kept.
    void settingsThatCannotBeWritten_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("path through a file") << "file";
        QTest::newRow("settings file is a folder") << "folder";
        QTest::newRow("read-only folder") << "readonly";
    }
    void settingsThatCannotBeWritten() {
        QFETCH(QString, kind);
        Fixture fx;
        fx.WriteSeed(kSeed);
        QString settings;
        if (kind == "file") {
            Fixture::WriteFile(fx.Dir() + "/fichier", "x");
            settings = fx.Dir() + "/fichier/Brivanta.ini";
        } else if (kind == "folder") {
            settings = fx.Dir() + "/reglages/Brivanta.ini";
            QVERIFY(QDir().mkpath(settings));
        } else {
            if (::geteuid() == 0) QSKIP("root writes into a read-only folder");
            QVERIFY(QDir().mkpath(fx.Dir() + "/lecture"));
            QFile::setPermissions(fx.Dir() + "/lecture",
                                  QFileDevice::ReadOwner | QFileDevice::ExeOwner);
            settings = fx.Dir() + "/lecture/Brivanta.ini";
        }
        qputenv("BRIVANTA_REGLAGES", settings.toUtf8());
        platform::ModalSeam::OnShow([](QDialog& d) { static_cast<Splash&>(d).Quit.ClickIt(); });
        platform::OverrideScreenTwips(15360, 11520);
        QVERIFY(F().Form_Load());
        QVERIFY(F().isVisible());
        QCOMPARE(F().Liste.Count(), 2);
        QCOMPARE(Calls().size(), 1);
        QVERIFY2(Calls()[0].prompt.startsWith(
                     "Les réglages de Brivanta ne pourront pas être enregistrés"),
                 qPrintable(Calls()[0].prompt));
        QVERIFY(Calls()[0].prompt.contains(settings));
        QCOMPARE(Calls()[0].style, int(platform::vbExclamation));
        // What the session wrote, it reads back until its end; nothing is kept.
        QCOMPARE(fx.Setting("Settings", "FirstTime"), QString("1"));
        QCOMPARE(fx.Setting("Settings", "SplashAuto"), QString("True"));
        QVERIFY(!QFileInfo(settings).isFile());
        QFile::setPermissions(fx.Dir() + "/lecture", QFileDevice::ReadOwner |
                                                         QFileDevice::WriteOwner |
                                                         QFileDevice::ExeOwner);
    }

    // A lock file that cannot be made (its place taken by a folder) is not a
    // running copy. With the collection there, the lock on the file itself
    // holds alone: the program starts without a word and a second copy is
    // refused. With no collection yet, the program starts and says once that
    // it could not make sure it runs alone, and why.
    void lockThatCannotBeMade_data() {
        QTest::addColumn<bool>("collection");
        QTest::newRow("collection there") << true;
        QTest::newRow("no collection yet") << false;
    }
    void lockThatCannotBeMade() {
        QFETCH(bool, collection);
        Fixture fx;
        if (collection) fx.WriteSeed(kSeed);
        const QString lock = platform::SingleInstance::DefaultLockPath();
        QCOMPARE(lock, fx.DbFile() + ".verrou");
        QVERIFY(QDir().mkpath(lock));
        QVERIFY(fx.StartMain());
        QVERIFY(F().isVisible());
        if (collection) {
            QVERIFY(Calls().isEmpty());
            platform::SingleInstance second(platform::SingleInstance::DefaultLockPath());
            QCOMPARE(second.Prendre(), platform::SingleInstance::Issue::Occupe);
        } else {
            // Said once, before the missing collection is.
            int dits = 0;
            for (const auto& c : Calls()) dits += c.prompt.contains("s'assurer qu'il est seul");
            QCOMPARE(dits, 1);
            QVERIFY2(Calls()[0].prompt.startsWith("Brivanta ne peut pas s'assurer qu'il est seul à "
                                                  "utiliser la collection « " +
                                                  fx.DbFile() + " »"),
                     qPrintable(Calls()[0].prompt));
            QVERIFY(Calls()[0].prompt.contains("« " + lock + " » est un dossier"));
            QCOMPARE(Calls()[0].style, int(platform::vbExclamation));
        }
        Frmmain::Unload();
        QVERIFY(QDir(lock).removeRecursively());
    }

    // In a read-only folder on a read-only medium, the lock file of an
    // earlier start still serves: the first copy takes it and a second is
    // refused. Where none was ever made, or a link stands in its place, the
    // program starts and says it could not make one, and why.
    void readOnlyFolder_data() {
        QTest::addColumn<QString>("lockFile");
        QTest::newRow("lock file made before") << "made";
        QTest::newRow("no lock file") << "none";
        QTest::newRow("link as the lock file") << "link";
    }
    void readOnlyFolder() {
        QFETCH(QString, lockFile);
        Fixture fx;
        std::unique_ptr<PetitDisque> disk;
        QString dir = fx.Dir() + "/collection";
        if (::geteuid() == 0) {
            disk = std::make_unique<PetitDisque>(4 << 20);
            if (!disk->Pret()) QSKIP(qPrintable("root, and no small disk: " + disk->Pourquoi()));
            dir = disk->Dir();
        }
        QVERIFY(QDir().mkpath(dir));
        qputenv("BRIVANTA_DOSSIER", dir.toUtf8());
        fx.WriteSeed(kSeed);
        QVERIFY(QFile::copy(fx.DbFile(), dir + "/db.mdb"));
        if (lockFile == "made") {
            platform::SingleInstance earlier(platform::SingleInstance::DefaultLockPath());
            QVERIFY(earlier.TryAcquire());
        } else if (lockFile == "link") {
            QVERIFY(QFile::link(fx.Dir() + "/nulle-part", dir + "/db.mdb.verrou"));
        }
        if (disk) {
            QVERIFY(disk->LectureSeule());
        } else {
            QVERIFY(QFile::setPermissions(dir + "/db.mdb", QFileDevice::ReadOwner));
            QVERIFY(QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        }
        QVERIFY(fx.StartMain());
        QVERIFY(F().isVisible());
        QCOMPARE(F().Liste.Count(), 2);
        if (lockFile == "made") {
            QCOMPARE(Calls().size(), 0);
            platform::SingleInstance second(platform::SingleInstance::DefaultLockPath());
            QCOMPARE(second.Prendre(), platform::SingleInstance::Issue::Occupe);
        } else {
            QCOMPARE(Calls().size(), 1);
            const QString prompt = Calls()[0].prompt;
            QVERIFY(prompt.contains("ne peut pas s'assurer qu'il est seul"));
            QVERIFY2(prompt.contains(lockFile == "link" ? "est un lien symbolique, qui ne peut pas "
                                                          "être remplacé par un fichier : "
                                                        : "ne peut pas être créé : "),
                     qPrintable(prompt));
            QVERIFY2(prompt.contains(disk ? "son disque est en lecture seule"
                                          : "son dossier est protégé en écriture"),
                     qPrintable(prompt));
            QVERIFY(!prompt.contains("sans doute"));
        }
        Frmmain::Unload();
        if (!disk) {
            QFile::setPermissions(
                dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            QFile::setPermissions(dir + "/db.mdb",
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        }
        qputenv("BRIVANTA_DOSSIER", fx.Dir().toUtf8());
    }

    // A settings file that can be written, on a disk that is full: the first
    // value the file refuses tells the user, once, what a file that cannot
    // be written tells at the start; every choice still holds until the end.
    void settingsRefusedByAFullDisk() {
        if (::geteuid() != 0) QSKIP("filling a disk of its own needs root here");
        PetitDisque disk(1 << 20);
        if (!disk.Pret()) QSKIP(qPrintable("no small disk to fill: " + disk.Pourquoi()));
        Fixture fx;
        fx.WriteSeed(kSeed);
        const QString settings = disk.Dir() + "/Brivanta.ini";
        Fixture::WriteFile(settings, "[Settings]\nTris=0\n");
        QVERIFY(disk.Remplir());
        qputenv("BRIVANTA_REGLAGES", settings.toUtf8());
        QVERIFY(platform::SettingsWritable("Brivanta"));
        platform::ModalSeam::OnShow([](QDialog& d) { static_cast<Splash&>(d).Quit.ClickIt(); });
        platform::OverrideScreenTwips(15360, 11520);
        QVERIFY(F().Form_Load());
        QVERIFY(F().isVisible());
        QCOMPARE(Calls().size(), 1);
        QVERIFY2(Calls()[0].prompt.startsWith(
                     "Les réglages de Brivanta ne pourront pas être enregistrés : le fichier « " +
                     settings + " » ne peut pas être écrit."),
                 qPrintable(Calls()[0].prompt));
        QCOMPARE(Calls()[0].style, int(platform::vbExclamation));
        QCOMPARE(fx.Setting("Settings", "FirstTime"), QString("1"));

        // A sort chosen on the sort bar holds, and nothing more is said.
        QTest::mouseClick(F().Bouton[1].get(), Qt::LeftButton);
        QCOMPARE(fx.Setting("Settings", "Tris"), QString("1"));
        QCOMPARE(F().Liste.Tag, QString("1"));
        QCOMPARE(Calls().size(), 1);
        QCOMPARE(Fixture::ReadFile(settings), QByteArray("[Settings]\nTris=0\n"));
        Frmmain::Unload();
    }

    void settingsDefaultsAndFirstTime() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        QCOMPARE(F().Liste.Tag, QString("0"));
        QCOMPARE(fx.Setting("Settings", "FirstTime"), QString("1"));
        QCOMPARE(fx.Setting("Settings", "Tris"), QString("<absent>"));
        QCOMPARE(fx.Setting("Settings", "FondScreen"), QString("<absent>"));
        QCOMPARE(fx.Setting("Settings", "SplashAuto"), QString("False"));
        QCOMPARE(General::FenetreReduite, short(99));
        QVERIFY(Calls().isEmpty());
    }

    // With no SplashAuto stored, the start-up shows the splash window and
    // writes the setting back as true.
    void absentSplashAutoIsWrittenBack() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(!QFile::exists(fx.SettingsFile()));
        QString storedWhileShown;
        platform::ModalSeam::OnShow([&](QDialog& d) {
            storedWhileShown = fx.Setting("Settings", "SplashAuto");
            QCOMPARE(d.objectName(), QString("Splash"));
            static_cast<Splash&>(d).Quit.ClickIt();
        });
        platform::OverrideScreenTwips(15360, 11520);
        QVERIFY(F().Form_Load());
        QCOMPARE(platform::ModalSeam::Shown(), QStringList{"Splash"});
        QCOMPARE(storedWhileShown, QString("True"));
        QCOMPARE(fx.Setting("Settings", "SplashAuto"), QString("True"));
        QVERIFY(F().isVisible());
    }

    void savedKindIsShown() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        fx.SetSetting("Settings", "Tris", "6");
        QVERIFY(fx.StartMain());
        QCOMPARE(F().Liste.Tag, QString("6"));
        QCOMPARE(F().Liste.Item(1)->Text(), QString("Rhum blanc"));
        QCOMPARE(F().LFilms.Item(1)->Text(), QString("Mojito"));
    }

    // A kind outside 0 to 6 can only come from a hand-edited file: it reads
    // as the recipes, as every reader of the setting sees it.
    void savedKindOutOfRangeReadsAsRecipes_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("tag");
        QTest::newRow("99") << "99"
                            << "0";
        QTest::newRow("-1") << "-1"
                            << "0";
        QTest::newRow("past 32 bits, 2 modulo 2^32") << "4294967298"
                                                     << "0";
        QTest::newRow("forty digits") << QString(40, u'9') << "0";
        QTest::newRow("not a number") << "verres"
                                      << "0";
        QTest::newRow("6 with blanks") << "  6"
                                       << "6";
    }
    void savedKindOutOfRangeReadsAsRecipes() {
        QFETCH(QString, stored);
        QFETCH(QString, tag);
        Fixture fx;
        fx.WriteSeed(kSeed);
        fx.SetSetting("Settings", "Tris", stored);
        QCOMPARE(General::Tris(), tag.toInt());
        QVERIFY(fx.StartMain());
        QCOMPARE(F().Liste.Tag, tag);
        QVERIFY(F().Liste.Count() > 0);
        QCOMPARE(F().LFilms.isHidden(), tag == "0");
        QVERIFY(Calls().isEmpty());
        // Switching kinds from there works as from any stored kind.
        F().Bouton[2]->ClickIt();
        QCOMPARE(F().Liste.Tag, QString("2"));
        QCOMPARE(fx.Setting("Settings", "Tris"), QString("2"));
    }

    // The lists show their own pointer once the upper list has entries, and
    // the pick-lists have it from the start; an empty list keeps the default.
    void listPointer_data() {
        QTest::addColumn<bool>("entries");
        QTest::newRow("with entries") << true;
        QTest::newRow("empty collection") << false;
    }
    void listPointer() {
        QFETCH(bool, entries);
        Fixture fx;
        fx.WriteSeed(entries ? kSeed : R"({})");
        QVERIFY(fx.StartMain());
        const QCursor& icon = F().Liste.MouseIcon();
        QCOMPARE(icon.shape(), Qt::BitmapCursor);
        QCOMPARE(icon.pixmap().size(), QSize(32, 32));
        QCOMPARE(icon.hotSpot(), QPoint(1, 1));
        auto ours = [&](const QWidget& w) {
            return w.testAttribute(Qt::WA_SetCursor) && w.cursor().shape() == Qt::BitmapCursor &&
                   w.cursor().pixmap().cacheKey() == icon.pixmap().cacheKey();
        };
        QCOMPARE(ours(*F().Liste.viewport()), entries);
        QCOMPARE(ours(*F().LFilms.viewport()), entries);
        for (QWidget* l : {static_cast<QWidget*>(&F().Recette().LCout),
                           static_cast<QWidget*>(&F().Recette().LDiff),
                           static_cast<QWidget*>(&F().Recette().LTeneur),
                           static_cast<QWidget*>(&F().Recette().LCategorie),
                           static_cast<QWidget*>(&F().Recette().LMateriel),
                           static_cast<QWidget*>(&F().Recette().LVerre)})
            QVERIFY(ours(*l));
    }

    // The recipe photo and the glass photo show the lists' pointer: the
    // pointer over the middle of each, once shown, is ours.
    void photosTakeTheListPointer() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        Fixture::WriteImage(fx.Dir() + "/photo.png", 40, 30);
        db::OpenDb().Execute("UPDATE Verre SET Image = 'photo.png'");
        db::OpenDb().Execute("UPDATE Cocktails SET Photo = '" + fx.Dir() + "/photo.png'");
        QVERIFY(fx.StartMain());
        const qint64 ours = F().Liste.MouseIcon().pixmap().cacheKey();
        auto pointerOver = [&](const QWidget& frame) {
            const QPoint centre = frame.mapTo(&F(), frame.rect().center());
            QWidget* w = F().childAt(centre);
            return w ? w->cursor().pixmap().cacheKey() : 0;
        };
        QVERIFY(F().Recette().Photo.isVisible());
        QCOMPARE(pointerOver(F().Recette().CadrePhoto), ours);
        QTest::mouseClick(F().Bouton[2].get(), Qt::LeftButton);
        Fixture::ClickEntry(F().Liste, "Tumbler");
        QVERIFY(F().Verre().PhotoVerre.isVisible());
        QVERIFY(!F().Verre().PhotoVerre.Picture().isNull());
        QCOMPARE(pointerOver(F().Verre().CadrephotoVerre), ours);
    }

    void fullScreenWindow() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain(15360, 11520));
        QVERIFY(F().isVisible());
        QCOMPARE(F().Width(), 15360.0);
        QCOMPARE(F().Height(), 11520.0);
        QCOMPARE(F().Left(), 0.0);
        QCOMPARE(F().Top(), 0.0);
        QCOMPARE(F().Fond.Width(), 15360.0);
        QCOMPARE(F().BarreHor.Top(), 11520.0 - F().BarreHor.Height());
        QCOMPARE(F().Liste.headerItem()->text(0), QString("Titre"));
        QCOMPARE(F().LFilms.headerItem()->text(0), QString("Titre"));
        QCOMPARE(F().Recette().LCout.ListCount(), 6);
        QCOMPARE(F().Recette().LDiff.ListCount(), 6);
        QCOMPARE(F().Recette().LTeneur.ListCount(), 7);
        QCOMPARE(F().Recette().LTeneur.List(6), QString("Très Fort"));
        QCOMPARE(F().Recette().LCout.ListIndex(), 0);
        // The level buttons show the first word before any recipe is shown.
        for (int i : {2, 3, 4})
            QCOMPARE(F().Recette().Data[i].Caption(), QString("Sans Commentaire"));
        QVERIFY(F().Timer1.isActive());
        QCOMPARE(F().Timer1.interval(), 2000);
    }

    void missingOrUnreadableCollection_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("present");
        QTest::newRow("missing") << QByteArray() << false;
        QTest::newRow("text file") << QByteArray("pas une base\n") << true;
        QTest::newRow("empty file") << QByteArray() << true;
    }
    void missingOrUnreadableCollection() {
        QFETCH(QByteArray, content);
        QFETCH(bool, present);
        Fixture fx;
        if (present) Fixture::WriteFile(fx.DbFile(), content);
        QVERIFY(fx.StartMain());
        QVERIFY(F().isVisible());
        QCOMPARE(F().Liste.Count(), 0);
        QVERIFY(!F().Chargement.Visible());
        QCOMPARE(fx.Setting("Settings", "FirstTime"), QString("1"));
        QCOMPARE(QFile::exists(fx.DbFile()), present);
        if (present) QCOMPARE(Fixture::ReadFile(fx.DbFile()), content);
    }

    void wallpaper_data() {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<bool>("shown");
        QTest::newRow("picture") << "%1/fond.png" << true;
        QTest::newRow("folder with backslash") << "%1\\" << false;
        QTest::newRow("missing file") << "%1/absent.png" << false;
        QTest::newRow("not a picture") << "%1/db.mdb" << false;
    }
    void wallpaper() {
        QFETCH(QString, setting);
        QFETCH(bool, shown);
        Fixture fx;
        fx.WriteSeed(kSeed);
        QImage img(41, 29, QImage::Format_RGB32);
        img.fill(Qt::darkGreen);
        QVERIFY(img.save(fx.Dir() + "/fond.png"));
        fx.SetSetting("Settings", "FondScreen", setting.arg(fx.Dir()));
        QVERIFY(fx.StartMain());
        // The frame keeps its own picture unless the wallpaper loads.
        QCOMPARE(F().Fond.Picture().size() == QSize(41, 29), shown);
        QCOMPARE(F().Liste.Count(), 2);
    }

    void activationLaysOutOnlyForANewWidth() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain(15360, 11520));
        F().Liste.Select(F().Liste.Item(2));
        F().ListeHaute();
        QCOMPARE(F().LTDroit.Tag, QString("2"));
        F().Form_Activate();
        QCOMPARE(F().LTDroit.Tag, QString("2"));
        QCOMPARE(F().Width(), 15360.0);

        platform::OverrideScreenTwips(28800, 16200);
        F().Form_Activate();
        QCOMPARE(F().Width(), 28800.0);
        QCOMPARE(F().Height(), 16200.0);
        // The tail ran again: the list is filled anew with its first entry shown.
        QCOMPARE(F().LTDroit.Tag, QString("1"));
        QCOMPARE(F().Liste.SelectedItem(), F().Liste.Item(1));
        QCOMPARE(F().Fond.Width(), 28800.0);
        QVERIFY(F().isVisible());
    }

    void titleColourChangesAtEveryTick() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        const QList<QColor> table = {
            {255, 255, 255}, {0, 0, 0},       {255, 255, 0},   {128, 255, 128}, {0, 255, 0},
            {128, 255, 255}, {0, 255, 255},   {192, 192, 255}, {128, 128, 255}, {255, 192, 255},
            {255, 0, 255},   {255, 255, 192}, {255, 0, 0}};
        QSet<QRgb> seen;
        QColor last = F().Anim2.ForeColor();
        for (int i = 0; i < 400; ++i) {
            F().Timer1_Timer();
            const QColor now = F().Anim2.ForeColor();
            QVERIFY2(now != last, qPrintable(QString("tick %1 kept %2").arg(i).arg(now.name())));
            QVERIFY(table.contains(now));
            seen.insert(now.rgb());
            last = now;
        }
        QCOMPARE(seen.size(), 13);
    }

    // The built program itself starts on the collection of its folder; so
    // does a copy of it whose scanner library cannot be found, since SANE is
    // loaded only when a scanner is asked for.
    void programStartsOnItsFolder_data() {
        QTest::addColumn<bool>("sansScanner");
        QTest::newRow("as built") << false;
        QTest::newRow("scanner library out of reach") << true;
    }
    void programStartsOnItsFolder() {
        QFETCH(bool, sansScanner);
        Fixture fx;
        fx.WriteSeed(kSeed);
        fx.SetSetting("Settings", "SplashAuto", "False");
        QString programme = BRIVANTA_EXE;
        if (sansScanner) {
            QByteArray octets = Fixture::ReadFile(programme);
            QVERIFY(octets.contains("libsane.so.1"));
            octets.replace("libsane.so.1", "libsaneX.so1");
            programme = fx.Dir() + "/brivanta";
            Fixture::WriteFile(programme, octets);
            QVERIFY(QFile::setPermissions(programme, QFile::ReadOwner | QFile::WriteOwner |
                                                         QFile::ExeOwner));
        }
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("BRIVANTA_DOSSIER", fx.Dir());
        env.insert("BRIVANTA_REGLAGES", fx.SettingsFile());
        p.setProcessEnvironment(env);
        p.start(programme, {});
        QVERIFY(p.waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(fx.Setting("Settings", "FirstTime"), QString("1"), 15000);
        QVERIFY(!p.waitForFinished(500));  // still running
        p.kill();
        p.waitForFinished();
    }

    // Nothing the program links needs SANE.
    void programLinksNoScannerLibrary() {
        QProcess ldd;
        ldd.start("ldd", {BRIVANTA_EXE});
        QVERIFY(ldd.waitForFinished(30000));
        const QString liens = QString::fromLocal8Bit(ldd.readAllStandardOutput());
        QVERIFY(liens.contains("libQt6Core"));
        QVERIFY2(!liens.contains("libsane"), qPrintable(liens));
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
