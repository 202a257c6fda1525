#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The internet transfer: fetches an address (http, https or file) whole as
// bytes, waiting for it before it returns. The wait keeps the program alive:
// windows are painted and take the user's clicks and keys, the browser goes
// on. It is bounded in time and in size, so a silent or endless server never
// freezes the program, and one fetch waits at a time: a caller's handler
// that runs during the wait cannot start another inside it.
namespace platform {

struct Transfert {
    QByteArray octets;
    bool ok = false;
    // Why it failed, in French, for the user.
    QString erreur;
};

class Inet {
public:
    static constexpr int kDelaiMs = 30000;
    static constexpr qint64 kTailleMax = 20LL * 1024 * 1024;

    // The whole body of the address; ok false on a network error, an error
    // status, a time-out, a body larger than the limit, a fetch given up, or
    // another fetch still waiting.
    static Transfert OpenURL(const QString& adresse, int delaiMs = kDelaiMs,
                             qint64 tailleMax = kTailleMax);
    // A fetch is waiting for its answer.
    static bool EnAttente();
    // The waiting fetch gives up now; its OpenURL returns as soon as the
    // handler that asked this has returned.
    static void Abandonner();
};

namespace InetSeam {
// Every address asked for is recorded (the fetch itself still runs).
QStringList Demandes();
void Clear();
// Tests shorten the wait of every fetch (0 gives back the normal one).
void SetDelai(int ms);
}  // namespace InetSeam

}  // namespace platform
