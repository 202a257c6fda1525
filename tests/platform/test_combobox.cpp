// Pick-lists: their events stand for what the user does, never for what
// the code does; a typed or pasted text stays whole.
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

#include "platform/ComboBox.h"
#include "platform/Resume.h"
#include "platform/TextBox.h"
#include "support/ListeOuverte.h"

using namespace platform;

namespace {
// A window that really takes the focus, with a pick-list and a second
// control to move the focus to.
struct Window {
    QWidget w;
    ComboBox combo{&w};
    TextBox other{&w};
    explicit Window(bool editable) {
        combo.SetEditable(editable);
        combo.setGeometry(10, 10, 150, 24);
        other.setGeometry(10, 50, 150, 24);
        w.resize(200, 200);
        w.show();
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        for (const char* s : {"Rhum blanc", "Sirop", "Vodka"}) combo.AddItem(s);
    }
};

}  // namespace

class TestComboBox : public QObject {
    Q_OBJECT
private slots:
    // An editable pick-list keeps a long text whole too, set by the code or
    // pasted by the user.
    void editableComboKeepsTheWholeText() {
        ComboBox combo;
        combo.SetEditable(true);
        combo.show();
        QString text;
        for (int i = 0; i < 40000; ++i) text += QChar(u'a' + i % 26);
        combo.SetText(text);
        QCOMPARE(combo.Text().size(), text.size());
        combo.SetText(QString());
        QApplication::clipboard()->setText(text);
        combo.lineEdit()->setFocus();
        QTest::keyClick(combo.lineEdit(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(combo.Text(), text);
    }

    void comboRaisesNothingWhileCodeFillsOrSetsIt_data() {
        QTest::addColumn<bool>("editable");
        QTest::newRow("drop-down list") << false;
        QTest::newRow("editable combo") << true;
    }
    void comboRaisesNothingWhileCodeFillsOrSetsIt() {
        QFETCH(bool, editable);
        Window win(editable);
        QSignalSpy click(&win.combo, &ComboBox::Click);
        QSignalSpy change(&win.combo, &ComboBox::Change);
        win.combo.Clear();
        win.combo.AddItem("Citron");
        win.combo.AddItem("Menthe");
        win.combo.SetListIndex(1);
        win.combo.SetText("Citron");
        QCOMPARE(win.combo.Text(), QString("Citron"));
        QCOMPARE(win.combo.ListIndex(), 0);
        QCOMPARE(click.count(), 0);
        QCOMPARE(change.count(), 0);
    }

    void comboKeepsTypedTextAsTyped() {
        Window win(true);
        QSignalSpy click(&win.combo, &ComboBox::Click);
        QSignalSpy change(&win.combo, &ComboBox::Change);
        QSignalSpy press(&win.combo, &ComboBox::KeyPress);
        QSignalSpy down(&win.combo, &ComboBox::KeyDown);
        win.combo.setFocus();
        // "vodka" in other case, then "rhum" which an auto-completion would
        // grow into "Rhum blanc".
        QTest::keyClicks(&win.combo, "vodka");
        QCOMPARE(win.combo.Text(), QString("vodka"));
        QCOMPARE(change.count(), 5);
        QTest::keyClick(&win.combo, Qt::Key_Return);
        QCOMPARE(win.combo.Text(), QString("vodka"));
        QCOMPARE(press.last().at(0).toInt(), 13);
        QCOMPARE(down.last().at(0).toInt(), 13);
        win.combo.SetText(QString());
        QTest::keyClicks(&win.combo, "rhum");
        QCOMPARE(win.combo.Text(), QString("rhum"));
        // The typed exact text of an entry, with Enter, is no pick either.
        win.combo.SetText(QString());
        QTest::keyClicks(&win.combo, "Sirop");
        QTest::keyClick(&win.combo, Qt::Key_Return);
        win.other.setFocus();
        QCOMPARE(win.combo.Text(), QString("Sirop"));
        QCOMPARE(click.count(), 0);
        // Arrows do not replace the typed text of an editable combo.
        win.combo.setFocus();
        QTest::keyClick(&win.combo, Qt::Key_Down);
        QCOMPARE(win.combo.Text(), QString("Sirop"));
        QCOMPARE(click.count(), 0);
    }

    void comboPickByTheUserIsAClick() {
        Window win(false);
        QSignalSpy click(&win.combo, &ComboBox::Click);
        win.combo.setFocus();
        QTest::keyClick(&win.combo, Qt::Key_Down);
        QCOMPARE(click.count(), 1);
        QCOMPARE(win.combo.ListIndex(), 1);
        // The wheel does nothing while the list is closed.
        QWheelEvent wheel(QPointF(5, 5), win.combo.mapToGlobal(QPointF(5, 5)), QPoint(),
                          QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&win.combo, &wheel);
        QCOMPARE(win.combo.ListIndex(), 1);
        QCOMPARE(click.count(), 1);
        // A pick in the open list, the entry already shown included.
        for (int i : {2, 2}) {
            win.combo.showPopup();
            QAbstractItemView* v = win.combo.view();
            QTRY_VERIFY(v->isVisible());
            const QRect r = v->visualRect(v->model()->index(i, 0));
            QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, r.center());
            QTRY_VERIFY(!v->isVisible());
        }
        QCOMPARE(click.count(), 3);
        QCOMPARE(win.combo.ListIndex(), 2);
    }

    // In a drop-down list the entry the keyboard moves to is a pick, the
    // list closed or open; the pointer passing over the open list is not.
    void comboKeysInADropDownListArePicks() {
        const int interval = QApplication::keyboardInputInterval();
        QApplication::setKeyboardInputInterval(40);
        Finally restore([&] { QApplication::setKeyboardInputInterval(interval); });
        Window win(false);
        QSignalSpy click(&win.combo, &ComboBox::Click);
        win.combo.setFocus();
        QTRY_VERIFY(win.combo.hasFocus());
        QTest::keyClick(&win.combo, 'V');
        QCOMPARE(click.count(), 1);
        QCOMPARE(win.combo.ListIndex(), 2);
        win.combo.showPopup();
        QAbstractItemView* v = win.combo.view();
        QTRY_VERIFY(v->isVisible());
        QTest::qWait(60);
        QTest::keyClick(v, 'R');
        QCOMPARE(click.count(), 2);
        QCOMPARE(win.combo.ListIndex(), 0);
        QTest::keyClick(v, Qt::Key_Down);
        QCOMPARE(click.count(), 3);
        QCOMPARE(win.combo.ListIndex(), 1);
        const QPoint over = v->visualRect(v->model()->index(2, 0)).center();
        QMouseEvent move(QEvent::MouseMove, over, v->viewport()->mapToGlobal(over), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(v->viewport(), &move);
        QCOMPARE(v->currentIndex().row(), 2);
        QCOMPARE(win.combo.ListIndex(), 1);
        QCOMPARE(click.count(), 3);
        // The code moving the list raises nothing either.
        win.combo.SetListIndex(1);
        QTest::keyClick(v, Qt::Key_Escape);
        QTRY_VERIFY(!v->isVisible());
        QCOMPARE(click.count(), 3);
        QCOMPARE(win.combo.ListIndex(), 1);
    }

    // Opening an editable list whose text names another entry than the one
    // it stands on (a refill by the code, or a typed text) is no pick; nor
    // is closing it, or the focus leaving. The entry then clicked is.
    void comboOpeningIsNoPick() {
        Window win(true);
        QSignalSpy click(&win.combo, &ComboBox::Click);
        win.combo.SetText("Vodka");
        win.combo.Clear();
        win.combo.AddItems({"Rhum blanc", "Sirop", "Vodka"});
        QCOMPARE(win.combo.Text(), QString("Vodka"));
        QAbstractItemView* v = win.combo.view();
        const QPoint fleche(win.combo.width() - 4, win.combo.height() / 2);
        QTest::mouseClick(&win.combo, Qt::LeftButton, {}, fleche);
        QTRY_VERIFY(v->isVisible());
        QTest::keyClick(v, Qt::Key_Escape);
        QTRY_VERIFY(!v->isVisible());
        QTest::keyClicks(&win.combo, "x");
        win.combo.lineEdit()->setText("Sirop");
        QTest::mouseClick(&win.combo, Qt::LeftButton, {}, fleche);
        QTRY_VERIFY(v->isVisible());
        QTest::keyClick(v, Qt::Key_Escape);
        QTRY_VERIFY(!v->isVisible());
        QTest::mouseClick(win.other.Editor(), Qt::LeftButton);
        QTRY_VERIFY(!win.combo.hasFocus());
        QCOMPARE(click.count(), 0);
        QCOMPARE(win.combo.Text(), QString("Sirop"));

        QTest::mouseClick(&win.combo, Qt::LeftButton, {}, fleche);
        QTRY_VERIFY(v->isVisible());
        const QPoint at = v->visualRect(v->model()->index(0, 0)).center();
        QTest::qWait(QApplication::doubleClickInterval());
        QTest::mouseMove(v->viewport(), at);
        QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, at);
        QTRY_VERIFY(!v->isVisible());
        QCOMPARE(click.count(), 1);
        QCOMPARE(win.combo.Text(), QString("Rhum blanc"));
    }

    void comboLostFocusOnlyWhenTheFocusLeaves() {
        Window win(true);
        QSignalSpy lost(&win.combo, &ComboBox::LostFocus);
        win.combo.setFocus();
        QTRY_VERIFY(win.combo.hasFocus());
        win.combo.showPopup();
        QTRY_VERIFY(win.combo.view()->isVisible());
        win.combo.hidePopup();
        QTRY_VERIFY(!win.combo.view()->isVisible());
        QCOMPARE(lost.count(), 0);
        win.other.setFocus();
        QTRY_COMPARE(lost.count(), 1);
    }

    // An open list is as wide as its longest entry, within the screen, so
    // that entries that differ at their end read apart; what the screen
    // cannot hold is cut at its end.
    void comboOpenListShowsEveryEntryWhole_data() {
        QTest::addColumn<bool>("editable");
        QTest::newRow("liste") << false;
        QTest::newRow("saisie") << true;
    }
    void comboOpenListShowsEveryEntryWhole() {
        QFETCH(bool, editable);
        Window win(editable);
        win.combo.setGeometry(10, 10, 60, 24);
        win.combo.Clear();
        const QStringList mesures{"cl", "cuillère à café", "cuillères à café", "cuillère à soupe"};
        win.combo.AddItems(mesures);
        QAbstractItemView* v = win.combo.view();
        QTest::mouseClick(&win.combo, Qt::LeftButton, {}, {win.combo.width() - 4, 12});
        QTRY_VERIFY(v->isVisible());
        for (int i = 0; i < mesures.size(); ++i)
            QVERIFY2(Lisible(*v, i), qPrintable(mesures[i]));
        const QRect ecran = win.combo.screen()->availableGeometry();
        QVERIFY(ecran.contains(v->window()->geometry()));
        QCOMPARE(v->textElideMode(), Qt::ElideRight);
        QTest::keyClick(v, Qt::Key_Escape);
        QTRY_VERIFY(!v->isVisible());

        // An entry longer than the screen is wide: the list stays on it.
        win.combo.AddItem(QString(400, u'm'));
        QTest::mouseClick(&win.combo, Qt::LeftButton, {}, {win.combo.width() - 4, 12});
        QTRY_VERIFY(v->isVisible());
        QVERIFY(ecran.contains(v->window()->geometry()));
        QTest::keyClick(v, Qt::Key_Escape);
        QTRY_VERIFY(!v->isVisible());
    }
};

QTEST_MAIN(TestComboBox)
#include "test_combobox.moc"
