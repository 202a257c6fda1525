// Collection files that are broken, foreign, locked or hold rows the lists
// cannot show: the start-up completes and says once what is wrong, the
// lists show every row they can, nothing is written to the file, and a
// restore takes only a sound file.
#include <sqlite3.h>

#include <QRandomGenerator>
#include <QtTest>

#include "db/Collection.h"
#include "db/Schema.h"
#include "platform/CommonDialog.h"
#include "platform/Database.h"
#include "platform/MessageBox.h"
#include "shell/AccesBase.h"
#include "shell/Frmmain.h"
#include "shell/General.h"
#include "shell/Pop.h"
#include "shell/Sauvegarde.h"
#include "support/Fixture.h"

using platform::MessageSeam::Calls;

namespace {

Frmmain& F() {
    return Frmmain::Instance();
}

const char* kSeed = R"({"categories": ["Tropical", "Classique"],
  "recettes": [{"nom": "Mojito", "categorie": "Tropical"},
               {"nom": "Bellini", "categorie": "Classique"},
               {"nom": "Daïquiri", "categorie": "Tropical"}]})";
const char* kLive = R"({"categories": ["Apéritif"],
  "recettes": [{"nom": "Grog", "categorie": "Apéritif"}]})";

// A connection of another program, holding the file while the test runs.
class Holder {
public:
    ~Holder() { sqlite3_close_v2(db_); }
    void Hold(const QString& path, const char* sql) {
        QVERIFY(sqlite3_open_v2(path.toUtf8().constData(), &db_, SQLITE_OPEN_READWRITE, nullptr) ==
                SQLITE_OK);
        QVERIFY(sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK);
    }

private:
    sqlite3* db_ = nullptr;
};

void Run(const QString& path, const QString& sql) {
    auto d = platform::Database::OpenDatabase(path);
    d.Execute(sql);
}

// The table without its key constraint, so that any value can stand as a key.
QString Loose(const char* table) {
    return QStringLiteral(
               "ALTER TABLE %1 RENAME TO Ancienne; CREATE TABLE %1 AS SELECT * FROM "
               "Ancienne; DROP TABLE Ancienne; ")
        .arg(QLatin1String(table));
}

QByteArray RandomBytes(qsizetype n) {
    QRandomGenerator g(16);
    QByteArray b(n, Qt::Uninitialized);
    for (char& c : b) c = static_cast<char>(g.bounded(256));
    return b;
}

// Makes the hostile file of a case at `path`.
void Make(const QString& kind, const QString& path, Holder& holder) {
    const auto seed = [&] { db::WriteCollection(path, Fixture::Parse(kSeed)); };
    if (kind == "sound") {
        seed();
    } else if (kind == "sound, empty") {
        db::WriteCollection(path, Fixture::Parse("{}"));
    } else if (kind == "zero bytes") {
        Fixture::WriteFile(path, QByteArray());
    } else if (kind == "random bytes") {
        Fixture::WriteFile(path, RandomBytes(8192));
    } else if (kind == "truncated") {
        seed();
        Fixture::WriteFile(path, Fixture::ReadFile(path).left(8192));
    } else if (kind == "no tables") {
        platform::Database::CreateDatabase(path).Execute("CREATE TABLE x (a); DROP TABLE x");
    } else if (kind == "table missing") {
        seed();
        Run(path, "DROP TABLE Verre");
    } else if (kind == "column missing") {
        seed();
        Run(path, "ALTER TABLE Cocktails DROP COLUMN Histoire");
    } else if (kind == "columns reordered") {
        seed();
        Run(path,
            "CREATE TABLE Autre (Categorie TEXT, NCategorie INTEGER); "
            "INSERT INTO Autre SELECT Categorie, NCategorie FROM Categorie; "
            "DROP TABLE Categorie; ALTER TABLE Autre RENAME TO Categorie");
    } else if (kind == "duplicate key") {
        seed();
        Run(path, Loose("Cocktails") + "UPDATE Cocktails SET Numero = 1 WHERE Recette = 'Bellini'");
    } else if (kind == "text key") {
        seed();
        Run(path,
            Loose("Cocktails") + "UPDATE Cocktails SET Numero = 'deux' WHERE Recette = 'Bellini'");
    } else if (kind == "decimal key") {
        seed();
        Run(path,
            Loose("Cocktails") + "UPDATE Cocktails SET Numero = 2.5 WHERE Recette = 'Bellini'");
    } else if (kind == "page of random bytes") {
        seed();
        long long root = 0;
        {
            auto d = platform::Database::OpenDatabase(path);
            root = d.OpenRecordset("SELECT rootpage FROM sqlite_schema WHERE name = 'Cocktails'")
                       .Fields(0)
                       .toLongLong();
        }
        QVERIFY(root > 1);
        QByteArray bytes = Fixture::ReadFile(path);
        bytes.replace((root - 1) * 4096, 4096, RandomBytes(4096));
        Fixture::WriteFile(path, bytes);
    } else if (kind == "directory") {
        QVERIFY(QDir().mkpath(path));
    } else if (kind == "missing") {
        QFile::remove(path);
    } else if (kind == "locked, exclusive") {
        seed();
        holder.Hold(path, "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE");
    } else if (kind == "locked, write lock") {
        seed();
        holder.Hold(path, "BEGIN IMMEDIATE");
    } else {
        QFAIL(qPrintable("unknown case " + kind));
    }
}

