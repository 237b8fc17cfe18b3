// The file steps of a POSIX system: fsync, rename(2), syncfs; modes with
// chmod, fchmod and stat.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
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

constexpr mode_t kPrivateFile = 0600;
constexpr mode_t kPrivateFolder = 0700;
constexpr mode_t kPermissionBits = 07777;

QByteArray encoded(const QString& path) { return QFile::encodeName(path); }

bool statOf(const QString& path, struct stat* out) { return ::stat(encoded(path).constData(), out) == 0; }
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

bool makePrivate(const QString& path) {
  struct stat st;
  if (!statOf(path, &st)) return false;
  return ::chmod(encoded(path).constData(), S_ISDIR(st.st_mode) ? kPrivateFolder : kPrivateFile) == 0;
}

bool takeModeOf(const QString& replaced, int descriptor) {
  struct stat st;
  const mode_t mode = !replaced.isEmpty() && statOf(replaced, &st) && S_ISREG(st.st_mode)
                          ? st.st_mode & kPermissionBits
                          : kPrivateFile;
  return ::fchmod(descriptor, mode) == 0;
}

void keepModeOfReplaced(const QString& from, const QString& to) {
  struct stat source, target;
  if (!statOf(from, &source) || source.st_nlink != 1 || !S_ISREG(source.st_mode)) return;
  if (!statOf(to, &target) || !S_ISREG(target.st_mode)) return;
  if ((source.st_mode & kPermissionBits) == (target.st_mode & kPermissionBits)) return;
  // A disk without modes (a memory stick) refuses; the file is saved all the same.
  ::chmod(encoded(from).constData(), target.st_mode & kPermissionBits);
}

bool makeFolder(const QString& path) {
  const QString absolute = QDir::cleanPath(QDir::current().absoluteFilePath(path));
  QStringList missing;
  for (QString p = absolute; !QFileInfo::exists(p); p = QFileInfo(p).absolutePath()) {
    missing.prepend(p);
    if (QFileInfo(p).absolutePath() == p) break;  // the root
  }
  for (const QString& folder : missing) {
    // mkdir takes the umask away from its mode; chmod sets it exactly.
    if (::mkdir(encoded(folder).constData(), kPrivateFolder) != 0 && errno != EEXIST) return false;
    ::chmod(encoded(folder).constData(), kPrivateFolder);
  }
  return QFileInfo(absolute).isDir();
}

bool createPrivateFile(const QString& path) {
  const int fd = ::open(encoded(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kPrivateFile);
  if (fd < 0) return false;
  const bool ok = ::fchmod(fd, kPrivateFile) == 0;
  ::close(fd);
  return ok;
}

bool othersHaveAccess(const QString& path, int* mode) {
  struct stat st;
  if (!statOf(path, &st)) return false;
  if (mode) *mode = int(st.st_mode & kPermissionBits);
  return (st.st_mode & (S_IRWXG | S_IRWXO)) != 0;
}

QString driveRoot(QChar) { return {}; }

QString spelledOnDisk(const QString& path) { return path; }

bool isRemovableVolume(const QString& rootPath) {
  for (const char* place : {"/media/", "/run/media/", "/mnt/", "/Volumes/"})
    if (rootPath.startsWith(QLatin1String(place))) return true;
  return false;
}

QString documentsFolder() { return QDir::homePath(); }
QString documentsFolderInWords() { return "~"; }
}  // namespace filesystem
