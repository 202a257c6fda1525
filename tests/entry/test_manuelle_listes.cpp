// The lists of « Création Recette » on the user's road: real clicks on the
// lists' arrows and entries, over the sample collection.
#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QScreen>
#include <QtTest>

#include "entry/Manuelle.h"
#include "platform/Controls.h"
#include "shell/Frmmain.h"
#include "support/Fixture.h"
#include "support/ListeOuverte.h"

namespace {

Frmmain& F() {
    return Frmmain::Instance();
}
Manuelle& M() {
    return Manuelle::Instance();
}

// Keys typed into a list after a click on its own field.
void Taper(platform::ComboBox& l, const QString& texte) {
    QTest::mouseClick(l.lineEdit(), Qt::LeftButton);
    QTRY_VERIFY(l.hasFocus());
    QTest::keyClick(&l, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(&l, texte);
    QCOMPARE(l.Text(), texte);
}

// What the form holds: the levels, the lookup texts and the cells.
QStringList Formulaire() {
    QStringList out;
    for (auto& l : M().Liste)
        out << (l->isEditable() ? l->Text() : QString::number(l->ListIndex()));
    for (int i = 0; i < Creation::kLignes; ++i) {
        const size_t k = static_cast<size_t>(i);
        out << M().Qte[k]->Text() + u'|' + M().Qte2[k]->Text() + u'|' + M().Ingre[k]->Text();
    }
    return out;
}


}  // namespace

class TestManuelleListes : public QObject {
    Q_OBJECT

    std::unique_ptr<Fixture> fx;

    void Ouvrir() {
        fx = std::make_unique<Fixture>();
        QVERIFY(fx->StartSampleOnScreen());
        QTest::mouseClick(F().Outils[0].get(), Qt::LeftButton);
        QVERIFY(Manuelle::Loaded() && M().isVisible());
        QApplication::setActiveWindow(&M());
        QTRY_VERIFY(M().isActiveWindow());
    }

private slots:
    void cleanup() {
        if (Manuelle::Loaded()) Manuelle::Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        fx.reset();
    }

    // Each list opened to look at its entries and closed again changes
    // nothing in the form, even over a typed text that names an entry: the
    // pick-list laid over a line stays there and no cell takes a text.
    void ouvrirUneListeNeChangeRien() {
        Ouvrir();
        Manuelle& m = M();
        // A quantity typed on line 0, the list then moved to line 1.
        QTest::mouseClick(m.Qte[0]->Editor(), Qt::LeftButton);
        QVERIFY(m.LQte.isVisible());
        Taper(m.LQte, "6");
        QCOMPARE(m.Qte[0]->Text(), QString("6"));
        QTest::mouseClick(m.Qte[1]->Editor(), Qt::LeftButton);
        QCOMPARE(m.LQte.Tag, QString("1"));
        // Laid over line 1 the list shows that line's text; a quantity
        // typed there too.
        QCOMPARE(m.LQte.Text(), m.Qte[1]->Text());
        Taper(m.LQte, "6");
        QCOMPARE(m.Qte[1]->Text(), QString("6"));
        const QStringList avant = Formulaire();
        for (platform::ComboBox* l :
             {&m.LQte, m.Liste[0].get(), m.Liste[1].get(), m.Liste[2].get()}) {
            Fixture::OpenList(*l);
            Fixture::CloseList(*l);
            QCOMPARE(Formulaire(), avant);
            QVERIFY2(m.LQte.isVisible(), qPrintable(l->accessibleName()));
        }
        // A lookup list opened over a text typed there, which names another
        // entry than the one it stood on.
        const std::pair<int, const char*> tapes[] = {
            {3, "Digestif"}, {4, "Coupe"}, {5, "Au shaker"}};
        for (auto [i, texte] : tapes) {
            platform::ComboBox& l = *m.Liste[static_cast<size_t>(i)];
            Taper(l, QString::fromUtf8(texte));
            Fixture::OpenList(l);
            Fixture::CloseList(l);
            QCOMPARE(l.Text(), QString::fromUtf8(texte));
            QVERIFY2(m.LQte.isVisible(), qPrintable(l.accessibleName()));
        }
        // The entry clicked is the user's choice.
        Fixture::OpenList(m.LQte);
        Fixture::ClickListEntry(m.LQte, "3");
        QCOMPARE(m.Qte[1]->Text(), QString("3"));
        QCOMPARE(m.Qte[0]->Text(), QString("6"));
    }

    // The open measure list reads every unit apart: the ones that differ at
    // their end ("cuillère à café", "cuillères à café") are not cut there.
    void laListeDesMesuresSeLitEntiere() {
        Ouvrir();
        Manuelle& m = M();
        QTest::mouseClick(m.Qte2[0]->Editor(), Qt::LeftButton);
        QVERIFY(m.LQte2.isVisible());
        Fixture::OpenList(m.LQte2);
        QAbstractItemView* v = m.LQte2.view();
        int longues = 0;
        for (int i = 0; i < m.LQte2.count(); ++i) {
            const QString texte = m.LQte2.itemText(i);
            if (texte.startsWith(QStringLiteral("cuill"))) ++longues;
            QVERIFY2(Lisible(*v, i), qPrintable(texte));
        }
        QVERIFY(longues >= 2);
        QVERIFY(m.LQte2.screen()->availableGeometry().contains(v->window()->geometry()));
        Fixture::CloseList(m.LQte2);
    }
};

QTEST_MAIN(TestManuelleListes)
#include "test_manuelle_listes.moc"
