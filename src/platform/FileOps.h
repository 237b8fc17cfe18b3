#pragma once
// The file steps the program takes (create, write, rename, delete, copy), in
// one place, so that a test can make any of them fail on purpose.
#include <QByteArray>
#include <QString>
#include <functional>

enum class FileStep { Create, Write, Rename, Delete, Copy };

namespace fileops {
// Writes the whole file under a temporary name beside it and renames it over
// the old one, so a failed save leaves the old file as it was. On failure,
// `error` (when given) says why in words a user understands.
bool writeAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);
bool remove(const QString& path);  // true also when there was nothing to delete
bool rename(const QString& from, const QString& to);
bool copy(const QString& from, const QString& to);  // replaces `to`
bool exists(const QString& path);

// Test seam: the function is asked before each step; returning true makes
// that step fail as if the disk had refused it.
using FaultInjector = std::function<bool(FileStep step, const QString& path)>;
void setFaultInjector(FaultInjector injector);
bool injectedFault(FileStep step, const QString& path);
}  // namespace fileops
