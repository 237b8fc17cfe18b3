#pragma once
// The employee table on a database server: making it, filling it, copying
// it out into an SQLite file, and the maintenance the main menu offers
// (compaction, the check, the backup) in their server form.
#include <QList>
#include <QString>

#include "data/ServerAddress.h"
#include "db/LegacyImport.h"  // legacy::Employee

namespace db {

// The statement that makes the table: the program's own row_id (table
// order) and version columns, then the fields as the empty employee.mdb has
// them, their letter case kept.
QString serverTableStatement(const QString& table = "Employees");

// Makes the table on the server and writes the employees into it, numbered
// 1..n in their order, in one transaction: the table is there with every
// employee, or not at all. Throws DbError naming the server.
void createServerTable(const ServerAddress& address, const QList<legacy::Employee>& employees);

// Every employee of an employee.mdb of this PC (SQLite, or the old Access
// format), numbered 1..n in table order. Throws DbError with the reason.
QList<legacy::Employee> fileEmployees(const QString& path);

// Writes an SQLite employee database at `path` (which must not exist) with
// every employee on the server, and checks it. Returns the number of
// employees, or -1 with the reason; `serverFault` tells whether the server
// (not the file) failed.
int copyServerTableTo(const ServerAddress& address, const QString& path, QString* error,
                      bool* serverFault = nullptr);

// Reads every record on the server; the number of employees, or -1 with
// the reason.
int checkServerTable(const ServerAddress& address, QString* error);

// Frees the space deleted records left in the server table (renumbering is
// the caller's, as for the file). Empty, or the reason.
QString vacuumServerTable(const ServerAddress& address);
}  // namespace db
