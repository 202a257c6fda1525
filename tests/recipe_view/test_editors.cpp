// The in-place editors of the recipe and glass panels, driven through the
// main window over a real collection file.
#include <sqlite3.h>
#include <unistd.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QtTest>

#include "db/Photo.h"
#include "db/Schema.h"
#include "platform/CommonDialog.h"
#include "platform/Database.h"
#include "platform/Menu.h"
#include "platform/MessageBox.h"
#include "platform/Resume.h"
#include "platform/VbText.h"
#include "recipe_view/CadreRecette.h"
#include "recipe_view/CadreVerre.h"
#include "shell/Frmmain.h"
#include "support/Fixture.h"
#include "support/PetitDisque.h"

namespace {

// Recipe numbers differ from the category numbers, except Vierge (1) and
// Zombie (2), so that a write to the wrong row shows.
// Quantities: "4" 1, " " 2, "2" 3, "1" 4; units: "cl" 1;
// ingredients: Rhum blanc 1, Menthe 2, Sucre 3, Tequila 4, Citron vert 5.
const char* kSeed = R"({
  "categories": ["Tropical", "Classique"],
  "realisations": ["Au shaker", "Au verre"],
  "verres": [
    {"nom": "Tumbler", "contenance": "30 cl", "description": "Un grand verre droit",
     "image": "verres/tumbler.png"},
    {"nom": "Coupe"}],
  "recettes": [
    {"numero": 11, "nom": "Mojito", "categorie": "Tropical", "verre": "Tumbler",
     "realisation": "Au verre", "cout": 2, "difficulte": 2, "teneur": 4,
     "preparation": "Piler", "deco": "Feuille", "description": "Frais", "histoire": "Cuba",
     "lignes": [["4", "cl", "Rhum blanc"], ["", "", "Menthe"], [" ", "cl", "Sucre"]]},
    {"numero": 12, "nom": "Margarita", "categorie": "Classique", "verre": "Coupe",
     "realisation": "Au shaker", "cout": 3, "difficulte": 3, "teneur": 5,
     "lignes": [["4", "cl", "Tequila"], ["4", "cl", "Citron vert"], ["2", "", ""], ["1", "", ""]]},
    {"numero": 1, "nom": "Vierge", "categorie": "Tropical", "verre": "Coupe", "cout": 1},
    {"numero": 2, "nom": "Zombie", "categorie": "Classique", "verre": "Coupe", "cout": 1,
     "lignes": [["4", "cl", "Rhum blanc"]]}
  ]})";

using Ligne = QList<qlonglong>;

Frmmain& F() {
    return Frmmain::Instance();
}
CadreRecette& R() {
    return F().Recette();
}
CadreVerre& V() {
    return F().Verre();
}

QVariant Valeur(const QString& sql) {
    auto d = db::OpenDb();
    auto rs = d.OpenRecordset(sql);
    return rs.RecordCount() ? rs.Fields(0) : QVariant();
}

QVariant Champ(long long recette, const char* colonne) {
    return Valeur(QStringLiteral("SELECT %1 From Cocktails where Numero = %2")
                      .arg(QString::fromLatin1(colonne))
                      .arg(recette));
}

long long Compte(const QString& table) {
    return Valeur(QStringLiteral("SELECT count(*) From ") + table).toLongLong();
}

QList<Ligne> Lignes(long long recette) {
    auto d = db::OpenDb();
    auto rs = d.OpenRecordset(QStringLiteral("SELECT NQuantite, NMesure, NIngre From Ingre "
                                             "where Numero = %1 order by 1, 2, 3")
                                  .arg(recette));
    QList<Ligne> out;
    for (long i = 0; i < rs.RecordCount(); ++i, rs.MoveNext())
        out << Ligne{rs.Fields(0).toLongLong(), rs.Fields(1).toLongLong(),
                     rs.Fields(2).toLongLong()};
    return out;
}

void Executer(const QString& sql) {
    auto d = db::OpenDb();
    d.Execute(sql);
}

// Another program holding the file: every write of ours fails.
class Verrou {
public:
    explicit Verrou(const QString& fichier) {
        sqlite3_open(fichier.toUtf8().constData(), &db_);
        sqlite3_exec(db_, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
    }
    ~Verrou() { Lever(); }
    void Lever() {
        if (!db_) return;
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(db_);
        db_ = nullptr;
    }

private:
    sqlite3* db_ = nullptr;
};

// Shows a recipe as a click in the upper list (kind 0) does.
void Montrer(long long recette) {
    F().Liste.Select(F().Liste.Find(QStringLiteral("N ") + platform::Str(recette)));
    F().Liste_Click();
    QCOMPARE(R().RecetteAffichee(), std::optional<long long>(recette));
}

void Taper(platform::ComboBox& l, const QString& texte) {
    l.lineEdit()->setText(texte);
}

void Entree(platform::ComboBox& l) {
    QTest::keyClick(&l, Qt::Key_Return);
}

void Choisir(platform::ComboBox& l, const QString& texte) {
    const int i = l.findText(texte, Qt::MatchExactly | Qt::MatchCaseSensitive);
    QVERIFY2(i >= 0, qPrintable(texte));
    l.PickIt(i);
}

int Messages() {
    return static_cast<int>(platform::MessageSeam::Calls().size());
}

// One write that works, so that the next failure is told whatever an
// earlier test left.
void Reussir() {
    if (R().RecetteAffichee())
        R().Saisie[3]->TypeIt(R().Saisie[3]->Text() + ".");
    else
        V().Desciption.TypeIt(V().Desciption.Text() + ".");
}

// The bytes a column holds in the file, as the engine keeps them.
QByteArray Octets(const QString& fichier, long long recette, const char* colonne) {
    sqlite3* db = nullptr;
    QByteArray out;
    if (sqlite3_open_v2(fichier.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
        SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        const QByteArray sql =
            QByteArray("SELECT CAST(") + colonne +
            " AS BLOB) FROM Cocktails WHERE Numero = " + QByteArray::number(recette);
        if (sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr) == SQLITE_OK &&
            sqlite3_step(st) == SQLITE_ROW)
            out = QByteArray(static_cast<const char*>(sqlite3_column_blob(st, 0)),
                             sqlite3_column_bytes(st, 0));
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return out;
}

// Writes a text into the file as another program would, bound as it is.
void Ecrire(const QString& fichier, long long recette, const char* colonne, const QString& texte) {
    sqlite3* db = nullptr;
    sqlite3_open(fichier.toUtf8().constData(), &db);
    sqlite3_stmt* st = nullptr;
    const QByteArray sql = QByteArray("UPDATE Cocktails SET ") + colonne +
                           " = ?1 WHERE Numero = " + QByteArray::number(recette);
    const QByteArray utf8 = texte.toUtf8();
    sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr);
    sqlite3_bind_text(st, 1, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
    if (sqlite3_step(st) != SQLITE_DONE) qFatal("cannot write %s", colonne);
    sqlite3_finalize(st);
    sqlite3_close(db);
}

// The columns the engine is asked to read, as "Table.Colonne".
int NoterLecture(void* lus, int action, const char* table, const char* colonne, const char*,
                 const char*) {
    if (action == SQLITE_READ && table && colonne)
        static_cast<QStringList*>(lus)->append(
            QStringLiteral("%1.%2").arg(QString::fromUtf8(table), QString::fromUtf8(colonne)));
    return SQLITE_OK;
}

// A picture whose every point differs: it does not compress.
QByteArray Bruit(int w, int h, const char* format) {
    QImage img(w, h, QImage::Format_RGB32);
    quint32 x = 2463534242u;
    for (int y = 0; y < h; ++y)
        for (int i = 0; i < w; ++i) {
            x ^= x << 13;
            x ^= x >> 17;
            x ^= x << 5;
            img.setPixel(i, y, x | 0xff000000u);
        }
    QByteArray b;
    QBuffer buf(&b);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, format);
    return b;
}

// Types at the end of a text box, as the user does after a click there.
void TaperALaFin(platform::TextBox& boite, const QString& frappes) {
    QWidget* e = boite.Editor();
    e->setFocus();
    QTest::keyClick(e, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(e, frappes);
}

// A small picture file.
QString Image(const QString& chemin, int w = 40, int h = 20) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::darkGreen);
    if (!img.save(chemin)) qFatal("cannot write %s", qPrintable(chemin));
    return chemin;
}

}  // namespace

