// The tips window: its lexicon read from a real collection file, and its
// pages shown in the embedded browser.
#include <QDir>
#include <QSignalSpy>
#include <QtTest>

#include "card/Astuces.h"
#include "db/Schema.h"
#include "platform/MessageBox.h"
#include "platform/Modal.h"
#include "shell/Frmmain.h"
#include "shell/General.h"
#include "shell/Pop.h"
#include "support/Fixture.h"

namespace {

// Ordered by explanation, descending: Dry, Zeste, Trait d'amer, Bitter, and
// last the word without explanation.
// (One apostrophe is a JSON escape: moc reads raw strings as plain code.)
const char* kSeed = R"({
  "recettes": [{"nom": "Mojito"}],
  "lexique": [
    {"mot": "Bitter", "info": "Alcool amer aux plantes."},
    {"mot": "  Trait d'amer ", "info": "Bouchon verseur, quelques gouttes."},
    {"mot": "Trait d'amer", "info": "Deux ou trois gouttes d\u0027un bitter."},
    {"mot": "Zeste", "info": "Ruban d'écorce d'agrume."},
    {"mot": "Dry", "info": "Sec, peu sucré."},
    {"mot": "Vide"},
    {"info": "Une explication sans mot."}
  ]})";

Frmmain& F() {
    return Frmmain::Instance();
}

// The tips pages of the program, beside the collection.
void CopierPages(const QString& dir) {
    const QString source =
        QFileInfo(QStringLiteral(BRIVANTA_SEED)).dir().absoluteFilePath("../astuces");
    QDir().mkpath(dir + "/astuces");
    for (const char* f : {"shaker.htm", "trucs-astuces.htm", "equivalences.htm"})
        Fixture::WriteFile(dir + "/astuces/" + f, Fixture::ReadFile(source + "/" + f));
}

struct Started {
    Fixture fx;
    explicit Started(const char* seed = kSeed) {
        fx.WriteSeed(seed);
        CopierPages(fx.Dir());
        if (!fx.StartMain()) qFatal("start-up failed");
    }
};

Astuces& Ouvrir() {
    F().Outils[11]->ClickIt();
    return Astuces::Instance();
}

void Cliquer(Astuces& w, const QString& mot) {
    platform::ListItem* it = w.Lexique.Find("A" + mot);
    QVERIFY(it);
    w.Lexique.scrollToItem(it);
    QTest::mouseClick(w.Lexique.viewport(), Qt::LeftButton, {},
                      w.Lexique.visualItemRect(it).center());
    QCOMPARE(w.Lexique.SelectedItem(), it);
}

// Shows the page of a button and waits until the browser has it.
bool Page(Astuces& w, int bouton) {
    QSignalSpy done(&w.WB, &platform::WebBrowser::DocumentComplete);
    w.Btn[bouton]->ClickIt();
    return done.wait(30000);
}

}  // namespace

class TestAstuces : public QObject {
    Q_OBJECT
private slots:
    void firstShowing() {
        Started s;
        Astuces& w = Ouvrir();
        QCOMPARE(platform::ModalSeam::Shown(), QStringList{"Astuces"});
        QCOMPARE(int(General::FenetreReduite), 4);
        QCOMPARE(w.Titre[2]->Caption(),
                 QString("Astuces et Conseils pour bien réussir son cocktail"));
        QCOMPARE(w.Btn[2]->toolTip(), QString("Lexique"));
        QCOMPARE(w.Btn[3]->toolTip(), QString("Convertisseur"));
        QCOMPARE(w.Btn[0]->toolTip(), QString("Réalisation"));
        QCOMPARE(w.Btn[1]->toolTip(), QString("Décoration"));
        QCOMPARE(w.Lib[0]->Caption(), QString("Liste des mots"));
        QCOMPARE(w.Lib[2]->Caption(), QString("Description"));
        // A word stored twice (once with blanks) is listed once, trimmed; a
        // row without a word is left out.
        QCOMPARE(Fixture::Texts(w.Lexique),
                 (QStringList{"Dry", "Zeste", "Trait d'amer", "Bitter", "Vide"}));
        QCOMPARE(w.Lexique.Item(3)->Key(), QString("ATrait d'amer"));
        QCOMPARE(w.Lib[1]->Caption(), QString(" 5 mots ..."));
        QCOMPARE(w.Lexique.SelectedItem(), w.Lexique.Item(1));
        QCOMPARE(w.Info.Caption(), QString("Sec, peu sucré."));
        QCOMPARE(w.Lexique.columnCount(), 1);
        QCOMPARE(w.Lexique.headerItem()->text(0), QString("Titre"));
        QVERIFY(w.Plateau.isVisible());
        QVERIFY(!w.WB.isVisible());
        // The lexicon panel lies exactly over the browser, under the bar.
        QCOMPARE(w.WB.Top(), w.Barre.Top() + w.Barre.Height());
        QCOMPARE(w.WB.Left(), -10.0);
        QCOMPARE(w.Plateau.Left(), 0.0);
        QCOMPARE(w.Plateau.Top(), w.WB.Top());
        QCOMPARE(w.Plateau.Width(), w.WB.Width());
        QCOMPARE(w.Plateau.Height(), w.WB.Height());
    }

