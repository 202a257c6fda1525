// The scanner layer over SANE's own test backend: the chooser lists its
// scanners, and the acquisition reads colour, grey, line art, 16-bit,
// three-pass and hand-scanner pictures onto the clipboard. Without the
// library, no scanner is found.
#include <QClipboard>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QtTest>

#include "platform/Scanner.h"
#include "platform/Screen.h"
#include "support/Fixture.h"

using namespace platform;

namespace {
// SANE reads where its configuration lies once per process: one folder for
// the whole run, its files written again by each test.
const QTemporaryDir& Configuration() {
    static QTemporaryDir dir;
    return dir;
}

// A SANE configuration holding only the test backend, with these settings.
class Banc {
public:
    explicit Banc(const QByteArray& settings = {}, const QByteArray& backends = "test\n") {
        Fixture::WriteFile(Configuration().path() + "/dll.conf", backends);
        Fixture::WriteFile(Configuration().path() + "/test.conf",
                           "test-picture \"Color pattern\"\nresolution 25\n" + settings);
        ScannerSeam::Disable();
        ScannerSeam::Enable();
        QGuiApplication::clipboard()->clear();
    }
    ~Banc() { ScannerSeam::Disable(); }
};

QImage Presse() {
    return QGuiApplication::clipboard()->image();
}

bool Gris(const QImage& img) {
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            if (qRed(c) != qGreen(c) || qGreen(c) != qBlue(c)) return false;
        }
    return true;
}

int Teintes(const QImage& img) {
    QSet<QRgb> s;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) s.insert(img.pixel(x, y));
    return static_cast<int>(s.size());
}
}  // namespace

