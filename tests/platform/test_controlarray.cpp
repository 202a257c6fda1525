// Control arrays.
#include <QtTest>
#include <memory>

#include "platform/ControlArray.h"
#include "platform/Label.h"

using namespace platform;

class TestControlArray : public QObject {
    Q_OBJECT
private slots:
    void controlArrayLoadsAndUnloads() {
        ControlArray<Label> a;
        a.Set(0, std::make_unique<Label>());
        a.Set(2, std::make_unique<Label>());
        QCOMPARE(a.UBound(), 2);
        QVERIFY(!a.Exists(1));
        QVERIFY_THROWS_EXCEPTION(ControlError, a[1]);
        a.Unload(2);
        QCOMPARE(a.Count(), 1);
    }
};

QTEST_MAIN(TestControlArray)
#include "test_controlarray.moc"
