// The file steps of Windows: FlushFileBuffers, and MoveFileEx with
// MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH, which replaces a file
// in one step and returns only once the new name is on the disk.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

#include <io.h>
#include <string>
#include <windows.h>

#include "platform/FileSystem.h"

namespace filesystem {
namespace {
std::wstring native(const QString& path) {
  return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()).toStdWString();
}

// Another program (a virus scanner, a backup or sync tool, the indexer) may
// hold a file open for a moment; such a refusal is tried again for a while.
bool heldByAnother(DWORD code) {
  return code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION ||
         code == ERROR_ACCESS_DENIED;
}
constexpr int kAttempts = 30;
constexpr int kPauseMs = 100;
}  // namespace

bool flushOpenFile(QFile& file) {
  if (!file.flush()) return false;
  const int fd = file.handle();
  const auto handle = fd >= 0 ? reinterpret_cast<HANDLE>(_get_osfhandle(fd)) : INVALID_HANDLE_VALUE;
  if (handle != INVALID_HANDLE_VALUE) return FlushFileBuffers(handle) != 0;
  return flushFile(file.fileName());
}

bool flushFile(const QString& path) {
  // The system's cache is the file's, not the handle's: flushing through a
  // handle of our own writes what any handle wrote.
  HANDLE h = CreateFileW(native(path).c_str(), GENERIC_WRITE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  const bool ok = FlushFileBuffers(h) != 0;
  CloseHandle(h);
  return ok;
}

void flushFolder(const QString&) {
  // MOVEFILE_WRITE_THROUGH has already put the new name on the disk.
}

bool replaceFile(const QString& from, const QString& to, bool* heldOpen) {
  const std::wstring source = native(from), target = native(to);
  DWORD code = 0;
  for (int attempt = 1; attempt <= kAttempts; ++attempt) {
    if (MoveFileExW(source.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return true;
    code = GetLastError();
    if (!heldByAnother(code)) break;
    QThread::msleep(kPauseMs);
  }
  if (heldOpen) *heldOpen = heldByAnother(code);
  return false;
}

void syncDiskOf(const QString&) {
  // Windows flushes a whole disk for administrators only; the files are
  // written again at the next export if a power cut catches them.
}

// A file inherits the rights of the folder it is made in (the user's
// profile): there is nothing to set or to check.
bool makePrivate(const QString&) { return true; }
bool takeModeOf(const QString&, int) { return true; }
void keepModeOfReplaced(const QString&, const QString&) {}
bool makeFolder(const QString& path) { return QDir().mkpath(path); }
bool createPrivateFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::NewOnly);
}
bool othersHaveAccess(const QString&, int* mode) {
  if (mode) *mode = 0;
  return false;
}

QString spelledOnDisk(const QString& path) {
  const HANDLE h = CreateFileW(native(path).c_str(), 0,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return path;
  std::wstring buffer(32768, L'\0');  // the longest path Windows has
  const DWORD length = GetFinalPathNameByHandleW(h, buffer.data(), DWORD(buffer.size()),
                                                 FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  CloseHandle(h);
  if (length == 0 || length >= buffer.size()) return path;
  QString spelt = QString::fromWCharArray(buffer.data(), int(length));
  if (spelt.startsWith(R"(\\?\UNC\)")) spelt = R"(\\)" + spelt.mid(8);
  else if (spelt.startsWith(R"(\\?\)")) spelt = spelt.mid(4);
  return QDir::fromNativeSeparators(spelt);
}

QString driveRoot(QChar letter) {
  const QChar upper = letter.toUpper();
  if (upper < 'A' || upper > 'Z') return {};
  const DWORD drives = GetLogicalDrives();
  return drives & (1u << (upper.unicode() - 'A')) ? QString(upper) + ":/" : QString();
}

bool isRemovableVolume(const QString& rootPath) {
  return GetDriveTypeW(native(rootPath).c_str()) == DRIVE_REMOVABLE;
}

QString documentsFolder() {
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return documents.isEmpty() ? QDir::homePath() : documents;
}

QString documentsFolderInWords() { return "Documents"; }
}  // namespace filesystem
