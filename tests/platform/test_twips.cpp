// The twips geometry every control keeps.
#include <QtTest>

#include "platform/Panel.h"

using namespace platform;

class TestTwips : public QObject {
    Q_OBJECT
private slots:
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
};

QTEST_MAIN(TestTwips)
#include "test_twips.moc"
