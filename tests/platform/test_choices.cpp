// Option buttons, check boxes and list boxes.
#include <QAccessible>
#include <QSignalSpy>
#include <QtTest>

#include "platform/Choices.h"

using namespace platform;

class TestChoices : public QObject {
    Q_OBJECT
private slots:
    // Options, ticks and list boxes raise Click for what the user does,
    // never for what the code sets; real mouse clicks go the same road.
    void optionsTicksAndListBoxes() {
        QWidget w;
        w.resize(400, 300);
        OptionButton a(&w), b(&w);
        CheckBox c(&w);
        ListBox l(&w);
        a.Move(0, 0, 1500, 300);
        b.Move(0, 300, 1500, 300);
        c.Move(0, 600, 1500, 300);
        l.Move(1800, 0, 2000, 1500);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QStringList seen;
        connect(&a, &OptionButton::Click, [&] { seen << QString("a%1").arg(a.Value()); });
        connect(&b, &OptionButton::Click, [&] { seen << QString("b%1").arg(b.Value()); });
        connect(&c, &CheckBox::Click, [&] { seen << QString("c%1").arg(c.Value()); });
        connect(&l, &ListBox::Click, [&] { seen << QString("l%1").arg(l.ListIndex()); });

        a.SetValue(true);
        c.SetValue(true);
        for (const char* t : {"un", "deux", "trois"}) l.AddItem(t);
        l.SetListIndex(1);
        QVERIFY(seen.isEmpty());
        QCOMPARE(l.ListIndex(), 1);
        QCOMPARE(l.Text(), QString("deux"));
        l.SetListIndex(-1);
        QCOMPARE(l.ListIndex(), -1);
        // A focus gain sets a current row but selects nothing.
        l.setFocus();
        QCOMPARE(l.ListIndex(), -1);

        QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(8, b.height() / 2));
        QVERIFY(b.Value() && !a.Value());
        QTest::mouseClick(&c, Qt::LeftButton, {}, QPoint(8, c.height() / 2));
        QVERIFY(!c.Value());
        QTest::mouseClick(l.viewport(), Qt::LeftButton, {}, l.visualItemRect(l.item(2)).center());
        QCOMPARE(seen, QStringList({"b1", "c0", "l2"}));
        seen.clear();

        a.ClickIt();
        c.ClickIt();
        l.PickIt(0);
        QCOMPARE(seen, QStringList({"a1", "c1", "l0"}));
        QCOMPARE(l.List(0), QString("un"));
        QCOMPARE(l.ListCount(), 3);
        QCOMPARE(l.List(7), QString());

        seen.clear();
        a.SetEnabled(false);
        c.SetEnabled(false);
        l.SetEnabled(false);
        a.ClickIt();
        c.ClickIt();
        l.PickIt(1);
        QVERIFY(seen.isEmpty());
        QVERIFY(!a.Enabled() && !c.Enabled() && !l.Enabled());
        l.Clear();
        QCOMPARE(l.ListCount(), 0);
        QCOMPARE(l.ListIndex(), -1);

        a.SetCaption("Commençant par");
        QCOMPARE(a.Caption(), QString("Commençant par"));

