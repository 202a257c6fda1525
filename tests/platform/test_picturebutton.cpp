// The picture button's pressed state.
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
};

QTEST_MAIN(TestPictureButton)
#include "test_picturebutton.moc"
