// The database procedures the windows call, each run on a real collection
// file and read back from it.
#include <QtTest>

#include "db/Photo.h"
#include "db/Schema.h"
#include "platform/MessageBox.h"
#include "shell/AccesBase.h"
#include "shell/Frmmain.h"
#include "support/Fixture.h"

namespace {

// Categories 1 Tropical, 2 Classique; glasses 1 Tumbler; ingredients 1 Rhum
// blanc, 2 Citron vert, 3 Jus d'orange; quantities 1 "4", 2 "2"; measures 1 cl.
const char* kSeed = R"({
  "categories": ["Tropical", "Classique"],
  "verres": [{"nom": "Tumbler", "contenance": "30 cl"}],
  "recettes": [
    {"nom": "Mojito", "categorie": "Tropical", "verre": "Tumbler",
     "lignes": [["4", "cl", "Rhum blanc"], ["2", "", "Citron vert"]]},
    {"nom": "Écume d'été", "categorie": "Tropical", "verre": "Tumbler",
     "lignes": [["4", "cl", "Jus d'orange"]]},
    {"nom": "Daïquiri", "categorie": "Classique", "verre": "Tumbler",
     "lignes": [["4", "cl", "Rhum blanc"]]}
  ]})";

using Rows = QList<QStringList>;

// Every row of a query, each value as text ("<null>" for no value).
Rows Query(const QString& sql) {
    auto d = db::OpenDb();
    auto rs = d.OpenRecordset(sql);
    Rows out;
    for (long i = 0; i < rs.RecordCount(); ++i, rs.MoveNext()) {
        QStringList row;
        for (int c = 0; c < rs.FieldCount(); ++c) {
            const QVariant v = rs.Fields(c);
            row << (v.isNull() ? QStringLiteral("<null>") : v.toString());
        }
        out << row;
    }
    return out;
}

void Exec(const QString& sql) {
    db::OpenDb().Execute(sql);
}

QString WriteFile(const Fixture& fx, const QString& name, const QByteArray& bytes) {
    const QString path = fx.Dir() + u'/' + name;
    Fixture::WriteFile(path, bytes);
    return path;
}

QStringList Items(const platform::ComboBox& c) {
    QStringList out;
    for (int i = 0; i < c.ListCount(); ++i) out << c.List(i);
    return out;
}

}  // namespace

class TestProcedures : public QObject {
    Q_OBJECT
private slots:
    // ------------------------------------------------------------ find-or-create
    void rechercherNumero_data() {
        QTest::addColumn<QString>("setup");  // SQL run before, may be empty
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<long long>("number");
        QTest::addColumn<QString>("stored");  // column 1 of that number afterwards
        QTest::addColumn<int>("rows");        // rows of the table afterwards

        QTest::newRow("empty table gives 1") << "DELETE FROM Mesure"
                                             << "Mesure"
                                             << "NMesure"
                                             << "zeste" << 1LL << "zeste" << 1;
        QTest::newRow("highest 41 with gaps gives 42")
            << "INSERT INTO Categorie VALUES (17, 'Chaud'), (41, 'Pétillant')"
            << "Categorie"
            << "NCategorie"
            << "Digestif" << 42LL << "Digestif" << 5;
        QTest::newRow("apostrophe, other letter case")
            << ""
            << "Ingredient"
            << "NIngredient"
            << "JUS D'ORANGE" << 3LL << "Jus d'orange" << 3;
        QTest::newRow("new text with apostrophe")
            << ""
            << "Ingredient"
            << "NIngredient"
            << "Sirop d'orgeat" << 4LL << "Sirop d'orgeat" << 4;
        QTest::newRow("accented capital matches small")
            << "INSERT INTO Categorie VALUES (3, 'été indien')"
            << "Categorie"
            << "NCategorie"
            << "ÉTÉ INDIEN" << 3LL << "été indien" << 3;
        QTest::newRow("accent is not ignored") << "INSERT INTO Categorie VALUES (3, 'été indien')"
                                               << "Categorie"
                                               << "NCategorie"
                                               << "ete indien" << 4LL << "ete indien" << 4;
        QTest::newRow("one blank is a text") << ""
                                             << "Quantite"
                                             << "NQuantite"
                                             << " " << 3LL << " " << 3;
        QTest::newRow("no trimming") << ""
                                     << "Categorie"
                                     << "NCategorie"
                                     << "Tropical " << 3LL << "Tropical " << 3;
    }
    void rechercherNumero() {
        QFETCH(QString, setup);
        QFETCH(QString, table);
        QFETCH(QString, column);
        QFETCH(QString, text);
        QFETCH(long long, number);
        QFETCH(QString, stored);
        QFETCH(int, rows);
        Fixture fx;
        fx.WriteSeed(kSeed);
        if (!setup.isEmpty()) Exec(setup);
        long long n = -5;
        Frmmain::Instance().RechercherNumero(text, n, table, column);
        QCOMPARE(n, number);
        const Rows r =
            Query("SELECT * From " + table + " where " + column + " = " + QString::number(n));
        QCOMPARE(r.size(), 1);
        QCOMPARE(r[0][1], stored);
        QCOMPARE(Query("SELECT * From " + table).size(), rows);
        // A second call with the same text finds the same entry.
        long long again = -5;
        Frmmain::Instance().RechercherNumero(text, again, table, column);
        QCOMPARE(again, number);
        QCOMPARE(Query("SELECT * From " + table).size(), rows);
    }

