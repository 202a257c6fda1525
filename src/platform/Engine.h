#pragma once

#include <sqlite3.h>

#include <QString>
#include <QVariant>

#include "platform/Database.h"

// The engine as the database layer and its recordsets reach it: one open
// file and one prepared statement, each released on every path.
namespace platform {

// One open file. Closing is idempotent; the destructor closes too, so every
// path out of an operation releases the file.
class Connection {
public:
    explicit Connection(sqlite3* db) : db_(db) {}
    ~Connection() { Close(); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void Close() {
        if (db_) {
            sqlite3_close_v2(db_);
            db_ = nullptr;
        }
    }
    sqlite3* Db() const {
        if (!db_) throw DbError(QStringLiteral("La base de données est déjà fermée."));
        return db_;
    }
    bool IsOpen() const { return db_ != nullptr; }

    QString Error() const { return db_ ? EngineReason(db_) : QString(); }
    DbFault Fault() const { return db_ ? FaultOf(sqlite3_errcode(db_)) : DbFault::Other; }

private:
    sqlite3* db_;
};

// How a value is stored: the same rule for binding it and keeping it.
enum class Kind { Null, Integer, Real, Blob, Text };
inline Kind KindOf(const QVariant& v) {
    if (!v.isValid() || v.isNull()) return Kind::Null;
    switch (v.typeId()) {
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::ULong:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
            return Kind::Integer;
        case QMetaType::Double:
        case QMetaType::Float:
            return Kind::Real;
        case QMetaType::QByteArray:
            return Kind::Blob;
        default:
            return Kind::Text;
    }
}

// A prepared statement that is finalised on every path.
class Statement {
public:
    Statement(Connection& c, const QString& sql) : c_(c) {
        const QByteArray text = sql.toUtf8();
        if (sqlite3_prepare_v2(c.Db(), text.constData(), static_cast<int>(text.size()), &st_,
                               nullptr) != SQLITE_OK) {
            const QString err = c.Error();
            sqlite3_finalize(st_);
            st_ = nullptr;
            throw DbError(QStringLiteral("La base de données refuse l'opération (%1).").arg(err),
                          c.Fault());
        }
    }
    ~Statement() { sqlite3_finalize(st_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    sqlite3_stmt* Get() const { return st_; }
    // True while a row is ready; throws on a failure.
    bool Step() {
        const int rc = sqlite3_step(st_);
        if (rc == SQLITE_ROW) return true;
        if (rc == SQLITE_DONE) return false;
        throw DbError(QStringLiteral("La base de données n'a pas pu être lue ou écrite (%1).")
                          .arg(c_.Error()),
                      c_.Fault());
    }
    void Bind(int i, const QVariant& v) {
        int rc = SQLITE_OK;
        switch (KindOf(v)) {
            case Kind::Null:
                rc = sqlite3_bind_null(st_, i);
                break;
            case Kind::Integer:
                rc = sqlite3_bind_int64(st_, i, v.toLongLong());
                break;
            case Kind::Real:
                rc = sqlite3_bind_double(st_, i, v.toDouble());
                break;
            case Kind::Blob:
            case Kind::Text: {
                const bool text = KindOf(v) == Kind::Text;
                const QByteArray b = text ? v.toString().toUtf8() : v.toByteArray();
                rc = text ? sqlite3_bind_text(st_, i, b.constData(), static_cast<int>(b.size()),
                                              SQLITE_TRANSIENT)
                          : sqlite3_bind_blob(st_, i, b.constData(), static_cast<int>(b.size()),
                                              SQLITE_TRANSIENT);
                break;
            }
        }
        if (rc != SQLITE_OK)
            throw DbError(
                QStringLiteral("Valeur refusée par la base de données (%1).").arg(c_.Error()));
    }

private:
    Connection& c_;
    sqlite3_stmt* st_ = nullptr;
};

// A table or column name as the engine reads it, whatever it holds.
QString Quote(const QString& name);

}  // namespace platform