        // Options in a panel inside the container are a choice of their own.
        QWidget outer;
        outer.resize(400, 300);
        OptionButton x(&outer), y(&outer);
        QWidget inner(&outer);
        OptionButton i1(&inner), i2(&inner);
        x.Move(0, 0, 1500, 300);
        y.Move(0, 300, 1500, 300);
        inner.setGeometry(0, 60, 200, 60);
        i1.Move(0, 0, 1500, 300);
        i2.Move(0, 300, 1500, 300);
        outer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&outer));
        x.SetValue(true);
        i2.SetValue(true);
        QTest::mouseClick(&y, Qt::LeftButton, {}, QPoint(8, y.height() / 2));
        QVERIFY(y.Value() && !x.Value());
        QVERIFY(i2.Value() && !i1.Value());
        i1.ClickIt();
        QVERIFY(i1.Value() && !i2.Value());
        QVERIFY(y.Value() && !x.Value());
        // Clicking the selected option keeps it selected.
        QTest::mouseClick(&y, Qt::LeftButton, {}, QPoint(8, y.height() / 2));
        QVERIFY(y.Value());
        x.SetValue(true);
        QVERIFY(x.Value() && !y.Value());
    }
    // Within one group, the arrow keys move to the option before or after
    // in the order of the screen (rows from the top, each from the left),
    // round from the last to the first, past a disabled one, and select it
    // as a click does. Options in a panel inside the group are a group of
    // their own.
    void arrowKeysMoveAndSelect() {
        QWidget w;
        w.resize(400, 300);
        OptionButton a(&w), c(&w), b(&w), d(&w);
        QWidget inner(&w);
        OptionButton i1(&inner), i2(&inner);
        a.Move(0, 0, 1500, 300);
        b.Move(0, 450, 1500, 300);
        c.Move(1800, 450, 1500, 300);
        d.Move(0, 900, 1500, 300);
        d.SetEnabled(false);
        inner.setGeometry(0, 90, 200, 60);
        i1.Move(0, 0, 1500, 300);
        i2.Move(0, 300, 1500, 300);
        const QMap<QObject*, QString> names{
            {&a, "a"}, {&b, "b"}, {&c, "c"}, {&i1, "i1"}, {&i2, "i2"}};
        QStringList seen;
        for (OptionButton* o : {&a, &b, &c, &i1, &i2})
            connect(o, &OptionButton::Click,
                    [&, o] { seen << names[o] + (o->Value() ? "1" : "0"); });
        w.show();
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        i1.SetValue(true);
        QTest::mouseClick(&a, Qt::LeftButton, {}, QPoint(8, a.height() / 2));
        QCOMPARE(QApplication::focusWidget(), &a);
        seen.clear();

        const struct {
            Qt::Key key;
            OptionButton* then;
        } steps[] = {{Qt::Key_Down, &b}, {Qt::Key_Right, &c}, {Qt::Key_Down, &a},
                     {Qt::Key_Up, &c},   {Qt::Key_Left, &b},  {Qt::Key_Up, &a}};
        QStringList expected;
        for (const auto& k : steps) {
            QTest::keyClick(QApplication::focusWidget(), k.key);
            QCOMPARE(QApplication::focusWidget(), k.then);
            for (OptionButton* o : {&a, &b, &c}) QCOMPARE(o->Value(), o == k.then);
            expected << names[k.then] + "1";
        }
        QCOMPARE(seen, expected);
        QVERIFY(!d.Value());
        QVERIFY(i1.Value() && !i2.Value());

        // The inner group keeps to itself.
        seen.clear();
        i1.setFocus(Qt::MouseFocusReason);
        QTest::keyClick(&i1, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), &i2);
        QVERIFY(i2.Value() && !i1.Value() && a.Value());
        QTest::keyClick(&i2, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), &i1);
        QCOMPARE(seen, QStringList({"i21", "i11"}));
    }

    // A screen reader meets an option as a radio button and a tick as a
    // check box, each with its caption and its state; choosing an option
    // there does what a click does: it selects, never clears, and raises
    // Click.
    void optionsAreRadioButtonsToAScreenReader() {
        QWidget w;
        OptionButton a(&w), b(&w);
        CheckBox c(&w);
        const struct {
            QAbstractButton* control;
            const char* caption;
            const char* name;
            QAccessible::Role role;
        } cases[] = {{&a, "Commençant par", "Commençant par", QAccessible::RadioButton},
                     {&b, "Rechercher &Partout", "Rechercher Partout", QAccessible::RadioButton},
                     {&c, "Coût", "Coût", QAccessible::CheckBox}};
        int top = 0;
        for (const auto& k : cases) {
            k.control->setText(QString::fromUtf8(k.caption));
            k.control->setGeometry(0, top, 100, 20);
            top += 20;
        }
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        for (const auto& k : cases) {
            QAccessibleInterface* i = QAccessible::queryAccessibleInterface(k.control);
            QVERIFY(i);
            QCOMPARE(i->role(), k.role);
            QCOMPARE(i->text(QAccessible::Name), QString::fromUtf8(k.name));
            QVERIFY(i->state().checkable);
        }
        QAccessibleInterface* ia = QAccessible::queryAccessibleInterface(&a);
        QAccessibleInterface* ib = QAccessible::queryAccessibleInterface(&b);
        a.SetValue(true);
        QVERIFY(ia->state().checked && !ib->state().checked);
        QVERIFY(!ia->rect().isEmpty());
        QVERIFY(QRect(a.mapToGlobal(QPoint(0, 0)), a.size()).contains(ia->rect()));

        QSignalSpy clicks(&b, &OptionButton::Click);
        QAccessibleActionInterface* act = ib->actionInterface();
        QVERIFY(act);
        QVERIFY(act->actionNames().contains(QAccessibleActionInterface::toggleAction()));
        act->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(b.Value() && !a.Value());
        act->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(b.Value());
        QCOMPARE(clicks.count(), 2);
        a.SetValue(true);
        b.SetEnabled(false);
        act->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(a.Value() && !b.Value());
        QCOMPARE(clicks.count(), 2);
    }
};

QTEST_MAIN(TestChoices)
#include "test_choices.moc"
