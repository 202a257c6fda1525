#include "platform/Database.h"

#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cstring>

#include "platform/Collation.h"

namespace platform {

DbError::DbError(const QString& message, DbFault fault)
    : std::runtime_error(message.toStdString()), message_(message), fault_(fault) {}

namespace {
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
}  // namespace

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

namespace {

// How a value is stored: the same rule for binding it and keeping it.
enum class Kind { Null, Integer, Real, Blob, Text };
Kind KindOf(const QVariant& v) {
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

int Collate(void*, int na, const void* a, int nb, const void* b) {
    return CompareFrenchUtf8(static_cast<const char*>(a), na, static_cast<const char*>(b), nb);
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

QString Quote(const QString& name) {
    QString q = name;
    q.replace(u'"', QStringLiteral("\"\""));
    return u'"' + q + u'"';
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

// --------------------------------------------------------------- Recordset

Recordset::Recordset(std::shared_ptr<Connection> c, QString table)
    : conn_(std::move(c)), table_(std::move(table)) {}
Recordset::Recordset(Recordset&&) noexcept = default;
Recordset& Recordset::operator=(Recordset&&) noexcept = default;
Recordset::~Recordset() = default;

void Recordset::MoveNext() {
    if (pos_ < rowids_.size()) ++pos_;
}

Recordset::CellRef Recordset::Store(const QVariant& v) {
    CellRef c;
    switch (KindOf(v)) {
        case Kind::Null:
            break;
        case Kind::Integer:
            c.type = CellRef::Integer;
            c.number = v.toLongLong();
            break;
        case Kind::Real: {
            c.type = CellRef::Real;
            const double d = v.toDouble();
            std::memcpy(&c.number, &d, sizeof d);
            break;
        }
        case Kind::Blob:
        case Kind::Text: {
            const bool text = KindOf(v) == Kind::Text;
            const QByteArray bytes = text ? v.toString().toUtf8() : v.toByteArray();
            c.type = text ? CellRef::Text : CellRef::Blob;
            c.number = arena_.size();
            c.size = bytes.size();
            arena_.append(bytes);
            break;
        }
    }
    return c;
}

void Recordset::StoreRow(size_t row, const std::vector<QVariant>& values) {
    for (size_t i = 0; i < names_.size(); ++i) cells_[row * names_.size() + i] = Store(values[i]);
}

std::vector<QVariant> Recordset::RowValues(size_t row) const {
    std::vector<QVariant> out;
    for (size_t i = 0; i < names_.size(); ++i) out.push_back(CellAt(row, static_cast<int>(i)));
    return out;
}

int Recordset::Ordinal(const QString& name) const {
    for (size_t i = 0; i < names_.size(); ++i)
        if (names_[i].compare(name, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
    throw DbError(QStringLiteral("La colonne « %1 » n'existe pas.").arg(name));
}

QVariant Recordset::Cell(int ordinal) const {
    return CellAt(pos_, ordinal);
}

QVariant Recordset::CellAt(size_t row, int ordinal) const {
    if (row >= rowids_.size()) throw DbError(QStringLiteral("Aucun enregistrement en cours."));
    if (deleted_[row]) throw DbError(QStringLiteral("L'enregistrement a été supprimé."));
    if (ordinal < 0 || static_cast<size_t>(ordinal) >= names_.size())
        throw DbError(QStringLiteral("La colonne %1 n'existe pas.").arg(ordinal));
    const CellRef& c = cells_[row * names_.size() + static_cast<size_t>(ordinal)];
    switch (c.type) {
        case CellRef::Integer:
            return QVariant(static_cast<qlonglong>(c.number));
        case CellRef::Real: {
            double d;
            std::memcpy(&d, &c.number, sizeof d);
            return QVariant(d);
        }
        case CellRef::Text:
            return QVariant(QString::fromUtf8(arena_.constData() + c.number, c.size));
        case CellRef::Blob:
            return QVariant(arena_.mid(c.number, c.size));
        default:
            return QVariant();
    }
}

QVariant Recordset::Fields(int ordinal) const {
    if (mode_ != Mode::None && ordinal >= 0 && static_cast<size_t>(ordinal) < pending_.size())
        return pending_[static_cast<size_t>(ordinal)];
    return Cell(ordinal);
}
QVariant Recordset::Fields(const QString& name) const {
    return Fields(Ordinal(name));
}
QString Recordset::Text(int ordinal) const {
    const QVariant v = Fields(ordinal);
    return v.isNull() ? QString() : v.toString();
}
QString Recordset::Text(const QString& name) const {
    return Text(Ordinal(name));
}

void Recordset::NeedTable(const char* what) const {
    if (table_.isEmpty())
        throw DbError(
            QStringLiteral("Cette requête ne permet pas %1.").arg(QString::fromUtf8(what)));
    if (!conn_ || !conn_->IsOpen())
        throw DbError(QStringLiteral("La base de données est déjà fermée."));
}

void Recordset::Edit() {
    NeedTable("la modification");
    Cell(0);
    pending_ = RowValues(pos_);
    touched_.assign(names_.size(), false);
    mode_ = Mode::Edit;
}

void Recordset::AddNew() {
    NeedTable("l'ajout");
    pending_.assign(names_.size(), QVariant());
    touched_.assign(names_.size(), false);
    mode_ = Mode::AddNew;
}

void Recordset::SetField(int ordinal, const QVariant& v) {
    if (mode_ == Mode::None)
        throw DbError(QStringLiteral("L'enregistrement n'est pas en cours de modification."));
    if (ordinal < 0 || static_cast<size_t>(ordinal) >= pending_.size())
        throw DbError(QStringLiteral("La colonne %1 n'existe pas.").arg(ordinal));
    pending_[static_cast<size_t>(ordinal)] = v;
    touched_[static_cast<size_t>(ordinal)] = true;
}
void Recordset::SetField(const QString& name, const QVariant& v) {
    SetField(Ordinal(name), v);
}

void Recordset::Update() {
    if (mode_ == Mode::None)
        throw DbError(QStringLiteral("L'enregistrement n'est pas en cours de modification."));
    NeedTable("l'écriture");
    QStringList cols;
    std::vector<QVariant> values;
    for (size_t i = 0; i < names_.size(); ++i)
        if (touched_[i]) {
            cols << Quote(names_[i]);
            values.push_back(pending_[i]);
        }
    if (mode_ == Mode::AddNew) {
        QString sql = QStringLiteral("INSERT INTO %1 ").arg(Quote(table_));
        if (cols.isEmpty()) {
            sql += QStringLiteral("DEFAULT VALUES");
        } else {
            QStringList marks;
            for (qsizetype i = 0; i < cols.size(); ++i) marks << QStringLiteral("?");
            sql += u'(' + cols.join(u',') + QStringLiteral(") VALUES (") + marks.join(u',') + u')';
        }
        Statement st(*conn_, sql);
        for (size_t i = 0; i < values.size(); ++i) st.Bind(static_cast<int>(i + 1), values[i]);
        st.Step();
        lastModified_ = sqlite3_last_insert_rowid(conn_->Db());
        rowids_.push_back(lastModified_);
        deleted_.push_back(false);
        cells_.resize(cells_.size() + names_.size());
        StoreRow(rowids_.size() - 1, pending_);
    } else {
        const qint64 rowid = rowids_[pos_];
        if (!cols.isEmpty()) {
            QStringList sets;
            for (const QString& c : cols) sets << c + QStringLiteral("=?");
            Statement st(*conn_, QStringLiteral("UPDATE %1 SET %2 WHERE rowid=?")
                                     .arg(Quote(table_), sets.join(u',')));
            int i = 1;
            for (const QVariant& v : values) st.Bind(i++, v);
            st.Bind(i, QVariant(static_cast<qlonglong>(rowid)));
            st.Step();
        }
        StoreRow(pos_, pending_);
        lastModified_ = rowid;
    }
    mode_ = Mode::None;
    pending_.clear();
}

void Recordset::CancelUpdate() {
    mode_ = Mode::None;
    pending_.clear();
}

void Recordset::Delete() {
    NeedTable("la suppression");
    Cell(0);
    Statement st(*conn_, QStringLiteral("DELETE FROM %1 WHERE rowid=?").arg(Quote(table_)));
    st.Bind(1, QVariant(static_cast<qlonglong>(rowids_[pos_])));
    st.Step();
    deleted_[pos_] = true;
}

void Recordset::Close() {
    rowids_.clear();
    cells_.clear();
    deleted_.clear();
    arena_.clear();
    conn_.reset();
    mode_ = Mode::None;
}

}  // namespace platform
