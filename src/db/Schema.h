#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "platform/Database.h"

// The recipe file: its tables, and how every operation opens it.
namespace db {

// The live collection: the application folder and db.mdb.
QString DbPath();
// Opens the live collection for one operation.
platform::Database OpenDb();

// The tables, in the column order the program relies on.
QStringList SchemaStatements();
void CreateSchema(platform::Database& d);
// The column names of one of our tables, in order (empty for another name).
QStringList Columns(const QString& table);
// Raises DbError when a query of every column of `table` does not show
// them in our order: the file is not one of our collections.
void CheckColumns(const platform::Recordset& rs, const QString& table);

// What keeps a file from being used as a collection of ours.
enum class Defect {
    None,
    Missing,       // no file, or a folder in its place
    Unreadable,    // the file cannot be read at all
    NotADatabase,  // not a database file
    Foreign,       // a database without our tables and columns in order
    InUse,         // held by another program
    Damaged,       // fails the engine's integrity check
    BadKeys,       // a key that is not a whole number, or a key twice
};
struct Examination {
    Defect defect = Defect::None;
    // French, to follow "cannot be opened: ", e.g. "il est endommagé".
    QString why;
    explicit operator bool() const { return defect == Defect::None; }
};
enum class Depth {
    Layout,  // the file, a quick integrity check, the tables and their columns
    Whole,   // a full integrity check, and every key whole and unique too
};
// Examines the file read-only. When it passes and `whileHeld` is given, that
// runs while the file is still held against writers, so that what was
// examined is what it reads (a copy, for instance); its exceptions pass on.
Examination Examine(const QString& path, Depth depth = Depth::Layout,
                    const std::function<void()>& whileHeld = {});
// The reason of a failed database step, in the same words.
QString Why(const platform::DbError& e);

// True when the file passes a whole examination. Never writes to the file.
bool IsCollection(const QString& path, QString* why = nullptr);

}  // namespace db
