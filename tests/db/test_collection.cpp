// The collection file: its tables in the order the program relies on, the
// sample collection a new user sees, and writing a whole file safely.
#include <QtTest>

#include "db/Collection.h"
#include "db/Schema.h"
#include "platform/Database.h"
#include "support/Fixture.h"

using platform::Database;

namespace {
QStringList Columns(Database& d, const QString& table) {
    QStringList out;
    auto rs = d.OpenRecordset("SELECT * From " + table);
    for (int i = 0; i < rs.FieldCount(); ++i) out << rs.FieldName(i);
    return out;
}
long Count(Database& d, const QString& sql) {
    return d.OpenRecordset(sql).RecordCount();
}
}  // namespace

class TestCollection : public QObject {
    Q_OBJECT
private slots:
    void tablesAndColumnOrder() {
        Fixture fx;
        fx.WriteSeed("{}");
        Database d = db::OpenDb();
        QCOMPARE(Columns(d, "Cocktails"),
                 QStringList({"Numero", "Recette", "NCategorie", "Nverre", "Photo", "NReal",
                              "preparation", "Deco", "Cout", "difficulte", "Teneur", "Description",
                              "Histoire"}));
        QCOMPARE(Columns(d, "Categorie"), QStringList({"NCategorie", "Categorie"}));
        QCOMPARE(Columns(d, "Verre"),
                 QStringList({"NVerre", "Verre", "Contenance", "Description", "Image"}));
        QCOMPARE(Columns(d, "Realisation"), QStringList({"NRealisation", "Realisation"}));
        QCOMPARE(Columns(d, "Ingredient"), QStringList({"NIngredient", "Ingredient"}));
        QCOMPARE(Columns(d, "Quantite"), QStringList({"NQuantite", "Quantite"}));
        QCOMPARE(Columns(d, "Mesure"), QStringList({"NMesure", "Mesure"}));
        QCOMPARE(Columns(d, "Ingre"), QStringList({"Numero", "NQuantite", "NMesure", "NIngre"}));
        QCOMPARE(Columns(d, "lexique"), QStringList({"Mot", "Info"}));
        d.Close();
        QVERIFY(db::IsCollection(fx.DbFile()));
    }

    void seedNamesBecomeNumberedLookups() {
        Fixture fx;
        fx.WriteSeed(
            "{\"recettes\": ["
            "{\"nom\": \"Mojito\", \"categorie\": \"Tropical\","
            " \"lignes\": [[\"4\", \"cl\", \"Rhum blanc\"], [\"\", \"\", \"Menthe\"]]},"
            "{\"nom\": \"Ti\' punch\", \"categorie\": \"TROPICAL\","
            " \"lignes\": [[\"4\", \"cl\", \"rhum blanc\"]]}]}");
        Database d = db::OpenDb();
        QCOMPARE(Count(d, "SELECT * From Categorie"), 1L);
        QCOMPARE(Count(d, "SELECT * From Ingredient"), 2L);
        auto menthe = d.OpenRecordset("SELECT * From Ingre where NIngre = 2");
        QCOMPARE(menthe.Fields("NQuantite").toLongLong(), 0LL);
        QCOMPARE(menthe.Fields("NMesure").toLongLong(), 0LL);
        auto punch = d.OpenRecordset("SELECT * From Cocktails where Recette = 'Ti'' punch'");
        QCOMPARE(punch.Fields("Numero").toLongLong(), 2LL);
        QCOMPARE(punch.Fields("NCategorie").toLongLong(), 1LL);
    }

    void sampleCollectionIsWorthReading() {
        Fixture fx;
        fx.WriteSample();
        Database d = db::OpenDb();
        QVERIFY(Count(d, "SELECT * From Cocktails") >= 40);
        QVERIFY(Count(d, "SELECT * From Categorie") >= 8);
        QCOMPARE(Count(d, "SELECT * From Verre"), 10L);
        QCOMPARE(
            Count(d,
                  "SELECT * From Verre where trim(Contenance) <> '' and trim(Description) <> ''"),
            10L);
        QCOMPARE(Count(d, "SELECT * From Realisation"), 5L);
        QVERIFY(Count(d, "SELECT * From lexique") >= 30);
        // Every recipe has lines, a known category, glass and way, and levels in range.
        QCOMPARE(Count(d, "SELECT * From Cocktails where Numero not in (SELECT Numero From Ingre)"),
                 0L);
        QCOMPARE(
            Count(
                d,
                "SELECT * From Cocktails where NCategorie not in (SELECT NCategorie From Categorie)"
                " or Nverre not in (SELECT NVerre From Verre)"
                " or NReal not in (SELECT NRealisation From Realisation)"),
            0L);
        QCOMPARE(Count(d,
                       "SELECT * From Cocktails where Cout not between 0 and 5 or difficulte not"
                       " between 0 and 5 or Teneur not between 0 and 6"),
                 0L);
        const long all = Count(d, "SELECT * From Cocktails");
        const long filled =
            Count(d,
                  "SELECT * From Cocktails where trim(preparation) <> '' and"
                  " trim(Deco) <> '' and trim(Description) <> '' and trim(Histoire) <> ''");
        QVERIFY2(filled * 4 >= all * 3, "most recipes have their four texts");
    }

