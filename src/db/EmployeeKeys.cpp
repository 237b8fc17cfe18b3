#include "db/EmployeeKeys.h"

#include <QSet>
#include <QSqlQuery>
#include <QUuid>

#include "data/Connections.h"
#include "data/PgEngine.h"
#include "data/ServerAddress.h"
#include "db/EmployeeDatabase.h"
#include "db/EmployeeFields.h"

namespace db {
namespace {
// Keys are made where the records are, from the database's own random
// numbers: 32 hex digits like newEmployeeKey()'s.
const QString kFileKey = "lower(hex(randomblob(16)))";
const QString& kServerKey = kServerKeyExpression;

// Records without a key, or with the key of a record before them.
QString unkeyed(const QString& table, const QString& key, const QString& rowId) {
  return QString("%1 IS NULL OR %1 = '' OR %2 NOT IN (SELECT min(%2) FROM %3 GROUP BY %1)")
      .arg(key, rowId, table);
}

QString keyTrigger() {
  for (const QString& statement : legacy::schemaStatements())
    if (statement.startsWith("CREATE TRIGGER", Qt::CaseInsensitive)) return statement;
  return {};
}

void run(QSqlQuery& q, const QString& sql, const QVariantList& values = {}) {
  if (!q.prepare(sql)) throw DbError(errorText(q.lastError()).toStdString());
  for (const QVariant& v : values) q.addBindValue(v);
  if (!q.exec()) throw DbError(errorText(q.lastError()).toStdString());
}

bool answer(QSqlQuery& q, const QString& sql, const QVariantList& values = {}) {
  run(q, sql, values);
  return q.next() && q.value(0).toBool();
}

QString keyFile(const QString& path) {
  if (const QString why = notADatabaseReason(path); !why.isEmpty()) return why;
  try {
    PrivateConnection c(path);
    QSqlDatabase database = c.database();
    QSqlQuery q(database);
    run(q, "SELECT name FROM sqlite_master WHERE type = 'table' AND name = 'Employees' COLLATE NOCASE");
    if (!q.next()) return "it has no table Employees";
    const QString name = q.value(0).toString();
    const QString table = quoted(name), key = quoted(fields::Key);
    const bool hasColumn =
        answer(q, "SELECT count(*) FROM pragma_table_info(?) WHERE name = ? COLLATE NOCASE", {name, fields::Key});
    const bool hasTrigger =
        answer(q, "SELECT count(*) FROM sqlite_master WHERE type = 'trigger' AND name = 'EmployeesKey'");
    if (hasColumn && hasTrigger &&
        !answer(q, QString("SELECT EXISTS (SELECT 1 FROM %1 WHERE %2)").arg(table, unkeyed(table, key, "rowid"))))
      return {};
    if (!database.transaction()) return errorText(database.lastError());
    try {
      if (!hasColumn) run(q, QString("ALTER TABLE %1 ADD COLUMN %2 TEXT").arg(table, key));
      run(q, keyTrigger());
      run(q, QString("UPDATE %1 SET %2 = %3 WHERE %4").arg(table, key, kFileKey, unkeyed(table, key, "rowid")));
      q = QSqlQuery();
      if (!database.commit()) throw DbError(errorText(database.lastError()).toStdString());
    } catch (...) {
      q = QSqlQuery();
      database.rollback();
      throw;
    }
  } catch (const DbError& e) {
    return QString::fromUtf8(e.what());
  }
  return {};
}

QString keyServer(const ServerAddress& address) {
  try {
    ServerConnection c(address);
    const QString name = c.tableNamed(kEmployeesTable);
    if (name.isEmpty()) return {};  // made with its keys when it is made
    const QString table = quoted(name), key = quoted(fields::Key);
    QSqlQuery has = c.run("SELECT count(*) FROM pg_attribute WHERE attrelid = (SELECT oid FROM pg_class "
                          "WHERE relname = ? AND relnamespace = current_schema()::regnamespace) AND "
                          "attname = ? AND NOT attisdropped",
                          {name, fields::Key});
    const bool hasColumn = has.next() && has.value(0).toInt() > 0;
    if (hasColumn) {
      QSqlQuery missing = c.run(
          QString("SELECT EXISTS (SELECT 1 FROM %1 WHERE %2)").arg(table, unkeyed(table, key, kRowIdColumn)));
      if (missing.next() && !missing.value(0).toBool()) return {};
    }
    QSqlDatabase database = c.database();
    if (!database.transaction()) return serverReason(database.lastError());
    try {
      // A default the server works out row by row: every record gets a key of its own.
      if (!hasColumn) c.run(QString("ALTER TABLE %1 ADD COLUMN %2 text DEFAULT %3").arg(table, key, kServerKey));
      c.run(QString("UPDATE %1 SET %2 = %3 WHERE %4").arg(table, key, kServerKey, unkeyed(table, key, kRowIdColumn)));
      if (!database.commit()) throw DbError(serverReason(database.lastError()).toStdString());
    } catch (...) {
      database.rollback();
      throw;
    }
  } catch (const DbError& e) {
    return QString::fromUtf8(e.what());
  }
  return {};
}
}  // namespace

QString newEmployeeKey() { return QUuid::createUuid().toString(QUuid::Id128); }

void giveMissingKeys(QList<legacy::Employee>& employees) {
  const int at = int(fields::allFields().indexOf(fields::Key));
  QSet<QString> seen;
  for (legacy::Employee& e : employees) {
    while (e.size() <= at) e << QString();
    QString& key = e[at];
    if (key.trimmed().isEmpty() || seen.contains(key)) key = newEmployeeKey();
    seen.insert(key);
  }
}

QString keyEveryEmployee(const QDir& folder) {
  try {
    if (const std::optional<ServerAddress> server = configuredServer(folder)) return keyServer(*server);
  } catch (const DbError& e) {
    return QString::fromUtf8(e.what());
  }
  const QString live = findFile(folder.filePath("employee.mdb"));
  return live.isEmpty() ? QString() : keyFile(live);
}
}  // namespace db
