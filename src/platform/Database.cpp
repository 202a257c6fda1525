#include "platform/Database.h"

#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cstring>

#include "platform/Collation.h"
#include "platform/Engine.h"

namespace platform {

QString Quote(const QString& name) {
    QString q = name;
    q.replace(u'"', QStringLiteral("\"\""));
    return u'"' + q + u'"';
}

namespace {

int Collate(void*, int na, const void* a, int nb, const void* b) {
    return CompareFrenchUtf8(static_cast<const char*>(a), na, static_cast<const char*>(b), nb);
}

std::function<void(sqlite3*)>& OpenHook() {
    static std::function<void(sqlite3*)> f;
    return f;
}

std::shared_ptr<Connection> Open(const QString& path, bool create) {
    if (!create && !QFileInfo(path).isFile())
        throw DbError(QStringLiteral("La base de données « %1 » est introuvable.").arg(path),
                      DbFault::Missing);
    if (!create) {
        // Only a database file is opened for writing: the engine would
        // otherwise turn an empty file into a database of its own.
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly) || f.read(16) != QByteArray("SQLite format 3\0", 16))
            throw DbError(
                QStringLiteral("Le fichier « %1 » n'est pas une base de données.").arg(path),
                DbFault::NotADatabase);
    }
    sqlite3* raw = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &raw, flags, nullptr);
    auto conn = std::make_shared<Connection>(raw);
    if (rc != SQLITE_OK)
        throw DbError(QStringLiteral("Impossible d'ouvrir la base de données « %1 » (%2).")
                          .arg(path, conn->Error()),
                      conn->Fault());
    sqlite3_extended_result_codes(raw, 1);
    sqlite3_busy_timeout(raw, 1500);
    // Our own case-insensitive French order replaces the engine's ASCII one
    // for every column declared NOCASE.
    sqlite3_create_collation_v2(raw, "NOCASE", SQLITE_UTF8, nullptr, Collate, nullptr);
    // Hold the file alone for the whole operation; the rollback journal
    // stays the default so that the file stands alone once closed.
    const char* lock = "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE; COMMIT;";
    if (sqlite3_exec(raw, lock, nullptr, nullptr, nullptr) != SQLITE_OK) {
        const QString why = EngineReason(raw);
        const int code = sqlite3_errcode(raw) & 0xff;
        if (code == SQLITE_BUSY || code == SQLITE_LOCKED)
            throw DbError(
                QStringLiteral("La base de données « %1 » est utilisée par un autre programme.")
                    .arg(path),
                DbFault::InUse);
        if (code == SQLITE_NOTADB)
            throw DbError(
                QStringLiteral("Le fichier « %1 » n'est pas une base de données.").arg(path),
                DbFault::NotADatabase);
        throw DbError(
            QStringLiteral("Impossible d'ouvrir la base de données « %1 » (%2).").arg(path, why),
            FaultOf(code));
    }
    if (OpenHook()) OpenHook()(raw);
    return conn;
}

}  // namespace

void DatabaseSeam::WhenOpened(std::function<void(sqlite3*)> f) {
    OpenHook() = std::move(f);
}

// ---------------------------------------------------------------- Database

Database::Database(std::shared_ptr<Connection> c) : conn_(std::move(c)) {}
Database::Database(Database&&) noexcept = default;
Database& Database::operator=(Database&&) noexcept = default;
Database::~Database() {
    Close();
}

Database Database::OpenDatabase(const QString& path) {
    return Database(Open(path, false));
}
Database Database::CreateDatabase(const QString& path) {
    return Database(Open(path, true));
}

void Database::Close() {
    if (conn_) conn_->Close();
}

bool Database::IsOpen() const {
    return conn_ && conn_->IsOpen();
}

sqlite3* Database::Handle() const {
    if (!conn_) throw DbError(QStringLiteral("La base de données est déjà fermée."));
    return conn_->Db();
}

