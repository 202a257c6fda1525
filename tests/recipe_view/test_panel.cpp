// The recipe panel: one recipe shown from a real collection file, its
// layout, and what the main lists' clicks, right clicks and renames do.
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QtTest>

#include "db/Photo.h"
#include "db/Schema.h"
#include "platform/Menu.h"
#include "platform/MessageBox.h"
#include "platform/Settings.h"
#include "platform/VbText.h"
#include "recipe_view/CadreRecette.h"
#include "shell/Frmmain.h"
#include "shell/General.h"
#include "shell/Pop.h"
#include "support/Fixture.h"

namespace MessageSeam = platform::MessageSeam;

namespace {

// Categories Tropical 1, Classique 2, Vide 3; glasses Tumbler 1, Coupe 2;
// quantities 4 → 1, 1/2 → 2, 2 → 3; units cl → 1; ingredients Rhum blanc 1,
// Citron vert 2, Tequila 3.
const char* kSeed = R"({
  "categories": ["Tropical", "Classique", "Vide"],
  "verres": [{"nom": "Tumbler", "contenance": "30 cl"}, {"nom": "Coupe", "contenance": "15 cl"}],
  "realisations": ["Au shaker"],
  "recettes": [
    {"nom": "Mojito", "categorie": "Tropical", "verre": "Tumbler", "realisation": "Au shaker",
     "cout": 2, "difficulte": 3, "teneur": 4,
     "lignes": [["4", "cl", "Rhum blanc"], ["1/2", "", "Citron vert"]],
     "preparation": "  Piler la menthe.\r\nAjouter le rhum.  ", "description": "Frais",
     "histoire": "Cuba"},
    {"nom": "Margarita", "categorie": "Classique", "verre": "Coupe", "cout": 3, "difficulte": 5,
     "teneur": 6, "deco": "Sel", "preparation": "Frapper."},
    {"nom": "Daïquiri", "categorie": "Classique", "verre": "Coupe", "cout": 2, "difficulte": 2,
     "teneur": 5, "lignes": [["2", "cl", "Tequila"]]}
  ]})";

Frmmain& F() {
    return Frmmain::Instance();
}
CadreRecette& R() {
    return Frmmain::Instance().Recette();
}

void Exec(const QString& sql) {
    platform::Database d = db::OpenDb();
    d.Execute(sql);
}

QStringList Captions(const platform::ControlArray<platform::PictureButton>& a) {
    QStringList out;
    a.ForEach([&](int, const platform::PictureButton& b) {
        out << (b.Caption() == CadreRecette::Pointilles() ? QString("…") : b.Caption());
    });
    return out;
}

// A small real picture, as bytes.
QByteArray Png() {
    QImage img(8, 6, QImage::Format_RGB32);
    img.fill(Qt::red);
    QByteArray b;
    QBuffer buf(&b);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return b;
}

void ClickUpper(const QString& text) {
    F().Liste.Select(Fixture::Entry(F().Liste, text));
    F().Liste_Click();
}

void ClickLower(const QString& text) {
    F().LFilms.Select(Fixture::Entry(F().LFilms, text));
    F().LFilms_Click();
}

// A real right press on an entry of a list.
void RightPress(platform::ListView& l, const QString& text) {
    platform::ListItem* it = Fixture::Entry(l, text);
    QVERIFY(it);
    l.scrollToItem(it);
    QTest::mousePress(l.viewport(), Qt::RightButton, {}, l.visualItemRect(it).center());
    QTest::mouseRelease(l.viewport(), Qt::RightButton, {}, l.visualItemRect(it).center());
}

// The label editor the list has open now (an earlier one may linger hidden).
QLineEdit* Editor(const platform::ListView& l) {
    for (QLineEdit* e : l.findChildren<QLineEdit*>())
        if (e->isVisible()) return e;
    return nullptr;
}

// Types a new label over the selected entry and ends the edit with `end`.
void EditLabel(platform::ListView& l, const QString& text, Qt::Key end) {
    l.StartLabelEdit();
    // The list deletes its editor once the edit ends.
    QPointer<QLineEdit> editor = Editor(l);
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, end);
    QTRY_VERIFY(!editor || !editor->isVisible());
}

void SortBy(int kind) {
    F().Bouton[static_cast<size_t>(kind)]->ClickIt();
    QCOMPARE(General::Tris(), kind);
}

}  // namespace

class TestPanel : public QObject {
    Q_OBJECT
private slots:
    void init() {
        MessageSeam::Enable();
        MessageSeam::Clear();
        platform::MenuSeam::Enable();
        platform::MenuSeam::Clear();
    }
    void cleanup() {
        Frmmain::Unload();
        MessageSeam::Disable();
        platform::MenuSeam::Disable();
    }

