#include "db/Repair.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVector>
#include <map>

#include "data/Connections.h"
#include "db/ServerTable.h"
#include "data/SqliteBusy.h"
#include "platform/FileOps.h"

namespace {
const QString kLive = "employee.mdb";
const QString kRebuilt = "repair.mdb";

using Outcome = RepairResult::Outcome;

RepairResult failed(const QString& reason) { return {Outcome::Failed, 0, reason}; }

QString integrity(const QString& path) {
  db::PrivateConnection c(path);
  QSqlQuery q(c.database());
  if (!q.exec("PRAGMA integrity_check")) return db::errorText(q.lastError());
  QStringList problems;
  while (q.next()) problems << q.value(0).toString();
  if (q.lastError().isValid()) problems << db::errorText(q.lastError());
  return problems == QStringList{"ok"} ? QString() : problems.join("; ");
}

// Why the file holds no Employees table (a database of another kind, or one
// whose list of tables cannot be read); empty when the table is there.
QString tableMissing(const QString& path) {
  const QString name = QFileInfo(path).fileName();
  try {
    db::PrivateConnection c(path, db::Access::ReadOnly);
    QSqlQuery q(c.database());
    if (!q.exec("SELECT name FROM sqlite_master WHERE type = 'table' AND name = 'Employees' "
                "COLLATE NOCASE")) {
      const QString why = db::errorText(q.lastError());
      if (db::isBusy(why)) return db::inUseMessage(name);
      return QString("The database %1 is damaged and cannot be read (%2).").arg(name, why);
    }
    if (!q.next())
      return QString("%1 holds no table Employees, so it is not an employee database.").arg(name);
  } catch (const DbError& e) {
    return QString::fromStdString(e.what());
  }
  return {};
}

struct Salvage {
  QString createSql;
  QStringList triggerSql;  // the table's own (the one that keys new records)
  QString table;
  QStringList columns;
  std::map<qint64, QVector<QVariant>> rows;  // by row id, so the order stays
  bool complete = true;
};

// Reads the records forwards and, past a damaged part, backwards from the
// end, keeping every one that can be read.
void readRows(QSqlDatabase database, Salvage& s) {
  for (const char* order : {"ASC", "DESC"}) {
    QSqlQuery q(database);
    q.setForwardOnly(true);
    if (!q.exec(QString("SELECT rowid, * FROM %1 ORDER BY rowid %2").arg(db::quoted(s.table), order))) {
      s.complete = false;
      continue;
    }
    while (q.next()) {
      const qint64 id = q.value(0).toLongLong();
      if (s.rows.count(id)) break;  // met the rows the other direction read
      if (s.columns.isEmpty())
        for (int c = 1; c < q.record().count(); ++c) s.columns << q.record().fieldName(c);
      QVector<QVariant> row;
      for (int c = 1; c < q.record().count(); ++c) row << q.value(c);
      s.rows.emplace(id, row);
    }
    if (!q.lastError().isValid()) return;  // read to the end: nothing lost
    s.complete = false;
  }
}

QString readSalvage(const QString& path, Salvage& s) {
  try {
    db::PrivateConnection c(path);
    QSqlQuery q(c.database());
    if (!q.exec("SELECT name, sql FROM sqlite_master WHERE type = 'table' AND name = 'Employees' "
                "COLLATE NOCASE"))
      return QString("its list of tables cannot be read (%1)").arg(db::errorText(q.lastError()));
    if (!q.next()) return "it has no table Employees";
    s.table = q.value(0).toString();
    s.createSql = q.value(1).toString();
    if (q.prepare("SELECT sql FROM sqlite_master WHERE type = 'trigger' AND tbl_name = ?")) {
      q.addBindValue(s.table);
      if (q.exec())
        while (q.next()) s.triggerSql << q.value(0).toString();
    }
    q = QSqlQuery();
    readRows(c.database(), s);
  } catch (const DbError& e) {
    return QString::fromStdString(e.what());
  }
  return {};
}

QString writeRebuilt(const QString& path, const Salvage& s) {
  if (fileops::injectedFault(FileStep::Create, path)) return "the disk refused to create it";
  try {
    db::PrivateConnection c(path, db::Access::CreateNew);
    fileops::makePrivate(path);  // still empty: nothing is written before
    QSqlDatabase database = c.database();
    QSqlQuery q(database);
    if (!q.exec(s.createSql)) return db::errorText(q.lastError());
    for (const QString& trigger : s.triggerSql)
      if (!q.exec(trigger)) return db::errorText(q.lastError());
    if (!database.transaction()) return db::errorText(database.lastError());
    QStringList names{"rowid"};
    for (const QString& column : s.columns) names << db::quoted(column);
    if (!q.prepare(QString("INSERT INTO %1 (%2) VALUES (%3)")
                       .arg(db::quoted(s.table), names.join(", "),
                            QStringList(names.size(), "?").join(", "))))
      return db::errorText(q.lastError());
    for (const auto& [id, row] : s.rows) {
      q.addBindValue(id);
      for (const QVariant& v : row) q.addBindValue(v);
      if (!q.exec()) return db::errorText(q.lastError());
    }
    q = QSqlQuery();
    if (!database.commit()) return db::errorText(database.lastError());
  } catch (const DbError& e) {
    return QString::fromStdString(e.what());
  }
  if (fileops::injectedFault(FileStep::Write, path)) return "the disk refused the rebuilt file";
  return integrity(path);
}
}  // namespace