void Database::Execute(const QString& sql) {
    if (!conn_) throw DbError(QStringLiteral("La base de données est déjà fermée."));
    if (sqlite3_exec(conn_->Db(), sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        throw DbError(
            QStringLiteral("La base de données refuse l'opération (%1).").arg(conn_->Error()),
            conn_->Fault());
}

void Database::BeginTrans() {
    Execute(QStringLiteral("BEGIN IMMEDIATE"));
}

void Database::CommitTrans() {
    Execute(QStringLiteral("COMMIT"));
}

void Database::Rollback() {
    if (InTransaction()) Execute(QStringLiteral("ROLLBACK"));
}

bool Database::InTransaction() const {
    return conn_ && sqlite3_get_autocommit(conn_->Db()) == 0;
}

Transaction::~Transaction() {
    if (done_) return;
    try {
        d_.Rollback();
    } catch (const std::exception&) {
        // Closing the connection rolls back whatever is still open.
    }
}

void Transaction::Commit() {
    d_.CommitTrans();
    done_ = true;
}

namespace {
// The table of a query of every column of one table ("SELECT * From T ..."),
// the only kind whose rows can be written back; empty for any other.
QString SingleTable(const QString& sql) {
    static const QRegularExpression single(
        QStringLiteral(R"(^\s*SELECT\s+\*\s+From\s+([A-Za-z_][A-Za-z0-9_]*)(\s|$))"),
        QRegularExpression::CaseInsensitiveOption);
    const auto m = single.match(sql);
    return m.hasMatch() ? m.captured(1) : QString();
}
}  // namespace

void Database::SetFirstField(const QString& sql, int ordinal, const QVariant& value) {
    if (!conn_) throw DbError(QStringLiteral("La base de données est déjà fermée."));
    const QString table = SingleTable(sql);
    if (table.isEmpty())
        throw DbError(QStringLiteral("Cette requête ne permet pas la modification."));
    const qsizetype star = sql.indexOf(u'*');
    qint64 rowid = 0;
    {
        Statement first(*conn_, sql.left(star) + QStringLiteral("rowid") + sql.mid(star + 1));
        if (!first.Step()) throw DbError(QStringLiteral("Aucun enregistrement en cours."));
        rowid = sqlite3_column_int64(first.Get(), 0);
    }
    // The column's name from the table's own list, in the order that
    // "SELECT *" gives them: no row of the table is touched.
    QString column;
    {
        Statement names(*conn_, QStringLiteral("PRAGMA table_info(%1)").arg(Quote(table)));
        for (int i = 0; column.isEmpty() && names.Step(); ++i)
            if (i == ordinal)
                column = QString::fromUtf8(
                    reinterpret_cast<const char*>(sqlite3_column_text(names.Get(), 1)));
        if (column.isEmpty())
            throw DbError(QStringLiteral("La colonne %1 n'existe pas.").arg(ordinal));
    }
    Statement st(
        *conn_,
        QStringLiteral("UPDATE %1 SET %2=? WHERE rowid=?").arg(Quote(table), Quote(column)));
    st.Bind(1, value);
    st.Bind(2, QVariant(static_cast<qlonglong>(rowid)));
    st.Step();
}

Recordset Database::OpenRecordset(const QString& sql) {
    if (!conn_) throw DbError(QStringLiteral("La base de données est déjà fermée."));
    // A query of every column of one table can be written back: it is run
    // with the row id in front so that edits and deletes find their row.
    const QString table = SingleTable(sql);
    QString run = sql;
    if (!table.isEmpty()) {
        const qsizetype star = sql.indexOf(u'*');
        run = sql.left(star) + QStringLiteral("rowid AS \"\x01rowid\", *") + sql.mid(star + 1);
    }
    Recordset rs(conn_, table);
    Statement st(*conn_, run);
    const int n = sqlite3_column_count(st.Get());
    const int first = table.isEmpty() ? 0 : 1;
    for (int i = first; i < n; ++i)
        rs.names_.push_back(QString::fromUtf8(sqlite3_column_name(st.Get(), i)));
    while (st.Step()) {
        sqlite3_stmt* q = st.Get();
        rs.rowids_.push_back(first ? sqlite3_column_int64(q, 0) : 0);
        rs.deleted_.push_back(false);
        for (int i = first; i < n; ++i) {
            Recordset::CellRef c;
            switch (sqlite3_column_type(q, i)) {
                case SQLITE_INTEGER:
                    c.type = Recordset::CellRef::Integer;
                    c.number = sqlite3_column_int64(q, i);
                    break;
                case SQLITE_FLOAT: {
                    c.type = Recordset::CellRef::Real;
                    const double d = sqlite3_column_double(q, i);
                    std::memcpy(&c.number, &d, sizeof d);
                    break;
                }
                case SQLITE_TEXT:
                case SQLITE_BLOB: {
                    const bool text = sqlite3_column_type(q, i) == SQLITE_TEXT;
                    const char* data =
                        text ? reinterpret_cast<const char*>(sqlite3_column_text(q, i))
                             : static_cast<const char*>(sqlite3_column_blob(q, i));
                    c.type = text ? Recordset::CellRef::Text : Recordset::CellRef::Blob;
                    c.number = rs.arena_.size();
                    c.size = sqlite3_column_bytes(q, i);
                    rs.arena_.append(data, c.size);
                    break;
                }
                default:
                    break;
            }
            rs.cells_.push_back(c);
        }
    }
    return rs;
}

}  // namespace platform