    void layoutOnTheSmallestScreen() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain(12000, 9000));
        QCOMPARE(F().Cadre[0]->Width(), 6190.0);
        R().ChargerRecette(2);  // no lines: only row 0
        QCOMPARE(R().Ingre.Count(), 1);
        QCOMPARE(R().Ingre[0].Top() + R().Ingre[0].Height(), 5170.0);
        QCOMPARE(R().Libelle[3].Top(), 5570.0);
        for (int i : {0, 1, 6}) QVERIFY(R().Data[i].Width() > 0);
        QCOMPARE(R().Data[6].Width(), 6190.0 - 3240 - 400);
        QCOMPARE(R().LCategorie.Width(), R().Data[6].Width());
        QCOMPARE(R().LVerre.Width(), R().Data[0].Width());
        QCOMPARE(R().Saisie[3]->Width(), R().Saisie[0]->Width());
        QVERIFY(R().Ingre[0].Width() > 0 && R().Saisie[0]->Width() > 0);
        // Laid out again, nothing moves; the extent ends one margin below.
        QList<double> tops;
        for (int i = 0; i <= 10; ++i) tops << R().Libelle[i].Top();
        R().PlacerCadreRecette();
        for (int i = 0; i <= 10; ++i) QCOMPARE(R().Libelle[i].Top(), tops.at(i));
        R().ChargerRecette(2);
        QCOMPARE(R().Scroll.ScrollHeight(), R().Saisie[3]->Top() + R().Saisie[3]->Height() + 400);
    }

    void ingredientRows() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        // Two lines and the spare row, 200 twips apart.
        R().ChargerRecette(1);
        QCOMPARE(Captions(R().Quantite), QStringList({"4", "1/2", "…"}));
        QCOMPARE(Captions(R().Mesure), QStringList({"cl", "…", "…"}));
        QCOMPARE(Captions(R().Ingre), QStringList({"Rhum blanc", "Citron vert", "…"}));
        QCOMPARE(R().Mesure[1].toolTip(), QString());  // unit 0 has no row
        QCOMPARE(R().Ingre[0].toolTip(), QString("Rhum blanc"));
        QCOMPARE(R().Ingre[2].toolTip(), QString());
        for (int i : {1, 2}) {
            QCOMPARE(R().Ingre[i].Top(), R().Ingre[i - 1].Top() + R().Ingre[i - 1].Height() + 200);
            QCOMPARE(R().Quantite[i].Top(), R().Ingre[i].Top());
            QVERIFY(R().Ingre[i].Visible());
        }
        QCOMPARE(R().Libelle[3].Top(), R().Ingre[2].Top() + R().Ingre[2].Height() + 400);

        // A recipe without lines keeps row 0 alone, empty.
        R().ChargerRecette(2);
        QCOMPARE(Captions(R().Ingre), QStringList({""}));
        QCOMPARE(R().Ingre[0].toolTip(), QString());

        // An ingredient without a row, a line with a part missing, and a
        // quantity of one blank.
        Exec("INSERT INTO Ingre VALUES (1, 1, 1, 99)");
        Exec("INSERT INTO Ingre VALUES (1, 1, NULL, 2)");
        Exec("INSERT INTO Quantite VALUES (9, ' ')");
        Exec("UPDATE Ingre SET NQuantite = 9 WHERE Numero = 1 AND NIngre = 2");
        R().ChargerRecette(1);
        QCOMPARE(Captions(R().Ingre), QStringList({"Rhum blanc", "Citron vert", "…", "…"}));
        QCOMPARE(R().Quantite[1].Caption(), CadreRecette::Pointilles());
        QCOMPARE(R().Quantite[1].toolTip(), QString(" "));
        QCOMPARE(R().Quantite[2].Caption(), QString("4"));
        QCOMPARE(R().Ingre[2].toolTip(), QString());
        QCOMPARE(R().Ingre[3].Top(), R().Ingre[2].Top() + R().Ingre[2].Height() + 200);
        QCOMPARE(CadreRecette::Pointilles(), QString(855, u'.'));
    }

    void attributesTextsAndLevels() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        R().ChargerRecette(1);
        QCOMPARE(R().Data[6].Caption(), QString("Tropical"));
        QCOMPARE(R().Data[0].Caption(), QString("Tumbler"));
        QCOMPARE(R().Data[1].Caption(), QString("Au shaker"));
        QCOMPARE(R().Data[2].Caption(), QString("Raisonnable"));
        QCOMPARE(R().Data[3].Caption(), QString("Faible"));
        QCOMPARE(R().Data[4].Caption(), QString("Moyen"));
        // Trimmed, with its line break shown as one.
        QCOMPARE(R().Saisie[0]->Text(), QString("Piler la menthe.\r\nAjouter le rhum."));
        auto* edit = qobject_cast<QPlainTextEdit*>(R().Saisie[0]->Editor());
        QCOMPARE(edit->document()->blockCount(), 2);
        QCOMPARE(R().Saisie[1]->Text(), QString());
        QCOMPARE(R().Saisie[3]->Text(), QString("Cuba"));
        QCOMPARE(R().RecetteAffichee(), std::optional<long long>(1));

        // Strength 6 has its word; 7, a Null method and a Null category
        // leave empty captions rather than the previous recipe's.
        R().ChargerRecette(2);
        QCOMPARE(R().Data[4].Caption(), QString("Très Fort"));
        QCOMPARE(R().Data[1].Caption(), QString());
        Exec("UPDATE Cocktails SET Teneur = 7, NCategorie = NULL, Cout = -1 WHERE Numero = 1");
        R().ChargerRecette(1);
        QCOMPARE(R().Data[4].Caption(), QString());
        QCOMPARE(R().Data[2].Caption(), QString());
        QCOMPARE(R().Data[6].Caption(), QString());
        QCOMPARE(R().Data[0].Caption(), QString("Tumbler"));
        QCOMPARE(R().Saisie[3]->Text(), QString("Cuba"));
        QCOMPARE(R().RecetteAffichee(), std::optional<long long>(1));
    }

    void aNumberThatMatchesNothing() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        R().ChargerRecette(1);
        R().ChargerRecette(" 999");
        QCOMPARE(R().Data[6].Caption(), QString("Tropical"));
        QCOMPARE(R().Saisie[3]->Text(), QString("Cuba"));
        QCOMPARE(R().Ingre.Count(), 1);
        // Nothing shown any more to write to.
        QVERIFY(!R().RecetteAffichee());
        QVERIFY(MessageSeam::Calls().isEmpty());
    }

    void loadsNeverWrite() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        const QByteArray before = Fixture::ReadFile(fx.DbFile());
        QVERIFY(fx.StartMain());
        for (int n : {1, 1, 2, 3}) {
            R().ChargerRecette(n);
            F().Recette().RemplirListes();
        }
        QCOMPARE(Fixture::ReadFile(fx.DbFile()), before);
    }

    void photos_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("picture");
        QTest::addColumn<QString>("frame");
        const QString png = db::PhotoInline(Png());
        QTest::newRow("inline") << png << true << "";
        QTest::newRow("inline ending with #") << png + "#" << true << "";
        QTest::newRow("inline cut at ##") << png + "##12#zz" << true << "";
        QTest::newRow("inline not a picture") << "66#77" << false << "Pas de photo";
        QTest::newRow("missing file") << "/nonexistent/photo.jpg" << false << "Pas de photo";
        QTest::newRow("file not a picture") << "@texte" << false << "";
        QTest::newRow("picture file") << "@image" << true << "";
        QTest::newRow("one blank") << " " << false << "Pas de photo";
        QTest::newRow("no value") << QString() << false << "Pas de photo";
    }
    void photos() {
        QFETCH(QString, value);
        QFETCH(bool, picture);
        QFETCH(QString, frame);
        Fixture fx;
        fx.WriteSeed(kSeed);
        Fixture::WriteFile(fx.Dir() + "/texte.jpg", "pas une image");
        Fixture::WriteFile(fx.Dir() + "/image.png", Png());
        value.replace("@texte", fx.Dir() + "/texte.jpg").replace("@image", fx.Dir() + "/image.png");
        {
            platform::Database d = db::OpenDb();
            auto rs = d.OpenRecordset("SELECT * From Cocktails where Numero = 1");
            rs.Edit();
            rs.SetField("Photo", value.isNull() ? QVariant() : QVariant(value));
            rs.Update();
        }
        QVERIFY(fx.StartMain());
        R().ChargerRecette(2);
        R().ChargerRecette(1);
        QCOMPARE(!R().Photo.Picture().isNull(), picture);
        QCOMPARE(R().CadrePhoto.Caption(), frame);
        QVERIFY(R().Photo.Visible());
        if (picture) {
            QCOMPARE(F().ImageTemp.Picture().size(), QSize(8, 6));
            // Fitted inside the frame.
            QVERIFY(R().Photo.Left() >= 0 && R().Photo.Width() <= R().CadrePhoto.Width());
        }
        QVERIFY(!QFile::exists(fx.Dir() + "/temp.bmp"));
    }

    void inlineDecoding_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("final #") << "66#77#" << QByteArray("\x42\x4d", 2);
        QTest::newRow("## stops") << "66##77#88" << QByteArray("\x42", 1);
        QTest::newRow("letters give 0") << "66#ab#77" << QByteArray("\x42\x00\x4d", 3);
        QTest::newRow("out of range gives 0") << "300#-1#7" << QByteArray("\x00\x00\x07", 3);
    }
    void inlineDecoding() {
        QFETCH(QString, value);
        QFETCH(QByteArray, bytes);
        QCOMPARE(db::PhotoShownBytes(value), bytes);
    }

    void aLoadThatFailsShowsNoRecipe() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        R().ChargerRecette(1);
        QVERIFY(QFile::remove(fx.DbFile()));
        R().ChargerRecette(2);
        QCOMPARE(MessageSeam::Calls().size(), 1);
        QVERIFY(MessageSeam::Calls().first().prompt.startsWith("La recette ne peut pas"));
        QVERIFY(!R().RecetteAffichee());
        QCOMPARE(R().Data[6].Caption(), QString());
        QCOMPARE(R().Saisie[3]->Text(), QString());
        QCOMPARE(R().Ingre.Count(), 1);
        QCOMPARE(R().CadrePhoto.Caption(), QString("Pas de photo"));
    }

    void listsShowAndMark() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        // Kind 0: the first recipe is shown from the upper list.
        QCOMPARE(F().LTDroit.Caption(), QString("Daïquiri"));
        QCOMPARE(R().RecetteAffichee(), std::optional<long long>(3));
        QCOMPARE(F().Outils[2]->Tag, QString("H"));
        QCOMPARE(F().ListeAffichee(), QChar('H'));
        QVERIFY(F().Outils[2]->Visible());
        QVERIFY(F().Cadre[0]->Visible());
        // The six pick-lists are filled, the attribute ones on the recipe's value.
        QCOMPARE(R().LCategorie.ListCount(), 3);
        QCOMPARE(R().LCategorie.Text(), QString("Classique"));
        QCOMPARE(R().LVerre.Text(), QString("Coupe"));
        QCOMPARE(R().LIngre.ListCount(), 3);
        QCOMPARE(R().LQuantite.ListCount(), 3);

        // Kind 1, an empty category: nothing below, no panel, no card tool.
        SortBy(1);
        ClickUpper("Vide");
        QCOMPARE(F().LFilms.Count(), 0);
        QCOMPARE(F().LBGauche.Caption(), QString(" 0 Recette(s) ..."));
        QVERIFY(!F().Cadre[0]->Visible());
        QVERIFY(!F().Outils[2]->Visible());
        // A recipe of the lower list is shown and marked "B".
        ClickUpper("Classique");
        QCOMPARE(Fixture::Texts(F().LFilms).size(), 2);
        QVERIFY(Fixture::Texts(F().LFilms).contains("Margarita"));
        ClickLower("Margarita");
        QVERIFY(F().Cadre[0]->Visible());
        QCOMPARE(F().LTDroit.Caption(), QString("Margarita"));
        QCOMPARE(R().RecetteAffichee(), std::optional<long long>(2));
        QCOMPARE(F().Outils[2]->Tag, QString("B"));
        QVERIFY(F().Outils[2]->Visible());
        // The upper list keeps its highlight.
        QCOMPARE(F().Liste.SelectedItem()->Text(), QString("Classique"));

        // Kind 2: the glass's recipes below and the glass panel.
        SortBy(2);
        ClickUpper("Tumbler");
        QCOMPARE(Fixture::Texts(F().LFilms), QStringList({"Mojito"}));
        QVERIFY(F().Cadre[1]->Visible());
        QVERIFY(!F().Cadre[0]->Visible());
    }

    void rightClicks_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("lower");
        QTest::addColumn<int>("menus");
        QTest::addColumn<bool>("deleteEnabled");
        QTest::addColumn<QString>("mark");
        QTest::newRow("recipes") << 0 << "Mojito" << false << 1 << true << "H";
        QTest::newRow("category in use") << 1 << "Classique" << false << 1 << false << "";
        QTest::newRow("empty category") << 1 << "Vide" << false << 1 << true << "";
        QTest::newRow("glass in use") << 2 << "Coupe" << false << 1 << false << "";
        QTest::newRow("ingredient in use") << 6 << "Tequila" << false << 1 << false << "";
        QTest::newRow("cost levels") << 3 << "Moyen" << false << 0 << false << "";
        QTest::newRow("strength levels") << 5 << "Fort" << false << 0 << false << "";
        QTest::newRow("lower list") << 1 << "Margarita" << true << 1 << true << "B";
    }
    void rightClicks() {
        QFETCH(int, kind);
        QFETCH(QString, entry);
        QFETCH(bool, lower);
        QFETCH(int, menus);
        QFETCH(bool, deleteEnabled);
        QFETCH(QString, mark);
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        if (kind != 0) SortBy(kind);
        if (lower) ClickUpper("Classique");
        platform::MenuSeam::Clear();
        RightPress(lower ? F().LFilms : F().Liste, entry);
        // The right press acts on the entry under the pointer.
        QCOMPARE((lower ? F().LFilms : F().Liste).SelectedItem()->Text(), entry);
        const auto popups = platform::MenuSeam::Popups();
        QCOMPARE(popups.size(), menus);
        if (menus) {
            QCOMPARE(popups.first().menu, QString("Menu1"));
            QCOMPARE(popups.first().disabled.contains("Supprimer"), !deleteEnabled);
        }
        QCOMPARE(F().Outils[2]->Tag, mark);
    }

    void aRightClickElsewhereKeepsTheShownRecipe() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        SortBy(1);
        ClickUpper("Classique");
        ClickLower("Margarita");
        RightPress(F().Liste, "Tropical");
        // The lower list shows the group the upper list selects, and the
        // panel's recipe is still the one it loaded.
        QCOMPARE(F().Liste.SelectedItem()->Text(), QString("Tropical"));
        QCOMPARE(Fixture::Texts(F().LFilms), QStringList({"Mojito"}));
        QCOMPARE(R().RecetteAffichee(), std::optional<long long>(2));
        QCOMPARE(F().ListeAffichee(), QChar('B'));
        QCOMPARE(F().Outils[2]->Tag, QString());
    }

    void renames_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("sql");
        QTest::newRow("recipe") << 0 << "Mojito"
                                << "SELECT Recette From Cocktails where Numero = 1";
        QTest::newRow("category") << 1 << "Tropical"
                                  << "SELECT Categorie From Categorie where NCategorie = 1";
        QTest::newRow("glass") << 2 << "Tumbler"
                               << "SELECT Verre From Verre where NVerre = 1";
        QTest::newRow("ingredient") << 6 << "Rhum blanc"
                                    << "SELECT Ingredient From Ingredient where NIngredient = 1";
        QTest::newRow("difficulty level") << 4 << "Faible" << QString();
    }
    void renames() {
        QFETCH(int, kind);
        QFETCH(QString, entry);
        QFETCH(QString, sql);
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        if (kind != 0) SortBy(kind);
        ClickUpper(entry);
        const QByteArray before = Fixture::ReadFile(fx.DbFile());
        F().Liste.SetLabelEditAutomatic(true);
        EditLabel(F().Liste, "Nouveau nom", Qt::Key_Return);
        QTRY_COMPARE(F().Liste.SelectedItem()->Text(), QString("Nouveau nom"));
        if (sql.isEmpty()) {
            QCOMPARE(Fixture::ReadFile(fx.DbFile()), before);
        } else {
            platform::Database d = db::OpenDb();
            QCOMPARE(d.OpenRecordset(sql).Text(0), QString("Nouveau nom"));
        }
        F().Liste_LostFocus();
        QVERIFY(!F().Liste.LabelEditAutomatic());
    }

    void renamesThatWriteNothingOrFail() {
        Fixture fx;
        fx.WriteSeed(kSeed);
        QVERIFY(fx.StartMain());
        SortBy(1);
        ClickUpper("Classique");
        F().LFilms.Select(Fixture::Entry(F().LFilms, "Margarita"));
        const QByteArray before = Fixture::ReadFile(fx.DbFile());
        // Its own text, then an abandoned edit: the file is untouched.
        EditLabel(F().LFilms, "Margarita", Qt::Key_Return);
        EditLabel(F().LFilms, "Autre", Qt::Key_Escape);
        QCOMPARE(F().LFilms.SelectedItem()->Text(), QString("Margarita"));
        QCOMPARE(Fixture::ReadFile(fx.DbFile()), before);
        // A rename the collection refuses keeps the old text and says so.
        QVERIFY(QFile::remove(fx.DbFile()));
        EditLabel(F().LFilms, "Margarita royale", Qt::Key_Return);
        QCOMPARE(F().LFilms.SelectedItem()->Text(), QString("Margarita"));
        QCOMPARE(MessageSeam::Calls().size(), 1);
        QVERIFY(MessageSeam::Calls().first().prompt.startsWith("Le nouveau nom"));
    }
};

QTEST_MAIN(TestPanel)
#include "test_panel.moc"