class TestScanner : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qputenv("SANE_CONFIG_DIR", (Configuration().path() + ":").toUtf8()); }

    void chooserListsTheScanners() {
        Banc b;
        ScannerSeam::Answer({"test:1"});
        QCOMPARE(TWAIN_SelectImageSource(nullptr), 1);
        QCOMPARE(ScannerSeam::Calls(), (QList<QStringList>{{"test:0", "test:1"}}));
    }

    void chooserCancelled_data() {
        QTest::addColumn<QString>("answer");
        QTest::newRow("cancelled") << "";
        QTest::newRow("no such scanner") << "plustek:9";
    }
    void chooserCancelled() {
        QFETCH(QString, answer);
        Banc b;
        ScannerSeam::Answer({answer});
        QCOMPARE(TWAIN_SelectImageSource(nullptr), 0);
        QCOMPARE(ScannerSeam::Calls().size(), 1);
    }

    void noScannerFound() {
        Banc b({}, "\n");
        ScannerSeam::Answer({"test:0"});
        QCOMPARE(TWAIN_SelectImageSource(nullptr), 0);
        // Nothing to choose from: the chooser does not come up.
        QVERIFY(ScannerSeam::Calls().isEmpty());
        QCOMPARE(TWAIN_AcquireToClipboard(nullptr, kTousTypes), 0);
    }

    // SANE is loaded when first asked for: a library that cannot be loaded,
    // or that is not SANE, finds no scanner, and the installed one still
    // serves afterwards.
    void libraryUnreachable_data() {
        QTest::addColumn<QString>("library");
        QTest::newRow("not found") << Configuration().path() + "/absent/libsane.so.1";
        QTest::newRow("no such name") << "libsane-absente.so.1";
        QTest::newRow("not SANE") << "libz.so.1";
    }
    void libraryUnreachable() {
        QFETCH(QString, library);
        Banc b;
        ScannerSeam::UseLibrary(library);
        ScannerSeam::Answer({"test:0", "test:0"});
        QCOMPARE(TWAIN_SelectImageSource(nullptr), 0);
        QVERIFY(ScannerSeam::Calls().isEmpty());
        QCOMPARE(TWAIN_AcquireToClipboard(nullptr, kTousTypes), 0);
        QVERIFY(Presse().isNull());
        QVERIFY(!HourglassShown());
        ScannerSeam::UseLibrary(QString());
        QCOMPARE(TWAIN_SelectImageSource(nullptr), 1);
        QCOMPARE(TWAIN_AcquireToClipboard(nullptr, kTousTypes), 1);
        QVERIFY(!Presse().isNull());
    }

    void acquisitions_data() {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<int>("types");
        QTest::addColumn<bool>("gris");
        QTest::addColumn<int>("largeur");
        QTest::newRow("colour by default") << QByteArray() << int(kTousTypes) << false << 79;
        QTest::newRow("colour asked") << QByteArray() << int(kCouleur) << false << 79;
        QTest::newRow("grey asked") << QByteArray() << int(kGris) << true << 79;
        QTest::newRow("grey or colour takes colour")
            << QByteArray() << int(kGris | kCouleur) << false << 79;
        QTest::newRow("16 bits colour")
            << QByteArray("depth 16\n") << int(kTousTypes) << false << 79;
        QTest::newRow("16 bits grey") << QByteArray("depth 16\n") << int(kGris) << true << 79;
        QTest::newRow("three passes")
            << QByteArray("three-pass true\n") << int(kTousTypes) << false << 79;
        // A hand scanner does not know its height and is 11 cm wide.
        QTest::newRow("hand scanner")
            << QByteArray("hand-scanner true\n") << int(kTousTypes) << false << 108;
        QTest::newRow("wasted pixels at the end of lines")
            << QByteArray("ppl-loss 7\n") << int(kTousTypes) << false << 72;
    }
    void acquisitions() {
        QFETCH(QByteArray, settings);
        QFETCH(int, types);
        QFETCH(bool, gris);
        QFETCH(int, largeur);
        Banc b(settings);
        ScannerSeam::Answer({"test:0"});
        QCOMPARE(TWAIN_SelectImageSource(nullptr), 1);
        QCOMPARE(TWAIN_AcquireToClipboard(nullptr, types), 1);
        const QImage img = Presse();
        QVERIFY(!img.isNull());
        QVERIFY2(qAbs(img.width() - largeur) <= 1, qPrintable(QString::number(img.width())));
        QVERIFY(img.height() > 20);
        QCOMPARE(Gris(img), gris);
        // A pattern, not a plain sheet.
        QVERIFY(Teintes(img) > 2);
        QVERIFY(!HourglassShown());
    }

    void lineArt() {
        Banc b("depth 1\n");
        ScannerSeam::Answer({"test:0"});
        QCOMPARE(TWAIN_SelectImageSource(nullptr), 1);
        QCOMPARE(TWAIN_AcquireToClipboard(nullptr, kGris), 1);
        const QImage img = Presse();
        QVERIFY(!img.isNull());
        QSet<QRgb> teintes;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) teintes.insert(img.pixel(x, y) | 0xff000000);
        QCOMPARE(teintes, (QSet<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)}));
    }

    // Without a choice, the first scanner found scans.
    void acquireWithoutChoosing() {
        Banc b;
        QCOMPARE(TWAIN_AcquireToClipboard(nullptr, kTousTypes), 1);
        QVERIFY(!Presse().isNull());
    }

    void failedScanGivesNothing_data() {
        QTest::addColumn<QByteArray>("settings");
        QTest::newRow("jammed") << QByteArray("read-status-code \"SANE_STATUS_JAMMED\"\n");
        QTest::newRow("cancelled") << QByteArray("read-status-code \"SANE_STATUS_CANCELLED\"\n");
    }
    void failedScanGivesNothing() {
        QFETCH(QByteArray, settings);
        Banc b(settings);
        ScannerSeam::Answer({"test:0"});
        QCOMPARE(TWAIN_SelectImageSource(nullptr), 1);
        QCOMPARE(TWAIN_AcquireToClipboard(nullptr, kTousTypes), 0);
        QVERIFY(Presse().isNull());
    }
};

QTEST_MAIN(TestScanner)
#include "test_scanner.moc"
