#pragma once
// Who may read what the program writes. Employees' names, positions and
// hours are personal data: every file the program makes is its user's alone
// (600), every folder it makes too (700), whatever the umask. A file that
// takes the place of another keeps that one's mode, so a user who shares a
// folder or a file on purpose keeps that choice.
//
// Only where the system keeps POSIX modes: on Windows a file inherits the
// rights of the folder it is made in (the user's profile), and these do
// nothing there.
#include <QString>

namespace fileops {
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
// A new, empty, private file for a library to fill (the database engine writes
// its copies into one); fails when `path` is there.
bool createPrivateFile(const QString& path);
// True when users other than the owner have any right to the file (as libpq
// judges its own password file); `mode` gets the file's permission bits.
bool othersHaveAccess(const QString& path, int* mode = nullptr);
}  // namespace fileops
