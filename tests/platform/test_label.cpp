// Labels: shown as typed, and giving way to the controls of their window.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QtTest>

#include "platform/Label.h"
#include "platform/MessageBox.h"
#include "platform/PictureButton.h"

using namespace platform;

class TestLabel : public QObject {
    Q_OBJECT
private slots:
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

QTEST_MAIN(TestLabel)
#include "test_label.moc"
