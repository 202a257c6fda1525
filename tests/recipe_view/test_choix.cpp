// The recipe panel's pick-lists on the user's road: real clicks on the
// cells, the lists' arrows and their entries, over the sample collection,
// with the file read back after each step.
#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTextDocument>
#include <QToolTip>
#include <QtTest>

#include "db/Schema.h"
#include "platform/Controls.h"
#include "recipe_view/CadreRecette.h"
#include "shell/Frmmain.h"
#include "support/Fixture.h"

namespace {

Frmmain& F() {
    return Frmmain::Instance();
}
CadreRecette& R() {
    return F().Recette();
}

// The ingredient lines of a recipe, as "quantity|unit|ingredient" texts.
QStringList Lignes(const QString& recette) {
    QStringList l =
        Fixture::Rows(QStringLiteral("SELECT coalesce(q.Quantite, ''), coalesce(m.Mesure, ''), "
                                     "coalesce(i.Ingredient, '') FROM Ingre l "
                                     "JOIN Cocktails c ON c.Numero = l.Numero "
                                     "LEFT JOIN Quantite q ON q.NQuantite = l.NQuantite "
                                     "LEFT JOIN Mesure m ON m.NMesure = l.NMesure "
                                     "LEFT JOIN Ingredient i ON i.NIngredient = l.NIngre "
                                     "WHERE c.Recette = '%1' ORDER BY 1, 2, 3")
                          .arg(recette));
    l.sort();
    return l;
}

// A real click on a control of the panel, scrolled into view first as the
// user would.
void Cliquer(QWidget& w, QPoint at = {}) {
    platform::ScrollPanel& s = R().Scroll;
    s.ensureWidgetVisible(&w, 0, 0);
    QTest::mouseClick(&w, Qt::LeftButton, {}, at.isNull() ? w.rect().center() : at);
}

}  // namespace

class TestChoix : public QObject {
    Q_OBJECT

    std::unique_ptr<Fixture> fx;

    void Demarrer() {
        fx = std::make_unique<Fixture>();
        QVERIFY(fx->StartSampleOnScreen());
    }

private slots:
    void cleanup() { fx.reset(); }

    // A list laid over a cell keeps what it showed last; opening it to look
    // at the entries is no pick, whatever it shows: only the entry then
    // clicked is written.
    void ouvrirUneListeDeLigneNEcritRien_data() {
        QTest::addColumn<int>("colonne");
        QTest::addColumn<QString>("premier");
        QTest::addColumn<QString>("montre");
        QTest::addColumn<QString>("ensuite");
        QTest::addColumn<QString>("ligneEcrite");
        QTest::newRow("ingrédient") << 2 << "Aperol"
                                    << "Campari"
                                    << "Cognac"
                                    << "3|cl|Cognac";
        QTest::newRow("quantité") << 0 << "6"
                                  << "3"
                                  << "4"
                                  << "4|cl|Campari";
        QTest::newRow("mesure") << 1 << "pincée"
                                << "cl"
                                << "traits"
                                << "3|traits|Campari";
    }
    void ouvrirUneListeDeLigneNEcritRien() {
        QFETCH(int, colonne);
        QFETCH(QString, premier);
        QFETCH(QString, montre);
        QFETCH(QString, ensuite);
        QFETCH(QString, ligneEcrite);
        Demarrer();
        platform::ComboBox& l = colonne == 0   ? R().LQuantite
                                : colonne == 1 ? R().LMesure
                                               : R().LIngre;
        auto cellules = [&]() -> platform::ControlArray<platform::PictureButton>& {
            return colonne == 0 ? R().Quantite : colonne == 1 ? R().Mesure : R().Ingre;
        };

        // A real pick on Alexander's spare row.
        Fixture::ClickEntry(F().Liste, "Alexander");
        Cliquer(cellules()[cellules().UBound()]);
        QVERIFY(l.isVisible());
        Fixture::OpenList(l);
        Fixture::ClickListEntry(l, premier);
        QCOMPARE(l.Text(), premier);
        QCOMPARE(Lignes("Alexander").size(), 6);

        // Americano's first line, then the arrow of the list laid over it.
        Fixture::ClickEntry(F().Liste, "Americano");
        const QStringList americano = Lignes("Americano");
        Cliquer(cellules()[0]);
        QVERIFY(l.isVisible());
        QCOMPARE(l.Text(), premier);
        const QByteArray avant = Fixture::ReadFile(fx->DbFile());
        Fixture::OpenList(l);
        QCOMPARE(cellules()[0].Caption(), montre);
        QCOMPARE(Fixture::ReadFile(fx->DbFile()), avant);

        // The entry clicked is the user's pick.
        Fixture::ClickListEntry(l, ensuite);
        QCOMPARE(cellules()[0].Caption(), ensuite);
        QStringList attendu = americano;
        attendu.replace(attendu.indexOf("3|cl|Campari"), ligneEcrite);
        attendu.sort();
        QCOMPARE(Lignes("Americano"), attendu);
    }

