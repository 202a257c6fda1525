// The embedded browser: local pages by their plain path, the French page
// for a file that cannot be read, and the silent mode.
#include <unistd.h>

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "platform/WebBrowser.h"
#include "support/Fixture.h"

using platform::WebBrowser;

namespace {
bool Load(WebBrowser& b, const QString& target) {
    QSignalSpy done(&b, &WebBrowser::DocumentComplete);
    b.Navigate(target);
    return done.wait(30000);
}
}  // namespace

class TestBrowser : public QObject {
    Q_OBJECT
private slots:
    void localPagesAndMissingOnes() {
        QTemporaryDir dir;
        const QString page = dir.filePath("page été.htm");
        Fixture::WriteFile(page,
                           "<html><head><meta charset=\"utf-8\"><title>Été</title></head>"
                           "<body>ok</body></html>");
        WebBrowser b;
        b.Move(0, 0, 6000, 4500);
        b.show();
        QVERIFY(Load(b, page));
        QVERIFY(!b.Busy());
        QCOMPARE(b.LocationName(), QString("Été"));
        QCOMPARE(b.LocationURL(), QUrl::fromLocalFile(page).toString());

        const QString missing = dir.filePath("absente.htm");
        QVERIFY(Load(b, missing));
        QCOMPARE(b.LocationName(), QString("Page introuvable"));
        QCOMPARE(b.LocationURL(), QUrl::fromLocalFile(missing).toString());
        // A folder is not a page either.
        QVERIFY(Load(b, dir.path()));
        QCOMPARE(b.LocationName(), QString("Page introuvable"));

        QVERIFY(Load(b, page));
        QCOMPARE(b.LocationName(), QString("Été"));
        QCOMPARE(b.LocationURL(), QUrl::fromLocalFile(page).toString());
    }

    // In silent mode the page's own questions are answered without a word.
    void silentMode() {
        QTemporaryDir dir;
        const QString page = dir.filePath("questions.htm");
        Fixture::WriteFile(page,
                           "<html><head><title>avant</title></head><body><script>"
                           "alert('x'); var r = prompt('q', 'd');"
                           "document.title = (confirm('y') ? 'oui' : 'non') + ' ' + r;"
                           "</script></body></html>");
        WebBrowser b;
        b.SetSilent(true);
        QVERIFY(b.Silent());
        b.Move(0, 0, 6000, 4500);
        b.show();
        QVERIFY(Load(b, page));
        QTRY_COMPARE_WITH_TIMEOUT(b.LocationName(), QString("non null"), 10000);
    }
    // Run as root the engine would refuse to start without this; a value
    // the user set is kept.
    void engineReadiedForRoot() {
        const QByteArray before = qgetenv("QTWEBENGINE_DISABLE_SANDBOX");
        qunsetenv("QTWEBENGINE_DISABLE_SANDBOX");
        platform::PreparerNavigateur();
        QCOMPARE(qgetenv("QTWEBENGINE_DISABLE_SANDBOX"),
                 ::geteuid() == 0 ? QByteArray("1") : QByteArray());
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "0");
        platform::PreparerNavigateur();
        QCOMPARE(qgetenv("QTWEBENGINE_DISABLE_SANDBOX"), QByteArray("0"));
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", before);
    }
};

QTEST_MAIN(TestBrowser)
#include "test_browser.moc"