QString freeDamagedName(const QDir& folder) {
  QString name = "Damaged.mdb";
  for (int n = 2; !db::findFile(folder.filePath(name)).isEmpty(); ++n)
    name = QString("Damaged-%1.mdb").arg(n);
  return name;
}

QString RepairResult::message() const {
  switch (outcome) {
    case Outcome::Partly:
      return QString("Employee Database was damaged.  %1 employee records could be saved, but some "
                     "could not be read: %2")
          .arg(saved)
          .arg(reason);
    case Outcome::Failed:
      // A file another program holds is not broken: it is said as it is.
      if (db::isBusy(reason)) return reason;
      return "Employee Database cannot be repaired: " + reason;
    default:
      return {};
  }
}

namespace {
// The server the data folder keeps its table on; a setting that cannot be
// read is a problem of its own, in `problem`.
std::optional<db::ServerAddress> serverOfFolder(QString* problem) {
  try {
    return db::configuredServer();
  } catch (const DbError& e) {
    *problem = QString::fromUtf8(e.what());
    return std::nullopt;
  }
}
}  // namespace

QString unreadableDatabaseMessage(const QString& why, const QString& consequence) {
  QString setting;
  if (const auto server = serverOfFolder(&setting))
    return QString("The employee table on the database server %1 could not be read (%2).  %3")
        .arg(server->display(), why.trimmed().chopped(why.trimmed().endsWith('.') ? 1 : 0), consequence);
  if (!setting.isEmpty()) return setting + "  " + consequence;
  if (db::findFile(QDir::current().filePath(kLive)).isEmpty()) return {};
  // Held by another program for longer than the wait: nothing to repair.
  if (db::isBusy(why)) return db::inUseMessage(kLive);
  return QString("The employee database \"employee.mdb\" could not be read (%1).  %2")
      .arg(why, consequence);
}

QString employeeDatabaseProblem() {
  QString setting;
  if (const auto server = serverOfFolder(&setting)) {
    QString problem;
    return db::checkServerTable(*server, &problem) < 0 ? problem : QString();
  }
  if (!setting.isEmpty()) return setting;
  const QString live = db::findFile(QDir::current().filePath(kLive));
  if (live.isEmpty()) return {};  // nothing there: the caller says so in its own words
  const QString name = QFileInfo(live).fileName();
  const QString notDatabase = db::notADatabaseReason(live);
  if (!notDatabase.isEmpty()) return notDatabase;
  if (const QString missing = tableMissing(live); !missing.isEmpty()) return missing;
  QString problems;
  try {
    problems = integrity(live);
  } catch (const DbError& e) {
    return QString::fromStdString(e.what());
  }
  if (problems.isEmpty()) return {};
  if (db::isBusy(problems)) return db::inUseMessage(name);
  return QString("The database %1 is damaged (%2).").arg(name, problems);
}

