#include "db/Compaction.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

#include "db/Database.h"
#include "platform/FileOps.h"

namespace {
const QString kLive = "employee.mdb";
const QString kCompact = "compact.mdb";
const QString kBackup = "Backup.mdb";
const QString kPreviousBackup = "Backup.mdb.previous";

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

// The number of employees, after a quick check that the file reads whole.
// Empty `error` when the file is sound.
int checkedCount(const QString& path, db::Access access, QString* error) {
  try {
    // Read-write for the live file, so a journal left by a crash is rolled back first.
    db::PrivateConnection c(path, access);
    QSqlQuery q(c.database());
    if (!q.exec("PRAGMA quick_check") || !q.next() || q.value(0).toString() != "ok") {
      *error = QString("%1 is damaged (%2).")
                   .arg(QFileInfo(path).fileName(),
                        q.lastError().isValid() ? db::errorText(q.lastError()) : q.value(0).toString());
      return -1;
    }
    if (!q.exec("SELECT name FROM sqlite_master WHERE type = 'table' AND name = 'Employees' "
                "COLLATE NOCASE") ||
        !q.next()) {
      *error = QString("%1 has no table Employees.").arg(QFileInfo(path).fileName());
      return -1;
    }
    const QString table = q.value(0).toString();
    if (!q.exec("SELECT count(*) FROM " + db::quoted(table)) || !q.next()) {
      *error = QString("%1 cannot be read (%2).")
                   .arg(QFileInfo(path).fileName(), db::errorText(q.lastError()));
      return -1;
    }
    return q.value(0).toInt();
  } catch (const DbError& e) {
    *error = QString::fromStdString(e.what());
    return -1;
  }
}

QString vacuumInto(const QString& live, const QString& target) {
  if (fileops::injectedFault(FileStep::Create, target))
    return QString("%1 could not be created; the disk may be full or the folder read-only")
        .arg(QFileInfo(target).fileName());
  try {
    db::PrivateConnection c(live);
    QSqlQuery q(c.database());
    if (!q.prepare("VACUUM INTO ?")) return db::errorText(q.lastError());
    q.addBindValue(target);
    if (!q.exec())
      return QString("the compacted copy could not be written (%1); the disk may be full or "
                     "the folder read-only")
          .arg(db::errorText(q.lastError()));
  } catch (const DbError& e) {
    return QString::fromStdString(e.what());
  }
  if (fileops::injectedFault(FileStep::Write, target))
    return QString("%1 could not be written; the disk may be full").arg(QFileInfo(target).fileName());
  return {};
}
}  // namespace

QString CompactResult::message() const {
  return "The database could not be compacted: " + reason;
}

CompactResult compactEmployeeDatabase() {
  const QDir folder = QDir::current();
  const QString live = db::findFile(folder.filePath(kLive));
  if (live.isEmpty())
    return failed(QString("%1 was not found in the folder %2.")
                      .arg(kLive, QDir::toNativeSeparators(folder.absolutePath())));
  const QString unchanged = QString("  %1 has been left as it was.").arg(QFileInfo(live).fileName());

  // Closes the shared connection until the files are in place again; every
  // record set then reads the file that carries the name employee.mdb.
  db::Suspension closed(live);

  QString error;
  const int records = checkedCount(live, db::Access::ReadWrite, &error);
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

  // Keep the previous backup aside until the new one is in place.
  const QString backup = fileNamed(folder, kBackup);
  const QString previous = folder.filePath(kPreviousBackup);
  const bool hadBackup = present(backup);
  if (hadBackup) {
    if (!QFileInfo(backup).isFile() || !fileops::remove(previous) ||
        !fileops::rename(backup, previous)) {
      fileops::remove(compact);
      return failed(QString("%1 is in the way and cannot be replaced.").arg(QFileInfo(backup).fileName()) + unchanged);
    }
  }
  auto restorePreviousBackup = [&] {
    if (hadBackup) fileops::rename(previous, backup);
  };

  const QString newBackup = folder.filePath(kBackup);
  if (!fileops::rename(live, newBackup)) {
    restorePreviousBackup();
    fileops::remove(compact);
    return failed(QString("%1 could not be renamed to %2 (the folder may be read-only).")
                      .arg(QFileInfo(live).fileName(), kBackup) + unchanged);
  }
  if (!fileops::rename(compact, live)) {
    if (!fileops::rename(newBackup, live)) {
      return failed(QString("the compacted database could not take the name %1, and the old one "
                            "could not be given its name back.  Your records are in %2 and %3: "
                            "rename %2 to %1 before you go on.")
                        .arg(QFileInfo(live).fileName(), kBackup, kCompact));
    }
    restorePreviousBackup();
    fileops::remove(compact);
    return failed(QString("%1 could not be renamed to %2.").arg(kCompact, QFileInfo(live).fileName()) + unchanged);
  }
  if (hadBackup) fileops::remove(previous);  // a leftover here costs only space
  return {true, {}};
}
