#pragma once
// The few file operations that the operating system does its own way, for
// FileOps (which is the same on every system). One implementation for POSIX
// systems (FileSystemPosix.cpp) and one for Windows (FileSystemWindows.cpp);
// the build picks the one of the system it builds for.
//
// Who may read what the program writes: employees' names, positions and
// hours are personal data, so where the system keeps POSIX modes every file
// the program makes is its user's alone (600), every folder too (700),
// whatever the umask, and a file that takes the place of another keeps that
// one's mode (a user who shares a folder or a file on purpose keeps that
// choice). On Windows a file inherits the rights of the folder it is made in
// (the user's profile), and the mode functions below do nothing extra there.
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

// 600 for a file, 700 for a folder.
bool makePrivate(const QString& path);
// The open file (its descriptor) gets the mode of `replaced` when that file
// is there, else it is made private; done before anything is written into it.
bool takeModeOf(const QString& replaced, int descriptor);
// Before `from` is renamed over `to`: it gets the mode `to` has. A file with
// a second name (a hard link kept of a file in use) is left as it is, so the
// change never reaches the other name.
void keepModeOfReplaced(const QString& from, const QString& to);
// Makes the folder with any missing above it; each folder it makes is private.
bool makeFolder(const QString& path);
// A new, empty, private file for a library to fill; fails when `path` is there.
bool createPrivateFile(const QString& path);
// True when users other than the owner have any right to the file (as libpq
// judges its own password file); `mode` gets the file's permission bits.
bool othersHaveAccess(const QString& path, int* mode);

// The root of the drive with this letter, when the system has drive letters
// and the PC has that drive ("A:/"), whether or not a disk is in it; empty
// otherwise.
QString driveRoot(QChar letter);

// An existing file's path spelt as the disk spells it. Windows finds
// "EMPLOYEE.MDB" under employee.mdb and a folder under its short 8.3 name:
// whoever compares paths of one file compares them in this spelling. A path
// that is not there comes back as it was; elsewhere, names are exact anyway.
QString spelledOnDisk(const QString& path);
// Whether a mounted volume is one a backup is best kept on: a USB stick, a
// memory card (Windows' removable drives; /media, /run/media, /mnt elsewhere).
bool isRemovableVolume(const QString& rootPath);

// Where a user's own files go by default: the home folder on a POSIX system,
// the Documents folder on Windows.
QString documentsFolder();
// The same in a user's words: "~" or "Documents".
QString documentsFolderInWords();
}  // namespace filesystem
