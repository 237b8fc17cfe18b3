#pragma once
// Drive letters of the old platform. "A:\" is the floppy drive: on Windows
// the real drive, elsewhere the folder named by the environment variable
// ROTAWISE_DRIVE_A. Unset, or naming a folder that does not exist, means
// there is no disk in the drive.
#include <QString>

namespace drive {
// The local folder that stands for the drive `letter`, or empty when the
// drive has no disk.
QString folderFor(QChar letter);

// Maps "A:\employee.mdb" to a local path. A path without a drive letter is
// returned unchanged; a drive without a disk gives an empty path.
QString resolve(const QString& path);
}  // namespace drive
