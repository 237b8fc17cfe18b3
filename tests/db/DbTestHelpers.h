#pragma once
// Filling and reading the test folder's employee.mdb straight through SQLite,
// so the tests check the file itself and not only what the record set says.
#include <QString>
#include <QStringList>
#include <QVector>

namespace dbtest {
// Appends employees with these names (Number 0, area "Bar") through a
// private connection.
void addEmployees(const QString& file, const QStringList& names);
// Number and Fullname of every record, in table order.
QVector<QPair<int, QString>> numbersAndNames(const QString& file);
QStringList names(const QString& file);
int recordCount(const QString& file);
// Overwrites bytes in the middle of the file, as a failing disk would.
void damage(const QString& file);
}  // namespace dbtest
