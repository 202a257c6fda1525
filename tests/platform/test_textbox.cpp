// Text boxes: Change and Click for the user only, the text given back as
// the box holds it.
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QtTest>

#include "platform/TextBox.h"

using namespace platform;

class TestTextBox : public QObject {
    Q_OBJECT
private slots:
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

    void textBoxChangeOnlyForTheUser() {
        QWidget w;
        TextBox one(&w), many(&w, true);
        w.show();
        QSignalSpy c1(&one, &TextBox::Change);
        QSignalSpy c2(&many, &TextBox::Change);
        one.SetText("Menthe");
        many.SetText("Piler la menthe.\r\nAjouter le rhum.");
        QCOMPARE(c1.count(), 0);
        QCOMPARE(c2.count(), 0);
        // CR LF shows as a line break and reads back as CR LF.
        auto* edit = static_cast<QPlainTextEdit*>(many.Editor());
        QCOMPARE(edit->document()->blockCount(), 2);
        QCOMPARE(many.Text(), QString("Piler la menthe.\r\nAjouter le rhum."));
        many.Editor()->setFocus();
        edit->moveCursor(QTextCursor::End);
        QTest::keyClicks(many.Editor(), "ab");
        QCOMPARE(c2.count(), 2);
        QTest::keyClicks(one.Editor(), "s");
        QCOMPARE(c1.count(), 1);
        QCOMPARE(one.Text(), QString("Menthes"));
    }

    void textBoxClickForTheLeftButtonOnly() {
        QWidget w;
        TextBox one(&w), many(&w, true);
        one.setGeometry(0, 0, 100, 24);
        many.setGeometry(0, 30, 100, 60);
        w.show();
        QSignalSpy k1(&one, &TextBox::Click);
        QSignalSpy k2(&many, &TextBox::Click);
        QTest::mouseClick(one.Editor(), Qt::LeftButton);
        QTest::mouseClick(one.Editor(), Qt::RightButton);
        // The multi-line editor takes the mouse in its viewport.
        QTest::mouseClick(static_cast<QPlainTextEdit*>(many.Editor())->viewport(), Qt::LeftButton);
        QCOMPARE(k1.count(), 1);
        QCOMPARE(k2.count(), 1);
        one.SetText("Menthe");
        QCOMPARE(k1.count(), 1);
    }
};

QTEST_MAIN(TestTextBox)
#include "test_textbox.moc"