// What a file is, to compare before and after: its bytes, or what stands in
// its place.
QByteArray State(const QString& path) {
    const QFileInfo i(path);
    if (i.isDir()) return "<dossier>";
    if (!i.exists()) return "<absent>";
    return Fixture::ReadFile(path);
}

QString Opening(const QString& path, const QString& why) {
    const QString button = QString("« Restaurer une ancienne base »").replace(' ', QChar(0xa0));
    return QString(
               "Le fichier de la collection « %1 » ne peut pas être utilisé : %2.\n"
               "Une ancienne base peut être remise en place avec le bouton %3.")
        .arg(path, why, button);
}

const QString kLeftOut =
    "La table Cocktails a 1 ligne(s) qui ne peuvent pas être affichées : leur numéro n'est "
    "pas un nombre entier ou figure déjà dans la liste.\nLes autres lignes sont affichées.";

}  // namespace

class TestDamaged : public QObject {
    Q_OBJECT
private slots:
    void startup_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("tris");
        // The reason in the start-up message, the whole message (left-out
        // rows), or nothing.
        QTest::addColumn<QString>("why");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("rows");
        // The reason a restore of the same file is refused; empty: accepted.
        QTest::addColumn<QString>("refused");

        const QStringList all{"Bellini", "Daïquiri", "Mojito"};
        const QString notDb = "ce n'est pas une base de données";
        const QString damaged = "il est endommagé";
        const QString inUse = "il est utilisé par un autre programme";
        const QString columns =
            "ce n'est pas une collection de Brivanta (la table %1 n'a pas les colonnes "
            "attendues, dans leur ordre)";
        auto row = [](const char* name) -> QTestData& {
            return QTest::newRow(name) << QString(name);
        };

