#include "db/ServerTable.h"

#include <QFileInfo>
#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include "db/Database.h"
#include "db/EmployeeFields.h"
#include "db/JetReader.h"
#include "db/PgEngine.h"

namespace db {
namespace {
constexpr int kRowsPerInsert = 200;  // one statement writes this many employees

// Reads the employees a query delivers, its fields matched to the table's by
// name without regard to case; missing fields stay empty.
QList<legacy::Employee> employeesOf(QSqlQuery& q) {
  const QSqlRecord record = q.record();
  QVector<int> columnOf;
  for (const QString& name : fields::allFields()) {
    int found = -1;
    for (int c = 0; c < record.count() && found < 0; ++c)
      if (record.fieldName(c).compare(name, Qt::CaseInsensitive) == 0) found = c;
    columnOf << found;
  }
  QList<legacy::Employee> out;
  while (q.next()) {
    legacy::Employee e;
    for (int c : columnOf) e << (c >= 0 && !q.value(c).isNull() ? q.value(c).toString() : QString(""));
    out << e;
  }
  if (q.lastError().isValid())
    throw DbError(QString("The employees could not be read (%1).").arg(errorText(q.lastError())).toStdString());
  return out;
}

void numberInOrder(QList<legacy::Employee>& employees) {
  for (int k = 0; k < employees.size(); ++k) employees[k][0] = QString::number(k + 1);
}
}  // namespace

QString serverTableStatement(const QString& table) {
  QStringList columns{kRowIdColumn + " bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY",
                      kVersionColumn + " bigint NOT NULL DEFAULT 1"};
  for (const QString& f : fields::allFields())
    columns << quoted(f) + (f == fields::Number ? " integer" : " text");
  return "CREATE TABLE " + quoted(table) + " (" + columns.join(", ") + ")";
}

void createServerTable(const ServerAddress& address, const QList<legacy::Employee>& employees) {
  ServerConnection c(address);
  QSqlDatabase database = c.database();
  if (!database.transaction())
    throw DbError(QString("The database server %1 could not start a change (%2).")
                      .arg(address.display(), serverReason(database.lastError()))
                      .toStdString());
  try {
    c.run(serverTableStatement());
    QStringList names;
    for (const QString& f : fields::allFields()) names << quoted(f);
    const QString row = "(" + QStringList(names.size(), "?").join(", ") + ")";
    for (int from = 0; from < employees.size(); from += kRowsPerInsert) {
      const int to = std::min<int>(employees.size(), from + kRowsPerInsert);
      QVariantList values;
      for (int k = from; k < to; ++k) {
        values << QVariant(k + 1);  // numbered 1..n in the order given
        for (int i = 1; i < employees[k].size(); ++i) values << employees[k][i];
      }
      c.run("INSERT INTO " + quoted("Employees") + " (" + names.join(", ") + ") VALUES " +
                QStringList(to - from, row).join(", "),
            values);
    }
    if (!database.commit())
      throw DbError(QString("The database server %1 could not save the new table (%2).")
                        .arg(address.display(), serverReason(database.lastError()))
                        .toStdString());
  } catch (...) {
    database.rollback();
    throw;
  }
}

QList<legacy::Employee> serverEmployees(ServerConnection& c) {
  const QString table = c.employeeTable();
  if (table.isEmpty())
    throw DbError(QString("The database server %1 has no employee table.").arg(c.address().display()).toStdString());
  QSqlQuery q(c.database());
  q.setForwardOnly(true);
  if (!q.exec("SELECT * FROM " + quoted(table) + " ORDER BY row_id"))
    throw DbError(QString("The database server %1 could not read the employees (%2).")
                      .arg(c.address().display(), serverReason(q.lastError()))
                      .toStdString());
  return employeesOf(q);
}

QList<legacy::Employee> fileEmployees(const QString& path) {
  QList<legacy::Employee> out;
  if (jet::formatOf(path) != jet::Format::NotJet) {
    jet::Table table;
    QString why;
    if (jet::readTable(path, "Employees", &table, &why) != jet::ReadStatus::Ok)
      throw DbError(QString("%1 could not be read (%2).").arg(QFileInfo(path).fileName(), why).toStdString());
    return legacy::employeesOf(table);
  }
  PrivateConnection c(path, Access::ReadOnly);
  QSqlQuery q(c.database());
  q.setForwardOnly(true);
  if (!q.exec("SELECT * FROM Employees ORDER BY rowid"))
    throw DbError(QString("%1 could not be read (%2).")
                      .arg(QFileInfo(path).fileName(), errorText(q.lastError()))
                      .toStdString());
  out = employeesOf(q);
  numberInOrder(out);
  return out;
}

int copyServerTableTo(const ServerAddress& address, const QString& path, QString* error) {
  try {
    ServerConnection c(address);
    const QList<legacy::Employee> employees = serverEmployees(c);
    if (!legacy::writeEmployeeDatabase(path, employees, error) ||
        !legacy::holdsEmployees(path, employees, error))
      return -1;
    return int(employees.size());
  } catch (const DbError& e) {
    *error = QString::fromUtf8(e.what());
    return -1;
  }
}

int checkServerTable(const ServerAddress& address, QString* error) {
  try {
    ServerConnection c(address);
    return int(serverEmployees(c).size());
  } catch (const DbError& e) {
    *error = QString::fromUtf8(e.what());
    return -1;
  }
}

QString vacuumServerTable(const ServerAddress& address) {
  try {
    ServerConnection c(address);
    const QString table = c.employeeTable();
    if (table.isEmpty()) return QString("the database server %1 has no employee table").arg(address.display());
    QSqlQuery q(c.database());
    // FULL gives the space back, as compacting the file does; it holds the
    // table for the moment it takes.
    if (!q.exec("VACUUM (FULL, ANALYZE) " + quoted(table)))
      return QString("the database server %1 could not compact the table (%2)")
          .arg(address.display(), serverReason(q.lastError()));
  } catch (const DbError& e) {
    return QString::fromUtf8(e.what());
  }
  return {};
}
}  // namespace db
