// Every caption of every window reads whole on the screen it runs on: each
// label, picture button and drop-down list shown, measured in the font it is
// drawn in, lies whole inside its box and inside the part of it that no
// control covers. The suite runs on an 800×600 and a 1024×768 screen.
#include <QApplication>
#include <QScreen>
#include <QtTest>

#include "card/FicheAlbum.h"
#include "entry/Manuelle.h"
#include "platform/Controls.h"
#include "platform/Modal.h"
#include "recipe_view/CadreRecette.h"
#include "shell/DialogFrame.h"
#include "shell/Fenetres.h"
#include "shell/Frmmain.h"
#include "shell/Patch.h"
#include "support/Fixture.h"

namespace {

Frmmain& F() {
    return Frmmain::Instance();
}

QString Nom(const QWidget* w) {
    QString n = QString::fromLatin1(w->metaObject()->className());
    for (const QWidget* p = w->parentWidget(); p && !p->isWindow(); p = p->parentWidget())
        if (!p->objectName().isEmpty()) return n + QStringLiteral(" in ") + p->objectName();
    return n;
}

// The captions of the window that do not read whole, each with where and why.
QStringList Coupees(QWidget& window) {
    QStringList out;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&window)) continue;
        QString text;
        QRect box;
        int flags = 0;
        QRegion visible(w->rect());
        if (auto* l = qobject_cast<platform::Label*>(w)) {
            if (l->textFormat() == Qt::RichText ||
                (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(l->text())))
                continue;
            text = l->text();
            box = l->BoiteTexte();
            flags = static_cast<int>(l->alignment()) | (l->wordWrap() ? Qt::TextWordWrap : 0);
            // A label draws only its mask, and gives way to every control
            // over it.
            if (!l->mask().isEmpty()) visible = l->mask();
            const QPoint at = l->mapTo(&window, QPoint());
            for (QWidget* o : window.findChildren<QWidget*>())
                if (o->isVisibleTo(&window) && platform::PrendLaSouris(o)) {
                    QRect r(o->mapTo(&window, QPoint()), o->size());
                    for (QWidget* p = o->parentWidget(); p && p != &window; p = p->parentWidget())
                        r &= QRect(p->mapTo(&window, QPoint()), p->size());
                    visible -= r.translated(-at);
                }
        } else if (auto* b = qobject_cast<platform::PictureButton*>(w)) {
            text = b->text();
            box = b->BoiteTexte();
            flags = b->TextFlags;
        } else if (auto* c = qobject_cast<platform::ComboBox*>(w)) {
            // A list one types in shows its text as a text box does.
            if (c->isEditable()) continue;
            text = c->currentText();
            box = c->BoiteTexte();
            flags = Qt::AlignLeft | Qt::AlignVCenter;
        } else {
            continue;
        }
        // Nothing to read, or the dotted filler of an empty ingredient cell.
        if (text.trimmed().isEmpty() || text.count(u'.') == text.size()) continue;
        const QRect drawn = QFontMetrics(w->font()).boundingRect(box, flags, text);
        QString why;
        if (!box.contains(drawn))
            why = QStringLiteral("%1×%2 px of text in a %3×%4 box")
                      .arg(drawn.width())
                      .arg(drawn.height())
                      .arg(box.width())
                      .arg(box.height());
        else if (!QRegion(drawn).subtracted(visible).isEmpty())
            why = QStringLiteral("partly hidden (text at %1,%2 %3×%4)")
                      .arg(drawn.x())
                      .arg(drawn.y())
                      .arg(drawn.width())
                      .arg(drawn.height());
        if (!why.isEmpty())
            out << QStringLiteral("« %1 » (%2, %3 pt): %4")
                       .arg(text.left(60), Nom(w))
                       .arg(w->font().pointSizeF())
                       .arg(why);
    }
    return out;
}

void Verifier(QWidget& window, const QString& where, QStringList& all) {
    QCoreApplication::processEvents();
    for (const QString& c : Coupees(window)) all << where + QStringLiteral(": ") + c;
}

