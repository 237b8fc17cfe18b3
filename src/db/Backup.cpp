#include "db/Backup.h"

#include <QDir>
#include <QFileInfo>

#include "data/Connections.h"
#include "db/ServerTable.h"
#include "platform/DriveMap.h"
#include "platform/FileOps.h"

namespace {
const QString kPartialName = "employee.tmp";
BackupResult diskError(const QString& reason) { return {false, true, reason}; }
}  // namespace

BackupResult backupEmployeeDatabase(const QString& target) {
  std::optional<db::ServerAddress> server;
  try {
    server = db::configuredServer();
  } catch (const DbError& e) {
    return {false, false, QString::fromUtf8(e.what())};
  }
  const QString live = server ? QString() : db::findFile("employee.mdb");
  if (!server && (live.isEmpty() || !QFileInfo(live).isFile()))
    return {false, false,
            QString("employee.mdb was not found in the folder %1; there is nothing to back up.")
                .arg(QDir::toNativeSeparators(QDir::currentPath()))};
  const QString destination = drive::resolve(target);
  if (destination.isEmpty()) return diskError("There is no disk in the drive.");
  const QFileInfo info(destination);
  const QDir disk = info.dir();
  if (!disk.exists()) return diskError("The folder on the disk does not exist.");

  // A name the disk may already hold in another letter case is replaced too.
  const QString found = db::findFile(destination);
  const QString existing = found.isEmpty() ? destination : found;
  const QString partial = disk.filePath(kPartialName);

  if (server) {
    // An SQLite employee.mdb with every employee on the server, which any PC
    // can open.
    QString error;
    bool serverFault = false;
    if (!fileops::remove(partial) ||
        db::copyServerTableTo(*server, partial, &error, &serverFault) < 0 || !fileops::flush(partial)) {
      fileops::remove(partial);
      if (serverFault) return {false, false, error};  // not the disk's fault
      return diskError("The copy could not be written to the disk.");
    }
  } else {
    // No write is under way while the file is copied.
    db::Suspension closed(live);
    if (!fileops::remove(partial) || !fileops::copy(live, partial) ||
        QFileInfo(partial).size() != QFileInfo(live).size() || !fileops::flush(partial)) {
      fileops::remove(partial);
      return diskError("The copy could not be written to the disk.");
    }
  }
  // The copy is the user's alone, unless it replaces a backup shared on
  // purpose (its mode is kept).
  fileops::makePrivate(partial);
  // The finished copy is renamed over the older backup in one step, so the
  // disk holds one whole backup at every moment; one spelt in other letters
  // goes once the new one has its name.
  if (!fileops::replace(partial, destination)) {
    fileops::remove(partial);
    return diskError("The copy could not be given its name on the disk.");
  }
  if (existing != destination) fileops::remove(existing);
  return {true, false, {}};
}

QStringList tidyBackupFolder(const QString& target) {
  const QString destination = drive::resolve(target);
  if (destination.isEmpty() || !QFileInfo(destination).dir().exists()) return {};
  const QDir disk = QFileInfo(destination).dir();
  const QString found = db::findFile(destination);
  const QString partial = disk.filePath(kPartialName);
  const QString older = disk.filePath("employee.old");  // left by earlier versions
  QStringList restored;
  // An unfinished copy holds nothing that employee.mdb in the data folder lacks.
  if (QFileInfo::exists(partial)) fileops::remove(partial);
  if (QFileInfo::exists(older)) {
    if (found.isEmpty()) {
      if (fileops::rename(older, destination))
        restored << QString("The backup on the disk (%1) was put back from employee.old.")
                        .arg(QDir::toNativeSeparators(disk.absolutePath()));
    } else {
      fileops::remove(older);
    }
  }
  return restored;
}
