#include "support/ServeurPages.h"

#include <QTcpSocket>
#include <QTimer>

ServeurPages::ServeurPages() {
    if (!server_.listen(QHostAddress::LocalHost, 0)) qFatal("Serveur de test : aucun port libre");
    connect(&server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* s = server_.nextPendingConnection()) {
            connect(s, &QTcpSocket::readyRead, this, [this, s] { Repondre(s); });
            connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
        }
    });
}

QString ServeurPages::Base() const {
    return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort());
}

void ServeurPages::Page(const QString& path, const QByteArray& body, const QByteArray& type,
                        int status) {
    Reponse r;
    r.status = status;
    r.type = type;
    r.body = body;
    pages_.insert(path, r);
}

void ServeurPages::Silence(const QString& path) {
    Reponse r;
    r.silence = true;
    pages_.insert(path, r);
}

void ServeurPages::Retarder(const QString& path, int ms, const QByteArray& sauf) {
    retards_.insert(path, Retard{ms, sauf});
}

void ServeurPages::Repondre(QTcpSocket* s) {
    QByteArray lu = s->property("lu").toByteArray() + s->readAll();
    s->setProperty("lu", lu);
    if (!lu.contains("\r\n\r\n")) return;
    const QList<QByteArray> ligne = lu.left(lu.indexOf("\r\n")).split(' ');
    QString path = ligne.size() > 1 ? QString::fromUtf8(ligne[1]) : QString();
    path = path.section(u'?', 0, 0);
    QByteArray agent;
    for (const QByteArray& h : lu.left(lu.indexOf("\r\n\r\n")).split('\n'))
        if (h.toLower().startsWith("user-agent:")) agent = h.mid(11).trimmed();
    demandes_ << path;
    agents_ << QString::fromUtf8(agent);
    s->setProperty("lu", QByteArray());
    Reponse r;
    if (pages_.contains(path)) {
        r = pages_.value(path);
    } else {
        r.status = 404;
        r.type = "text/html; charset=utf-8";
        r.body = "<html><body><p>Page introuvable</p></body></html>";
    }
    if (r.silence) return;
    const Retard retard = retards_.value(path);
    if (retard.ms > 0 && (retard.sauf.isEmpty() || !agent.contains(retard.sauf))) {
        // Gone with the socket when the client gives up first.
        QTimer::singleShot(retard.ms, s, [s, r] { Ecrire(s, r); });
        emit Retenue(path);
        return;
    }
    Ecrire(s, r);
}

void ServeurPages::Ecrire(QTcpSocket* s, const Reponse& r) {
    QByteArray tete = "HTTP/1.1 " + QByteArray::number(r.status) +
                      (r.status == 200 ? " OK" : " Erreur") + "\r\nContent-Type: " + r.type +
                      "\r\nContent-Length: " + QByteArray::number(r.body.size()) +
                      "\r\nConnection: close\r\n\r\n";
    s->write(tete);
    s->write(r.body);
    s->disconnectFromHost();
}
