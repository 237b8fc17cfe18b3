#pragma once
// Real employee.mdb files for the hardening tests, made and read straight
// through SQLite, so a test checks the file itself.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include "support/TestSupport.h"

namespace hardening {
// The supplied empty database with `count` employees ("Employee 1 xxx...",
// numbered 1..count), long enough names that the table spans many pages.
QByteArray populatedDatabase(DataFolder& folder, int count);
// Full names in table order, or an empty list with `ok` false when the file
// cannot be read as an employee database.
QStringList employeeNames(const QString& path, bool* ok = nullptr);
// The Number of every record in table order.
QList<int> employeeNumbers(const QString& path);
QString employeeName(int i);
// The bytes of a sound SQLite database of another program: no Employees table.
QByteArray foreignDatabase(DataFolder& folder);
}  // namespace hardening