    void clickingWords() {
        Started s;
        Astuces& w = Ouvrir();
        Cliquer(w, "Trait d'amer");
        QCOMPARE(w.Info.Caption(), QString("Deux ou trois gouttes d'un bitter."));
        Cliquer(w, "Dry");
        QCOMPARE(w.Info.Caption(), QString("Sec, peu sucré."));
        // A word without explanation shows an empty one.
        Cliquer(w, "Vide");
        QCOMPARE(w.Info.Caption(), QString());
        Cliquer(w, "Bitter");
        QCOMPARE(w.Info.Caption(), QString("Alcool amer aux plantes."));
        // A word gone from the table leaves the explanation as it was.
        {
            auto d = db::OpenDb();
            d.Execute("DELETE FROM lexique WHERE Mot = 'Zeste'");
        }
        Cliquer(w, "Zeste");
        QCOMPARE(w.Info.Caption(), QString("Alcool amer aux plantes."));
    }

    // A stored word and explanation read as typed: tags, entities and a
    // lone "<" are text, not markup.
    void storedTextShownAsTyped() {
        Started s(R"({"recettes": [{"nom": "Mojito"}],
          "lexique": [{"mot": "Zeste"},
                      {"mot": "<i>Gras</i> & co", "info": "<b>gras</b> … &amp; <"}]})");
        Astuces& w = Ouvrir();
        const QString mot = "<i>Gras</i> & co";
        const QString info = QString::fromUtf8("<b>gras</b> … &amp; <");
        QCOMPARE(Fixture::Texts(w.Lexique), (QStringList{mot, "Zeste"}));
        Cliquer(w, "Zeste");
        QCOMPARE(w.Info.Caption(), QString());
        Cliquer(w, mot);
        QCOMPARE(w.Info.Caption(), info);
        // What the label holds for the user to select and copy.
        w.Info.setSelection(0, int(info.size()));
        QCOMPARE(w.Info.selectedText(), info);
        w.Info.setSelection(0, 0);
        // What it draws: one line of the text with its tags, as wide as the
        // plain text is in the label's font.
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QImage img = w.Info.grab().toImage();
        const QColor encre = w.Info.ForeColor();
        int droite = -1, bas = -1;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QColor p = img.pixelColor(x, y);
                if (std::abs(p.red() - encre.red()) + std::abs(p.green() - encre.green()) +
                        std::abs(p.blue() - encre.blue()) <
                    90) {
                    droite = std::max(droite, x);
                    bas = std::max(bas, y);
                }
            }
        const QFontMetrics fm(w.Info.font());
        const int attendu = w.Info.margin() + fm.horizontalAdvance(info);
        QVERIFY2(std::abs(droite - attendu) <= fm.averageCharWidth(),
                 qPrintable(QString("%1 / %2").arg(droite).arg(attendu)));
        QVERIFY(bas < w.Info.margin() + 2 * fm.height());
    }

    void emptyLexicon() {
        Started s(R"({"recettes": [{"nom": "Mojito"}]})");
        Astuces& w = Ouvrir();
        QCOMPARE(w.Lexique.Count(), 0);
        QCOMPARE(w.Lib[1]->Caption(), QString(" 0 mots ..."));
        QCOMPARE(w.Info.Caption(), QString());
    }

    void unreadableCollection() {
        Started s;
        QVERIFY(QFile::remove(s.fx.DbFile()));
        Astuces& w = Ouvrir();
        QCOMPARE(platform::MessageSeam::Calls().size(), 1);
        QVERIFY(w.isVisible());
        QCOMPARE(w.Lexique.Count(), 0);
        QVERIFY(Page(w, 0));
        QCOMPARE(w.WB.LocationName(), QString("Réaliser un cocktail"));
    }

    void pages_data() {
        QTest::addColumn<int>("bouton");
        QTest::addColumn<QString>("fichier");
        QTest::addColumn<QString>("titre");
        QTest::newRow("Réalisation") << 0 << "shaker.htm"
                                     << "Réaliser un cocktail";
        QTest::newRow("Décoration") << 1 << "trucs-astuces.htm"
                                    << "Décoration et service";
        QTest::newRow("Convertisseur") << 3 << "equivalences.htm"
                                       << "Convertisseur de mesures";
    }
    void pages() {
        QFETCH(int, bouton);
        QFETCH(QString, fichier);
        QFETCH(QString, titre);
        Started s;
        Astuces& w = Ouvrir();
        Cliquer(w, "Dry");
        QVERIFY(Page(w, bouton));
        QVERIFY(!w.Btn[bouton]->Value());
        QVERIFY(w.WB.isVisible());
        QVERIFY(!w.Plateau.isVisible());
        QCOMPARE(w.WB.LocationURL(),
                 QUrl::fromLocalFile(s.fx.Dir() + "/astuces/" + fichier).toString());
        QCOMPARE(w.WB.LocationName(), titre);

        // Back to the lexicon, with the last explanation still there.
        w.Btn[2]->ClickIt();
        QVERIFY(!w.Btn[2]->Value());
        QVERIFY(w.Plateau.isVisible());
        QVERIFY(!w.WB.isVisible());
        QCOMPARE(w.Info.Caption(), QString("Sec, peu sucré."));
        // The browser keeps its page while hidden.
        QCOMPARE(w.WB.LocationName(), titre);
    }

    // A page missing from the application folder is told of in French.
    void missingPage() {
        Started s;
        QFile::remove(s.fx.Dir() + "/astuces/equivalences.htm");
        Astuces& w = Ouvrir();
        QVERIFY(Page(w, 3));
        QVERIFY(w.WB.isVisible());
        QCOMPARE(w.WB.LocationName(), QString("Page introuvable"));
        QCOMPARE(w.WB.LocationURL(),
                 QUrl::fromLocalFile(s.fx.Dir() + "/astuces/equivalences.htm").toString());
        // The pages that are there still show.
        QVERIFY(Page(w, 0));
        QCOMPARE(w.WB.LocationName(), QString("Réaliser un cocktail"));
    }

    void quitOnlyHides() {
        Started s;
        Astuces& w = Ouvrir();
        Cliquer(w, "Bitter");
        QVERIFY(Page(w, 1));
        w.Quit.ClickIt();
        QVERIFY(!w.isVisible());
        QVERIFY(!w.Quit.Value());
        QVERIFY(Astuces::Loaded());
        // The lexicon is not read again at the next showing.
        {
            auto d = db::OpenDb();
            d.Execute("INSERT INTO lexique VALUES ('Shaker', 'Zzz')");
        }
        Astuces& again = Ouvrir();
        QCOMPARE(&again, &w);
        QVERIFY(w.isVisible());
        QCOMPARE(w.Lexique.Count(), 5);
        QCOMPARE(w.Lexique.columnCount(), 1);
        QCOMPARE(w.Lexique.SelectedItem()->Text(), QString("Bitter"));
        QVERIFY(w.WB.isVisible());
        QCOMPARE(w.WB.LocationName(), QString("Décoration et service"));
        QCOMPARE(platform::ModalSeam::Shown(), (QStringList{"Astuces", "Astuces"}));

        // Minimised and restored, it keeps them too.
        w.Mini.ClickIt();
        QCOMPARE(int(General::FenetreReduite), 4);
        QVERIFY(!w.isVisible());
        Pop::Instance().Restaurer();
        QCOMPARE(&Astuces::Instance(), &w);
        QVERIFY(w.isVisible());
        QCOMPARE(w.Info.Caption(), QString("Alcool amer aux plantes."));
    }

    // The pages written for the program are whole and stand alone.
    void pagesOfTheProgram() {
        const QString source =
            QFileInfo(QStringLiteral(BRIVANTA_SEED)).dir().absoluteFilePath("../astuces");
        for (const char* f : {"shaker.htm", "trucs-astuces.htm", "equivalences.htm"}) {
            const QString html = QString::fromUtf8(Fixture::ReadFile(source + "/" + f));
            QVERIFY2(html.contains("<html lang=\"fr\">"), qPrintable(f));
            QVERIFY2(html.trimmed().endsWith("</html>"), qPrintable(f));
            // Nothing runs and nothing is fetched from elsewhere.
            QVERIFY2(!html.contains("<script", Qt::CaseInsensitive), qPrintable(f));
            QVERIFY2(!html.contains("http:", Qt::CaseInsensitive), qPrintable(f));
            QVERIFY2(!html.contains("https:", Qt::CaseInsensitive), qPrintable(f));
            QVERIFY2(!html.contains("src=", Qt::CaseInsensitive), qPrintable(f));
        }
    }

    void sampleLexicon() {
        Fixture fx;
        fx.WriteSample();
        CopierPages(fx.Dir());
        QVERIFY(fx.StartMain());
        Astuces& w = Ouvrir();
        QVERIFY(w.Lexique.Count() >= 60);
        QCOMPARE(w.Lib[1]->Caption(), " " + QString::number(w.Lexique.Count()) + " mots ...");
        QVERIFY(!w.Info.Caption().isEmpty());
        Cliquer(w, "Sirop d'orgeat");
        QVERIFY(w.Info.Caption().startsWith("Sirop d'amande"));
    }
};

QTEST_MAIN(TestAstuces)
#include "test_astuces.moc"