// The main window as the program starts it on this screen.
bool Demarrer(Fixture& fx) {
    fx.WriteSample();
    const QSize s = QGuiApplication::primaryScreen()->geometry().size();
    return fx.StartMain(s.width() * 15.0, s.height() * 15.0);
}

// A real click on an entry of a list.
void Cliquer(platform::ListView& l, platform::ListItem* it) {
    l.scrollToItem(it);
    QTest::mouseClick(l.viewport(), Qt::LeftButton, {}, l.visualItemRect(it).center());
}

// Lists side by side that show the same word and draw it at different sizes,
// or larger than the window asked.
QStringList Inegales(const QList<platform::ComboBox*>& listes) {
    QStringList out;
    for (platform::ComboBox* a : listes) {
        if (a->font().pointSizeF() > a->Police().pointSizeF())
            out << QStringLiteral("« %1 » at %2 pt, larger than %3 pt")
                       .arg(a->Text())
                       .arg(a->font().pointSizeF())
                       .arg(a->Police().pointSizeF());
        for (platform::ComboBox* b : listes)
            if (a < b && a->Text() == b->Text() && a->font().pointSizeF() != b->font().pointSizeF())
                out << QStringLiteral("« %1 » at %2 pt in %3 and %4 pt in %5")
                           .arg(a->Text())
                           .arg(a->font().pointSizeF())
                           .arg(a->accessibleName())
                           .arg(b->font().pointSizeF())
                           .arg(b->accessibleName());
    }
    return out;
}

}  // namespace

