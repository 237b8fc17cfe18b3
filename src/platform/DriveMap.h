#pragma once
// Drive letters of the old platform. "A:\" is the floppy drive: the real
// drive on a Windows PC that has one. Otherwise it is the folder named by the
// environment variable ROTAWISE_DRIVE_A, else the folder the user chose for
// it in this data folder (kept in DRIVE_A.IGH there, so each data folder has
// its own).
// A folder that is not there (a USB stick not plugged in) means there is no
// disk in the drive.
#include <QString>
#include <QStringList>

namespace drive {
// The local folder that stands for the drive `letter`, or empty when the
// drive has no disk.
QString folderFor(QChar letter);

// Maps "A:\employee.mdb" to a local path. A path without a drive letter is
// returned unchanged; a drive without a disk gives an empty path.
QString resolve(const QString& path);

// Whether the drive stands for a folder the user chose (and may choose
// again): not on a PC that has the drive, and not while the environment
// variable names one.
bool isChosenFolder(QChar letter);
// Whether the drive means anything yet: a real drive, the environment
// variable, or a folder chosen for this data folder.
bool isMapped(QChar letter);
// The folder chosen for the drive in this data folder (empty when none).
QString chosenFolder(QChar letter);
// Keeps `folder` as the drive for this data folder. It is used for the rest
// of the run even when the data folder cannot keep it (then false, and
// `error` says why).
bool choose(QChar letter, const QString& folder, QString* error = nullptr);

// The mounted drives a backup is best kept on (USB sticks, memory cards:
// Windows' removable drives, disks under /media, /run/media or /mnt), that
// can be written to.
QStringList removableDrives();
}  // namespace drive
