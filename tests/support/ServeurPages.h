#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTcpServer>

// A small web server on 127.0.0.1 and a free port, for the pages of the
// partner site in tests. Each path answers with its status, type and body;
// a path marked silent never answers; any other path gives 404. A path can
// be held back for some clients, to answer them after the others.
class ServeurPages : public QObject {
    Q_OBJECT
public:
    ServeurPages();
    // "http://127.0.0.1:PORT", without a final "/".
    QString Base() const;
    void Page(const QString& path, const QByteArray& body,
              const QByteArray& type = "text/html; charset=utf-8", int status = 200);
    void Silence(const QString& path);
    // Answers to the path wait that many milliseconds, except for the clients
    // whose User-Agent holds `sauf`.
    void Retarder(const QString& path, int ms, const QByteArray& sauf = QByteArray());
    // The paths asked for, in their order, and the User-Agent of each.
    QStringList Demandes() const { return demandes_; }
    QStringList Agents() const { return agents_; }

signals:
    // A request for the path is held back.
    void Retenue(const QString& path);

private:
    struct Reponse {
        int status = 200;
        QByteArray type, body;
        bool silence = false;
    };
    struct Retard {
        int ms = 0;
        QByteArray sauf;
    };
    void Repondre(QTcpSocket* s);
    static void Ecrire(QTcpSocket* s, const Reponse& r);
    QTcpServer server_;
    QHash<QString, Reponse> pages_;
    QHash<QString, Retard> retards_;
    QStringList demandes_, agents_;
};
