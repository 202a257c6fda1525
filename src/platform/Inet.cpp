#include "platform/Inet.h"

#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

#include "platform/Resume.h"

namespace platform {

namespace {
QStringList demandes;
int delaiSeam = 0;

// The fetch that waits, while it waits.
struct Attente {
    QNetworkReply* reply = nullptr;
    bool abandonnee = false;
};
Attente* attente = nullptr;

QString Taille(qint64 octets) {
    return QString::number(static_cast<double>(octets) / (1024.0 * 1024.0), 'f', 0);
}
}  // namespace

namespace InetSeam {
QStringList Demandes() {
    return demandes;
}
void Clear() {
    demandes.clear();
}
void SetDelai(int ms) {
    delaiSeam = ms;
}
}  // namespace InetSeam

bool Inet::EnAttente() {
    return attente != nullptr;
}

void Inet::Abandonner() {
    if (!attente || attente->abandonnee) return;
    attente->abandonnee = true;
    attente->reply->abort();
}

Transfert Inet::OpenURL(const QString& adresse, int delaiMs, qint64 tailleMax) {
    demandes << adresse;
    if (delaiSeam > 0) delaiMs = delaiSeam;
    Transfert t;
    if (attente) {
        t.erreur = QStringLiteral("un autre téléchargement est en cours");
        return t;
    }
    const QUrl url(adresse);
    if (!url.isValid() || url.scheme().isEmpty()) {
        t.erreur = QStringLiteral("adresse non valable");
        return t;
    }
    if (url.isLocalFile()) {
        QFile f(url.toLocalFile());
        if (f.size() > tailleMax) {
            t.erreur = QStringLiteral("fichier de plus de %1 Mo").arg(Taille(tailleMax));
        } else if (!f.open(QIODevice::ReadOnly)) {
            t.erreur = QStringLiteral("fichier illisible");
        } else {
            t.octets = f.readAll();
            t.ok = true;
        }
        return t;
    }

    QNetworkAccessManager nam;
    QNetworkRequest req(url);
    req.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                     QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = nam.get(req);
    QEventLoop boucle;
    QTimer minuterie;
    minuterie.setSingleShot(true);
    bool expire = false, tropGros = false;
    QObject::connect(&minuterie, &QTimer::timeout, &boucle, [&] {
        expire = true;
        reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::downloadProgress, &boucle,
                     [&](qint64 recus, qint64 total) {
                         if (recus > tailleMax || total > tailleMax) {
                             tropGros = true;
                             reply->abort();
                         }
                     });
    QObject::connect(reply, &QNetworkReply::finished, &boucle, &QEventLoop::quit);
    minuterie.start(delaiMs);
    Attente ici{reply};
    if (!reply->isFinished()) {
        attente = &ici;
        const Finally fin([] { attente = nullptr; });
        boucle.exec();
    }
    minuterie.stop();
    // A wait left from outside (the program ending) keeps nothing half read.
    if (!reply->isFinished()) {
        ici.abandonnee = true;
        reply->abort();
    }

    const int statut = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (ici.abandonnee) {
        t.erreur = QStringLiteral("téléchargement interrompu");
    } else if (expire) {
        t.erreur = QStringLiteral("pas de réponse après %1 s").arg(delaiMs / 1000.0);
    } else if (tropGros) {
        t.erreur = QStringLiteral("fichier de plus de %1 Mo").arg(Taille(tailleMax));
    } else if (reply->error() != QNetworkReply::NoError || statut >= 400) {
        t.erreur = statut >= 400 ? QStringLiteral("le serveur a répondu %1").arg(statut)
                                 : QStringLiteral("serveur injoignable");
    } else {
        t.octets = reply->readAll();
        if (t.octets.size() > tailleMax) {
            t.octets.clear();
            t.erreur = QStringLiteral("fichier de plus de %1 Mo").arg(Taille(tailleMax));
        } else {
            t.ok = true;
        }
    }
    reply->deleteLater();
    return t;
}

}  // namespace platform
