// Backing up the collection to a file of the user's choice, and putting a
// backup back in its place.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QtTest>

#include "db/Collection.h"
#include "platform/CommonDialog.h"
#include "platform/Database.h"
#include "platform/MessageBox.h"
#include "platform/Remplacement.h"
#include "platform/Settings.h"
#include "shell/Frmmain.h"
#include "shell/General.h"
#include "shell/Sauvegarde.h"
#include "support/Fixture.h"

namespace {

Frmmain& F() {
    return Frmmain::Instance();
}

const char* kLive = R"({
  "categories": ["Tropical", "Classique"],
  "recettes": [{"nom": "Mojito", "categorie": "Tropical"}, {"nom": "Margarita", "categorie": "Classique"}]
})";
const char* kBackup = R"({
  "categories": ["Apéritif", "Digestif", "Chaud"],
  "recettes": [{"nom": "Grog", "categorie": "Chaud"}]
})";

const QString kFilter = "Tous les fichiers MDB (*.mdb)|*.mdb";

// Files of a folder other than the settings folder.
QStringList Files(const QString& dir) {
    return QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// The copies of ours lying in a folder, by name.
QStringList Copies(const QString& dir) {
    return QDir(dir).entryList({"*.copie-brivanta-*"}, QDir::Files | QDir::Hidden, QDir::Name);
}

// What a copy of the program killed between writing a whole copy of the
// collection and renaming it leaves: another process writes it, and is
// killed before the rename.
bool CopieTuee(const QString& target, const QByteArray& octets) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        platform::Remplacement r(target);
        if (r.Ouvrir() && r.Ecrire(octets)) ::kill(::getpid(), SIGKILL);
        ::_exit(1);
    }
    int status = 0;
    return pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFSIGNALED(status) &&
           WTERMSIG(status) == SIGKILL;
}

}  // namespace

