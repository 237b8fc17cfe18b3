#include "platform/FileOps.h"

#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

#include "platform/FileModes.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace fileops {
namespace {
FaultInjector& injector() {
  static FaultInjector f;
  return f;
}

std::filesystem::path native(const QString& path) { return std::filesystem::path(path.toStdU16String()); }

QString folderOf(const QString& path) { return QFileInfo(path).absolutePath(); }

#ifdef Q_OS_UNIX
bool syncDescriptor(const QString& path, int flags) {
  const int fd = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = ::fsync(fd) == 0;
  ::close(fd);
  return ok;
}
#endif
}  // namespace

const char* const kTemporarySuffix = ".partial";

void setFaultInjector(FaultInjector f) { injector() = std::move(f); }
bool injectedFault(FileStep step, const QString& path) {
  return injector() && injector()(step, path);
}

QString temporaryNameOf(const QString& path) { return path + kTemporarySuffix; }

bool flush(const QString& path) {
  if (injectedFault(FileStep::Flush, path)) return false;
#ifdef Q_OS_UNIX
  return syncDescriptor(path, O_RDONLY);
#else
  QFile file(path);
  return file.open(QIODevice::ReadWrite) && file.flush();
#endif
}

bool flushFolderOf(const QString& path) {
  const QString folder = folderOf(path);
  if (injectedFault(FileStep::Flush, folder)) return false;
#ifdef Q_OS_UNIX
  // Some file systems cannot flush a folder; the rename stands all the same.
  syncDescriptor(folder, O_RDONLY | O_DIRECTORY);
#endif
  return true;
}

// Every step of a save is asked for under the name of the file it saves, so a
// test can refuse the steps of one file.
bool writeAtomically(const QString& path, const QByteArray& bytes, QString* error) {
  auto fail = [&](const QString& why) {
    if (error) *error = why;
    return false;
  };
  const QString partial = temporaryNameOf(path);
  QFile file(partial);
  if (injectedFault(FileStep::Create, path) ||
      !file.open(QIODevice::WriteOnly | QIODevice::Truncate))
    return fail(QString("The file %1 could not be created (%2).")
                    .arg(path, file.errorString().isEmpty() ? "refused" : file.errorString()));
  // Private, or as shared as the file it replaces, before a byte is in it.
  takeModeOf(path, file.handle());
  bool written = !injectedFault(FileStep::Write, path) && file.write(bytes) == bytes.size() &&
                 file.flush();
#ifdef Q_OS_UNIX
  written = written && !injectedFault(FileStep::Flush, path) && ::fsync(file.handle()) == 0;
#endif
  file.close();
  if (!written) {
    QFile::remove(partial);
    return fail(QString("The file %1 could not be written; the disk may be full.").arg(path));
  }
  std::error_code failed;
  const bool renamed = !injectedFault(FileStep::Rename, path) &&
                       (std::filesystem::rename(native(partial), native(path), failed), !failed);
  if (!renamed) {
    QFile::remove(partial);
    return fail(QString("The file %1 could not be saved (it could not take its name).").arg(path));
  }
  flushFolderOf(path);
  return true;
}

bool exists(const QString& path) { return QFileInfo::exists(path); }

bool remove(const QString& path) {
  if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink()) return true;
  if (injectedFault(FileStep::Delete, path)) return false;
  return QFile::remove(path);
}

bool rename(const QString& from, const QString& to) {
  if (injectedFault(FileStep::Rename, from)) return false;
  if (!QFile::rename(from, to)) return false;
  flushFolderOf(to);
  return true;
}

bool replace(const QString& from, const QString& to) {
  if (injectedFault(FileStep::Rename, from)) return false;
  keepModeOfReplaced(from, to);
  std::error_code failed;
  std::filesystem::rename(native(from), native(to), failed);
  if (failed) return false;
  flushFolderOf(to);
  return true;
}

bool copy(const QString& from, const QString& to) {
  if (injectedFault(FileStep::Copy, from)) return false;
  if (QFileInfo::exists(to) && !QFile::remove(to)) return false;
  return QFile::copy(from, to);
}

bool keepAs(const QString& from, const QString& to) {
  if (QFileInfo::exists(to) || QFileInfo(to).isSymLink()) return false;
  if (injectedFault(FileStep::Link, to)) return false;
  std::error_code failed;
  std::filesystem::create_hard_link(native(from), native(to), failed);
  if (!failed) {
    flushFolderOf(to);
    return true;
  }
  // A disk without hard links (a memory stick, a shared folder) gets a copy.
  if (!copy(from, to)) return false;
  if (!flush(to)) {
    QFile::remove(to);
    return false;
  }
  flushFolderOf(to);
  return true;
}

bool sameFile(const QString& a, const QString& b) {
  std::error_code failed;
  return std::filesystem::equivalent(native(a), native(b), failed) && !failed;
}
}  // namespace fileops
