#pragma once
// Each employee's lasting identity (fields::Key): 32 hex digits the table
// keeps in a column no window shows, so that what the program hands to other
// programs (the calendars' events) stays the same employee's while names
// change and namesakes come and go. New records get their key from the
// database itself (a trigger in employee.mdb, a default on the server), so
// records added by an earlier version of the program get one too; tables of
// earlier versions get the column when the program first opens them.
#include <QDir>
#include <QString>

#include "db/LegacyImport.h"  // legacy::Employee

namespace db {
// How the server makes the key of a record added without one (md5 of random
// text: there on every PostgreSQL version).
inline const QString kServerKeyExpression = "md5(random()::text || clock_timestamp()::text)";

// A new key, as the database makes them.
QString newEmployeeKey();

// Gives every employee of the list whose key is empty, or is one an earlier
// employee of the list has, a new key.
void giveMissingKeys(QList<legacy::Employee>& employees);

// Where the data folder keeps its table (employee.mdb, or the server its
// database.url names): adds the key column where it lacks, and gives every
// record without a key (or with another's) one, keeping everything else.
// Returns empty, or why it could not (a read-only file, a server that
// refuses); nothing is changed then.
QString keyEveryEmployee(const QDir& folder = QDir::current());
}  // namespace db