    void rechercherNumeroEmptyText() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        long long n = 77;
        Frmmain::Instance().RechercherNumero(QString(), n, "Categorie", "NCategorie");
        QCOMPARE(n, 77LL);
        QCOMPARE(Query("SELECT * From Categorie").size(), 2);
    }

    // ------------------------------------------------------------ list fills
    void remplirListeTable() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        Exec("INSERT INTO Categorie VALUES (3, ' ')");
        platform::ComboBox c;
        c.AddItem("déjà là");
        AccesBase::RemplirListeTable("Categorie", "Categorie", 1, c);
        // Not cleared, blanks listed, sorted by the column.
        QCOMPARE(Items(c), (QStringList{"déjà là", " ", "Classique", "Tropical"}));
    }

    void remplirComboTable() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        Exec("INSERT INTO Categorie VALUES (3, '  '), (4, NULL), (5, ' Apéritif')");
        platform::ComboBox c;
        c.AddItem("ancien");
        AccesBase::RemplirComboTable(c, "Categorie", "Categorie");
        // Cleared first; blank and missing texts skipped; the others untrimmed.
        QCOMPARE(Items(c), (QStringList{" Apéritif", "Classique", "Tropical"}));
    }

    // ------------------------------------------------------------ one-row edits
    void renommerEnregistrement_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("new text") << "Exotique";
        QTest::newRow("empty text is written too") << "";
    }
    void renommerEnregistrement() {
        QFETCH(QString, text);
        Fixture fx;
        fx.WriteSeed(kSeed);
        // A list key carries a leading blank.
        AccesBase::RenommerEnregistrement("Categorie", "  1", text, "NCategorie");
        QCOMPARE(Query("SELECT * From Categorie order by NCategorie asc"),
                 (Rows{{"1", text}, {"2", "Classique"}}));
    }

    void modifierChamp_data() {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("ordinal");
        QTest::addColumn<QString>("stored");
        QTest::newRow("text") << QVariant("Au shaker, 10 secondes") << 6
                              << "Au shaker, 10 secondes";
        QTest::newRow("empty text stored as one blank") << QVariant("") << 7 << " ";
        QTest::newRow("number") << QVariant(4LL) << 8 << "4";
    }
    void modifierChamp() {
        QFETCH(QVariant, value);
        QFETCH(int, ordinal);
        QFETCH(QString, stored);
        Fixture fx;
        fx.WriteSeed(kSeed);
        AccesBase::ModifierChamp("Cocktails", " 2", value, "Numero", ordinal);
        QCOMPARE(Query("SELECT * From Cocktails where Numero = 2")[0][ordinal], stored);
        // The other recipes keep their value.
        QCOMPARE(Query("SELECT * From Cocktails where Numero = 1")[0][ordinal],
                 ordinal == 8 ? QString("0") : QString("<null>"));
    }

    void missingRowRaises() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY_THROWS_EXCEPTION(platform::DbError,
                                 AccesBase::ModifierChamp("Cocktails", 99, "x", "Numero", 6));
        QVERIFY_THROWS_EXCEPTION(platform::DbError,
                                 AccesBase::RenommerEnregistrement("Verre", 99, "x", "NVerre"));
    }

    // ------------------------------------------------------------ ingredient lines
    void modifierLigneIngredient_data() {
        // Lines of recipe 1 before: (4, cl, Rhum blanc) = 1 1 1, (2, -, Citron vert) = 2 0 2.
        QTest::addColumn<QVariantList>("args");  // old q, new q, old m, new m, old i, new i
        QTest::addColumn<Rows>("lines");         // recipe 1's lines afterwards
        QTest::newRow("replaced") << QVariantList{1, 2, 1, 1, 1, 1}
                                  << Rows{{"1", "2", "0", "2"}, {"1", "2", "1", "1"}};
        QTest::newRow("blank old measure looks up 0")
            << QVariantList{" 2", 1, "  ", 1, " 2", 2}
            << Rows{{"1", "1", "1", "1"}, {"1", "1", "1", "2"}};
        QTest::newRow("old line absent, new one still added")
            << QVariantList{9, 2, 9, 1, 9, 3}
            << Rows{{"1", "1", "1", "1"}, {"1", "2", "0", "2"}, {"1", "2", "1", "3"}};
        QTest::newRow("new line already there is not doubled")
            << QVariantList{9, 2, 9, "", 9, 2} << Rows{{"1", "1", "1", "1"}, {"1", "2", "0", "2"}};
    }
    void modifierLigneIngredient() {
        QFETCH(QVariantList, args);
        QFETCH(Rows, lines);
        Fixture fx;
        fx.WriteSeed(kSeed);
        AccesBase::ModifierLigneIngredient(1, args[0], args[1], args[2], args[3], args[4], args[5],
                                           true);
        QCOMPARE(Query("SELECT * From Ingre where Numero = 1 order by NQuantite, NMesure, NIngre"),
                 lines);
        QCOMPARE(Query("SELECT * From Ingre where Numero <> 1").size(), 2);
    }

    // ------------------------------------------------------------ deletes
    void supprimerEnregistrement() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        AccesBase::SupprimerEnregistrement("Ingre", "  1 ", "Numero");
        QCOMPARE(Query("SELECT * From Ingre where Numero = 1").size(), 0);
        QCOMPARE(Query("SELECT * From Ingre").size(), 2);
        AccesBase::SupprimerEnregistrement("Cocktails", " 1", "Numero");
        QCOMPARE(Query("SELECT Numero From Cocktails order by Numero"), (Rows{{"2"}, {"3"}}));
        AccesBase::SupprimerEnregistrement("Categorie", " 2", "NCategorie");
        QCOMPARE(Query("SELECT NCategorie From Categorie"), (Rows{{"1"}}));
        // A key without a row deletes nothing.
        AccesBase::SupprimerEnregistrement("Verre", 5, "NVerre");
        QCOMPARE(Query("SELECT * From Verre").size(), 1);
    }

    // ------------------------------------------------------------ search
    void rechercherTexte_data() {
        QTest::addColumn<bool>("debut");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QStringList>("texts");
        // Rows come newest first; recipe 4 has no name.
        QTest::newRow("begins with, other case")
            << true << "MOJ" << QStringList{"N  1"} << QStringList{"Mojito"};
        QTest::newRow("begins with, accented capital")
            << true << "ÉCU" << QStringList{"N  2"} << QStringList{"Écume d'été"};
        QTest::newRow("begins with is not anywhere")
            << true << "quiri" << QStringList{} << QStringList{};
        QTest::newRow("longer than the name")
            << true << "Mojitos" << QStringList{} << QStringList{};
        QTest::newRow("anywhere") << false << "QUIRI" << QStringList{"N  3"}
                                  << QStringList{"Daïquiri"};
        QTest::newRow("anywhere with apostrophe")
            << false << "d'é" << QStringList{"N  2"} << QStringList{"Écume d'été"};
        QTest::newRow("empty text lists every named row")
            << false << "" << QStringList{"N  3", "N  2", "N  1"}
            << QStringList{"Daïquiri", "Écume d'été", "Mojito"};
    }
    void rechercherTexte() {
        QFETCH(bool, debut);
        QFETCH(QString, text);
        QFETCH(QStringList, keys);
        QFETCH(QStringList, texts);
        Fixture fx;
        fx.WriteSeed(kSeed);
        Exec("INSERT INTO Cocktails (Numero) VALUES (4)");
        platform::ListView l;
        l.Add("N  9", "ancien");
        AccesBase::RechercherTexte("SELECT * From Cocktails order by Numero desc", l, 5, debut,
                                   text);
        QStringList gotKeys, gotTexts;
        for (int i = 1; i <= l.Count(); ++i) {
            gotKeys << l.Item(i)->Key();
            gotTexts << l.Item(i)->Text();
            QCOMPARE(l.Item(i)->SmallIcon(), 5);
        }
        QCOMPARE(gotKeys, keys);
        QCOMPARE(gotTexts, texts);
        QCOMPARE(l.SmallIcons(), &Frmmain::Instance().Img);
    }

    // ------------------------------------------------------------ photos
    void photoFormat() {
        QCOMPARE(db::PhotoInline(QByteArray("\x00\x07\xff", 3)), QString("0#7#255"));
        QCOMPARE(db::PhotoInline(QByteArray()), QString());
        QByteArray back;
        QVERIFY(db::PhotoBytes("0#7#255", &back));
        QCOMPARE(back, QByteArray("\x00\x07\xff", 3));
        QVERIFY(!db::PhotoBytes("1#256", &back));
        QVERIFY(!db::PhotoBytes("1##2", &back));
        QCOMPARE(db::PhotoKindOf("0#7#255"), db::PhotoKind::Inline);
        QCOMPARE(db::PhotoKindOf("/images/mojito.jpg"), db::PhotoKind::Path);
        QCOMPARE(db::PhotoKindOf(" "), db::PhotoKind::None);
        QCOMPARE(db::PhotoKindOf(QVariant()), db::PhotoKind::None);
    }

    // A file whose name holds "#" is kept by its path and read back as one;
    // a value of the same shape naming no file, or a relative one, is inline.
    void photoPathWithHash_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("write");
        QTest::addColumn<int>("kind");
        QTest::newRow("existing file") << "/Cocktail #3.jpg" << true << int(db::PhotoKind::Path);
        QTest::newRow("hash in the folder") << "/n#1/photo.jpg" << true << int(db::PhotoKind::Path);
        QTest::newRow("file gone") << "/Cocktail #4.jpg" << false << int(db::PhotoKind::Inline);
        QTest::newRow("a folder") << "/dossier #5" << false << int(db::PhotoKind::Inline);
        QTest::newRow("relative name") << "Cocktail #6.jpg" << true << int(db::PhotoKind::Inline);
    }
    void photoPathWithHash() {
        QFETCH(QString, value);
        QFETCH(bool, write);
        QFETCH(int, kind);
        Fixture fx;
        QString path = value;
        if (value.startsWith(u'/')) path = fx.Dir() + value;
        if (value == "/dossier #5") QVERIFY(QDir().mkpath(path));
        if (write) {
            QVERIFY(QDir().mkpath(QFileInfo(fx.Dir() + u'/' + value).absolutePath()));
            Fixture::WriteFile(value.startsWith(u'/') ? path : fx.Dir() + u'/' + value,
                               QByteArray(3000, 'j'));
        }
        // A relative name is looked for nowhere, not even in the current folder.
        const QString before = QDir::currentPath();
        QDir::setCurrent(fx.Dir());
        QCOMPARE(int(db::PhotoKindOf(path)), kind);
        QDir::setCurrent(before);
    }

    void enregistrerPhoto_data() {
        QTest::addColumn<QString>("name");  // file written in the application folder
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("inlined");
        QTest::newRow("1999 bytes .jpg inline") << "petite.jpg" << 1999 << true;
        QTest::newRow("2000 bytes .JPG by path") << "grande.JPG" << 2000 << false;
        QTest::newRow("small .gif inline") << "icone.gif" << 1500 << true;
        QTest::newRow("small .jpeg inline") << "photo.jpeg" << 10 << true;
        QTest::newRow("small .bmp inline") << "photo.bmp" << 1999 << true;
        QTest::newRow("large .bmp by path") << "photo.bmp" << 5000 << false;
    }
    void enregistrerPhoto() {
        QFETCH(QString, name);
        QFETCH(int, size);
        QFETCH(bool, inlined);
        Fixture fx;
        fx.WriteSeed(kSeed);
        QByteArray bytes(size, '\0');
        for (int i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7);
        const QString path = WriteFile(fx, name, bytes);
        AccesBase::EnregistrerPhoto(path, "Cocktails", " 2", 4);
        const QString stored = Query("SELECT Photo From Cocktails where Numero = 2")[0][0];
        if (inlined) {
            QCOMPARE(stored.count(u'#'), size - 1);
            QByteArray back;
            QVERIFY(db::PhotoBytes(stored, &back));
            QCOMPARE(back, bytes);
        } else {
            QCOMPARE(stored, path);
        }
    }

    void enregistrerPhotoValues() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        const QString three = WriteFile(fx, "trois.jpg", QByteArray("\x00\x07\xff", 3));
        AccesBase::EnregistrerPhoto(three, "Cocktails", 1, 4);
        QCOMPARE(Query("SELECT Photo From Cocktails where Numero = 1")[0][0], QString("0#7#255"));
        // An empty path changes nothing; one blank removes the photo.
        AccesBase::EnregistrerPhoto("", "Cocktails", 1, 4);
        QCOMPARE(Query("SELECT Photo From Cocktails where Numero = 1")[0][0], QString("0#7#255"));
        AccesBase::EnregistrerPhoto(" ", "Cocktails", 1, 4);
        QCOMPARE(Query("SELECT Photo From Cocktails where Numero = 1")[0][0], QString(" "));
        // A glass keeps any path as it is, small or not.
        AccesBase::EnregistrerPhoto(three, "Verre", " 1", 4);
        QCOMPARE(Query("SELECT Image From Verre where NVerre = 1")[0][0], three);
        AccesBase::EnregistrerPhoto("image/flute.gif", "Verre", 1, 4);
        QCOMPARE(Query("SELECT Image From Verre where NVerre = 1")[0][0],
                 QString("image/flute.gif"));
        // A chosen file that is gone is refused before anything is written.
        QVERIFY_THROWS_EXCEPTION(
            platform::DbError,
            AccesBase::EnregistrerPhoto(fx.Dir() + "/absente.jpg", "Cocktails", 1, 4));
        QCOMPARE(Query("SELECT Photo From Cocktails where Numero = 1")[0][0], QString(" "));
    }

    // ------------------------------------------------------------ add entry
    void ajouterInformationDuplicate_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("text");
        QTest::newRow("other letter case") << "Categorie"
                                           << "NCategorie"
                                           << "TROPICAL";
        QTest::newRow("blanks around") << "Categorie"
                                       << "NCategorie"
                                       << "  classique ";
        QTest::newRow("apostrophe and case") << "Ingredient"
                                             << "NIngredient"
                                             << "jus D'ORANGE";
        QTest::newRow("glass") << "Verre"
                               << "NVerre"
                               << "tumbler";
    }
    void ajouterInformationDuplicate() {
        QFETCH(QString, table);
        QFETCH(QString, column);
        QFETCH(QString, text);
        Fixture fx;
        fx.WriteSeed(kSeed);
        const Rows before = Query("SELECT * From " + table);
        AccesBase::AjouterInformation(text, table, column);
        QCOMPARE(Query("SELECT * From " + table), before);
        const auto calls = platform::MessageSeam::Calls();
        QCOMPARE(calls.size(), 1);
        QCOMPARE(calls[0].prompt, QString("Information déjà existante !"));
        QCOMPARE(calls[0].style, platform::vbInformation + platform::vbOKOnly);
        QCOMPARE(calls[0].title, QString("Brivanta"));
    }

    // A NUL is no part of an entry's name: the one that exists is found,
    // a new one is added without it.
    void ajouterInformationWithNul() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        AccesBase::AjouterInformation(QString("Class") + QChar(0) + "ique", "Categorie",
                                      "NCategorie");
        QCOMPARE(platform::MessageSeam::Calls().size(), 1);
        QCOMPARE(platform::MessageSeam::Calls()[0].prompt, QString("Information déjà existante !"));
        AccesBase::AjouterInformation(QString("Ti") + QChar(0) + "ki", "Categorie", "NCategorie");
        QCOMPARE(Query("SELECT * From Categorie where NCategorie = 3"), (Rows{{"3", "Tiki"}}));
        QCOMPARE(platform::MessageSeam::Calls().size(), 1);
        long long n = 0;
        Frmmain::Instance().RechercherNumero(QString("Tro") + QChar(0) + "pical", n, "Categorie",
                                             "NCategorie");
        QCOMPARE(n, 1LL);
    }

    void ajouterInformationNew() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        Exec("INSERT INTO Categorie VALUES (41, 'Chaud')");
        AccesBase::AjouterInformation(" Coup d'éclat", "Categorie", "NCategorie");
        QCOMPARE(Query("SELECT * From Categorie where NCategorie = 42"),
                 (Rows{{"42", " Coup d'éclat"}}));
        AccesBase::AjouterInformation("Flûte", "Verre", "NVerre");
        QCOMPARE(Query("SELECT * From Verre where NVerre = 2"),
                 (Rows{{"2", "Flûte", " ", " ", " "}}));
        Exec("DELETE FROM Ingredient");
        AccesBase::AjouterInformation("Menthe", "Ingredient", "NIngredient");
        QCOMPARE(Query("SELECT * From Ingredient"), (Rows{{"1", "Menthe"}}));
        QCOMPARE(platform::MessageSeam::Calls().size(), 0);
    }
};

QTEST_MAIN(TestProcedures)
#include "test_procedures.moc"
