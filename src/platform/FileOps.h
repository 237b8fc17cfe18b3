#pragma once
// The file steps the program takes (create, write, flush, link, rename,
// delete, copy), in one place, so that a test can make any of them fail on
// purpose, or end the program right before one of them.
//
// Files that matter are replaced, never moved away first: a new file is
// written beside the old one, flushed to the disk, and renamed over it, and
// the folder is flushed after the rename, so that a crash or a power cut at
// any moment leaves either the old file or the new one under the name.
#include <QByteArray>
#include <QString>
#include <functional>

enum class FileStep { Create, Write, Flush, Link, Rename, Delete, Copy };

namespace fileops {
// Writes the whole file under a temporary name beside it (temporaryNameOf),
// flushes it, renames it over the old one and flushes the folder, so a
// failed save leaves the old file as it was. The new file keeps the mode of
// the one it replaces, and is private when there was none (see FileSystem.h).
// On failure, `error` (when given) says why in words a user understands.
bool writeAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);
// The name writeAtomically writes under first; a file of that name is only
// ever an unfinished save.
QString temporaryNameOf(const QString& path);
extern const char* const kTemporarySuffix;

bool remove(const QString& path);  // true also when there was nothing to delete
// Renames to a name that is free; fails when `to` exists.
bool rename(const QString& from, const QString& to);
// Renames over `to` in one step (whatever `to` held is gone only when `from`
// has taken its place), then flushes the folder. `from` takes the mode `to`
// had.
bool replace(const QString& from, const QString& to);
bool copy(const QString& from, const QString& to);  // replaces `to`
// A second name for the file: a hard link where the disk has them, else a
// copy flushed to the disk. Fails when `to` exists.
bool keepAs(const QString& from, const QString& to);
bool exists(const QString& path);
// Flushes a file's contents, or a folder's list of names, to the disk.
bool flush(const QString& path);
bool flushFolderOf(const QString& path);
// Forces everything written to the disk that holds `folder`, many files at
// once (where the system has such a call; see FileSystem.h).
void syncDiskOf(const QString& folder);
// True when both names lead to the same file on the disk (a hard link).
bool sameFile(const QString& a, const QString& b);

// Who may read what the program makes (FileSystem.h tells the rule): a file
// 600 or a folder 700; a folder made with any missing above it, each
// private; a new empty private file for a library to fill (fails when the
// name is taken); whether users other than the owner have any right to a
// file, as libpq judges its own password file (`mode` gets its bits).
bool makePrivate(const QString& path);
// A file just opened for writing under another name takes the mode of
// `replaced` (private when there is none), before a byte is in it.
bool takeModeOf(const QString& replaced, int descriptor);
bool makeFolder(const QString& path);
bool createPrivateFile(const QString& path);
bool othersHaveAccess(const QString& path, int* mode = nullptr);

// Test seam: the function is asked before each step; returning true makes
// that step fail as if the disk had refused it.
using FaultInjector = std::function<bool(FileStep step, const QString& path)>;
void setFaultInjector(FaultInjector injector);
bool injectedFault(FileStep step, const QString& path);
}  // namespace fileops
