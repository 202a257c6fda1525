// The number and text rules that list keys and layouts rely on.
#include <QtTest>
#include <limits>

#include "platform/VbText.h"

using namespace platform;

class TestVbText : public QObject {
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
};

QTEST_MAIN(TestVbText)
#include "test_vbtext.moc"