RepairResult repairEmployeeDatabase() {
  QDir folder = QDir::current();
  // On a server the engine keeps the table sound itself: the check reads
  // every record and says whether it could.
  QString setting;
  if (const auto server = serverOfFolder(&setting)) {
    QString problem;
    if (db::checkServerTable(*server, &problem) < 0) return failed(problem);
    return {Outcome::Sound, 0, {}};
  }
  if (!setting.isEmpty()) return failed(setting);
  QString live = db::findFile(folder.filePath(kLive));
  if (live.isEmpty())
    return failed(QString("%1 was not found in the folder %2.")
                      .arg(kLive, QDir::toNativeSeparators(folder.absolutePath())));
  // A linked employee.mdb: the file it leads to is rebuilt in its own folder.
  QString linkProblem;
  if (!db::followLink(&live, &linkProblem)) return failed(linkProblem);
  folder = QFileInfo(live).dir();
  const QString name = QFileInfo(live).fileName();
  const QString unchanged = QString("  %1 has been left as it was.").arg(name);
  const QString notDatabase = db::notADatabaseReason(live);
  if (!notDatabase.isEmpty()) return failed(notDatabase + unchanged);

  // A sound database of another kind is not an employee database to repair.
  if (const QString missing = tableMissing(live); !missing.isEmpty())
    return failed(missing + unchanged);

  db::Suspension closed(live);
  QString problems;
  try {
    problems = integrity(live);
  } catch (const DbError& e) {
    return failed(QString::fromStdString(e.what()) + unchanged);
  }
  if (problems.isEmpty()) return {Outcome::Sound, 0, {}};
  if (db::isBusy(problems)) return failed(db::inUseMessage(name));

  Salvage salvage;
  const QString unreadable = readSalvage(live, salvage);
  if (!unreadable.isEmpty()) return failed(QString("%1 (%2).").arg(unreadable, problems) + unchanged);

  if (salvage.rows.empty() && !salvage.complete)
    return failed(QString("no employee record can be read from it (%1).").arg(problems) + unchanged);

  // The rebuilt file is written under an unfinished name and takes the name
  // repair.mdb only when it is whole and on the disk; the damaged file gets a
  // second name of its own (never over an older one) before the rebuilt file
  // is renamed over employee.mdb. A crash at any step leaves employee.mdb in
  // place, and the start-up finishes what was begun.
  const QString rebuilt = folder.filePath(kRebuilt);
  const QString unfinished = fileops::temporaryNameOf(rebuilt);
  if (!fileops::remove(unfinished + "-journal") || !fileops::remove(unfinished) ||
      !fileops::remove(rebuilt))
    return failed(QString("an old %1 is in the way.").arg(kRebuilt) + unchanged);
  QString writeError = writeRebuilt(unfinished, salvage);
  if (writeError.isEmpty() && (!fileops::flush(unfinished) || !fileops::replace(unfinished, rebuilt)))
    writeError = "the disk refused it";
  if (!writeError.isEmpty()) {
    fileops::remove(unfinished);
    return failed(QString("the rebuilt database could not be written (%1).").arg(writeError) + unchanged);
  }

  // Keep the damaged file: records that could not be read may still be
  // rescued from it by other means.
  const QString damaged = freeDamagedName(folder);
  if (!fileops::keepAs(live, folder.filePath(damaged))) {
    fileops::remove(rebuilt);
    return failed(QString("%1 could not be set aside as %2.").arg(name, damaged) + unchanged);
  }
  if (!fileops::replace(rebuilt, live)) {
    fileops::remove(folder.filePath(damaged));
    fileops::remove(rebuilt);
    return failed(QString("%1 could not be renamed to %2.").arg(kRebuilt, name) + unchanged);
  }
  const int saved = int(salvage.rows.size());
  if (salvage.complete) return {Outcome::Repaired, saved, {}};
  return {Outcome::Partly, saved, QString("the damaged file has been kept as %1.").arg(damaged)};
}
