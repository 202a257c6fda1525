#pragma once

#include <QString>
#include <QStringList>

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
// True when the file opens as a collection of ours: every table with its
// columns in order. Never writes to the file.
bool IsCollection(const QString& path, QString* why = nullptr);

}  // namespace db
