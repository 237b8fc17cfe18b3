#include "db/Compaction.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

#include "data/Connections.h"
#include "db/EmployeeDatabase.h"
#include "db/ServerTable.h"
#include "data/SqliteBusy.h"
#include "platform/FileOps.h"

namespace {
const QString kLive = "employee.mdb";
const QString kCompact = "compact.mdb";
const QString kBackup = "Backup.mdb";
const QString kNewBackup = "Backup.mdb.new";

CompactResult failed(const QString& reason) { return {false, reason}; }

QString sentence(QString text) {
  text = text.trimmed();
  return text.endsWith('.') ? text : text + '.';
}

// The file of that name in the folder whatever its letter case, or the name
// as written when there is none.
QString fileNamed(const QDir& folder, const QString& name) {
  const QString found = db::findFile(folder.filePath(name));
  return found.isEmpty() ? folder.filePath(name) : found;
}

bool present(const QString& path) {
  return QFileInfo(path).exists() || QFileInfo(path).isSymLink();
}

int checkedCount(const QString& path, db::Access access, QString* error) {
  return db::checkedEmployeeCount(path, db::Check::Quick, error, access == db::Access::ReadOnly);
}

QString vacuumInto(const QString& live, const QString& target) {
  // The copy is private from its first byte; it takes the mode of
  // employee.mdb when it is renamed over it.
  if (fileops::injectedFault(FileStep::Create, target) || !fileops::createPrivateFile(target))
    return QString("%1 could not be created; the disk may be full or the folder read-only")
        .arg(QFileInfo(target).fileName());
  try {
    db::PrivateConnection c(live);
    QSqlQuery q(c.database());
    if (!q.prepare("VACUUM INTO ?")) return db::errorText(q.lastError());
    q.addBindValue(target);
    if (!q.exec()) {
      if (db::isBusy(db::errorText(q.lastError())))
        return db::inUseMessage(QFileInfo(live).fileName());
      return QString("the compacted copy could not be written (%1); the disk may be full or "
                     "the folder read-only")
          .arg(db::errorText(q.lastError()));
    }
  } catch (const DbError& e) {
    return QString::fromStdString(e.what());
  }
  if (fileops::injectedFault(FileStep::Write, target))
    return QString("%1 could not be written; the disk may be full").arg(QFileInfo(target).fileName());
  return {};
}

// On a server the table is compacted where it is; Backup.mdb in the data
// folder becomes an SQLite copy of the employees as they were, so the
// message about it stays true.
CompactResult compactOnServer(const QDir& folder, const db::ServerAddress& server) {
  const QString backup = fileNamed(folder, kBackup);
  if (present(backup) && !QFileInfo(backup).isFile())
    return failed(QString("%1 is in the way and cannot be replaced.  The table on the server has "
                          "been left as it was.").arg(QFileInfo(backup).fileName()));
  const QString unfinished = fileops::temporaryNameOf(folder.filePath(kBackup));
  QString error;
  fileops::remove(unfinished);
  if (db::copyServerTableTo(server, unfinished, &error) < 0 || !fileops::flush(unfinished) ||
      !fileops::replace(unfinished, folder.filePath(kBackup))) {
    fileops::remove(unfinished);
    return failed(QString("the copy of the employees as they were could not be written to %1 (%2).  "
                          "The table on the server has been left as it was.")
                      .arg(kBackup, error.isEmpty() ? QString("the disk may be full or the folder read-only")
                                                    : sentence(error).chopped(1)));
  }
  if (present(backup) && backup != folder.filePath(kBackup)) fileops::remove(backup);
  error = db::vacuumServerTable(server);
  if (!error.isEmpty()) return failed(sentence(error) + "  The table on the server has been left as it was.");
  return {true, {}};
}
}  // namespace

QString CompactResult::message() const {
  return compacted ? reason : "The database could not be compacted: " + reason;
}