class TestLegendes : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        const QSize s = QGuiApplication::primaryScreen()->geometry().size();
        qInfo("screen %dx%d", s.width(), s.height());
        QVERIFY(s == QSize(800, 600) || s == QSize(1024, 768));
    }

    // Every recipe of the sample collection in the recipe panel, with each
    // level list opened over its button as a click opens it.
    void recipePanel() {
        Fixture fx;
        QVERIFY(Demarrer(fx));
        QStringList cut;
        platform::ListView& l = F().Liste;
        QVERIFY(l.Count() > 50);
        for (int i = 1; i <= l.Count(); ++i) {
            Cliquer(l, l.Item(i));
            QCOMPARE(F().LTDroit.Caption(), l.Item(i)->Text());
            Verifier(F(), l.Item(i)->Text(), cut);
        }
        CadreRecette& r = F().Recette();
        for (int i : {2, 3, 4}) {
            QTest::mouseClick(&r.Data[i], Qt::LeftButton);
            for (platform::ComboBox* c : {&r.LCout, &r.LDiff, &r.LTeneur})
                if (c->isVisible())
                    for (int k = 0; k < c->ListCount(); ++k) {
                        c->SetListIndex(k);
                        Verifier(F(), QStringLiteral("level list ") + QString::number(i), cut);
                    }
        }
        cut.removeDuplicates();
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u'\n')));
    }

    // Every glass in the glass panel, and the lists of the other kinds.
    void listsAndGlassPanel() {
        Fixture fx;
        QVERIFY(Demarrer(fx));
        QStringList cut;
        for (int kind = 1; kind <= 6; ++kind) {
            QTest::mouseClick(F().Bouton[static_cast<size_t>(kind)].get(), Qt::LeftButton);
            platform::ListView& l = F().Liste;
            for (int i = 1; i <= l.Count(); ++i) {
                Cliquer(l, l.Item(i));
                Verifier(F(), QStringLiteral("kind %1, %2").arg(kind).arg(l.Item(i)->Text()), cut);
            }
        }
        cut.removeDuplicates();
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u'\n')));
    }

    // The recipe card, filled for every recipe.
    void recipeCard() {
        Fixture fx;
        QVERIFY(Demarrer(fx));
        QStringList cut;
        platform::ListView& l = F().Liste;
        for (int i = 1; i <= l.Count(); ++i) {
            Cliquer(l, l.Item(i));
            QTest::mouseClick(F().Outils[2].get(), Qt::LeftButton);
            FicheAlbum& c = FicheAlbum::Instance();
            QVERIFY(c.isVisible());
            Verifier(c, QStringLiteral("card of ") + l.Item(i)->Text(), cut);
            c.hide();
        }
        cut.removeDuplicates();
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u'\n')));
    }

    // The level lists of « Création Recette » side by side: one word reads
    // at one size in all that show it, whole in each, as the window opens
    // and as the arrow keys pick other words.
    void entryLevelListsShowOneWordAtOneSize_data() {
        QTest::addColumn<QList<int>>("downs");  // arrow presses in Coût, Difficulté, Teneur
        QTest::addColumn<QStringList>("words");
        const QString sc = QStringLiteral("Sans Commentaire");
        QTest::newRow("as opened") << QList<int>{0, 0, 0} << QStringList{sc, sc, sc};
        QTest::newRow("Coût moved") << QList<int>{4, 0, 0} << QStringList{"Cher", sc, sc};
        QTest::newRow("Teneur moved") << QList<int>{0, 0, 1} << QStringList{sc, sc, "Sans Alcool"};
        QTest::newRow("Moyen twice") << QList<int>{3, 0, 4} << QStringList{"Moyen", sc, "Moyen"};
        QTest::newRow("Faible twice") << QList<int>{0, 3, 3} << QStringList{sc, "Faible", "Faible"};
    }
    void entryLevelListsShowOneWordAtOneSize() {
        QFETCH(QList<int>, downs);
        QFETCH(QStringList, words);
        Fixture fx;
        QVERIFY(Demarrer(fx));
        QTest::mouseClick(F().Outils[0].get(), Qt::LeftButton);
        QCOMPARE(platform::ModalSeam::Shown(), QStringList{"Manuelle"});
        Manuelle& m = Manuelle::Instance();
        QVERIFY(m.isVisible());
        const QList<platform::ComboBox*> niveaux = {m.Liste[0].get(), m.Liste[1].get(),
                                                    m.Liste[2].get()};
        for (qsizetype i = 0; i < niveaux.size(); ++i) {
            for (int k = 0; k < downs[i]; ++k) QTest::keyClick(niveaux[i], Qt::Key_Down);
            QCOMPARE(niveaux[i]->Text(), words[i]);
        }
        QStringList faults = Inegales(niveaux);
        for (const QString& c : Coupees(m)) faults << c;
        Manuelle::Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    }

    // The level lists of the recipe panel each on its first word.
    void panelLevelListsShowOneWordAtOneSize() {
        Fixture fx;
        QVERIFY(Demarrer(fx));
        CadreRecette& r = F().Recette();
        const QList<platform::ComboBox*> niveaux = {&r.LCout, &r.LDiff, &r.LTeneur};
        for (platform::ComboBox* c : niveaux) c->SetListIndex(0);
        const QStringList faults = Inegales(niveaux);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    }

    // The other windows as they open.
    void windows_data() {
        QTest::addColumn<int>("code");
        QTest::newRow("Création Recette") << 0;
        QTest::newRow("Création facile") << 1;
        QTest::newRow("Acquisition") << 3;
        QTest::newRow("Astuces") << 4;
        QTest::newRow("Recherche") << 5;
        QTest::newRow("Splash") << 8;
        QTest::newRow("Patch") << -1;
    }
    void windows() {
        QFETCH(int, code);
        Fixture fx;
        QVERIFY(Demarrer(fx));
        QStringList cut;
        platform::ModalSeam::OnShow([&](QDialog& d) {
            Verifier(d, d.objectName(), cut);
            // The level lists of the entry window, on each of their words.
            if (code == 0)
                for (auto* c : d.findChildren<platform::ComboBox*>())
                    if (!c->isEditable() && c->isVisibleTo(&d))
                        for (int k = 0; k < c->ListCount(); ++k) {
                            c->SetListIndex(k);
                            Verifier(d, d.objectName(), cut);
                        }
        });
        if (code < 0)
            F().Anim2_DblClick();
        else
            QVERIFY(General::OuvrirFenetre(static_cast<short>(code)));
        QCOMPARE(platform::ModalSeam::Shown().size(), 1);
        cut.removeDuplicates();
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u'\n')));
    }
};

QTEST_MAIN(TestLegendes)
#include "test_legendes.moc"