class TestSauvegarde : public QObject {
    Q_OBJECT
private slots:
    // -------------------------------------------------------------- backup
    void refusedNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shown");
        QTest::newRow("db.mdb in capitals") << "DB.MDB"
                                            << "db.mdb";
        QTest::newRow("db.mdb mixed case") << "Db.Mdb"
                                           << "db.mdb";
        QTest::newRow("db.mdb through ./") << "./db.mdb"
                                           << "db.mdb";
        QTest::newRow("RaruDavirevov.mdb in small letters") << "rarudavirevov.mdb"
                                                            << "RaruDavirevov.mdb";
        QTest::newRow("RaruDavirevov.mdb in capitals") << "RARUDAVIREVOV.MDB"
                                                       << "RaruDavirevov.mdb";
    }
    void refusedNames() {
        QFETCH(QString, name);
        QFETCH(QString, shown);
        Fixture fx;
        fx.WriteSeed(kLive);
        const QByteArray live = Fixture::ReadFile(fx.DbFile());
        const QStringList before = Files(fx.Dir());
        platform::CommonDialogSeam::Scripted seam({fx.Dir() + "/" + name});

        General::SauvegarderBase();

        const auto asked = platform::CommonDialogSeam::Calls();
        QCOMPARE(asked.size(), 1);
        QVERIFY(asked[0].save);
        QCOMPARE(asked[0].title, QString("Sauvegarder la base de donnée"));
        QCOMPARE(asked[0].filter, kFilter);
        QCOMPARE(asked[0].fileName, QString());
        const auto calls = platform::MessageSeam::Calls();
        QCOMPARE(calls.size(), 1);
        QCOMPARE(calls[0].prompt,
                 "Vous ne devriez pas sauvegarder avec ce nom (" + shown + ") !!!");
        QCOMPARE(calls[0].style, platform::vbInformation + platform::vbOKOnly);
        QCOMPARE(calls[0].title, QString("Brivanta"));
        QCOMPARE(Files(fx.Dir()), before);
        QCOMPARE(Fixture::ReadFile(fx.DbFile()), live);
    }

    void backupElsewhere_data() {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<bool>("existing");
        QTest::newRow("db.mdb in another folder") << "copies/db.mdb" << false;
        QTest::newRow("replaces a file without asking") << "copies/ancienne.mdb" << true;
        QTest::newRow("no extension added") << "copies/sauvegarde" << false;
        QTest::newRow("other name beside the live file") << "db-copie.mdb" << false;
    }
    void backupElsewhere() {
        QFETCH(QString, relative);
        QFETCH(bool, existing);
        Fixture fx;
        fx.WriteSeed(kLive);
        QVERIFY(QDir(fx.Dir()).mkpath("copies"));
        const QString target = fx.Dir() + "/" + relative;
        if (existing) Fixture::WriteFile(target, "ancien contenu");
        platform::CommonDialogSeam::Scripted seam({target});

        General::SauvegarderBase();

        QCOMPARE(platform::MessageSeam::Calls().size(), 0);
        QCOMPARE(Fixture::ReadFile(target), Fixture::ReadFile(fx.DbFile()));
        // Nothing is left beside the copy.
        QCOMPARE(Files(QFileInfo(target).absolutePath()).size(),
                 relative.startsWith("copies") ? 1 : 2);
    }

    void backupCannotWrite() {
        Fixture fx;
        fx.WriteSeed(kLive);
        // A folder that is a file cannot hold anything, whoever runs the test.
        Fixture::WriteFile(fx.Dir() + "/pas-un-dossier", "x");
        const QString target = fx.Dir() + "/pas-un-dossier/copie.mdb";
        platform::CommonDialogSeam::Scripted seam({target});

        General::SauvegarderBase();

        const auto calls = platform::MessageSeam::Calls();
        QCOMPARE(calls.size(), 1);
        QVERIFY(calls[0].prompt.startsWith("La sauvegarde de la base de données a échoué"));
        QVERIFY(calls[0].prompt.contains(target));
        QCOMPARE(calls[0].style, platform::vbExclamation + platform::vbOKOnly);
        QVERIFY(!QFileInfo::exists(target));
        QCOMPARE(Fixture::ReadFile(fx.Dir() + "/pas-un-dossier"), QByteArray("x"));
    }

    void backupCancelled() {
        Fixture fx;
        fx.WriteSeed(kLive);
        const QStringList before = Files(fx.Dir());
        platform::CommonDialogSeam::Scripted seam({});
        General::SauvegarderBase();
        QCOMPARE(platform::CommonDialogSeam::Calls().size(), 1);
        QCOMPARE(platform::MessageSeam::Calls().size(), 0);
        QCOMPARE(Files(fx.Dir()), before);
    }

    // The next backup, restore or start removes what a killed copy left;
    // the copy that a running program is still writing stays.
    void staleCopiesRemoved_data() {
        QTest::addColumn<QString>("next");
        QTest::newRow("backup") << "backup";
        QTest::newRow("restore") << "restore";
        QTest::newRow("start") << "start";
    }
    void staleCopiesRemoved() {
        QFETCH(QString, next);
        Fixture fx;
        fx.WriteSeed(kLive);
        const QString backup = fx.Dir() + "/copies/ancienne.mdb";
        QVERIFY(QDir(fx.Dir()).mkpath("copies"));
        db::WriteCollection(backup, Fixture::Parse(kBackup));
        QVERIFY(fx.StartMain());
        const QByteArray live = Fixture::ReadFile(fx.DbFile());
        // A copy of another program still being written, then one killed
        // while it backed up, or while it restored over db.mdb.
        const QString dir = next == "backup" ? fx.Dir() + "/copies" : fx.Dir();
        const QString target = next == "backup" ? backup : fx.DbFile();
        platform::Remplacement running(dir + "/autre.mdb");
        QVERIFY(running.Ouvrir());
        QVERIFY(running.Ecrire("en cours"));
        QVERIFY(CopieTuee(target, live));
        const QString kept = QFileInfo(running.Temporaire()).fileName();
        QStringList copies = Copies(dir);
        QCOMPARE(copies.size(), 2);
        copies.removeOne(kept);
        const QString left = dir + "/" + copies.value(0);
        QCOMPARE(QFileInfo(left).size(), live.size());

        if (next == "start") {
            Frmmain::Unload();
            QVERIFY(fx.StartMain());
        } else {
            platform::CommonDialogSeam::Scripted seam({backup});
            F().Outils[next == "backup" ? 5 : 6]->ClickIt();
            QCOMPARE(platform::CommonDialogSeam::Calls().size(), 1);
        }
        QCOMPARE(platform::MessageSeam::Calls().size(), 0);
        QVERIFY(!QFile::exists(left));
        QCOMPARE(Copies(dir), QStringList{kept});
        if (next == "backup") QCOMPARE(Fixture::ReadFile(backup), live);
        if (next == "restore") QCOMPARE(Fixture::ReadFile(fx.DbFile()), Fixture::ReadFile(backup));
        running.Abandonner();
        QCOMPARE(Copies(dir), QStringList());
    }

    // -------------------------------------------------------------- restore
    void restoreShowsSavedKind() {
        Fixture fx;
        fx.WriteSeed(kLive);
        const QString backup = fx.Dir() + "/ancienne.mdb";
        db::WriteCollection(backup, Fixture::Parse(kBackup));
        platform::SaveSetting("Brivanta", "Settings", "Tris", "1");
        QVERIFY(fx.StartMain());
        QCOMPARE(Fixture::Texts(F().Liste), (QStringList{"Classique", "Tropical"}));
        platform::CommonDialogSeam::Scripted seam({backup});

        General::RestaurerBase();

        const auto asked = platform::CommonDialogSeam::Calls();
        QCOMPARE(asked.size(), 1);
        QVERIFY(!asked[0].save);
        QCOMPARE(asked[0].title, QString("Restaurer une ancienne base de donnée"));
        QCOMPARE(asked[0].filter, kFilter);
        QCOMPARE(asked[0].fileName, QString());
        QCOMPARE(platform::MessageSeam::Calls().size(), 0);
        QCOMPARE(Fixture::ReadFile(fx.DbFile()), Fixture::ReadFile(backup));
        QCOMPARE(F().Liste.Tag, QString("1"));
        QCOMPARE(Fixture::Texts(F().Liste), (QStringList{"Apéritif", "Chaud", "Digestif"}));
        QCOMPARE(F().Liste.SelectedItem(), F().Liste.Item(1));
        QCOMPARE(F().LTDroit.Caption(), QString("Apéritif"));
        // Nothing is left beside the restored file but the running copy's lock.
        QCOMPARE(Files(fx.Dir()), (QStringList{"ancienne.mdb", "db.mdb", "db.mdb.verrou"}));
    }

    void restoreRefused_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("told");
        QTest::newRow("empty file") << "empty" << true;
        QTest::newRow("text file") << "text" << true;
        QTest::newRow("foreign SQLite file") << "foreign" << true;
        QTest::newRow("missing file") << "missing" << true;
        QTest::newRow("the live file itself") << "live" << false;
    }
    void restoreRefused() {
        QFETCH(QString, kind);
        QFETCH(bool, told);
        Fixture fx;
        fx.WriteSeed(kLive);
        QString chosen = fx.Dir() + "/choisi.mdb";
        if (kind == "empty") {
            Fixture::WriteFile(chosen, QByteArray());
        } else if (kind == "text") {
            Fixture::WriteFile(chosen, "Ceci est une liste de courses, pas une base.\n");
        } else if (kind == "foreign") {
            auto d = platform::Database::CreateDatabase(chosen);
            d.Execute("CREATE TABLE Cocktails (Nom TEXT); INSERT INTO Cocktails VALUES ('x')");
        } else if (kind == "live") {
            chosen = fx.Dir() + "/./db.mdb";
        }
        const QByteArray chosenBytes = Fixture::ReadFile(chosen);
        platform::SaveSetting("Brivanta", "Settings", "Tris", "1");
        QVERIFY(fx.StartMain());
        const QByteArray live = Fixture::ReadFile(fx.DbFile());
        const auto inode = Fixture::Inode(fx.DbFile());
        platform::CommonDialogSeam::Scripted seam({chosen});

        General::RestaurerBase();

        QCOMPARE(Fixture::ReadFile(fx.DbFile()), live);
        QCOMPARE(Fixture::Inode(fx.DbFile()), inode);
        if (kind != "missing") QCOMPARE(Fixture::ReadFile(chosen), chosenBytes);
        const auto calls = platform::MessageSeam::Calls();
        QCOMPARE(calls.size(), told ? 1 : 0);
        if (told) {
            QVERIFY(calls[0].prompt.contains("ne peut pas être restauré"));
            QVERIFY(calls[0].prompt.contains("La base de données actuelle est conservée."));
            QCOMPARE(calls[0].style, platform::vbExclamation + platform::vbOKOnly);
        }
        // The lists come again from the unchanged collection.
        QCOMPARE(F().Liste.Tag, QString("1"));
        QCOMPARE(Fixture::Texts(F().Liste), (QStringList{"Classique", "Tropical"}));
        QStringList left = Files(fx.Dir());
        left.removeAll("choisi.mdb");
        QCOMPARE(left, (QStringList{"db.mdb", "db.mdb.verrou"}));
    }

    void restoreCancelled_data() {
        QTest::addColumn<QString>("seed");
        QTest::addColumn<QString>("title");
        QTest::newRow("upper list with entries keeps the title") << kLive << "Classique";
        QTest::newRow("empty upper list clears the title") << R"({"recettes": []})"
                                                           << "";
    }
    void restoreCancelled() {
        QFETCH(QString, seed);
        QFETCH(QString, title);
        Fixture fx;
        fx.WriteSeed(seed.toUtf8().constData());
        platform::SaveSetting("Brivanta", "Settings", "Tris", "1");
        QVERIFY(fx.StartMain());
        const QByteArray live = Fixture::ReadFile(fx.DbFile());
        if (F().Liste.Count() == 0) F().LTDroit.SetCaption("reste");
        platform::CommonDialogSeam::Scripted seam({});
        General::RestaurerBase();
        QCOMPARE(Fixture::ReadFile(fx.DbFile()), live);
        QCOMPARE(F().LTDroit.Caption(), title);
        QCOMPARE(platform::MessageSeam::Calls().size(), 0);
    }
};

QTEST_MAIN(TestSauvegarde)
#include "test_sauvegarde.moc"
