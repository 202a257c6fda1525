// The picture button's pressed state.
#include <QLineEdit>
#include <QtTest>

#include "platform/PictureButton.h"

using namespace platform;

class TestPictureButton : public QObject {
    Q_OBJECT
private slots:
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
    // A button reached with the keyboard is drawn with a mark, so that Space
    // there is no surprise; one that took the focus from a click, or lost
    // it, is drawn as before.
    void focusMarkedFromTheKeyboard() {
        QWidget fenetre;
        fenetre.resize(200, 60);
        QLineEdit avant(&fenetre);
        avant.setGeometry(0, 0, 80, 30);
        PictureButton bouton(&fenetre);
        bouton.setGeometry(100, 0, 90, 40);
        bouton.SetCaption(QStringLiteral("Créer"));
        QPixmap face(90, 40);
        face.fill(QColor(90, 60, 20));
        bouton.ShowPicture(face);
        fenetre.show();
        QApplication::setActiveWindow(&fenetre);
        QVERIFY(QTest::qWaitForWindowActive(&fenetre));

        QTest::mouseClick(&bouton, Qt::LeftButton);
        QVERIFY(bouton.hasFocus());
        const QImage simple = bouton.grab().toImage();
        avant.setFocus(Qt::MouseFocusReason);
        QCOMPARE(bouton.grab().toImage(), simple);

        QTest::keyClick(&avant, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), &bouton);
        QVERIFY(bouton.grab().toImage() != simple);
        QTest::keyClick(&bouton, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), &avant);
        QCOMPARE(bouton.grab().toImage(), simple);
    }
};

QTEST_MAIN(TestPictureButton)
#include "test_picturebutton.moc"
