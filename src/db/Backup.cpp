#include "db/Backup.h"

#include <QDir>
#include <QFileInfo>

#include "db/Database.h"
#include "platform/DriveMap.h"
#include "platform/FileOps.h"

namespace {
BackupResult diskError(const QString& reason) { return {false, true, reason}; }
}  // namespace

BackupResult backupEmployeeDatabase(const QString& target) {
  const QString live = db::findFile("employee.mdb");
  if (live.isEmpty() || !QFileInfo(live).isFile())
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
  const QString partial = disk.filePath("employee.tmp");
  const QString older = disk.filePath("employee.old");

  {
    // No write is under way while the file is copied.
    db::Suspension closed(live);
    if (!fileops::remove(partial) || !fileops::copy(live, partial) ||
        QFileInfo(partial).size() != QFileInfo(live).size()) {
      fileops::remove(partial);
      return diskError("The copy could not be written to the disk.");
    }
  }
  const bool hadOlder = QFileInfo::exists(existing);
  if (hadOlder && (!fileops::remove(older) || !fileops::rename(existing, older))) {
    fileops::remove(partial);
    return diskError("The backup already on the disk could not be replaced.");
  }
  if (!fileops::rename(partial, destination)) {
    fileops::remove(partial);
    if (hadOlder) fileops::rename(older, existing);
    return diskError("The copy could not be given its name on the disk.");
  }
  if (hadOlder) fileops::remove(older);
  return {true, false, {}};
}