class TestEditors : public QObject {
    Q_OBJECT

    std::unique_ptr<Fixture> fx;

    void Demarrer(int tri = 0) {
        fx = std::make_unique<Fixture>();
        fx->WriteSeed(kSeed);
        fx->SetSetting("Settings", "Tris", QString::number(tri));
        QVERIFY(fx->StartMain());
    }

private slots:
    void cleanup() { fx.reset(); }

    // ------------------------------------------------ opening the lists

    void ouvertureDesAttributs_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("liste");
        QTest::addColumn<bool>("texteDuBouton");
        QTest::newRow("0 verre") << 0 << "Type de verre" << false;
        QTest::newRow("1 matériel") << 1 << "Matériel" << false;
        QTest::newRow("2 coût") << 2 << "Coût" << true;
        QTest::newRow("3 difficulté") << 3 << "Difficulté" << true;
        QTest::newRow("4 teneur") << 4 << "Teneur en alcool" << true;
        QTest::newRow("6 catégorie") << 6 << "Catégorie" << true;
    }
    void ouvertureDesAttributs() {
        QFETCH(int, index);
        QFETCH(QString, liste);
        QFETCH(bool, texteDuBouton);
        Demarrer();
        Montrer(11);
        const QByteArray avant = Fixture::ReadFile(fx->DbFile());
        platform::ComboBox* l = nullptr;
        for (platform::ComboBox* c :
             {&R().LCout, &R().LDiff, &R().LTeneur, &R().LCategorie, &R().LVerre, &R().LMateriel})
            if (c->accessibleName() == liste) l = c;
        QVERIFY(l);
        // The glass and method lists keep their last text.
        if (!texteDuBouton) Taper(*l, "Autre chose");
        platform::PictureButton& b = R().Data[index];
        b.ClickIt();
        QVERIFY(l->Visible());
        QCOMPARE(l->Left(), b.Left());
        QCOMPARE(l->Top(), b.Top());
        QVERIFY(!b.Value());
        QCOMPARE(l->Text(), texteDuBouton ? b.Caption() : QString("Autre chose"));
        // Opening writes nothing.
        QCOMPARE(Fixture::ReadFile(fx->DbFile()), avant);
    }

    void ouvertureDesCellules_data() {
        QTest::addColumn<int>("colonne");
        QTest::newRow("quantité") << 0;
        QTest::newRow("mesure") << 1;
        QTest::newRow("ingrédient") << 2;
    }
    void ouvertureDesCellules() {
        QFETCH(int, colonne);
        Demarrer();
        Montrer(11);
        auto& cellules = colonne == 0 ? R().Quantite : colonne == 1 ? R().Mesure : R().Ingre;
        platform::ComboBox& l = colonne == 0   ? R().LQuantite
                                : colonne == 1 ? R().LMesure
                                               : R().LIngre;
        const double largeur = l.Width();
        R().Data[2].ClickIt();
        cellules[2].ClickIt();
        QVERIFY(!R().LCout.Visible());
        QVERIFY(l.Visible());
        QCOMPARE(l.Tag, QString("2"));
        QCOMPARE(l.Top(), cellules[2].Top());
        if (colonne == 0) {
            QCOMPARE(l.Left(), 0.0);
            QCOMPARE(l.Width(), largeur);
        } else {
            QCOMPARE(l.Left(), cellules[2].Left());
            QCOMPARE(l.Width(), cellules[2].Width());
        }
        QVERIFY(!cellules[2].Value());
    }

    // ------------------------------------------------- lookup editors

    void nouvelleCategorieAvecEntree_data() {
        QTest::addColumn<bool>("tableVide");
        QTest::newRow("table remplie") << false;
        QTest::newRow("table vide") << true;
    }
    void nouvelleCategorieAvecEntree() {
        QFETCH(bool, tableVide);
        Demarrer();
        if (tableVide) Executer("DELETE FROM Categorie");
        Montrer(11);
        R().Data[6].ClickIt();
        Taper(R().LCategorie, "Tiki d'été");
        Entree(R().LCategorie);
        const long long attendu = tableVide ? 1 : 3;
        QCOMPARE(
            Valeur("SELECT Categorie From Categorie where NCategorie = " + QString::number(attendu))
                .toString(),
            QString("Tiki d'été"));
        QCOMPARE(Champ(11, "NCategorie").toLongLong(), attendu);
        QCOMPARE(R().Data[6].Caption(), QString("Tiki d'été"));
        QVERIFY(!R().LCategorie.Visible());
        // The other recipes keep theirs.
        QCOMPARE(Champ(1, "NCategorie").toLongLong(), 1);
    }

    // A NUL in a typed entry (pasted from elsewhere) is no part of its name:
    // the entry is found or made without it, and nothing is refused.
    void nulDansUneEntreeTapee() {
        Demarrer();
        Montrer(11);
        R().Data[6].ClickIt();
        Taper(R().LCategorie, QString("Class") + QChar(0) + "ique");
        Entree(R().LCategorie);
        QCOMPARE(Champ(11, "NCategorie").toLongLong(), 2);
        QCOMPARE(Compte("Categorie"), 2);
        R().Data[6].ClickIt();
        Taper(R().LCategorie, QString("Ti") + QChar(0) + "ki");
        Entree(R().LCategorie);
        QCOMPARE(Valeur("SELECT Categorie From Categorie where NCategorie = 3").toString(),
                 QString("Tiki"));
        QCOMPARE(Champ(11, "NCategorie").toLongLong(), 3);
        QCOMPARE(Messages(), 0);
    }

    void choixOuEntreeSansChangement_data() {
        QTest::addColumn<QString>("texte");
        QTest::newRow("blancs") << "   ";
        QTest::newRow("le texte montré") << "Tropical";
    }
    void choixOuEntreeSansChangement() {
        QFETCH(QString, texte);
        Demarrer();
        Montrer(11);
        const QByteArray avant = Fixture::ReadFile(fx->DbFile());
        R().Data[6].ClickIt();
        Taper(R().LCategorie, texte);
        Entree(R().LCategorie);
        QCOMPARE(Fixture::ReadFile(fx->DbFile()), avant);
        QVERIFY(R().LCategorie.Visible());
        QCOMPARE(R().Data[6].Caption(), QString("Tropical"));
    }

    void autreCasseGardeLEntree() {
        Demarrer();
        Montrer(11);
        R().Data[6].ClickIt();
        Taper(R().LCategorie, "CLASSIQUE");
        Entree(R().LCategorie);
        QCOMPARE(Champ(11, "NCategorie").toLongLong(), 2);
        QCOMPARE(Compte("Categorie"), 2);
        QCOMPARE(R().Data[6].Caption(), QString("CLASSIQUE"));
    }

    void verreEtMaterielParChoixEtEntree() {
        Demarrer();
        Montrer(11);
        R().Data[0].ClickIt();
        Choisir(R().LVerre, "Coupe");
        QCOMPARE(Champ(11, "Nverre").toLongLong(), 2);
        QCOMPARE(R().Data[0].Caption(), QString("Coupe"));
        QVERIFY(!R().LVerre.Visible());
        // A new glass has only its number and name.
        R().Data[0].ClickIt();
        Taper(R().LVerre, "Flûte");
        QTest::keyClick(&R().LVerre, Qt::Key_Enter);
        QCOMPARE(Champ(11, "Nverre").toLongLong(), 3);
        QVERIFY(Valeur("SELECT Contenance From Verre where NVerre = 3").isNull());
        QVERIFY(Valeur("SELECT Image From Verre where NVerre = 3").isNull());
        R().Data[1].ClickIt();
        Taper(R().LMateriel, "Au mixeur");
        Entree(R().LMateriel);
        QCOMPARE(Champ(11, "NReal").toLongLong(), 3);
        QCOMPARE(R().Data[1].Caption(), QString("Au mixeur"));
    }

    // -------------------------------------------------- level editors

    void niveauxEcritsAChaqueChoix_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("colonne");
        QTest::newRow("coût") << 2 << "Cout";
        QTest::newRow("difficulté") << 3 << "difficulte";
        QTest::newRow("teneur") << 4 << "Teneur";
    }
    void niveauxEcritsAChaqueChoix() {
        QFETCH(int, index);
        QFETCH(QString, colonne);
        Demarrer();
        Montrer(11);
        platform::ComboBox& l = index == 2 ? R().LCout : index == 3 ? R().LDiff : R().LTeneur;
        R().Data[index].ClickIt();
        l.PickIt(5);
        QCOMPARE(Champ(11, qPrintable(colonne)).toLongLong(), 5);
        QCOMPARE(R().Data[index].Caption(), l.List(5));
        QCOMPARE(R().Data[index].Tag, QString("5"));
        QVERIFY(l.Visible());
        // The word already shown is written again.
        Executer("UPDATE Cocktails SET " + colonne + " = 0 WHERE Numero = 11");
        l.PickIt(5);
        QCOMPARE(Champ(11, qPrintable(colonne)).toLongLong(), 5);
        QVERIFY(l.Visible());
        QCOMPARE(Champ(12, qPrintable(colonne)).toLongLong(), index == 2 ? 3 : index == 3 ? 3 : 5);
    }

    // A level chosen from the keyboard is a pick, written at once: letters
    // and arrows in the closed list, letters and arrows in the open list
    // (which keeps the word when it closes), and the list losing the focus
    // afterwards leaves the word on the button.
    void niveauxChoisisAuClavier_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("colonne");
        // The keys in order and the position each leaves; Escape closes the
        // open list, the click of the list opens it.
        QTest::addColumn<QString>("fermee");
        QTest::addColumn<QList<int>>("apresFermee");
        QTest::addColumn<QString>("ouverte");
        QTest::addColumn<QList<int>>("apresOuverte");
        QTest::addColumn<QString>("finale");
        QTest::addColumn<int>("apresFinale");
        // Mojito: cost 2, difficulty 2, strength 4.
        QTest::newRow("coût") << 2 << "Cout"
                              << "M↓" << QList<int>{3, 4} << "P↑" << QList<int>{1, 0} << "T" << 5;
        QTest::newRow("difficulté")
            << 3 << "difficulte"
            << "M↓" << QList<int>{4, 5} << "T↑" << QList<int>{1, 0} << "D" << 5;
        QTest::newRow("teneur") << 4 << "Teneur"
                                << "F↓" << QList<int>{5, 6} << "M↑" << QList<int>{4, 3} << "S" << 0;
    }
    void niveauxChoisisAuClavier() {
        QFETCH(int, index);
        QFETCH(QString, colonne);
        QFETCH(QString, fermee);
        QFETCH(QList<int>, apresFermee);
        QFETCH(QString, ouverte);
        QFETCH(QList<int>, apresOuverte);
        QFETCH(QString, finale);
        QFETCH(int, apresFinale);
        // Each letter starts a search of its own.
        const int intervalle = QApplication::keyboardInputInterval();
        QApplication::setKeyboardInputInterval(40);
        platform::Finally remettre([&] { QApplication::setKeyboardInputInterval(intervalle); });
        Demarrer();
        QApplication::setActiveWindow(&F());
        QTRY_VERIFY(F().isActiveWindow());
        Fixture::ClickEntry(F().Liste, "Mojito");
        QCOMPARE(R().RecetteAffichee(), std::optional<long long>(11));
        const QVariant autre = Champ(12, qPrintable(colonne));
        platform::ComboBox& l = index == 2 ? R().LCout : index == 3 ? R().LDiff : R().LTeneur;
        platform::PictureButton& b = R().Data[index];
        auto touche = [](QWidget* w, QChar c) {
            QTest::qWait(60);
            if (c == u'↓')
                QTest::keyClick(w, Qt::Key_Down);
            else if (c == u'↑')
                QTest::keyClick(w, Qt::Key_Up);
            else
                QTest::keyClick(w, c.toLatin1());
        };
        auto ecrit = [&](int position) {
            QCOMPARE(l.ListIndex(), position);
            QCOMPARE(Champ(11, qPrintable(colonne)).toLongLong(), position);
            QCOMPARE(b.Caption(), l.List(position));
            QCOMPARE(b.Tag, QString::number(position));
        };

        QTest::mouseClick(&b, Qt::LeftButton);
        QVERIFY(l.Visible());
        // The list takes the focus from a click, which opens it; Escape
        // closes it and writes nothing.
        QTest::mouseClick(&l, Qt::LeftButton);
        QTRY_VERIFY(l.view()->isVisible());
        QTest::keyClick(l.view(), Qt::Key_Escape);
        QTRY_VERIFY(!l.view()->isVisible());
        QTRY_VERIFY(l.hasFocus());
        QCOMPARE(Champ(11, qPrintable(colonne)).toLongLong(), index == 4 ? 4 : 2);

        for (int i = 0; i < fermee.size(); ++i) {
            touche(&l, fermee[i]);
            ecrit(apresFermee[i]);
            if (QTest::currentTestFailed()) return;
        }
        QTest::mouseClick(&l, Qt::LeftButton);
        QTRY_VERIFY(l.view()->isVisible());
        for (int i = 0; i < ouverte.size(); ++i) {
            touche(l.view(), ouverte[i]);
            ecrit(apresOuverte[i]);
            if (QTest::currentTestFailed()) return;
            QVERIFY(l.view()->isVisible());
        }
        QTest::keyClick(l.view(), Qt::Key_Escape);
        QTRY_VERIFY(!l.view()->isVisible());
        ecrit(apresOuverte.last());
        if (QTest::currentTestFailed()) return;

        touche(&l, finale[0]);
        ecrit(apresFinale);
        if (QTest::currentTestFailed()) return;
        // The focus leaves: the list hides, the button keeps the word.
        QTest::mouseClick(R().Saisie[0]->Editor(), Qt::LeftButton);
        QTRY_VERIFY(!l.Visible());
        QCOMPARE(b.Caption(), l.List(apresFinale));
        QCOMPARE(Champ(11, qPrintable(colonne)).toLongLong(), apresFinale);
        QCOMPARE(Champ(12, qPrintable(colonne)), autre);
    }

    void uneAutreListeFermeLaPremiere() {
        Demarrer();
        Montrer(12);
        R().Data[2].ClickIt();
        QVERIFY(R().LCout.Visible());
        R().Data[3].ClickIt();
        QVERIFY(!R().LCout.Visible());
        QVERIFY(R().LDiff.Visible());
        QCOMPARE(R().LDiff.Left(), R().Data[3].Left());
        QCOMPARE(R().LDiff.Top(), R().Data[3].Top());
        QCOMPARE(R().LDiff.ListIndex(), 3);
        QCOMPARE(R().LDiff.Text(), R().Data[3].Caption());
    }

    void auDemarrageRienNEstEcrit() {
        fx = std::make_unique<Fixture>();
        fx->WriteSeed(kSeed);
        fx->SetSetting("Settings", "Tris", "1");
        const QByteArray avant = Fixture::ReadFile(fx->DbFile());
        QVERIFY(fx->StartMain());
        for (int i : {2, 3, 4}) {
            QCOMPARE(R().Data[i].Caption(), QString("Sans Commentaire"));
            QCOMPARE(R().Data[i].Tag, QString("0"));
        }
        QVERIFY(!R().RecetteAffichee());
        // A pick with no recipe shown goes nowhere.
        R().Data[2].ClickIt();
        R().LCout.PickIt(4);
        QCOMPARE(Fixture::ReadFile(fx->DbFile()), avant);
    }

    void toujoursLaRecetteMontree() {
        Demarrer(1);
        // Tropical (category 1): its recipes in the lower list.
        F().Liste.Select(F().Liste.Find("N  1"));
        F().Liste_Click();
        F().LFilms.Select(F().LFilms.Find("N  11"));
        F().LFilms_Click();
        QCOMPARE(R().RecetteAffichee(), std::optional<long long>(11));
        // A right press on the upper list empties the origin mark; the
        // lower list's selection moves without a click.
        platform::MenuSeam::Enable();
        platform::MenuSeam::Choose(QString());
        F().Liste_MouseDown(2, 0, 0, 0);
        platform::MenuSeam::Disable();
        QCOMPARE(F().Outils[2]->Tag, QString());
        F().LFilms.Select(F().LFilms.Find("N  1"));

        R().Saisie[0]->TypeIt("Écraser");
        R().Data[2].ClickIt();
        R().LCout.PickIt(4);
        R().Data[6].ClickIt();
        Choisir(R().LCategorie, "Classique");
        QCOMPARE(Champ(11, "preparation").toString(), QString("Écraser"));
        QCOMPARE(Champ(11, "Cout").toLongLong(), 4);
        QCOMPARE(Champ(11, "NCategorie").toLongLong(), 2);
        QVERIFY(Champ(1, "preparation").isNull());
        QCOMPARE(Champ(1, "Cout").toLongLong(), 1);
        QCOMPARE(Champ(1, "NCategorie").toLongLong(), 1);

        // A number that shows no recipe: nothing is written anywhere.
        R().ChargerRecette(99);
        const QByteArray avant = Fixture::ReadFile(fx->DbFile());
        R().Saisie[1]->TypeIt("x");
        R().Data[3].ClickIt();
        R().LDiff.PickIt(2);
        R().Ingre[0].ClickIt();
        Choisir(R().LIngre, "Menthe");
        QCOMPARE(Fixture::ReadFile(fx->DbFile()), avant);
    }

    // -------------------------------------------------- ingredient lines

    void ligneSansQuantiteRemplaceeDeuxFois() {
        Demarrer();
        Montrer(11);
        QCOMPARE(R().Quantite[1].Caption(), CadreRecette::Pointilles());
        R().Ingre[1].ClickIt();
        Choisir(R().LIngre, "Sucre");
        QCOMPARE(Lignes(11), (QList<Ligne>{{0, 0, 3}, {1, 1, 1}, {2, 1, 3}}));
        QCOMPARE(R().Ingre[1].Caption(), QString("Sucre"));
        QVERIFY(!R().LIngre.Visible());
        R().Ingre[1].ClickIt();
        Choisir(R().LIngre, "Tequila");
        QCOMPARE(Lignes(11), (QList<Ligne>{{0, 0, 4}, {1, 1, 1}, {2, 1, 3}}));
    }

    void choisirLeMemeIngredientNeFaitRien() {
        Demarrer();
        Montrer(11);
        const QByteArray avant = Fixture::ReadFile(fx->DbFile());
        R().Ingre[0].ClickIt();
        Choisir(R().LIngre, "Rhum blanc");
        QCOMPARE(Fixture::ReadFile(fx->DbFile()), avant);
        QVERIFY(R().LIngre.Visible());
    }

    void quantiteStockeeBlancSansEntreeParasite() {
        Demarrer();
        Montrer(11);
        // Quantity " ": the cell shows the placeholder, the line keeps 2.
        QCOMPARE(R().Quantite[2].Caption(), CadreRecette::Pointilles());
        QCOMPARE(R().Quantite[2].toolTip(), QString(" "));
        const long long quantites = Compte("Quantite");
        for (const char* ingredient : {"Menthe", "Tequila"}) {
            R().Ingre[2].ClickIt();
            Choisir(R().LIngre, ingredient);
        }
        QCOMPARE(Lignes(11), (QList<Ligne>{{0, 0, 2}, {1, 1, 1}, {2, 1, 4}}));
        QCOMPARE(Compte("Quantite"), quantites);
        QCOMPARE(Compte("Ingredient"), 5);
    }

    void ingredientRenommePendantLAffichage() {
        Demarrer();
        Montrer(11);
        Executer("UPDATE Ingredient SET Ingredient = 'Rhum ambré' WHERE NIngredient = 1");
        R().Quantite[0].ClickIt();
        Choisir(R().LQuantite, "2");
        QCOMPARE(Lignes(11), (QList<Ligne>{{0, 0, 2}, {2, 1, 3}, {3, 1, 1}}));
        QCOMPARE(Compte("Ingredient"), 5);
        QCOMPARE(R().Quantite[0].Caption(), QString("2"));
    }

    void rangeeDeReserve() {
        Demarrer();
        Montrer(11);
        QCOMPARE(R().Ingre.UBound(), 3);
        R().Ingre[3].ClickIt();
        Choisir(R().LIngre, "Tequila");
        QCOMPARE(Lignes(11).size(), 4);
        QVERIFY(Lignes(11).contains(Ligne{0, 0, 4}));
        QCOMPARE(R().Ingre[3].Caption(), QString("Tequila"));
        QCOMPARE(R().Quantite[3].Caption(), CadreRecette::Pointilles());
        QCOMPARE(R().Mesure[3].Caption(), CadreRecette::Pointilles());
        R().Quantite[3].ClickIt();
        Choisir(R().LQuantite, "4");
        QCOMPARE(Lignes(11).size(), 4);
        QVERIFY(Lignes(11).contains(Ligne{1, 0, 4}));
        QVERIFY(!Lignes(11).contains(Ligne{0, 0, 4}));
    }

    void recetteSansLigne() {
        Demarrer();
        Montrer(1);
        QCOMPARE(R().Ingre.UBound(), 0);
        QCOMPARE(R().Ingre[0].Caption(), QString());
        R().Ingre[0].ClickIt();
        Choisir(R().LIngre, "Menthe");
        QCOMPARE(Lignes(1), (QList<Ligne>{{0, 0, 2}}));
        QCOMPARE(R().Ingre[0].Caption(), QString("Menthe"));
    }

    void quantiteEnBlancsAvecEntree() {
        Demarrer();
        Montrer(11);
        R().Quantite[0].ClickIt();
        Taper(R().LQuantite, "   ");
        Entree(R().LQuantite);
        QCOMPARE(Lignes(11), (QList<Ligne>{{0, 0, 2}, {0, 1, 1}, {2, 1, 3}}));
        QCOMPARE(R().Quantite[0].Caption(), CadreRecette::Pointilles());
        QVERIFY(!R().LQuantite.Visible());
    }

    void fusionDeDeuxLignes() {
        Demarrer();
        Montrer(12);
        QCOMPARE(Lignes(12).size(), 4);
        const int citron = R().Ingre[0].Caption() == "Citron vert" ? 0 : 1;
        R().Ingre[citron].ClickIt();
        Choisir(R().LIngre, "Tequila");
        QCOMPARE(Lignes(12), (QList<Ligne>{{1, 1, 4}, {3, 0, 0}, {4, 0, 0}}));
    }

    void ligneToutVideSupprimee() {
        Demarrer();
        Montrer(12);
        int i = 0;
        while (R().Quantite[i].Caption() != "1") ++i;
        R().Quantite[i].ClickIt();
        Taper(R().LQuantite, " ");
        Entree(R().LQuantite);
        QCOMPARE(Lignes(12), (QList<Ligne>{{1, 1, 4}, {1, 1, 5}, {3, 0, 0}}));
        QCOMPARE(R().Quantite[i].Caption(), CadreRecette::Pointilles());
    }

    void saisirSansChoisirNEcritRien() {
        Demarrer();
        Montrer(11);
        const QByteArray avant = Fixture::ReadFile(fx->DbFile());
        R().Ingre[0].ClickIt();
        QTest::keyClicks(R().LIngre.lineEdit(), "Menthe");
        Entree(R().LIngre);
        R().Mesure[0].ClickIt();
        QTest::keyClicks(R().LMesure.lineEdit(), "zeste");
        Entree(R().LMesure);
        QCOMPARE(Fixture::ReadFile(fx->DbFile()), avant);
        QVERIFY(R().LMesure.Visible());
    }

    // ---------------------------------------------------- texts, photo

    void chaqueFrappeEstEcrite() {
        Demarrer();
        Montrer(1);
        QWidget* e = R().Saisie[1]->Editor();
        e->setFocus();
        QSignalSpy changements(R().Saisie[1].get(), &platform::TextBox::Change);
        QStringList vus;
        for (const char* frappe : {"a", "b"}) {
            QTest::keyClicks(e, frappe);
            vus << Champ(1, "Deco").toString();
        }
        for (int k = 0; k < 2; ++k) {
            QTest::keyClick(e, Qt::Key_Backspace);
            vus << Champ(1, "Deco").toString();
        }
        QCOMPARE(vus, (QStringList{"a", "ab", "a", " "}));
        // One change, so one write, per key.
        QCOMPARE(changements.size(), 4);
        // Each box its own column.
        const char* colonnes[4] = {"preparation", "Deco", "Description", "Histoire"};
        for (int k = 0; k < 4; ++k) {
            R().Saisie[static_cast<size_t>(k)]->TypeIt(QString("Texte %1\r\nsuite").arg(k));
            QCOMPARE(Champ(1, colonnes[k]).toString(), QString("Texte %1\r\nsuite").arg(k));
        }
    }

    // A keystroke in a recipe whose photo, a picture of 2 MB, is kept in
    // the file writes its text and reads nothing else of the row: the
    // photo is neither read back nor rewritten by the program.
    void frappeSansRelireLaPhoto() {
        Demarrer();
        const QByteArray image = Bruit(820, 820, "PNG");
        QVERIFY2(image.size() > 2000000, qPrintable(QString::number(image.size())));
        Ecrire(fx->DbFile(), 11, "Photo", db::PhotoInline(image));
        const QByteArray photo = Octets(fx->DbFile(), 11, "Photo");
        Montrer(11);
        QCOMPARE(R().Photo.Picture().width(), 820);
        QStringList lus;
        platform::DatabaseSeam::WhenOpened(
            [&](sqlite3* db) { sqlite3_set_authorizer(db, NoterLecture, &lus); });
        TaperALaFin(*R().Saisie[0], "e");
        platform::DatabaseSeam::WhenOpened({});
        QCOMPARE(Octets(fx->DbFile(), 11, "preparation"), QByteArray("Pilere"));
        QCOMPARE(Octets(fx->DbFile(), 11, "Photo"), photo);
        QVERIFY(!lus.isEmpty());
        // Only the key: the engine names the row id by an empty column.
        for (const QString& lu : lus)
            QVERIFY2(lu == "Cocktails.Numero" || lu == "Cocktails.", qPrintable(lus.join(", ")));
    }

    // One letter typed changes only that letter in the file: no-break
    // spaces, line separators, tabs and line ends stay as they were.
    void frappeGardeLaTypographie() {
        Demarrer();
        const QString texte = QString::fromUtf8(
            "Sucre\u00a0de canne\u2028puis la menthe\r\nglace\u202fpil\u00e9e\tet\u00a0: "
            "\u00ab\u00a0fin\u00a0\u00bb");
        Ecrire(fx->DbFile(), 1, "Deco", texte);
        Montrer(1);
        QCOMPARE(R().Saisie[1]->Text(), texte);
        TaperALaFin(*R().Saisie[1], "!");
        QCOMPARE(Octets(fx->DbFile(), 1, "Deco"), (texte + u'!').toUtf8());
        // A line typed ends as the file's lines do.
        QTest::keyClick(R().Saisie[1]->Editor(), Qt::Key_Return);
        QTest::keyClicks(R().Saisie[1]->Editor(), "x");
        QCOMPARE(Octets(fx->DbFile(), 1, "Deco"), (texte + QStringLiteral("!\r\nx")).toUtf8());
    }

    // A picture of 2000 bytes or more is kept by its path, "#" and all, and
    // shown again from it.
    void photoAuNomAvecDiese() {
        Demarrer();
        Montrer(11);
        QVERIFY(QDir().mkpath(fx->Dir() + "/Soirée #2"));
        const QString chemin = fx->Dir() + "/Soirée #2/Cocktail #3.jpg";
        Fixture::WriteFile(chemin, Bruit(120, 90, "JPG"));
        QVERIFY(QFileInfo(chemin).size() >= 2000);
        {
            platform::CommonDialogSeam::Scripted dialogue({chemin});
            QTest::mousePress(&R().CadrePhoto, Qt::LeftButton, {}, QPoint(2, 2));
            QCOMPARE(platform::CommonDialogSeam::Calls().size(), 1);
        }
        QCOMPARE(Champ(11, "Photo").toString(), chemin);
        for (int fois = 0; fois < 2; ++fois) {
            Montrer(12);
            QCOMPARE(R().CadrePhoto.Caption(), QString("Pas de photo"));
            Montrer(11);
            QCOMPARE(R().Photo.Picture().size(), QSize(120, 90));
            QCOMPARE(R().CadrePhoto.Caption(), QString());
        }
        // After a new start too.
        Frmmain::Unload();
        QVERIFY(fx->StartMain());
        Montrer(11);
        QCOMPARE(R().Photo.Picture().size(), QSize(120, 90));
    }

    void unChargementNEcritRien() {
        Demarrer();
        Executer("UPDATE Cocktails SET Deco = '  large  ', Histoire = NULL WHERE Numero = 12");
        const QByteArray avant = Fixture::ReadFile(fx->DbFile());
        for (long long n : {11, 12, 1, 12}) Montrer(n);
        QCOMPARE(R().Saisie[1]->Text(), QString("large"));
        QCOMPARE(Fixture::ReadFile(fx->DbFile()), avant);
    }

    void pressionsSurLaPhoto_data() {
        QTest::addColumn<bool>("surPhoto");
        QTest::newRow("cadre") << false;
        QTest::newRow("photo") << true;
    }
    void pressionsSurLaPhoto() {
        QFETCH(bool, surPhoto);
        Demarrer();
        Montrer(11);
        QWidget* cible = surPhoto ? static_cast<QWidget*>(&R().Photo) : &R().CadrePhoto;
        if (surPhoto) {
            R().Photo.Move(120, 120, 600, 600);
            R().Photo.show();
        }
        const QString petite = Image(fx->Dir() + "/petite.JPG");
        F().CadreMenuPhoto = 1;
        {
            platform::CommonDialogSeam::Scripted dialogue({petite});
            platform::MenuSeam::Enable();
            platform::MenuSeam::Choose(QString());
            QTest::mousePress(cible, Qt::RightButton, {}, QPoint(2, 2));
            const auto menus = platform::MenuSeam::Popups();
            platform::MenuSeam::Disable();
            QCOMPARE(menus.size(), 1);
            QCOMPARE(menus.first().menu, QString("Menu2"));
            QCOMPARE(F().CadreMenuPhoto, 0);
            QVERIFY(platform::CommonDialogSeam::Calls().isEmpty());

            R().Data[2].ClickIt();
            QTest::mousePress(cible, Qt::LeftButton, {}, QPoint(2, 2));
            QCOMPARE(platform::CommonDialogSeam::Calls().size(), 1);
            QCOMPARE(platform::CommonDialogSeam::Calls().first().title,
                     QString("Chercher une image"));
            QVERIFY(!R().LCout.Visible());
        }
        QVERIFY(Champ(11, "Photo").toString().contains('#'));
        QVERIFY(!R().Photo.Picture().isNull());
        // A cancelled dialog changes nothing, in the panel or the file.
        Montrer(12);
        const QByteArray avant = Fixture::ReadFile(fx->DbFile());
        {
            platform::CommonDialogSeam::Scripted dialogue({QString()});
            QTest::mousePress(&R().CadrePhoto, Qt::LeftButton, {}, QPoint(2, 2));
        }
        QCOMPARE(Fixture::ReadFile(fx->DbFile()), avant);
        QCOMPARE(R().Photo.Tag, petite);
    }

    // ------------------------------------------------------ glass panel

    void verreAfficheSelonSonImage_data() {
        QTest::addColumn<QString>("image");
        QTest::addColumn<bool>("vue");
        QTest::newRow("relatif") << "verres/tumbler.png" << true;
        QTest::newRow("relatif, barre inverse") << "verres\\tumbler.png" << true;
        QTest::newRow("absolu") << "<dir>/verres/tumbler.png" << true;
        QTest::newRow("blanc") << " " << false;
        QTest::newRow("fichier absent") << "verres/absent.png" << false;
    }
    void verreAfficheSelonSonImage() {
        QFETCH(QString, image);
        QFETCH(bool, vue);
        Demarrer(2);
        QDir().mkpath(fx->Dir() + "/verres");
        Image(fx->Dir() + "/verres/tumbler.png", 30, 60);
        image.replace("<dir>", fx->Dir());
        Executer("UPDATE Verre SET Image = '" + image + "' WHERE NVerre = 1");
        const QByteArray avant = Fixture::ReadFile(fx->DbFile());
        F().Liste.Select(F().Liste.Find("N  1"));
        F().Liste_Click();
        QCOMPARE(Fixture::ReadFile(fx->DbFile()), avant);
        QVERIFY(F().Cadre[1]->Visible());
        QCOMPARE(V().InfoVerre.Caption(), QString("Tumbler  -  "));
        QVERIFY(V().Contenance.Visible());
        QCOMPARE(V().Contenance.Caption(), QString("30 cl"));
        QCOMPARE(V().Contenance.Left(), V().InfoVerre.Left() + V().InfoVerre.Width());
        QCOMPARE(V().Desciption.Text(), QString("Un grand verre droit"));
        QCOMPARE(!V().PhotoVerre.Picture().isNull(), vue);
        QCOMPARE(V().CadrephotoVerre.Caption(), vue ? QString() : QString("Pas de photo"));
        if (vue) QCOMPARE(V().PhotoVerre.Height(), V().CadrephotoVerre.Height() - 100);
    }

    void verreSansContenance() {
        Demarrer(2);
        F().Liste.Select(F().Liste.Find("N  2"));
        F().Liste_Click();
        QCOMPARE(V().InfoVerre.Caption(), QString("Coupe"));
        QVERIFY(!V().Contenance.Visible());
        QCOMPARE(V().InfoVerre.Width(), V().Scroll.Width() - 240);
        QCOMPARE(V().Desciption.Text(), QString());
        QCOMPARE(V().CadrephotoVerre.Caption(), QString("Pas de photo"));
    }

    void contenanceEtDescription() {
        Demarrer(2);
        F().Liste.Select(F().Liste.Find("N  1"));
        F().Liste_Click();
        const QByteArray avant = Fixture::ReadFile(fx->DbFile());
        V().Contenance.ClickIt();
        QVERIFY(V().SaisieContenance.Visible());
        QCOMPARE(V().SaisieContenance.Text(), QString("30 cl"));
        QCOMPARE(V().SaisieContenance.Left(), V().Contenance.Left());
        QCOMPARE(Fixture::ReadFile(fx->DbFile()), avant);
        V().SaisieContenance.TypeIt("25 cl");
        QCOMPARE(Valeur("SELECT Contenance From Verre where NVerre = 1").toString(),
                 QString("25 cl"));
        QCOMPARE(V().Contenance.Caption(), QString("25 cl"));
        V().SaisieContenance.TypeIt("");
        QCOMPARE(Valeur("SELECT Contenance From Verre where NVerre = 1").toString(), QString(" "));
        QCOMPARE(V().Contenance.Caption(), QString());
        V().Desciption.TypeIt("Haut");
        QCOMPARE(Valeur("SELECT Description From Verre where NVerre = 1").toString(),
                 QString("Haut"));
        QCOMPARE(Valeur("SELECT Description From Verre where NVerre = 2").toString(), QString());
        // A click in the upper list, or a new sort kind, hides the editor.
        V().Contenance.ClickIt();
        F().Liste_Click();
        QVERIFY(!V().SaisieContenance.Visible());
        V().Contenance.ClickIt();
        F().Bouton[0]->ClickIt();
        QVERIFY(!V().SaisieContenance.Visible());
    }

    void verreSansRangee() {
        Demarrer(2);
        F().Liste.Select(F().Liste.Find("N  1"));
        F().Liste_Click();
        V().ChargerVerre(99);
        QVERIFY(!V().Contenance.Visible());
        QCOMPARE(V().CadrephotoVerre.Caption(), QString("Pas de photo"));
        QCOMPARE(V().InfoVerre.Caption(), QString());
        const QByteArray avant = Fixture::ReadFile(fx->DbFile());
        V().Desciption.TypeIt("rien");
        QCOMPARE(Fixture::ReadFile(fx->DbFile()), avant);
    }

    void imageDuVerre() {
        Demarrer(2);
        F().Liste.Select(F().Liste.Find("N  2"));
        F().Liste_Click();
        const QString choisie = Image(fx->Dir() + "/haute.png", 20, 80);
        {
            platform::CommonDialogSeam::Scripted dialogue({choisie});
            QTest::mousePress(&V().CadrephotoVerre, Qt::LeftButton, {}, QPoint(2, 2));
        }
        QCOMPARE(Valeur("SELECT Image From Verre where NVerre = 2").toString(), choisie);
        // The absolute path stored loads again.
        F().Liste.Select(F().Liste.Find("N  1"));
        F().Liste_Click();
        F().Liste.Select(F().Liste.Find("N  2"));
        F().Liste_Click();
        QVERIFY(!V().PhotoVerre.Picture().isNull());
        {
            platform::CommonDialogSeam::Scripted dialogue({QString()});
            V().PhotoVerre.show();
            QTest::mousePress(&V().PhotoVerre, Qt::LeftButton, {}, QPoint(1, 1));
            QCOMPARE(platform::CommonDialogSeam::Calls().size(), 1);
        }
        QCOMPARE(Valeur("SELECT Image From Verre where NVerre = 2").toString(), choisie);
        platform::MenuSeam::Enable();
        platform::MenuSeam::Choose(QString());
        QTest::mousePress(&V().PhotoVerre, Qt::RightButton, {}, QPoint(1, 1));
        platform::MenuSeam::Disable();
        QCOMPARE(F().CadreMenuPhoto, 1);
    }

    // ------------------------------------------------- failing writes

    void texteNonEcritResteDansLaBoite() {
        Demarrer();
        Montrer(11);
        R().Saisie[0]->TypeIt("ok");
        Reussir();
        const int avant = Messages();
        {
            Verrou v(fx->DbFile());
            R().Saisie[0]->TypeIt("okx");
            R().Saisie[0]->TypeIt("okxy");
            // One message, not one per key.
            QCOMPARE(Messages(), avant + 1);
            QVERIFY(
                platform::MessageSeam::Calls().last().prompt.contains("pas pu être enregistrée"));
        }
        QCOMPARE(R().Saisie[0]->Text(), QString("okxy"));
        QCOMPARE(Champ(11, "preparation").toString(), QString("ok"));
        R().Saisie[0]->TypeIt("okxyz");
        QCOMPARE(Champ(11, "preparation").toString(), QString("okxyz"));
        {
            Verrou v(fx->DbFile());
            R().Saisie[0]->TypeIt("okxyz!");
        }
        // After a write that worked, a new failure is told again.
        QCOMPARE(Messages(), avant + 2);
        R().Saisie[0]->TypeIt("fin");
    }

    // A disk that is full, or a folder that became read-only, refuses the
    // write in French words; the file stays as it was, with no journal.
    void disquePleinOuLectureSeule_data() {
        QTest::addColumn<bool>("plein");
        QTest::addColumn<QString>("raison");
        QTest::newRow("disque plein") << true << "le disque est plein";
        QTest::newRow("lecture seule") << false << "en lecture seule";
    }
    void disquePleinOuLectureSeule() {
        QFETCH(bool, plein);
        QFETCH(QString, raison);
        Demarrer();
        Montrer(11);
        std::unique_ptr<PetitDisque> disque;
        QString dossier = fx->Dir();
        if (plein || ::geteuid() == 0) {
            // Root writes through permissions: only a file system of its
            // own can be full or read-only for it.
            disque = std::make_unique<PetitDisque>(4 << 20);
            if (!disque->Pret()) QSKIP(qPrintable("no small disk here: " + disque->Pourquoi()));
            dossier = disque->Dir();
            QVERIFY(QFile::copy(fx->DbFile(), dossier + "/db.mdb"));
            qputenv("BRIVANTA_DOSSIER", dossier.toUtf8());
        }
        const QString fichier = dossier + "/db.mdb";
        TaperALaFin(*R().Saisie[0], "e");
        QCOMPARE(Octets(fichier, 11, "preparation"), QByteArray("Pilere"));
        const int avant = Messages();
        if (plein)
            QVERIFY(disque->Remplir());
        else if (disque)
            QVERIFY(disque->LectureSeule());
        else
            QVERIFY(QFile::setPermissions(fichier, QFileDevice::ReadOwner) &&
                    QFile::setPermissions(dossier, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        const QByteArray octets = Fixture::ReadFile(fichier);
        TaperALaFin(*R().Saisie[0], "s");
        QCOMPARE(Messages(), avant + 1);
        const QString message = platform::MessageSeam::Calls().last().prompt;
        QVERIFY2(message.contains("pas pu être enregistrée") && message.contains(raison),
                 qPrintable(message));
        for (const char* anglais : {"database", "disk", "readonly", "attempt", "SELECT", "UPDATE"})
            QVERIFY2(!message.contains(anglais, Qt::CaseInsensitive), qPrintable(message));
        QCOMPARE(R().Saisie[0]->Text(), QString("Pileres"));
        QCOMPARE(Fixture::ReadFile(fichier), octets);
        QVERIFY(!QFile::exists(fichier + "-journal"));
        if (!disque)
            QFile::setPermissions(
                dossier, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("BRIVANTA_DOSSIER", fx->Dir().toUtf8());
    }

    void niveauNonEcritRevientAuStocke() {
        Demarrer();
        Montrer(11);
        R().Data[2].ClickIt();
        const QString mot = R().Data[2].Caption();
        const QString tag = R().Data[2].Tag;
        Reussir();
        const int avant = Messages();
        {
            Verrou v(fx->DbFile());
            R().LCout.PickIt(5);
        }
        QCOMPARE(Messages(), avant + 1);
        QCOMPARE(R().Data[2].Caption(), mot);
        QCOMPARE(R().Data[2].Tag, tag);
        QCOMPARE(R().LCout.ListIndex(), 2);
        QVERIFY(R().LCout.Visible());
        QCOMPARE(Champ(11, "Cout").toLongLong(), 2);
        R().LCout.PickIt(5);
        QCOMPARE(Champ(11, "Cout").toLongLong(), 5);
    }

    void choixNonEcritLaisseLaListeOuverte() {
        Demarrer();
        Montrer(11);
        R().Data[6].ClickIt();
        Taper(R().LCategorie, "Tiki");
        Reussir();
        const int avant = Messages();
        {
            Verrou v(fx->DbFile());
            Entree(R().LCategorie);
        }
        QCOMPARE(Messages(), avant + 1);
        QCOMPARE(R().Data[6].Caption(), QString("Tropical"));
        QVERIFY(R().LCategorie.Visible());
        QCOMPARE(Compte("Categorie"), 2);
        Entree(R().LCategorie);
        QCOMPARE(Champ(11, "NCategorie").toLongLong(), 3);
    }

    // The new entry and the write that uses it land together: when the
    // recipe cannot take it, no stray entry is left behind.
    void nouvelleEntreeSansEcritureNeRestePas() {
        Demarrer();
        Montrer(11);
        Executer(
            "CREATE TRIGGER non BEFORE UPDATE ON Cocktails "
            "BEGIN SELECT RAISE(ABORT, 'non'); END");
        Executer(
            "CREATE TRIGGER non2 BEFORE INSERT ON Ingre "
            "BEGIN SELECT RAISE(ABORT, 'non'); END");
        R().Data[6].ClickIt();
        Taper(R().LCategorie, "Tiki");
        Entree(R().LCategorie);
        QCOMPARE(Compte("Categorie"), 2);
        R().Ingre[0].ClickIt();
        const long long ingredients = Compte("Ingredient");
        Taper(R().LIngre, "Sirop de rose");
        R().LIngre.AddItem("Sirop de rose");
        Choisir(R().LIngre, "Sirop de rose");
        QCOMPARE(Compte("Ingredient"), ingredients);
        QCOMPARE(Lignes(11), (QList<Ligne>{{0, 0, 2}, {1, 1, 1}, {2, 1, 3}}));
    }

    void ligneNonEcriteInchangee() {
        Demarrer();
        Montrer(11);
        R().Ingre[0].ClickIt();
        Reussir();
        const int avant = Messages();
        {
            Verrou v(fx->DbFile());
            Choisir(R().LIngre, "Tequila");
        }
        QCOMPARE(Messages(), avant + 1);
        QCOMPARE(R().Ingre[0].Caption(), QString("Rhum blanc"));
        QCOMPARE(R().Ingre[0].Tag, QString("1"));
        QVERIFY(R().LIngre.Visible());
        QCOMPARE(Lignes(11), (QList<Ligne>{{0, 0, 2}, {1, 1, 1}, {2, 1, 3}}));
        Choisir(R().LIngre, "Tequila");
        QCOMPARE(Lignes(11), (QList<Ligne>{{0, 0, 2}, {1, 1, 4}, {2, 1, 3}}));
    }

    void photoNonEnregistreeRetireeDuCadre_data() {
        QTest::addColumn<bool>("verre");
        QTest::newRow("recette") << false;
        QTest::newRow("verre") << true;
    }
    void photoNonEnregistreeRetireeDuCadre() {
        QFETCH(bool, verre);
        Demarrer(verre ? 2 : 0);
        if (verre) {
            F().Liste.Select(F().Liste.Find("N  2"));
            F().Liste_Click();
        } else {
            Montrer(12);
        }
        platform::PictureBox& photo = verre ? V().PhotoVerre : R().Photo;
        platform::Panel& cadre = verre ? V().CadrephotoVerre : R().CadrePhoto;
        QVERIFY(photo.Picture().isNull());
        Reussir();
        const QByteArray avant = Fixture::ReadFile(fx->DbFile());
        const int messages = Messages();
        {
            platform::CommonDialogSeam::Scripted dialogue({Image(fx->Dir() + "/p.JPG")});
            Verrou v(fx->DbFile());
            QTest::mousePress(&cadre, Qt::MiddleButton, {}, QPoint(2, 2));
            QCOMPARE(platform::CommonDialogSeam::Calls().size(), 1);
        }
        QCOMPARE(Messages(), messages + 1);
        QVERIFY(photo.Picture().isNull());
        QCOMPARE(cadre.Caption(), QString("Pas de photo"));
        QCOMPARE(Fixture::ReadFile(fx->DbFile()), avant);
        // Chosen again with the file free, it is stored.
        {
            platform::CommonDialogSeam::Scripted dialogue({fx->Dir() + "/p.JPG"});
            QTest::mousePress(&cadre, Qt::LeftButton, {}, QPoint(2, 2));
        }
        QVERIFY(!photo.Picture().isNull());
        if (verre)
            QCOMPARE(Valeur("SELECT Image From Verre where NVerre = 2").toString(),
                     fx->Dir() + "/p.JPG");
        else
            QVERIFY(Champ(12, "Photo").toString().contains('#'));
    }

    void contenanceNonEcrite() {
        Demarrer(2);
        F().Liste.Select(F().Liste.Find("N  1"));
        F().Liste_Click();
        V().Contenance.ClickIt();
        Reussir();
        const int avant = Messages();
        {
            Verrou v(fx->DbFile());
            V().SaisieContenance.TypeIt("50 cl");
        }
        QCOMPARE(Messages(), avant + 1);
        QCOMPARE(V().Contenance.Caption(), QString("30 cl"));
        QCOMPARE(V().SaisieContenance.Text(), QString("50 cl"));
        V().SaisieContenance.TypeIt("50 cl.");
        QCOMPARE(Valeur("SELECT Contenance From Verre where NVerre = 1").toString(),
                 QString("50 cl."));
    }
};

QTEST_MAIN(TestEditors)
#include "test_editors.moc"
