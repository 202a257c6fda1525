#pragma once

#include <QString>
#include <QVariant>
#include <memory>
#include <stdexcept>
#include <vector>

struct sqlite3;

// The recipe file seen the way the windows use it: open a database for one
// operation, run SQL text into recordsets, walk, edit, append and delete rows
// through them, close everything before returning.
namespace platform {

// A failing database step. The text is French and can be shown to the user.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& message);
    QString Message() const { return message_; }

private:
    QString message_;
};

class Connection;
class Recordset;

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
    // Runs a statement that returns no rows.
    void Execute(const QString& sql);
    void Close();
    bool IsOpen() const;

    sqlite3* Handle() const;

private:
    explicit Database(std::shared_ptr<Connection> c);
    std::shared_ptr<Connection> conn_;
};

// The rows of one query, read whole when it is opened. Rows of a query on a
// single table ("SELECT * From T ...") can be edited, deleted and appended
// through it; the writes go to the table with bound parameters.
class Recordset {
public:
    Recordset(Recordset&&) noexcept;
    Recordset& operator=(Recordset&&) noexcept;
    ~Recordset();

    long RecordCount() const { return static_cast<long>(rows_.size()); }
    bool EOF_() const { return pos_ >= rows_.size(); }
    bool BOF() const { return rows_.empty(); }
    void MoveFirst() { pos_ = 0; }
    void MoveNext();
    void MoveLast() { pos_ = rows_.empty() ? 0 : rows_.size() - 1; }
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
    const QVariant& Cell(int ordinal) const;
    void NeedTable(const char* what) const;

    struct Row {
        qint64 rowid = 0;
        std::vector<QVariant> cells;
    };
    std::shared_ptr<Connection> conn_;
    QString table_;  // empty when the query is not on one table
    std::vector<QString> names_;
    std::vector<Row> rows_;
    size_t pos_ = 0;
    enum class Mode { None, Edit, AddNew } mode_ = Mode::None;
    std::vector<QVariant> pending_;
    std::vector<bool> touched_;
    qint64 lastModified_ = 0;
};

}  // namespace platform
