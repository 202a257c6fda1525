// The database layer over a real file: opening rules, the text order, and
// reading and writing rows through recordsets.
#include <QtTest>
#include <random>

#include "db/Schema.h"
#include "platform/Collation.h"
#include "platform/Database.h"
#include "support/Fixture.h"

using platform::Database;
using platform::DbError;

class TestDatabase : public QObject {
    Q_OBJECT
private slots:
    void equalityIgnoresCaseNotAccents_data() {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("equal");
        QTest::newRow("É = é") << "ÉTÉ"
                               << "été" << true;
        QTest::newRow("é ≠ e") << "été"
                               << "ete" << false;
        QTest::newRow("apostrophe") << "Jus d'orange"
                                    << "JUS D'ORANGE" << true;
        QTest::newRow("Œ = œ") << "Œuf"
                               << "œuf" << true;
        QTest::newRow("blank counts") << "Rhum "
                                      << "Rhum" << false;
        QTest::newRow("ç = Ç") << "Citron façon"
                               << "CITRON FAÇON" << true;
    }
    void equalityIgnoresCaseNotAccents() {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, equal);
        QCOMPARE(platform::EqualsNoCase(a, b), equal);
        // The engine compares the same way in a statement.
        Fixture fx;
        fx.WriteSeed(R"({"categories": []})");
        Database d = db::OpenDb();
        auto add = d.OpenRecordset("SELECT * From Categorie");
        add.AddNew();
        add.SetField(0, 1);
        add.SetField(1, a);
        add.Update();
        QString lit = b;
        lit.replace("'", "''");
        auto rs = d.OpenRecordset("SELECT * From Categorie where Categorie = '" + lit + "'");
        QCOMPARE(rs.RecordCount() > 0, equal);
    }

    void orderByFollowsFrenchOrder() {
        Fixture fx;
        fx.WriteSeed(R"({"categories": ["Zeste", "éclat", "Eau", "apéritif", "Ananas", "école",
                         "Écorce", "cidre", "Côte", "cote"]})");
        Database d = db::OpenDb();
        auto rs = d.OpenRecordset("SELECT * From Categorie order by Categorie asc");
        QStringList got;
        for (long i = 0; i < rs.RecordCount(); ++i, rs.MoveNext()) got << rs.Text(1);
        QCOMPARE(got, QStringList({"Ananas", "apéritif", "cidre", "cote", "Côte", "Eau", "éclat",
                                   "école", "Écorce", "Zeste"}));
    }

    // The shortcuts (plain letters and digits, identical beginnings) must
    // agree with the collator, accents and punctuation included.
    void shortcutsAgreeWithCollator() {
        std::mt19937 rng(7);
        const QStringList pieces = {"a", "A", "b", "z",       "Z",     "0",    "9", " ",
                                    "m", "é", "É", "e",       "è",     "ç",    "'", "-",
                                    "œ", "Œ", "ï", "e\u0301", "Rhum ", "rhum "};
        auto make = [&] {
            QString s;
            for (int i = 0, n = int(rng() % 6); i < n; ++i) s += pieces[int(rng() % pieces.size())];
            return s;
        };
        auto sign = [](int x) { return x < 0 ? -1 : x > 0 ? 1 : 0; };
        for (int n = 0; n < 60000; ++n) {
            const QString a = make(), b = make();
            const int slow = sign(platform::CompareFrenchSlow(a, b));
            const int fast = sign(platform::CompareFrench(a, b));
            const QByteArray ua = a.toUtf8(), ub = b.toUtf8();
            const int utf8 = sign(platform::CompareFrenchUtf8(ua.constData(), int(ua.size()),
                                                              ub.constData(), int(ub.size())));
            if (fast != slow || utf8 != slow)
                QFAIL(qPrintable(
                    QString("'%1' vs '%2': %3 / %4 / %5").arg(a, b).arg(fast).arg(utf8).arg(slow)));
        }
    }

    void missingOrForeignFileIsRefusedUntouched() {
        Fixture fx;
        try {
            Database::OpenDatabase(fx.DbFile());
            QFAIL("a missing file opened");
        } catch (const DbError& e) {
            QCOMPARE(e.Fault(), platform::DbFault::Missing);
        }
        QVERIFY(!QFile::exists(fx.DbFile()));

        QFile text(fx.DbFile());
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("Ceci n'est pas une base de données.\n");
        text.close();
        const QByteArray before = Fixture::ReadFile(fx.DbFile());
        bool refused = false;
        try {
            Database d = db::OpenDb();
            d.OpenRecordset("SELECT * From Cocktails");
        } catch (const DbError& e) {
            refused = true;
            QVERIFY(!e.Message().isEmpty());
            QCOMPARE(e.Fault(), platform::DbFault::NotADatabase);
        }
        QVERIFY(refused);
        QCOMPARE(Fixture::ReadFile(fx.DbFile()), before);
        QVERIFY(!QFile::exists(fx.DbFile() + "-journal"));
    }

    void fileIsHeldExclusivelyAndReleasedOnClose() {
        Fixture fx;
        fx.WriteSeed(R"({"categories": ["Apéritif"]})");
        {
            Database first = db::OpenDb();
            QVERIFY_THROWS_EXCEPTION(DbError, db::OpenDb());
            try {
                db::OpenDb();
            } catch (const DbError& e) {
                QCOMPARE(e.Fault(), platform::DbFault::InUse);
            }
        }
        // Closed on the way out: the next operation opens at once.
        Database again = db::OpenDb();
        QCOMPARE(again.OpenRecordset("SELECT * From Categorie").RecordCount(), 1L);
        again.Close();
        QVERIFY(!again.IsOpen());
        QVERIFY_THROWS_EXCEPTION(DbError, again.OpenRecordset("SELECT * From Categorie"));
    }

    void writesLeaveTheFileStandingAlone() {
        Fixture fx;
        fx.WriteSeed(R"({"categories": ["Apéritif"]})");
        {
            Database d = db::OpenDb();
            auto rs = d.OpenRecordset("SELECT * From Categorie");
            rs.Edit();
            rs.SetField(1, "Digestif");
            rs.Update();
        }
        const QStringList left = QDir(fx.Dir()).entryList({"db.mdb*"}, QDir::Files);
        QCOMPARE(left, QStringList({"db.mdb"}));
        // A copy of the file is a whole collection.
        QVERIFY(QFile::copy(fx.DbFile(), fx.Dir() + "/copie.mdb"));
        QVERIFY(db::IsCollection(fx.Dir() + "/copie.mdb"));
    }

    void walkEditAppendDelete() {
        Fixture fx;
        fx.WriteSeed(R"({"recettes": [
            {"nom": "Mojito", "lignes": [["4", "cl", "Rhum blanc"], ["", "", "Menthe"]]},
            {"nom": "Daïquiri", "lignes": [["4", "cl", "Rhum blanc"]]}]})");
        Database d = db::OpenDb();
        // The key pasted with its sign blank, as list keys give it.
        auto rs = d.OpenRecordset("SELECT * From Cocktails where Numero =  1");
        QCOMPARE(rs.RecordCount(), 1L);
        QCOMPARE(rs.Fields("recette").toString(), QString("Mojito"));
        QCOMPARE(rs.Fields(0).toLongLong(), 1LL);
        QVERIFY(rs.Fields("Photo").isNull());
        QCOMPARE(rs.Text("Photo"), QString());
        rs.Edit();
        rs.SetField(6, " ");
        rs.Update();
        QCOMPARE(d.OpenRecordset("SELECT * From Cocktails where Numero = 1").Fields(6).toString(),
                 QString(" "));

        auto max = d.OpenRecordset("SELECT max(+Numero) From Cocktails");
        QCOMPARE(max.Fields(0).toLongLong(), 2LL);
        auto none = d.OpenRecordset("SELECT max(+NMesure) From Mesure where NMesure > 100");
        QVERIFY(none.Fields(0).isNull());

        auto lines = d.OpenRecordset("SELECT * From Ingre where Numero = 1 order by NIngre asc");
        QCOMPARE(lines.RecordCount(), 2L);
        for (long i = 0; i < lines.RecordCount(); ++i, lines.MoveNext()) lines.Delete();
        QCOMPARE(d.OpenRecordset("SELECT * From Ingre").RecordCount(), 1L);

        auto all = d.OpenRecordset("SELECT * From Quantite");
        all.AddNew();
        all.SetField(0, 9);
        all.SetField(1, "1/2");
        all.Update();
        QCOMPARE(
            d.OpenRecordset("SELECT * From Quantite where Quantite = '1/2'").Fields(0).toLongLong(),
            9LL);
        // Not a query of one table: reading only.
        auto joined = d.OpenRecordset("SELECT Recette, Categorie From Cocktails, Categorie");
        QVERIFY_THROWS_EXCEPTION(DbError, joined.AddNew());
        QVERIFY_THROWS_EXCEPTION(DbError, d.OpenRecordset("SELECT * From Absente"));
    }

    // One column of the first row written, the others untouched and unread.
    void setFirstField_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<int>("ordinal");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("text, key with a blank")
            << "SELECT * From Cocktails where Numero =  2" << 6 << QVariant("Piler")
            << QStringList{"1|Mojito|<null>", "2|Daïquiri|Piler"};
        QTest::newRow("first row in query order")
            << "SELECT * From Cocktails where Numero > 0 order by Recette asc" << 1
            << QVariant("Zombie") << QStringList{"1|Mojito|<null>", "2|Zombie|<null>"};
        QTest::newRow("number") << "SELECT * From Cocktails where Numero = 1" << 6 << QVariant(4LL)
                                << QStringList{"1|Mojito|4", "2|Daïquiri|<null>"};
        QTest::newRow("null") << "select * from cocktails where Numero = 1" << 1 << QVariant()
                              << QStringList{"1|<null>|<null>", "2|Daïquiri|<null>"};
    }
    void setFirstField() {
        QFETCH(QString, sql);
        QFETCH(int, ordinal);
        QFETCH(QVariant, value);
        QFETCH(QStringList, after);
        Fixture fx;
        fx.WriteSeed(R"({"recettes": [{"nom": "Mojito"}, {"nom": "Daïquiri"}]})");
        {
            Database d = db::OpenDb();
            d.Execute("UPDATE Cocktails SET Photo = '1#2#3' WHERE Numero = 1");
            d.SetFirstField(sql, ordinal, value);
        }
        QCOMPARE(
            Fixture::Rows("SELECT Numero, Recette, preparation From Cocktails order by Numero"),
            after);
        QCOMPARE(Fixture::Rows("SELECT Photo From Cocktails where Numero = 1"),
                 QStringList{"1#2#3"});
    }
    void setFirstFieldRefuses() {
        Fixture fx;
        fx.WriteSeed(R"({"recettes": [{"nom": "Mojito"}]})");
        const QByteArray before = Fixture::ReadFile(fx.DbFile());
        Database d = db::OpenDb();
        for (const char* sql : {"SELECT * From Cocktails where Numero = 9",
                                "SELECT Recette From Cocktails", "SELECT * From Absente"}) {
            QVERIFY_THROWS_EXCEPTION(DbError, d.SetFirstField(sql, 1, "x"));
        }
        QVERIFY_THROWS_EXCEPTION(DbError, d.SetFirstField("SELECT * From Cocktails", 13, "x"));
        QVERIFY_THROWS_EXCEPTION(DbError, d.SetFirstField("SELECT * From Cocktails", -1, "x"));
        d.Close();
        QCOMPARE(Fixture::ReadFile(fx.DbFile()), before);
    }

    // The engine's reasons reach the user in French, and never with the
    // statement: a full disk, a statement the engine does not read, a
    // missing table, a constraint of the file.
    void reasonsInFrench_data() {
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("reason");
        QTest::newRow("disk full") << "full"
                                   << "le disque est plein";
        QTest::newRow("statement not read")
            << "SELECT * From Cocktails where Recette = 'L''été"
            << "l'instruction n'est pas comprise par la base de données";
        QTest::newRow("syntax") << "SELECT * Fro Cocktails"
                                << "l'instruction n'est pas comprise par la base de données";
        QTest::newRow("missing table") << "SELECT * From Absente"
                                       << "la table « Absente » est absente";
        QTest::newRow("missing column") << "SELECT Couleur From Cocktails"
                                        << "la colonne « Couleur » est absente";
        QTest::newRow("key twice") << "INSERT INTO Categorie VALUES (1, 'Double')"
                                   << "une règle de la base de données refuse cette valeur";
    }
    void reasonsInFrench() {
        QFETCH(QString, step);
        QFETCH(QString, reason);
        Fixture fx;
        fx.WriteSeed(R"({"categories": ["Apéritif"], "recettes": [{"nom": "Mojito"}]})");
        const QByteArray before = Fixture::ReadFile(fx.DbFile());
        QString message;
        try {
            Database d = db::OpenDb();
            if (step == "full") {
                // The file may grow by no page: the engine answers as on a full disk.
                auto pages = d.OpenRecordset("PRAGMA page_count");
                d.Execute("PRAGMA max_page_count = " + pages.Fields(0).toString());
                auto rs = d.OpenRecordset("SELECT * From Cocktails");
                rs.Edit();
                rs.SetField(6, QString(200000, u'x'));
                rs.Update();
            } else if (step.startsWith("INSERT")) {
                d.Execute(step);
            } else {
                d.OpenRecordset(step);
            }
            QFAIL("the step should have failed");
        } catch (const DbError& e) {
            message = e.Message();
        }
        QVERIFY2(message.contains("(" + reason + ")"), qPrintable(message));
        for (const char* engine : {"database", "disk", "full", "syntax", "no such", "SELECT",
                                   "Fro ", "Double", "UNIQUE", "constraint"})
            QVERIFY2(!message.contains(engine, Qt::CaseInsensitive), qPrintable(message));
        QCOMPARE(Fixture::ReadFile(fx.DbFile()), before);
    }

    void emptyResultIsNeverWalked() {
        Fixture fx;
        fx.WriteSeed(R"({})");
        Database d = db::OpenDb();
        auto rs = d.OpenRecordset("SELECT * From Cocktails");
        QCOMPARE(rs.RecordCount(), 0L);
        QVERIFY(rs.EOF_());
        QVERIFY_THROWS_EXCEPTION(DbError, rs.Fields(0));
        QVERIFY_THROWS_EXCEPTION(DbError, rs.Edit());
    }
    void transactionIsAllOrNothing() {
        Fixture fx;
        fx.WriteSeed(R"({"categories": ["Apéritif"]})");
        const QByteArray before = Fixture::ReadFile(fx.DbFile());
        try {
            Database d = db::OpenDb();
            platform::Transaction t(d);
            auto rs = d.OpenRecordset("SELECT * From Categorie");
            rs.AddNew();
            rs.SetField(0, 2);
            rs.SetField(1, "Digestif");
            rs.Update();
            d.Execute("INSERT INTO Absente VALUES (1)");
            t.Commit();
            QFAIL("the second write should have failed");
        } catch (const DbError&) {
        }
        QCOMPARE(Fixture::ReadFile(fx.DbFile()), before);
        {
            Database d = db::OpenDb();
            platform::Transaction t(d);
            QVERIFY(d.InTransaction());
            d.Execute("INSERT INTO Categorie VALUES (2, 'Digestif')");
            t.Commit();
            QVERIFY(!d.InTransaction());
        }
        QCOMPARE(db::OpenDb().OpenRecordset("SELECT * From Categorie").RecordCount(), 2L);
    }
};

QTEST_MAIN(TestDatabase)
#include "test_database.moc"
