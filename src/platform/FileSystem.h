#pragma once
// The few file operations that the operating system does its own way, for
// FileOps (which is the same on every system). One implementation for POSIX
// systems (FileSystemPosix.cpp) and one for Windows (FileSystemWindows.cpp);
// the build picks the one of the system it builds for.
#include <QString>

class QFile;

namespace filesystem {
// Forces the contents of a file that is open for writing to the disk.
bool flushOpenFile(QFile& file);
// Forces the contents of a file to the disk.
bool flushFile(const QString& path);
// Forces a folder's list of names to the disk, where the system can.
void flushFolder(const QString& folder);
// Gives `from` the name `to` in one step, over whatever `to` was (the folder
// is flushed by the caller). A file another program holds open is waited
// for a few seconds; `heldOpen` (when given) tells whether that was why it
// failed.
bool replaceFile(const QString& from, const QString& to, bool* heldOpen = nullptr);
// Forces everything written to the disk that holds `folder` (many files at
// once, cheaper than one by one); nothing where the system has no such call.
void syncDiskOf(const QString& folder);

// The root of the drive with this letter, when the system has drive letters
// and the PC has that drive ("A:/"), whether or not a disk is in it; empty
// otherwise.
QString driveRoot(QChar letter);
// Whether a mounted volume is one a backup is best kept on: a USB stick, a
// memory card (Windows' removable drives; /media, /run/media, /mnt elsewhere).
bool isRemovableVolume(const QString& rootPath);

// Where a user's own files go by default: the home folder on a POSIX system,
// the Documents folder on Windows.
QString documentsFolder();
// The same in a user's words: "~" or "Documents".
QString documentsFolderInWords();
}  // namespace filesystem
