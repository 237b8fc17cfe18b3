#include "platform/FileOps.h"

#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

#include "platform/FileSystem.h"

namespace fileops {
namespace {
FaultInjector& injector() {
  static FaultInjector f;
  return f;
}

std::filesystem::path native(const QString& path) { return std::filesystem::path(path.toStdU16String()); }

QString folderOf(const QString& path) { return QFileInfo(path).absolutePath(); }
}  // namespace

const char* const kTemporarySuffix = ".partial";

void setFaultInjector(FaultInjector f) { injector() = std::move(f); }
bool injectedFault(FileStep step, const QString& path) {
  return injector() && injector()(step, path);
}

QString temporaryNameOf(const QString& path) { return path + kTemporarySuffix; }

bool flush(const QString& path) {
  if (injectedFault(FileStep::Flush, path)) return false;
  return filesystem::flushFile(path);
}

bool flushFolderOf(const QString& path) {
  const QString folder = folderOf(path);
  if (injectedFault(FileStep::Flush, folder)) return false;
  filesystem::flushFolder(folder);
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
  const bool written = !injectedFault(FileStep::Write, path) &&
                       file.write(bytes) == bytes.size() && !injectedFault(FileStep::Flush, path) &&
                       filesystem::flushOpenFile(file);
  file.close();
  if (!written) {
    QFile::remove(partial);
    return fail(QString("The file %1 could not be written; the disk may be full.").arg(path));
  }
  bool heldOpen = false;
  const bool renamed =
      !injectedFault(FileStep::Rename, path) && filesystem::replaceFile(partial, path, &heldOpen);
  if (!renamed) {
    QFile::remove(partial);
    return fail(heldOpen ? QString("The file %1 could not be saved: another program is using it. "
                                   "Close it there and try again.")
                               .arg(path)
                         : QString("The file %1 could not be saved (it could not take its name).")
                               .arg(path));
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
  filesystem::keepModeOfReplaced(from, to);
  if (!filesystem::replaceFile(from, to)) return false;
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

void syncDiskOf(const QString& folder) { filesystem::syncDiskOf(folder); }

bool makePrivate(const QString& path) { return filesystem::makePrivate(path); }
bool takeModeOf(const QString& replaced, int descriptor) {
  return filesystem::takeModeOf(replaced, descriptor);
}
bool makeFolder(const QString& path) { return filesystem::makeFolder(path); }
bool createPrivateFile(const QString& path) { return filesystem::createPrivateFile(path); }
bool othersHaveAccess(const QString& path, int* mode) { return filesystem::othersHaveAccess(path, mode); }

bool sameFile(const QString& a, const QString& b) {
  std::error_code failed;
  return std::filesystem::equivalent(native(a), native(b), failed) && !failed;
}
}  // namespace fileops
