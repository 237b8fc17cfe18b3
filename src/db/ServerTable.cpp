#include "db/ServerTable.h"

#include <QFileInfo>
#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include "data/Connections.h"
#include "data/PgEngine.h"
#include "db/EmployeeDatabase.h"
#include "db/EmployeeFields.h"
#include "db/EmployeeKeys.h"
#include "db/JetReader.h"
#include "platform/FileOps.h"

#include <QSqlDriver>
#include <libpq-fe.h>
#include <sqlite3.h>
#include <memory>

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
  giveMissingKeys(out);  // a file of an earlier version has none
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
    columns << quoted(f) + (f == fields::Number ? " integer" : " text") +
                   (f == fields::Key ? " DEFAULT " + kServerKeyExpression : QString());
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

namespace {
struct ResultDeleter {
  void operator()(PGresult* r) const { PQclear(r); }
};
using Result = std::unique_ptr<PGresult, ResultDeleter>;

// Every employee's fields (fields::allFields(), matched to the table's
// columns by name without regard to case; one the table lacks is null), in
// table order, as the server's own texts: a whole large table is read in
// one statement without making a value of every field.
Result readAllFields(ServerConnection& c) {
  const ServerAddress& address = c.address();
  const QString table = c.tableNamed(kEmployeesTable);
  if (table.isEmpty())
    throw DbError(QString("The database server %1 has no employee table.").arg(address.display()).toStdString());
  QStringList have;
  {
    QSqlQuery q = c.run("SELECT attname FROM pg_attribute WHERE attrelid = (SELECT oid FROM "
                        "pg_class WHERE relname = ? AND relnamespace = "
                        "current_schema()::regnamespace) AND attnum > 0 AND NOT attisdropped",
                        {table});
    while (q.next()) have << q.value(0).toString();
  }
  QStringList select;
  for (const QString& f : fields::allFields()) {
    QString found;
    for (const QString& h : have)
      if (h.compare(f, Qt::CaseInsensitive) == 0 && (found.isEmpty() || h == f)) found = h;
    select << (found.isEmpty() ? QString("NULL") : quoted(found));
  }
  PGconn* connection = libpqHandle(c.database());
  if (!connection) throw DbError("The connection to the database server is not a PostgreSQL one.");
  Result rows(PQexec(connection, ("SELECT " + select.join(", ") + " FROM " + quoted(table) +
                                  " ORDER BY row_id")
                                     .toUtf8()
                                     .constData()));
  if (PQresultStatus(rows.get()) != PGRES_TUPLES_OK)
    throw DbError(QString("The database server %1 could not read the employees (%2).")
                      .arg(address.display(),
                           QString::fromUtf8(PQresultErrorMessage(rows.get())).simplified())
                      .toStdString());
  return rows;
}

// Writes the rows into the new employee database at `path` in one
// transaction, straight through the SQLite library.
QString writeRows(const QString& path, PGresult* rows) {
  const int fieldCount = int(fields::allFields().size());
  PrivateConnection c(path);
  sqlite3* handle = sqliteHandle(c.database());
  auto failed = [&] { return QString::fromUtf8(sqlite3_errmsg(handle)); };
  // The file is new and under an unfinished name until it is flushed and
  // renamed: SQLite need not guard it against a crash on its own.
  sqlite3_exec(handle, "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF", nullptr, nullptr, nullptr);
  if (sqlite3_exec(handle, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK) return failed();
  QStringList names;
  for (const QString& f : fields::allFields()) names << quoted(f);
  const QByteArray sql = ("INSERT INTO Employees (" + names.join(", ") + ") VALUES (" +
                          QStringList(fieldCount, "?").join(", ") + ")")
                             .toUtf8();
  sqlite3_stmt* insert = nullptr;
  if (sqlite3_prepare_v2(handle, sql.constData(), -1, &insert, nullptr) != SQLITE_OK) return failed();
  QString error;
  for (int r = 0; r < PQntuples(rows) && error.isEmpty(); ++r) {
    for (int f = 0; f < fieldCount; ++f) {
      if (PQgetisnull(rows, r, f)) {
        sqlite3_bind_null(insert, f + 1);
      } else if (f == 0) {  // Number, a whole number
        sqlite3_bind_int64(insert, f + 1, QByteArray(PQgetvalue(rows, r, f)).toLongLong());
      } else {
        sqlite3_bind_text(insert, f + 1, PQgetvalue(rows, r, f), PQgetlength(rows, r, f),
                          SQLITE_STATIC);
      }
    }
    if (sqlite3_step(insert) != SQLITE_DONE) error = failed();
    sqlite3_reset(insert);
  }
  sqlite3_finalize(insert);
  if (error.isEmpty() && sqlite3_exec(handle, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
    error = failed();
  if (!error.isEmpty()) sqlite3_exec(handle, "ROLLBACK", nullptr, nullptr, nullptr);
  return error;
}
}  // namespace

int copyServerTableTo(const ServerAddress& address, const QString& path, QString* error,
                      bool* serverFault) {
  if (serverFault) *serverFault = false;
  Result rows;
  try {
    ServerConnection c(address);
    rows = readAllFields(c);
  } catch (const DbError& e) {
    *error = QString::fromUtf8(e.what());
    if (serverFault) *serverFault = true;
    return -1;
  }
  // An empty employee database from the program's own schema, then the rows.
  if (!legacy::writeEmployeeDatabase(path, {}, error)) return -1;
  const QString name = QFileInfo(path).fileName();
  if (fileops::injectedFault(FileStep::Write, path)) {
    *error = QString("the new file %1 could not be written; the disk may be full").arg(name);
    return -1;
  }
  try {
    const QString why = writeRows(path, rows.get());
    if (!why.isEmpty()) {
      *error = QString("the new file %1 could not be written (%2)").arg(name, why);
      return -1;
    }
    QString problem;
    const int written = checkedEmployeeCount(path, Check::Quick, &problem, true);
    if (written != PQntuples(rows.get())) {
      *error = QString("the new file %1 did not read back as written").arg(name);
      return -1;
    }
    return written;
  } catch (const DbError& e) {
    *error = QString::fromUtf8(e.what());
    return -1;
  }
}

int checkServerTable(const ServerAddress& address, QString* error) {
  try {
    ServerConnection c(address);
    return PQntuples(readAllFields(c).get());
  } catch (const DbError& e) {
    *error = QString::fromUtf8(e.what());
    return -1;
  }
}

QString vacuumServerTable(const ServerAddress& address) {
  try {
    ServerConnection c(address);
    const QString table = c.tableNamed(kEmployeesTable);
    if (table.isEmpty()) return QString("the database server %1 has no employee table").arg(address.display());
    QSqlQuery q(c.database());
    // The space of deleted records is made free for new ones; other PCs go
    // on reading and writing meanwhile.
    if (!q.exec("VACUUM " + quoted(table)))
      return QString("the database server %1 could not compact the table (%2)")
          .arg(address.display(), serverReason(q.lastError()));
  } catch (const DbError& e) {
    return QString::fromUtf8(e.what());
  }
  return {};
}
}  // namespace db
