#pragma once
// The data layer holds tables it knows nothing about. What it must still
// know of the program's own database, the program tells it once at start-up
// (db/EmployeeDatabase.h): which file a data control opens, and for each
// table it writes: the record number's field and its range (which is also the most
// records the table can hold), the field that names a record in messages,
// and the words for a record. A table without rules has no such limits, and
// its records are called "record".
#include <QString>
#include <QStringList>

namespace db {

struct TableRules {
  QString table;        // matched without regard to case
  QString numberField;  // a whole number from -(maxNumber + 1) to maxNumber
  int maxNumber = 0;    // 0: no record number
  QString nameField;    // names the record in the messages of a conflict
  QString recordNoun = "record";         // "This record has been deleted on another PC."
  QString unnamedRecord = "this record";  // a record whose name field is empty
  QString fullMessage;          // adding the (maxNumber + 1)th record
  QString tooManyToNumber;      // renumbering more than maxNumber records
  QString numberOutOfRange;     // %1: the number refused
};

// Registers (or replaces) the rules of one table.
void setTableRules(const TableRules& rules);
// The rules of `table`, or null when it has none.
const TableRules* tableRules(const QString& table);
// Every table with rules: the tables a write transaction on a server holds
// against other PCs' writes.
QStringList tablesWithRules();

// The database the program keeps its records in, as a data control starts
// on it (a file name and a table). A data folder may keep that table on a
// server instead (ServerAddress.h); other files always stay files.
struct ProgramDatabase {
  QString file;
  QString table;
};
void setProgramDatabase(const ProgramDatabase& database);
const ProgramDatabase& programDatabase();

}  // namespace db
