// One copy per collection, seen by real processes: the built program holds
// the collection, and a second copy, started by this same test program in
// another session's runtime folder, as another user or through another name
// of the file, is refused.
#include <unistd.h>

#include <QProcess>
#include <QStandardPaths>
#include <QtTest>
#include <cstdio>

#include "db/Collection.h"
#include "platform/CommonDialog.h"
#include "platform/MessageBox.h"
#include "platform/Modal.h"
#include "platform/Screen.h"
#include "shell/Frmmain.h"
#include "support/Fixture.h"
#include "support/PetitDisque.h"

namespace {

const char* kSeed = R"({"categories": ["Tropical"], "recettes": [{"nom": "Mojito"}]})";
const char* kRefus = "est en cours d'utilsation sur votre machine";

// The second copy: the program's own start-up, its messages answered and
// printed, its outcome in its exit code (0 started, 3 refused).
int DeuxiemeCopie(int argc, char** argv) {
    QApplication app(argc, argv);
    platform::MessageSeam::Enable();
    platform::ModalSeam::Enable();
    platform::EndSeam::Enable();
    platform::OverrideScreenTwips(15360, 11520);
    const bool started = Frmmain::Instance().Form_Load();
    for (const auto& c : platform::MessageSeam::Calls())
        std::printf("message: %s\n", qPrintable(c.prompt.simplified()));
    std::printf("utilisateur %u\n", static_cast<unsigned>(::geteuid()));
    std::printf("%s\n", started ? "demarre" : "refuse");
    std::fflush(stdout);
    Frmmain::Unload();
    return started ? 0 : 3;
}

struct Copie {
    int code = -1;
    QString sortie;
};

// Prepends `avant` (setpriv and its options) to the run of this program
// as a second copy.
Copie Lancer(const QProcessEnvironment& env, const QStringList& avant = {}) {
    QProcess p;
    p.setProcessEnvironment(env);
    const QString self = QCoreApplication::applicationFilePath();
    if (avant.isEmpty())
        p.start(self, {QStringLiteral("--deuxieme-copie")});
    else
        p.start(avant.first(), avant.mid(1) + QStringList{self, "--deuxieme-copie"});
    Copie c;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return c;
    }
    c.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    c.sortie = QString::fromLocal8Bit(p.readAllStandardOutput());
    return c;
}

QProcessEnvironment Environnement(const QString& dossier, const QString& reglages,
                                  const QString& runtime) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("BRIVANTA_DOSSIER", dossier);
    env.insert("BRIVANTA_REGLAGES", reglages);
    if (runtime.isEmpty())
        env.remove("XDG_RUNTIME_DIR");
    else
        env.insert("XDG_RUNTIME_DIR", runtime);
    return env;
}

// A settings file of a second copy's own, in the folder.
QString AutresReglages(const QString& dossier) {
    const QString reglages = dossier + "/Brivanta-2.ini";
    Fixture::WriteFile(reglages, "[Settings]\nSplashAuto=False\n");
    return reglages;
}

QByteArray Dire(const Copie& c) {
    return QString("%1: %2").arg(c.code).arg(c.sortie).toLocal8Bit();
}

bool Refusee(const Copie& c) {
    return c.code == 3 && c.sortie.contains(kRefus);
}

// Started, without a word.
bool Demarree(const Copie& c) {
    return c.code == 0 && c.sortie.contains("demarre") && !c.sortie.contains("message:");
}

}  // namespace

