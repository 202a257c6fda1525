#pragma once

#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

struct sqlite3;

// The recipe file seen the way the windows use it: open a database for one
// operation, run SQL text into recordsets, walk, edit, append and delete rows
// through them, close everything before returning.
namespace platform {

// What made a database step fail, where the engine tells it.
enum class DbFault { Other, Missing, NotADatabase, InUse, Damaged };

// A failing database step. The text is French and can be shown to the user.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& message, DbFault fault = DbFault::Other);
    QString Message() const { return message_; }
    DbFault Fault() const { return fault_; }

private:
    QString message_;
    DbFault fault_;
};

class Connection;
class Recordset;

// Why the engine's last step on this connection failed, in French words
// the user can be shown (never the statement itself).
QString EngineReason(sqlite3* db);
// The kind of failure an engine result code stands for.
DbFault FaultOf(int code);

class Database {
public:
    // Opens an existing file for reading and writing, held exclusively until
    // Close (or destruction). A missing, locked or foreign file raises DbError.
    static Database OpenDatabase(const QString& path);
    // Creates a new, empty file (the tool that writes collections uses it).
    static Database CreateDatabase(const QString& path);

    Database(Database&&) noexcept;
    Database& operator=(Database&&) noexcept;
    ~Database();

    Recordset OpenRecordset(const QString& sql);
    // Column `ordinal` of the first row of a query of one table
    // ("SELECT * From T ...") becomes `value`, as an Edit, SetField and
    // Update through OpenRecordset would leave it, but no other column of
    // the row is read. No row raises DbError.
    void SetFirstField(const QString& sql, int ordinal, const QVariant& value);
    // Runs a statement that returns no rows.
    void Execute(const QString& sql);
    void Close();
    bool IsOpen() const;

    // A transaction over several writes: all of them land, or none. Rollback
    // without a transaction open does nothing.
    void BeginTrans();
    void CommitTrans();
    void Rollback();
    bool InTransaction() const;

    sqlite3* Handle() const;

private:
    explicit Database(std::shared_ptr<Connection> c);
    std::shared_ptr<Connection> conn_;
};

// Rolls back the transaction it began unless Commit ran: a failure that
// leaves the scope leaves the file as it was.
class Transaction {
public:
    explicit Transaction(Database& d) : d_(d) { d_.BeginTrans(); }
    ~Transaction();
    void Commit();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

private:
    Database& d_;
    bool done_ = false;
};

// The rows of one query, read whole when it is opened. Rows of a query on a
// single table ("SELECT * From T ...") can be edited, deleted and appended
// through it; the writes go to the table with bound parameters.
class Recordset {
public:
    Recordset(Recordset&&) noexcept;
    Recordset& operator=(Recordset&&) noexcept;
    ~Recordset();

    long RecordCount() const { return static_cast<long>(rowids_.size()); }
    bool EOF_() const { return pos_ >= rowids_.size(); }
    bool BOF() const { return rowids_.empty(); }
    void MoveFirst() { pos_ = 0; }
    void MoveNext();
    void MoveLast() { pos_ = rowids_.empty() ? 0 : rowids_.size() - 1; }
    long AbsolutePosition() const { return static_cast<long>(pos_); }

    int FieldCount() const { return static_cast<int>(names_.size()); }
    QString FieldName(int i) const { return names_.at(static_cast<size_t>(i)); }
    // Value of the current row (Null as an invalid QVariant; texts as QString).
    QVariant Fields(int ordinal) const;
    QVariant Fields(const QString& name) const;
    // Text of a value with Null as empty, the way every reader shows it.
    QString Text(int ordinal) const;
    QString Text(const QString& name) const;

    // Editing the current row, or a new one.
    void Edit();
    void AddNew();
    void SetField(int ordinal, const QVariant& v);
    void SetField(const QString& name, const QVariant& v);
    void Update();
    void CancelUpdate();
    void Delete();
    // Row id of the row last written through Update.
    qint64 LastModified() const { return lastModified_; }

    void Close();

private:
    friend class Database;
    Recordset(std::shared_ptr<Connection> c, QString table);
    int Ordinal(const QString& name) const;
    QVariant Cell(int ordinal) const;
    QVariant CellAt(size_t row, int ordinal) const;
    void NeedTable(const char* what) const;

    // The rows are kept in one arena: a cell per column and row, texts as
    // UTF-8 in one buffer, turned into QString only when read. A fill of
    // tens of thousands of rows so costs a handful of allocations.
    struct CellRef {
        enum : unsigned char { Null, Integer, Real, Text, Blob } type = Null;
        qint64 number = 0;  // the integer, the real's bits, or the text's offset
        qint64 size = 0;    // bytes of a text or blob
    };
    CellRef Store(const QVariant& v);
    void StoreRow(size_t row, const std::vector<QVariant>& values);
    std::vector<QVariant> RowValues(size_t row) const;

    std::shared_ptr<Connection> conn_;
    QString table_;  // empty when the query is not on one table
    std::vector<QString> names_;
    std::vector<qint64> rowids_;
    std::vector<CellRef> cells_;
    std::vector<bool> deleted_;
    QByteArray arena_;
    size_t pos_ = 0;
    enum class Mode { None, Edit, AddNew } mode_ = Mode::None;
    std::vector<QVariant> pending_;
    std::vector<bool> touched_;
    qint64 lastModified_ = 0;
};

// Tests watch the engine through every connection the layer opens (an
// authorizer, a trace): the function runs on each once it is ready. An
// empty function stops it.
namespace DatabaseSeam {
void WhenOpened(std::function<void(sqlite3*)> f);
}

}  // namespace platform
