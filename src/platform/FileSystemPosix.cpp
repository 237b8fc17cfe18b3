// The file steps of a POSIX system: fsync, rename(2), syncfs.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

#include "platform/FileSystem.h"

namespace filesystem {
namespace {
bool syncDescriptor(const QString& path, int flags) {
  const int fd = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = ::fsync(fd) == 0;
  ::close(fd);
  return ok;
}
}  // namespace

bool flushOpenFile(QFile& file) { return file.flush() && ::fsync(file.handle()) == 0; }

bool flushFile(const QString& path) { return syncDescriptor(path, O_RDONLY); }

void flushFolder(const QString& folder) {
  // Some file systems cannot flush a folder; the rename stands all the same.
  syncDescriptor(folder, O_RDONLY | O_DIRECTORY);
}

bool replaceFile(const QString& from, const QString& to, bool* heldOpen) {
  // A file open elsewhere does not stop a rename on a POSIX system.
  if (heldOpen) *heldOpen = false;
  return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

void syncDiskOf(const QString& folder) {
#ifdef Q_OS_LINUX
  const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::syncfs(fd);
    ::close(fd);
  }
#else
  Q_UNUSED(folder);
  ::sync();
#endif
}

QString driveRoot(QChar) { return {}; }

bool isRemovableVolume(const QString& rootPath) {
  for (const char* place : {"/media/", "/run/media/", "/mnt/", "/Volumes/"})
    if (rootPath.startsWith(QLatin1String(place))) return true;
  return false;
}

QString documentsFolder() { return QDir::homePath(); }
QString documentsFolderInWords() { return "~"; }
}  // namespace filesystem
