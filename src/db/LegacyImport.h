#pragma once
// Bringing the employees of an earlier installation along: its employee.mdb
// is an Access (Jet) file, ours is SQLite. At start-up, before any window
// reads the table, the program offers to convert such a file; the original is
// kept unchanged beside the new one.
#include <QDir>
#include <QList>
#include <QString>
#include <QStringList>

#include "db/JetReader.h"

namespace legacy {
enum class Outcome {
  NothingToDo,  // no employee.mdb, or one that is not an Access file
  Converted,
  Cancelled,    // the user said no: nothing changed
  Refused,      // an Access file without an Employees table: left as it is
  Failed,       // the reason was shown; the original stayed where it was
};

// The whole start-up step for the data folder `folder`, with its messages.
Outcome convertOldEmployeeDatabase(const QDir& folder = QDir::current());

// One employee is the values of fields::allFields(), in that order; Number
// holds 1..n in table order, the key (last) is never empty.
using Employee = QStringList;

// The statements of the empty schema the program carries (install/schema.sql).
QStringList schemaStatements();

// The employees of an Access Employees table: fields matched by name without
// regard to case, unknown fields ignored, missing fields empty.
QList<Employee> employeesOf(const jet::Table& table);

// The name the new database is written under before it takes the name
// employee.mdb.
inline const QString kConvertingName = "employee-converting.mdb";

// The name the original is kept under: "employee-access.mdb", or
// "employee-access-2.mdb" and so on when that one is taken.
QString keptOriginalName(const QDir& folder);

// Makes a new employee database at `path` from the supplied empty schema and
// writes the employees into it in one transaction. Fails when `path` exists.
bool writeEmployeeDatabase(const QString& path, const QList<Employee>& employees, QString* error);

// Reads the database at `path` back and tells whether it holds exactly these
// employees, in this order.
bool holdsEmployees(const QString& path, const QList<Employee>& employees, QString* error);
}  // namespace legacy
