// The list view: unique keys, French order and label edits.
#include <QLineEdit>
#include <QtTest>

#include "platform/ListView.h"

using namespace platform;

class TestListView : public QObject {
    Q_OBJECT
private slots:
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
};

QTEST_MAIN(TestListView)
#include "test_listview.moc"