CompactResult compactEmployeeDatabase() {
  QDir folder = QDir::current();
  try {
    if (const std::optional<db::ServerAddress> server = db::configuredServer(folder))
      return compactOnServer(folder, *server);
  } catch (const DbError& e) {
    return failed(QString::fromUtf8(e.what()));
  }
  QString live = db::findFile(folder.filePath(kLive));
  if (live.isEmpty())
    return failed(QString("%1 was not found in the folder %2.")
                      .arg(kLive, QDir::toNativeSeparators(folder.absolutePath())));
  // employee.mdb may be a link to the file (on another drive, say): that file
  // is compacted and replaced in its own folder, so the link keeps leading
  // to the employees the windows work on.
  QString linkProblem;
  if (!db::followLink(&live, &linkProblem)) return failed(linkProblem);
  folder = QFileInfo(live).dir();
  const QString unchanged = QString("  %1 has been left as it was.").arg(QFileInfo(live).fileName());

  // Closes the shared connection until the files are in place again; every
  // record set then reads the file that carries the name employee.mdb.
  db::Suspension closed(live);

  QString error;
  const int records = checkedCount(live, db::Access::ReadWrite, &error);
  // A file another program holds for the moment needs no repair, only time.
  if (records < 0 && db::isBusy(error)) return failed(sentence(error));
  if (records < 0) return failed(sentence(error) + "  Use Repair database first." + unchanged);

  const QString compact = fileNamed(folder, kCompact);
  if (present(compact) && (!QFileInfo(compact).isFile() || !fileops::remove(compact)))
    return failed(QString("an old %1 is in the way and cannot be deleted.").arg(QFileInfo(compact).fileName()) + unchanged);

  error = vacuumInto(live, compact);
  if (error.isEmpty()) {
    QString copyError;
    const int copied = checkedCount(compact, db::Access::ReadOnly, &copyError);
    if (copied != records)
      error = copied < 0 ? "the compacted copy is not sound (" + copyError + ")"
                         : QString("the compacted copy holds %1 of %2 records").arg(copied).arg(records);
  }
  if (!error.isEmpty()) {
    fileops::remove(compact);
    return failed(sentence(error) + unchanged);
  }

  // employee.mdb is replaced, never moved away: the database as it was gets
  // a second name first (Backup.mdb.new), the compacted copy, flushed to
  // the disk, is renamed over employee.mdb, and only then does the second
  // name replace Backup.mdb. A crash at any step leaves employee.mdb whole,
  // and the start-up finishes or undoes what was begun.
  if (!fileops::flush(compact)) {
    fileops::remove(compact);
    return failed(QString("%1 could not be written to the disk.").arg(kCompact) + unchanged);
  }
  const QString backup = fileNamed(folder, kBackup);
  if (present(backup) && !QFileInfo(backup).isFile()) {
    fileops::remove(compact);
    return failed(QString("%1 is in the way and cannot be replaced.").arg(QFileInfo(backup).fileName()) + unchanged);
  }
  const QString newBackup = folder.filePath(kNewBackup);
  if (!fileops::remove(newBackup) || !fileops::keepAs(live, newBackup)) {
    fileops::remove(newBackup);
    fileops::remove(compact);
    return failed(QString("the database as it was could not be kept as %1 (the disk may be full "
                          "or the folder read-only).").arg(kBackup) + unchanged);
  }
  if (!fileops::replace(compact, live)) {
    fileops::remove(newBackup);
    fileops::remove(compact);
    return failed(QString("%1 could not be renamed to %2 (the folder may be read-only).")
                      .arg(kCompact, QFileInfo(live).fileName()) + unchanged);
  }
  // A backup spelt in other letters (BACKUP.MDB from Windows) goes once the
  // new one has its name.
  const QString backupName = folder.filePath(kBackup);
  if (!fileops::replace(newBackup, backupName))
    return {false,
            QString("The database has been compacted, but the old database could not take the "
                    "name %1; it is kept as %2.")
                .arg(kBackup, kNewBackup),
            true};
  if (present(backup) && backup != backupName) fileops::remove(backup);
  return {true, {}};
}