    // The attribute lists of the panel, opened to look at their entries and
    // closed again: nothing is written, even over a text typed and not
    // committed that names another entry.
    void ouvrirUneListeDAttributNEcritRien_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("tape");
        QTest::newRow("catégorie") << 6 << "Digestif";
        QTest::newRow("verre") << 0 << "Coupe";
        QTest::newRow("matériel") << 1 << "Au shaker";
        QTest::newRow("coût") << 2 << "";
        QTest::newRow("difficulté") << 3 << "";
        QTest::newRow("teneur") << 4 << "";
    }
    void ouvrirUneListeDAttributNEcritRien() {
        QFETCH(int, index);
        QFETCH(QString, tape);
        Demarrer();
        Fixture::ClickEntry(F().Liste, "Americano");
        platform::PictureButton& b = R().Data[index];
        const QString legende = b.Caption();
        Cliquer(b);
        platform::ComboBox* l = nullptr;
        for (platform::ComboBox* c :
             {&R().LVerre, &R().LMateriel, &R().LCout, &R().LDiff, &R().LTeneur, &R().LCategorie})
            if (c->isVisible()) l = c;
        QVERIFY(l);
        if (!tape.isEmpty()) {
            l->setFocus();
            QTest::keyClick(l, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(l, tape);
            QCOMPARE(l->Text(), tape);
        }
        const QByteArray avant = Fixture::ReadFile(fx->DbFile());
        Fixture::OpenList(*l);
        Fixture::CloseList(*l);
        QVERIFY(l->isVisible());
        QCOMPARE(b.Caption(), legende);
        QCOMPARE(Fixture::ReadFile(fx->DbFile()), avant);
    }

    // Scrolled down to the ingredient rows, a line committed by Enter or by
    // a pick leaves the panel where it was, the row on screen.
    void uneLigneEcriteLaisseLePanneauEnPlace() {
        Demarrer();
        Fixture::ClickEntry(F().Liste, "Americano");
        platform::ScrollPanel& s = R().Scroll;
        s.ensureWidgetVisible(&R().Ingre[R().Ingre.UBound()], 0, 0);
        const int position = s.verticalScrollBar()->value();
        QVERIFY(position > 0);
        auto enPlace = [&](const platform::PictureButton& cellule) {
            QCOMPARE(s.verticalScrollBar()->value(), position);
            const QRect r(cellule.mapTo(s.viewport(), QPoint()), cellule.size());
            QVERIFY(s.viewport()->rect().contains(r));
        };

        QTest::mouseClick(&R().Quantite[1], Qt::LeftButton);
        platform::ComboBox& q = R().LQuantite;
        QVERIFY(q.isVisible());
        QTest::mouseClick(q.lineEdit(), Qt::LeftButton);
        QTRY_VERIFY(q.hasFocus());
        QTest::keyClick(&q, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(&q, "5");
        QTest::keyClick(&q, Qt::Key_Return);
        QVERIFY(!q.isVisible());
        QCOMPARE(R().Quantite[1].Caption(), QString("5"));
        QVERIFY(Lignes("Americano").contains("5|cl|Vermouth rouge"));
        enPlace(R().Quantite[1]);
        if (QTest::currentTestFailed()) return;

        QTest::mouseClick(&R().Ingre[2], Qt::LeftButton);
        platform::ComboBox& i = R().LIngre;
        Fixture::OpenList(i);
        Fixture::ClickListEntry(i, "Cognac");
        QVERIFY(!i.isVisible());
        QVERIFY(Lignes("Americano").contains("||Cognac"));
        enPlace(R().Ingre[2]);
    }

    // A stored text shows as typed on a value field and in an ingredient
    // cell: its "&" is no shortcut, its tags are no markup, a screen reader
    // reads it whole.
    void unTexteStockeSeMontreTelQuel() {
        const QString texte = QStringLiteral("Apéro &Gin <b>Rhum</b> &amp; <i>blanc</i> < 3");
        Demarrer();
        {
            auto d = db::OpenDb();
            d.Execute(QStringLiteral("UPDATE Categorie SET Categorie = '%1' WHERE NCategorie = "
                                     "(SELECT NCategorie FROM Cocktails WHERE Recette = 'Americano')")
                          .arg(texte));
            d.Execute(QStringLiteral("UPDATE Ingredient SET Ingredient = '%1' WHERE NIngredient = "
                                     "(SELECT min(NIngre) FROM Ingre l JOIN Cocktails c ON "
                                     "c.Numero = l.Numero WHERE c.Recette = 'Americano')")
                          .arg(texte));
        }
        Fixture::ClickEntry(F().Liste, "Americano");
        platform::PictureButton& categorie = R().Data[6];
        QCOMPARE(categorie.Caption(), texte);
        QCOMPARE(categorie.accessibleName(), texte);
        QVERIFY(categorie.shortcut().isEmpty());
        platform::PictureButton* cellule = nullptr;
        for (int i = 0; i < R().Ingre.Count(); ++i)
            if (R().Ingre[i].Caption() == texte) cellule = &R().Ingre[i];
        QVERIFY(cellule);
        QCOMPARE(cellule->accessibleName(), texte);
        QCOMPARE(cellule->toolTip(), texte);

        // Alt with the letter after "&" opens nothing.
        const QByteArray avant = Fixture::ReadFile(fx->DbFile());
        QTest::keyClick(&F(), Qt::Key_G, Qt::AltModifier);
        QVERIFY(!R().LCategorie.isVisible());
        QCOMPARE(Fixture::ReadFile(fx->DbFile()), avant);

        // The tooltip the user sees reads the text itself.
        R().Scroll.ensureWidgetVisible(cellule, 0, 0);
        QHelpEvent aide(QEvent::ToolTip, cellule->rect().center(),
                        cellule->mapToGlobal(cellule->rect().center()));
        QApplication::sendEvent(cellule, &aide);
        QVERIFY(QTest::qWaitFor([] { return QToolTip::isVisible(); }));
        QTextDocument vu;
        vu.setHtml(QToolTip::text());
        QCOMPARE(vu.toPlainText(), texte);
        QToolTip::hideText();
    }
};

QTEST_MAIN(TestChoix)
#include "test_choix.moc"