class TestInstance : public QObject {
    Q_OBJECT
private slots:
    // The built program runs on the collection; a second copy with another
    // runtime folder, with none, or of another user is refused with the
    // program's message. Once the first copy is killed, a copy starts.
    void secondCopyOfAnotherSession_data() {
        QTest::addColumn<QString>("second");
        QTest::newRow("other runtime folder") << "runtime";
        QTest::newRow("no runtime folder") << "none";
        QTest::newRow("another user") << "user";
    }
    void secondCopyOfAnotherSession() {
        QFETCH(QString, second);
        QStringList avant;
        if (second == "user") {
            const QString setpriv = QStandardPaths::findExecutable("setpriv");
            if (::geteuid() != 0 || setpriv.isEmpty())
                QSKIP("two users need root and setpriv here");
            avant = {setpriv, "--reuid=65534", "--regid=65534", "--clear-groups"};
        }
        Fixture fx;
        fx.WriteSeed(kSeed);
        fx.SetSetting("Settings", "SplashAuto", "False");
        // Every user reaches the collection; each copy has its own settings.
        QTemporaryDir autres;
        for (const QString& d : {fx.Dir(), autres.path()})
            QFile::setPermissions(d, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                         QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                         QFileDevice::WriteOther | QFileDevice::ExeOther |
                                         QFileDevice::ReadGroup | QFileDevice::ExeGroup);
        QDir().mkpath(autres.path() + "/runtime-1");
        QDir().mkpath(autres.path() + "/runtime-2");
        const QString reglages2 = autres.path() + "/Brivanta-2.ini";
        Fixture::WriteFile(reglages2, "[Settings]\nSplashAuto=False\n");
        QFile::setPermissions(reglages2, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                             QFileDevice::ReadOther | QFileDevice::WriteOther);

        QProcess first;
        first.setProcessEnvironment(
            Environnement(fx.Dir(), fx.SettingsFile(), autres.path() + "/runtime-1"));
        first.start(BRIVANTA_EXE, {});
        QVERIFY(first.waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(fx.Setting("Settings", "FirstTime"), QString("1"), 20000);

        const QString runtime = second == "runtime" ? autres.path() + "/runtime-2" : QString();
        const auto env = Environnement(fx.Dir(), reglages2, runtime);
        const Copie refused = Lancer(env, avant);
        QVERIFY2(refused.code == 3 && refused.sortie.contains(kRefus),
                 qPrintable(QString("%1: %2").arg(refused.code).arg(refused.sortie)));
        QVERIFY(first.state() == QProcess::Running);
        if (second == "user") QVERIFY(refused.sortie.contains("utilisateur 65534"));

        // Killed, the first copy leaves no lock behind.
        first.kill();
        QVERIFY(first.waitForFinished());
        const Copie started = Lancer(env, avant);
        QVERIFY2(started.code == 0 && started.sortie.contains("demarre") &&
                     !started.sortie.contains(kRefus),
                 qPrintable(QString("%1: %2").arg(started.code).arg(started.sortie)));
    }

    // The same db.mdb by another name in another folder: a hard link, a
    // symbolic link, a bind mount of the file alone. The second copy is
    // refused while the first runs, and starts once it has gone.
    void secondCopyThroughAnotherNameOfTheFile_data() {
        QTest::addColumn<QString>("nom");
        QTest::newRow("hard link") << "hard";
        QTest::newRow("symbolic link") << "symbolic";
        QTest::newRow("bind mount") << "bind";
    }
    void secondCopyThroughAnotherNameOfTheFile() {
        QFETCH(QString, nom);
        Fixture fx;
        fx.WriteSeed(kSeed);
        fx.SetSetting("Settings", "SplashAuto", "False");
        QTemporaryDir autres;
        const QString ailleurs = autres.path() + "/ailleurs";
        QVERIFY(QDir().mkpath(ailleurs));
        const QString autreNom = ailleurs + "/db.mdb";
        std::unique_ptr<Liaison> liaison;
        if (nom == "hard") {
            QCOMPARE(::link(QFile::encodeName(fx.DbFile()).constData(),
                            QFile::encodeName(autreNom).constData()),
                     0);
        } else if (nom == "symbolic") {
            QVERIFY(QFile::link(fx.DbFile(), autreNom));
        } else {
            liaison = std::make_unique<Liaison>(fx.DbFile(), autreNom);
            if (!liaison->Pret()) QSKIP(qPrintable("no bind mount here: " + liaison->Pourquoi()));
            QCOMPARE(Fixture::Inode(autreNom), Fixture::Inode(fx.DbFile()));
        }
        const QString reglages2 = AutresReglages(autres.path());

        QProcess first;
        first.setProcessEnvironment(Environnement(fx.Dir(), fx.SettingsFile(), QString()));
        first.start(BRIVANTA_EXE, {});
        QVERIFY(first.waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(fx.Setting("Settings", "FirstTime"), QString("1"), 20000);

        const auto env = Environnement(ailleurs, reglages2, QString());
        const Copie refused = Lancer(env);
        QVERIFY2(Refusee(refused), Dire(refused).constData());
        QVERIFY(first.state() == QProcess::Running);

        first.kill();
        QVERIFY(first.waitForFinished());
        const Copie started = Lancer(env);
        QVERIFY2(Demarree(started), Dire(started).constData());
    }

    // A restore puts a new file in place of db.mdb while the program runs:
    // the running copy still holds the collection, now the new file, by
    // every name; a second copy on the folder, or on a hard link of the
    // restored file, is refused until the first one ends.
    void restoreWhileOneRuns() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        const QString backup = fx.Dir() + "/ancienne.mdb";
        db::WriteCollection(backup, Fixture::Parse(R"({"recettes": [{"nom": "Grog"}]})"));
        QVERIFY(fx.StartMain());
        const unsigned long long avant = Fixture::Inode(fx.DbFile());
        {
            platform::CommonDialogSeam::Scripted seam({backup});
            Frmmain::Instance().Outils[6]->ClickIt();
        }
        QCOMPARE(Fixture::ReadFile(fx.DbFile()), Fixture::ReadFile(backup));
        QVERIFY(Fixture::Inode(fx.DbFile()) != avant);
        QVERIFY(platform::MessageSeam::Calls().isEmpty());

        QTemporaryDir autres;
        const QString ailleurs = autres.path() + "/ailleurs";
        QVERIFY(QDir().mkpath(ailleurs));
        QCOMPARE(::link(QFile::encodeName(fx.DbFile()).constData(),
                        QFile::encodeName(ailleurs + "/db.mdb").constData()),
                 0);
        const QString reglages2 = AutresReglages(autres.path());
        for (const QString& dossier : {fx.Dir(), ailleurs}) {
            const Copie refused = Lancer(Environnement(dossier, reglages2, QString()));
            QVERIFY2(refused.code == 3 && refused.sortie.contains(kRefus),
                     qPrintable(
                         QString("%1 %2: %3").arg(dossier).arg(refused.code).arg(refused.sortie)));
        }

        Frmmain::Unload();
        const Copie started = Lancer(Environnement(ailleurs, reglages2, QString()));
        QVERIFY2(Demarree(started), Dire(started).constData());
    }

    // A link left in place of the lock file, pointing nowhere or to a file:
    // the running copy puts a lock file of its own there, without a word and
    // without touching what the link pointed to, and a second copy is
    // refused.
    void linkAsTheLockFile_data() {
        QTest::addColumn<bool>("dangling");
        QTest::newRow("dangling link") << true;
        QTest::newRow("link to a file") << false;
    }
    void linkAsTheLockFile() {
        QFETCH(bool, dangling);
        Fixture fx;
        fx.WriteSeed(kSeed);
        QTemporaryDir autres;
        const QString cible = autres.path() + "/cible";
        if (!dangling) Fixture::WriteFile(cible, "à garder");
        const QString verrou = fx.DbFile() + ".verrou";
        QVERIFY(QFile::link(cible, verrou));

        QVERIFY(fx.StartMain());
        QVERIFY2(platform::MessageSeam::Calls().isEmpty(),
                 qPrintable(platform::MessageSeam::Calls().value(0).prompt));
        const QFileInfo lu(verrou);
        QVERIFY(!lu.isSymLink());
        QVERIFY(lu.isFile());
        if (dangling)
            QVERIFY(!QFileInfo::exists(cible));
        else
            QCOMPARE(Fixture::ReadFile(cible), QByteArray("à garder"));
        QCOMPARE(QDir(fx.Dir()).entryList({"*.copie-brivanta-*"}, QDir::Files | QDir::Hidden),
                 QStringList());

        const QString reglages2 = AutresReglages(autres.path());
        const Copie refused = Lancer(Environnement(fx.Dir(), reglages2, QString()));
        QVERIFY2(Refusee(refused), Dire(refused).constData());
    }
};

int main(int argc, char** argv) {
    if (argc > 1 && qstrcmp(argv[argc - 1], "--deuxieme-copie") == 0)
        return DeuxiemeCopie(argc, argv);
    QApplication app(argc, argv);
    TestInstance t;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&t, argc, argv);
}

#include "test_instance.moc"
