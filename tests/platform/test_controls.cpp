// The controls the windows are made of, and the number and text rules
// that list keys and layouts rely on.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QtTest>
#include <limits>

#include "platform/Controls.h"
#include "platform/MessageBox.h"
#include "platform/VbText.h"

using namespace platform;

class TestControls : public QObject {
    Q_OBJECT
private slots:
    void numberTexts() {
        QCOMPARE(Str(12), QString(" 12"));
        QCOMPARE(Str(0), QString(" 0"));
        QCOMPARE(Str(-3), QString("-3"));
        QCOMPARE(KeyNumber("N  12"), QString("  12"));
        QCOMPARE(Val("  12"), 12LL);
        QCOMPARE(Val(" -4x"), -4LL);
        QCOMPARE(Val(""), 0LL);
        QCOMPARE(Trim("  a b  "), QString("a b"));
        QCOMPARE(Doubled("Jus d'orange d'été"), QString("Jus d''orange d''été"));
        QCOMPARE(SansNul(QString("Ti") + QChar(0) + "ki" + QChar(0)), QString("Tiki"));
    }

    // A one-line box keeps every character it is given or typed, however
    // long the text; a limit set on purpose still holds.
    void oneLineBoxKeepsTheWholeText() {
        TextBox box;
        box.show();
        QString text;
        for (int i = 0; i < 100000; ++i) text += QChar(u'a' + i % 26);
        box.SetText(text);
        QCOMPARE(box.Text().size(), text.size());
        QSignalSpy changes(&box, &TextBox::Change);
        box.Editor()->setFocus();
        QTest::keyClick(box.Editor(), Qt::Key_End);
        QTest::keyClicks(box.Editor(), "!");
        QCOMPARE(box.Text(), text + u'!');
        QCOMPARE(changes.size(), 1);
        box.TypeIt(text + text);
        QCOMPARE(box.Text(), text + text);
        box.SetMaxLength(5);
        QCOMPARE(box.Text(), QString("abcde"));
        box.SetMaxLength(0);
        box.SetText(text);
        QCOMPARE(box.Text(), text);
    }

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

    // A multi-line box gives its text back as it holds it: only its line
    // ends are written CR LF.
    void multiLineBoxGivesItsTextRaw_data() {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("back");
        const QString nbsp = QString(QChar(0x00a0));
        const QString ls = QString(QChar(0x2028));
        QTest::newRow("no-break spaces") << "a" + nbsp + ":" + nbsp + "b"
                                         << "a" + nbsp + ":" + nbsp + "b";
        QTest::newRow("line separator") << "un" + ls + "deux"
                                        << "un" + ls + "deux";
        QTest::newRow("narrow no-break space and tab")
            << QString::fromUtf8("5\u202fcl\tx") << QString::fromUtf8("5\u202fcl\tx");
        QTest::newRow("line ends") << "a\r\nb\nc\rd"
                                   << "a\r\nb\r\nc\r\nd";
        QTest::newRow("paragraph separator is a line end") << "a" + QString(QChar(0x2029)) + "b"
                                                           << "a\r\nb";
        QTest::newRow("empty lines") << "\r\n\r\nx\r\n"
                                     << "\r\n\r\nx\r\n";
    }
    void multiLineBoxGivesItsTextRaw() {
        QFETCH(QString, given);
        QFETCH(QString, back);
        TextBox box(nullptr, true);
        box.SetText(given);
        QCOMPARE(box.Text(), back);
        box.TypeIt(back);
        QCOMPARE(box.Text(), back);
    }