        row("sound") << "0"
                     << ""
                     << "" << all << "";
        row("sound, empty") << "0"
                            << ""
                            << "" << QStringList{} << "";
        row("zero bytes") << "0" << notDb << "" << QStringList{} << notDb;
        row("random bytes") << "0" << notDb << "" << QStringList{} << notDb;
        row("truncated") << "0" << damaged << "" << QStringList{} << damaged;
        row("no tables") << "0"
                         << "ce n'est pas une collection de Brivanta (la table Cocktails manque)"
                         << "" << QStringList{}
                         << "ce n'est pas une collection de Brivanta (la table Cocktails manque)";
        // What can be read is still listed.
        row("table missing") << "0"
                             << "ce n'est pas une collection de Brivanta (la table Verre manque)"
                             << "" << all
                             << "ce n'est pas une collection de Brivanta (la table Verre manque)";
        row("column missing") << "0" << columns.arg("Cocktails") << "" << QStringList{}
                              << columns.arg("Cocktails");
        // Names are never taken for keys.
        row("columns reordered") << "1" << columns.arg("Categorie") << "" << QStringList{}
                                 << columns.arg("Categorie");
        row("duplicate key") << "0"
                             << "" << kLeftOut << QStringList{"Bellini", "Daïquiri"}
                             << "la table Cocktails a 1 numéro(s) en double";
        const QString notWhole =
            "la table Cocktails a 1 numéro(s) qui ne sont pas des nombres entiers";
        row("text key") << "0"
                        << "" << kLeftOut << QStringList{"Daïquiri", "Mojito"} << notWhole;
        row("decimal key") << "0"
                           << "" << kLeftOut << QStringList{"Daïquiri", "Mojito"} << notWhole;
        row("page of random bytes") << "0" << damaged << "" << QStringList{} << damaged;
        row("directory") << "0"
                         << "c'est un dossier et non un fichier"
                         << "" << QStringList{} << "c'est un dossier et non un fichier";
        row("missing") << "0"
                       << "il est introuvable"
                       << "" << QStringList{} << "il est introuvable";
        row("locked, exclusive") << "0" << inUse << "" << QStringList{} << inUse;
        // A write lock keeps the program out; a restore copies the state that
        // the other program last committed.
        row("locked, write lock") << "0" << inUse << "" << QStringList{} << "";
    }
    void startup() {
        QFETCH(QString, kind);
        QFETCH(QString, tris);
        QFETCH(QString, why);
        QFETCH(QString, message);
        QFETCH(QStringList, rows);
        Fixture fx;
        Holder holder;
        Make(kind, fx.DbFile(), holder);
        const QByteArray before = State(fx.DbFile());
        fx.SetSetting("Settings", "Tris", tris);

        QVERIFY(fx.StartMain());

        // The start-up ran to its end.
        QVERIFY(F().isVisible());
        QVERIFY(Pop::Instance().isVisible());
        QCOMPARE(fx.Setting("Settings", "FirstTime"), QString("1"));
        QVERIFY(!F().Chargement.Visible());
        QVERIFY(!platform::HourglassShown());
        // One message, or none.
        const QString expected = !why.isEmpty() ? Opening(fx.DbFile(), why) : message;
        QCOMPARE(Calls().size(), expected.isEmpty() ? 0 : 1);
        if (!expected.isEmpty()) {
            QCOMPARE(Calls()[0].prompt, expected);
            QCOMPARE(Calls()[0].style, platform::vbExclamation + platform::vbOKOnly);
            QCOMPARE(Calls()[0].title, QString("Brivanta"));
        }
        QCOMPARE(F().Liste.Tag, tris);
        if (tris == "0") QCOMPARE(Fixture::Texts(F().Liste), rows);
        if (kind == "sound, empty") QCOMPARE(F().LBGauche.Caption(), QString(" 0 Cocktail(s) ..."));
        // Nothing was written to the file, nor beside it.
        QCOMPARE(State(fx.DbFile()), before);
        QVERIFY(!QFile::exists(fx.DbFile() + "-journal"));
    }

    // The same files offered to a restore over a sound collection.
    void restore_data() { startup_data(); }
    void restore() {
        QFETCH(QString, kind);
        QFETCH(QString, refused);
        Fixture fx;
        fx.WriteSeed(kLive);
        QVERIFY(fx.StartMain());
        QCOMPARE(Fixture::Texts(F().Liste), QStringList{"Grog"});
        const QString chosen = fx.Dir() + "/choisi.mdb";
        Holder holder;
        Make(kind, chosen, holder);
        const QByteArray chosenBefore = State(chosen);
        const QByteArray live = Fixture::ReadFile(fx.DbFile());
        const auto inode = Fixture::Inode(fx.DbFile());
        platform::CommonDialogSeam::Scripted seam({chosen});

        General::RestaurerBase();

        QCOMPARE(State(chosen), chosenBefore);
        if (!refused.isEmpty()) {
            QCOMPARE(Calls().size(), 1);
            QCOMPARE(Calls()[0].prompt,
                     QString("Le fichier « %1 » ne peut pas être restauré : %2.\n"
                             "La base de données actuelle est conservée.")
                         .arg(chosen, refused));
            QCOMPARE(Calls()[0].style, platform::vbExclamation + platform::vbOKOnly);
            QCOMPARE(Fixture::ReadFile(fx.DbFile()), live);
            QCOMPARE(Fixture::Inode(fx.DbFile()), inode);
            QCOMPARE(Fixture::Texts(F().Liste), QStringList{"Grog"});
        } else {
            QCOMPARE(Calls().size(), 0);
            QVERIFY(db::IsCollection(fx.DbFile()));
            const QStringList expected = kind == "sound, empty"
                                             ? QStringList{}
                                             : QStringList{"Bellini", "Daïquiri", "Mojito"};
            QCOMPARE(Fixture::Texts(F().Liste), expected);
        }
        // Nothing is left beside the live file but the running copy's lock.
        QStringList left =
            QDir(fx.Dir()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
        left.removeAll("choisi.mdb");
        left.removeAll("reglages");
        QCOMPARE(left, (QStringList{"db.mdb", "db.mdb.verrou"}));
    }

    // A restore over a damaged live file brings the collection back.
    void restoreMendsADamagedStart() {
        Fixture fx;
        Fixture::WriteFile(fx.DbFile(), RandomBytes(4096));
        const QString backup = fx.Dir() + "/sauvegarde.mdb";
        db::WriteCollection(backup, Fixture::Parse(kSeed));
        QVERIFY(fx.StartMain());
        QCOMPARE(Calls().size(), 1);
        QCOMPARE(F().Liste.Count(), 0);
        platform::MessageSeam::Clear();
        platform::CommonDialogSeam::Scripted seam({backup});
        General::RestaurerBase();
        QCOMPARE(Calls().size(), 0);
        QCOMPARE(Fixture::ReadFile(fx.DbFile()), Fixture::ReadFile(backup));
        QCOMPARE(Fixture::Texts(F().Liste), (QStringList{"Bellini", "Daïquiri", "Mojito"}));
        QCOMPARE(F().LTDroit.Caption(), QString("Bellini"));
    }

    // A write cut short (the program killed) leaves a journal beside the
    // file: the start-up plays it back and the collection reads as before;
    // a restore refuses such a file, which only its writer may mend.
    void interruptedWriteIsPlayedBack() {
        Fixture fx;
        QTemporaryDir work;
        const QString cut = work.path() + "/db.mdb";
        db::WriteCollection(cut, Fixture::Parse(kSeed));
        sqlite3* c = nullptr;
        QCOMPARE(sqlite3_open(cut.toUtf8().constData(), &c), SQLITE_OK);
        // A one-page cache spills the changes into the file before the end.
        QCOMPARE(sqlite3_exec(c,
                              "PRAGMA cache_size=1; BEGIN; "
                              "UPDATE Cocktails SET Recette = Recette || ' modifié'; "
                              "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                              "WHERE i < 300) INSERT INTO lexique SELECT 'mot' || i, "
                              "zeroblob(3000) FROM n",
                              nullptr, nullptr, nullptr),
                 SQLITE_OK);
        // The files as a killed program leaves them.
        QVERIFY(QFile::copy(cut, fx.DbFile()));
        QVERIFY(QFile::copy(cut + "-journal", fx.DbFile() + "-journal"));
        const QString backup = work.path() + "/sauvegarde.mdb";
        QVERIFY(QFile::copy(cut, backup));
        QVERIFY(QFile::copy(cut + "-journal", backup + "-journal"));
        sqlite3_close(c);

        QVERIFY(fx.StartMain());
        QCOMPARE(Calls().size(), 0);
        QCOMPARE(Fixture::Texts(F().Liste), (QStringList{"Bellini", "Daïquiri", "Mojito"}));
        QVERIFY(!QFile::exists(fx.DbFile() + "-journal"));

        const QByteArray live = Fixture::ReadFile(fx.DbFile());
        const QByteArray offered = Fixture::ReadFile(backup);
        platform::CommonDialogSeam::Scripted seam({backup});
        General::RestaurerBase();
        QCOMPARE(Calls().size(), 1);
        QVERIFY(Calls()[0].prompt.contains("une écriture interrompue l'a laissé inachevé"));
        QCOMPARE(Fixture::ReadFile(fx.DbFile()), live);
        QCOMPARE(Fixture::ReadFile(backup), offered);
        QVERIFY(QFile::exists(backup + "-journal"));
    }

    // Left-out rows are told once per table, also when the list is filled
    // again; every other fill lists what it can.
    void leftOutRowsAreToldOnce() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        Run(fx.DbFile(), Loose("Categorie") + Loose("Cocktails") +
                             "INSERT INTO Categorie VALUES (2, 'Digestif'); "
                             "INSERT INTO Categorie VALUES (NULL, 'Sans numéro'); "
                             "UPDATE Cocktails SET Numero = 1 WHERE Recette = 'Bellini'");
        fx.SetSetting("Settings", "Tris", "1");
        QVERIFY(fx.StartMain());
        // Classique (2) comes before Digestif (2) in the order of names.
        QCOMPARE(Fixture::Texts(F().Liste), (QStringList{"Classique", "Tropical"}));
        QCOMPARE(Calls().size(), 1);
        QVERIFY(Calls()[0].prompt.startsWith("La table Categorie a 2 ligne(s)"));
        // The lower list of Tropical: Mojito and Daïquiri, numbers 1 and 3.
        F().Liste.Select(F().Liste.Item(2));
        F().ListeHaute();
        QCOMPARE(F().LFilms.Count(), 2);
        F().Bouton[0]->ClickIt();
        QCOMPARE(Fixture::Texts(F().Liste), (QStringList{"Bellini", "Daïquiri"}));
        QCOMPARE(Calls().size(), 2);
        QCOMPARE(Calls()[1].prompt, kLeftOut);
        F().Bouton[1]->ClickIt();
        F().Bouton[0]->ClickIt();
        QCOMPARE(Calls().size(), 2);
    }

    // A table met later than the start-up, from the sort bar: its names are
    // never read as keys, and the user is told why the list stays empty.
    void foreignTableFromTheSortBar() {
        Fixture fx;
        Holder none;
        Make("columns reordered", fx.DbFile(), none);
        const QByteArray before = Fixture::ReadFile(fx.DbFile());
        // Told once at start-up; the recipes can still be read.
        QVERIFY(fx.StartMain());
        QCOMPARE(Calls().size(), 1);
        QCOMPARE(Fixture::Texts(F().Liste), (QStringList{"Bellini", "Daïquiri", "Mojito"}));
        F().Bouton[1]->ClickIt();
        QCOMPARE(Calls().size(), 2);
        QCOMPARE(Calls()[1].prompt,
                 QString("Le fichier « %1 » n'est pas une collection de Brivanta : la table "
                         "Categorie n'a pas les colonnes attendues, dans leur ordre.")
                     .arg(fx.DbFile()));
        QCOMPARE(F().Liste.Count(), 0);
        QVERIFY(!F().Chargement.Visible());
        QCOMPARE(Fixture::ReadFile(fx.DbFile()), before);
    }

    // The search fills its list by the same rule.
    void searchListsEveryRowItCan() {
        Fixture fx;
        Holder none;
        Make("duplicate key", fx.DbFile(), none);
        platform::ListView found;
        AccesBase::RechercherTexte("SELECT * From Cocktails order by Recette asc", found, 5, false,
                                   "i");
        QCOMPARE(Fixture::Texts(found), (QStringList{"Bellini", "Daïquiri"}));
        QCOMPARE(Calls().size(), 1);
        QCOMPARE(Calls()[0].prompt, kLeftOut);
    }
};

QTEST_MAIN(TestDamaged)
#include "test_damaged.moc"
