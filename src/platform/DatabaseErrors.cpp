#include <sqlite3.h>

#include <QRegularExpression>

#include "platform/Database.h"

// The engine's failures told in French words a user can read: never the
// statement, never the engine's own English.
namespace platform {

DbError::DbError(const QString& message, DbFault fault)
    : std::runtime_error(message.toStdString()), message_(message), fault_(fault) {}

DbFault FaultOf(int code) {
    switch (code & 0xff) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return DbFault::InUse;
        case SQLITE_NOTADB:
            return DbFault::NotADatabase;
        case SQLITE_CORRUPT:
            return DbFault::Damaged;
        default:
            return DbFault::Other;
    }
}

QString EngineReason(sqlite3* db) {
    if (!db) return QStringLiteral("la base de données ne répond pas");
    const int code = sqlite3_extended_errcode(db);
    const QString engine = QString::fromUtf8(sqlite3_errmsg(db));
    switch (code & 0xff) {
        case SQLITE_FULL:
            return QStringLiteral("le disque est plein");
        case SQLITE_READONLY:
            return QStringLiteral(
                "la base de données est en lecture seule : le fichier ou son dossier est "
                "protégé en écriture");
        case SQLITE_CANTOPEN:
            return QStringLiteral(
                "le fichier ne peut pas être ouvert : son dossier est absent ou protégé en "
                "écriture");
        case SQLITE_IOERR:
            return QStringLiteral("erreur de lecture ou d'écriture sur le disque");
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return QStringLiteral("la base de données est utilisée par un autre programme");
        case SQLITE_CORRUPT:
            return QStringLiteral("la base de données est endommagée");
        case SQLITE_NOTADB:
            return QStringLiteral("le fichier n'est pas une base de données");
        case SQLITE_PERM:
        case SQLITE_AUTH:
            return QStringLiteral("l'accès au fichier est refusé");
        case SQLITE_NOMEM:
            return QStringLiteral("la mémoire manque");
        case SQLITE_TOOBIG:
            return QStringLiteral("une valeur est trop grande pour la base de données");
        case SQLITE_NOLFS:
            return QStringLiteral("le fichier est trop grand pour ce disque");
        case SQLITE_CONSTRAINT:
            // A trigger of the file says why in its own words.
            if (code == SQLITE_CONSTRAINT_TRIGGER) return engine;
            return QStringLiteral("une règle de la base de données refuse cette valeur");
        default:
            break;
    }
    // The engine's other reasons quote the statement: only the missing
    // table or column is worth telling.
    static const QRegularExpression missing(QStringLiteral(R"(^no such (table|column): (\S+)$)"));
    const auto m = missing.match(engine);
    if (m.hasMatch())
        return m.captured(1) == QLatin1String("table")
                   ? QStringLiteral("la table « %1 » est absente").arg(m.captured(2))
                   : QStringLiteral("la colonne « %1 » est absente").arg(m.captured(2));
    return QStringLiteral("l'instruction n'est pas comprise par la base de données");
}

}  // namespace platform