    // A label and a message show their text as typed, whatever it holds:
    // tags, entities and "<" are text, never markup.
    void textShownAsTyped_data() {
        QTest::addColumn<QString>("texte");
        QTest::newRow("tags") << "<b>gras</b> et <i>penché</i>";
        QTest::newRow("entities") << "Rhum &amp; citron &lt;vert&gt;";
        QTest::newRow("line break tag") << "Un<br>Deux";
        QTest::newRow("lone sign") << "Moins < plus & rien";
    }
    void textShownAsTyped() {
        QFETCH(QString, texte);
        platform::Label label;
        label.setTextInteractionFlags(Qt::TextSelectableByMouse);
        label.SetCaption(texte);
        label.setSelection(0, int(texte.size()));
        QCOMPARE(label.selectedText(), texte);

        // The message box of the program, answered as the user would.
        QString lu;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            if (auto* l = box->findChild<QLabel*>("qt_msgbox_label")) {
                l->setTextInteractionFlags(Qt::TextSelectableByMouse);
                l->setSelection(0, int(texte.size()));
                lu = l->selectedText();
            }
            box->buttons().first()->click();
        });
        platform::MsgBox(texte, platform::vbOKOnly);
        QCOMPARE(lu, texte);
    }

    // Long runs of digits (a hand-edited setting, a foreign key) stop at the
    // largest number of their sign instead of wrapping round.
    void valNeverOverflows_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<long long>("value");
        const long long max = std::numeric_limits<long long>::max();
        const long long min = std::numeric_limits<long long>::min();
        QTest::newRow("largest") << "9223372036854775807" << max;
        QTest::newRow("one past the largest") << "9223372036854775808" << max;
        QTest::newRow("smallest") << "-9223372036854775808" << min;
        QTest::newRow("one below the smallest") << "-9223372036854775809" << min;
        QTest::newRow("past 32 bits") << "4294967298" << 4294967298LL;
        QTest::newRow("forty digits") << QString(40, u'9') << max;
        QTest::newRow("forty digits, negative") << "-" + QString(40, u'9') << min;
        QTest::newRow("long run then letters") << "  " + QString(25, u'7') + "abc" << max;
        QTest::newRow("leading zeros") << QString(60, u'0') + "42" << 42LL;
        QTest::newRow("sign alone") << "-" << 0LL;
        QTest::newRow("plus sign") << "+17" << 17LL;
        QTest::newRow("Arabic-Indic digits are not read") << QString::fromUtf8("\u0663") << 0LL;
    }
    void valNeverOverflows() {
        QFETCH(QString, text);
        QFETCH(long long, value);
        QCOMPARE(Val(text), value);
    }

    void integerDivisionRoundsOperandsFirst_data() {
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("b");
        QTest::addColumn<long long>("q");
        QTest::newRow("99.5 / 2") << 99.5 << 2.0 << 50LL;
        QTest::newRow("98.5 / 2") << 98.5 << 2.0 << 49LL;
        QTest::newRow("7 / 2") << 7.0 << 2.0 << 3LL;
        QTest::newRow("10560 / 3") << 10560.0 << 3.0 << 3520LL;
        QTest::newRow("2.5 / 1.5") << 2.5 << 1.5 << 1LL;
        QTest::newRow("-7 / 2") << -7.0 << 2.0 << -3LL;
    }
    void integerDivisionRoundsOperandsFirst() {
        QFETCH(double, a);
        QFETCH(double, b);
        QFETCH(long long, q);
        QCOMPARE(IntDiv(a, b), q);
    }

    void twipsGeometry() {
        Panel p;
        p.Move(15, 30, 150, 300);
        QCOMPARE(p.geometry(), QRect(1, 2, 10, 20));
        QCOMPARE(p.Width(), 150.0);
        p.SetWidth(-40);  // kept as set, drawn as nothing
        QCOMPARE(p.Width(), -40.0);
        QCOMPARE(p.geometry().width(), 0);
        p.hide();
        QVERIFY(!p.Visible());
    }

    void listKeysAreUnique() {
        ListView l;
        l.Add("N  1", "Mojito");
        QVERIFY_THROWS_EXCEPTION(ControlError, l.Add("N  1", "Autre"));
        QVERIFY_THROWS_EXCEPTION(ControlError, l.AddMany({{"N  2", "a"}, {"N  2", "b"}}));
        QVERIFY_THROWS_EXCEPTION(ControlError, l.AddMany({{"N  1", "a"}}));
        QCOMPARE(l.Count(), 1);
        l.Clear();
        l.Add("N  1", "Mojito");
        QCOMPARE(l.Find("N  1")->Text(), QString("Mojito"));
        QCOMPARE(l.Item(1)->Index(), 1);
        QVERIFY(l.Item(0) == nullptr);
        QVERIFY(l.Item(2) == nullptr);
    }

    void sortedListsFollowFrenchOrder() {
        ListView l;
        l.SetSorted(true);
        l.Add("N  1", "Zombie");
        l.Add("N  2", "écume");
        l.AddMany({{"N  3", "Eau de feu"}, {"N  4", "apéro"}, {"N  5", "Ananas"}});
        l.Add("N  6", "Éclat");
        QStringList got;
        for (int i = 1; i <= l.Count(); ++i) got << l.Item(i)->Text();
        QCOMPARE(got, QStringList({"Ananas", "apéro", "Eau de feu", "Éclat", "écume", "Zombie"}));

        ListView u;  // unsorted: order of adding
        u.Add("N  1", "b");
        u.Add("N  2", "a");
        QCOMPARE(u.Item(1)->Text(), QString("b"));
        u.SetSorted(true);
        QCOMPARE(u.Item(1)->Text(), QString("a"));
    }

    void labelEditReportsTheNewTextOnlyWhenCommitted() {
        ListView l;
        l.resize(300, 200);
        l.show();
        l.Add("N  1", "Mojito");
        l.Select(l.Item(1));
        QStringList edits;
        connect(&l, &ListView::AfterLabelEdit, [&](bool&, const QString& t) { edits << t; });
        l.StartLabelEdit();
        auto* editor = l.findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, "Mojito royal");
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(edits, QStringList({"Mojito royal"}));
        QCOMPARE(l.Item(1)->Text(), QString("Mojito royal"));

        l.StartLabelEdit();
        editor = l.findChild<QLineEdit*>();
        QVERIFY(editor);
        QTest::keyClicks(editor, "xx");
        QTest::keyClick(editor, Qt::Key_Escape);
        QTRY_VERIFY(!l.findChild<QLineEdit*>() || !l.findChild<QLineEdit*>()->isVisible());
        QCOMPARE(edits.size(), 1);
        QCOMPARE(l.Item(1)->Text(), QString("Mojito royal"));
    }

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

    void pictureButtonsPressedState() {
        QWidget bar;
        PictureButton a(&bar), b(&bar), alone(&bar);
        a.Group = b.Group = 1;
        QList<bool> seen;
        connect(&alone, &PictureButton::Click, [&] { seen << alone.Value(); });
        alone.ClickIt();
        alone.SetValue(false);  // as a handler clears it
        alone.ClickIt();
        QCOMPARE(seen, QList<bool>({true, true}));
        a.ClickIt();
        QVERIFY(a.Value() && !b.Value());
        b.ClickIt();
        QVERIFY(!a.Value() && b.Value());
        QVERIFY(alone.Value());  // other groups untouched
    }

    // A label gives way to the buttons, boxes and lists of its window,
    // wherever it lies in the stacking order and whichever moves later.
    void labelNeverCoversAControl() {
        QWidget w;
        w.resize(300, 200);
        platform::PictureButton button(&w);
        button.setGeometry(20, 20, 60, 40);
        QLineEdit box(&w);
        box.setGeometry(200, 150, 80, 30);
        platform::Label label(&w);
        label.setGeometry(0, 0, 300, 200);
        label.raise();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.childAt(50, 40), static_cast<QWidget*>(&button));
        QCOMPARE(w.childAt(240, 165), static_cast<QWidget*>(&box));
        QCOMPARE(w.childAt(150, 100), static_cast<QWidget*>(&label));
        // The button moves under another part of the label.
        button.setGeometry(120, 80, 60, 40);
        QCOMPARE(w.childAt(150, 100), static_cast<QWidget*>(&button));
        QCOMPARE(w.childAt(50, 40), static_cast<QWidget*>(&label));
        // Hidden, it leaves the label whole again.
        button.hide();
        QCOMPARE(w.childAt(150, 100), static_cast<QWidget*>(&label));
        // A label wholly over a control lets everything through.
        platform::Label small(&w);
        small.setGeometry(205, 155, 20, 10);
        small.show();
        QCOMPARE(w.childAt(210, 160), static_cast<QWidget*>(&box));
        // A control shows only within its container: beyond, the label stays.
        QWidget holder(&w);
        holder.setGeometry(0, 100, 100, 40);
        platform::PictureButton inside(&holder);
        inside.setGeometry(50, 0, 120, 40);
        holder.show();
        label.raise();
        QCOMPARE(w.childAt(70, 120), static_cast<QWidget*>(&inside));
        QCOMPARE(w.childAt(150, 125), static_cast<QWidget*>(&label));
    }
};

QTEST_MAIN(TestControls)
#include "test_controls.moc"
