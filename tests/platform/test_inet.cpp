// The internet transfer against a server of the test's own on 127.0.0.1:
// one fetch waits at a time, and a waiting fetch can be given up.
#include <QElapsedTimer>
#include <QtTest>

#include "platform/Inet.h"
#include "support/ServeurPages.h"

using platform::Inet;

class TestInet : public QObject {
    Q_OBJECT
private slots:
    // A fetch asked while another waits is refused at once and reaches no
    // server; the first one still gets its whole answer.
    void uneAttenteALaFois() {
        ServeurPages srv;
        srv.Page(QStringLiteral("/lente.jpg"), "octets de la photo", "image/jpeg");
        srv.Page(QStringLiteral("/autre.jpg"), "autre", "image/jpeg");
        srv.Retarder(QStringLiteral("/lente.jpg"), 1500);
        bool attendait = false;
        platform::Transfert seconde;
        QTimer::singleShot(400, [&] {
            attendait = Inet::EnAttente();
            seconde = Inet::OpenURL(srv.Base() + QStringLiteral("/autre.jpg"));
        });
        QVERIFY(!Inet::EnAttente());
        const platform::Transfert t = Inet::OpenURL(srv.Base() + QStringLiteral("/lente.jpg"));
        QVERIFY(attendait);
        QVERIFY(!seconde.ok);
        QCOMPARE(seconde.erreur, QStringLiteral("un autre téléchargement est en cours"));
        QVERIFY(t.ok);
        QCOMPARE(t.octets, QByteArray("octets de la photo"));
        QCOMPARE(srv.Demandes(), QStringList{QStringLiteral("/lente.jpg")});
        QVERIFY(!Inet::EnAttente());
        // Once it has returned, the next fetch runs.
        QVERIFY(Inet::OpenURL(srv.Base() + QStringLiteral("/autre.jpg")).ok);
    }

    // Given up, the waiting fetch returns at once with nothing kept.
    void abandon() {
        ServeurPages srv;
        srv.Page(QStringLiteral("/lente.jpg"), "octets", "image/jpeg");
        srv.Retarder(QStringLiteral("/lente.jpg"), 5000);
        QTimer::singleShot(300, [] { Inet::Abandonner(); });
        QElapsedTimer chrono;
        chrono.start();
        const platform::Transfert t = Inet::OpenURL(srv.Base() + QStringLiteral("/lente.jpg"));
        QVERIFY2(chrono.elapsed() < 2000, qPrintable(QString::number(chrono.elapsed())));
        QVERIFY(!t.ok);
        QVERIFY(t.octets.isEmpty());
        QCOMPARE(t.erreur, QStringLiteral("téléchargement interrompu"));
        QVERIFY(!Inet::EnAttente());
        // Nothing waits: giving up is nothing.
        Inet::Abandonner();
        QVERIFY(Inet::OpenURL(srv.Base() + QStringLiteral("/lente.jpg"), 300)
                    .erreur.startsWith(QStringLiteral("pas de réponse")));
    }
};

QTEST_MAIN(TestInet)
#include "test_inet.moc"
