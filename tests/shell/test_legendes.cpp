// Every caption of every window reads whole on the screen it runs on: each
// label, picture button and drop-down list shown, measured in the font it is
// drawn in, lies whole inside its box and inside the part of it that no
// control covers. The suite runs on an 800×600 and a 1024×768 screen.
#include <QApplication>
#include <QScreen>
#include <QtTest>

#include "card/FicheAlbum.h"
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