    void rewritingReplacesTheWholeFileOrNothing() {
        Fixture fx;
        fx.WriteSeed(R"({"categories": ["Ancienne"]})");
        fx.WriteSeed(R"({"categories": ["Nouvelle", "Autre"]})");
        {
            Database d = db::OpenDb();
            QCOMPARE(Count(d, "SELECT * From Categorie"), 2L);
        }
        const QByteArray before = Fixture::ReadFile(fx.DbFile());
        // A seed that cannot be written (a lookup value of the wrong shape
        // cannot fail, so use a folder that is not there) leaves the file alone.
        QVERIFY_THROWS_EXCEPTION(platform::DbError, db::WriteCollection(fx.Dir() + "/absent/db.mdb",
                                                                        Fixture::Parse("{}")));
        QCOMPARE(Fixture::ReadFile(fx.DbFile()), before);
        QCOMPARE(QDir(fx.Dir()).entryList({"*.nouveau"}, QDir::Files), QStringList());
    }

    void toolRefusesABadSeed() {
        Fixture fx;
        fx.WriteSeed(R"({"categories": ["Ancienne"]})");
        QFile bad(fx.Dir() + "/mauvais.json");
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("{ pas du json");
        bad.close();
        const QByteArray before = Fixture::ReadFile(fx.DbFile());
        const QString tool = QFileInfo(BRIVANTA_EXE).absolutePath() + "/../src/tools/brivanta-mkdb";
        QCOMPARE(QProcess::execute(tool, {bad.fileName(), fx.DbFile()}), 1);
        QCOMPARE(Fixture::ReadFile(fx.DbFile()), before);
    }

    // The examination reads without waiting on what is not a file, and a
    // whole one checks the keys that a quick one leaves to the lists.
    void examination_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("quick");
        QTest::addColumn<int>("whole");
        using D = db::Defect;
        QTest::newRow("sample collection") << "sample" << int(D::None) << int(D::None);
        QTest::newRow("device") << "device" << int(D::NotADatabase) << int(D::NotADatabase);
        QTest::newRow("pipe") << "pipe" << int(D::NotADatabase) << int(D::NotADatabase);
        QTest::newRow("key twice") << "twice" << int(D::None) << int(D::BadKeys);
        QTest::newRow("Null key") << "null" << int(D::None) << int(D::BadKeys);
    }
    void examination() {
        QFETCH(QString, kind);
        QFETCH(int, quick);
        QFETCH(int, whole);
        Fixture fx;
        QString path = fx.DbFile();
        if (kind == "device") {
            path = "/dev/zero";
        } else if (kind == "pipe") {
            QCOMPARE(QProcess::execute("mkfifo", {path}), 0);
        } else {
            fx.WriteSample();
            const QString loose =
                "ALTER TABLE Mesure RENAME TO A; CREATE TABLE Mesure AS SELECT * "
                "FROM A; DROP TABLE A; ";
            if (kind == "twice")
                Database::OpenDatabase(path).Execute(loose + "INSERT INTO Mesure VALUES (1, 'x')");
            if (kind == "null")
                Database::OpenDatabase(path).Execute(loose +
                                                     "INSERT INTO Mesure VALUES (NULL, 'x')");
        }
        QCOMPARE(int(db::Examine(path).defect), quick);
        QCOMPARE(int(db::Examine(path, db::Depth::Whole).defect), whole);
        QCOMPARE(db::IsCollection(path), whole == int(db::Defect::None));
    }
};

QTEST_MAIN(TestCollection)
#include "test_collection.moc"
