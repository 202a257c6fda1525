#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTcpServer>

// A small web server on 127.0.0.1 and a free port, for the pages of the
// partner site in tests. Each path answers with its status, type and body;
// a path marked silent never answers; any other path gives 404.
class ServeurPages : public QObject {
    Q_OBJECT
public:
    ServeurPages();
    // "http://127.0.0.1:PORT", without a final "/".
    QString Base() const;
    void Page(const QString& path, const QByteArray& body,
              const QByteArray& type = "text/html; charset=utf-8", int status = 200);
    void Silence(const QString& path);
    // The paths asked for, in their order.
    QStringList Demandes() const { return demandes_; }

private:
    struct Reponse {
        int status = 200;
        QByteArray type, body;
        bool silence = false;
    };
    void Repondre(QTcpSocket* s);
    QTcpServer server_;
    QHash<QString, Reponse> pages_;
    QStringList demandes_;
};
