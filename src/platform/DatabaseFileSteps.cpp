#include "platform/DatabaseFileSteps.h"

#include <QString>
#include <sqlite3.h>

#include "platform/FileOps.h"

namespace fileops {
namespace {
// A file of the wrapping engine: ours in front, the engine's own behind it.
struct File {
  sqlite3_file base;
  sqlite3_file* real;
  const char* name;  // owned by the engine, valid while the file is open
};

sqlite3_vfs* realVfs = nullptr;

sqlite3_file* real(sqlite3_file* f) { return reinterpret_cast<File*>(f)->real; }
QString nameOf(sqlite3_file* f) { return QString::fromUtf8(reinterpret_cast<File*>(f)->name); }

int fileClose(sqlite3_file* f) { return real(f)->pMethods->xClose(real(f)); }
int fileRead(sqlite3_file* f, void* out, int n, sqlite3_int64 at) {
  return real(f)->pMethods->xRead(real(f), out, n, at);
}
int fileWrite(sqlite3_file* f, const void* in, int n, sqlite3_int64 at) {
  if (injectedFault(FileStep::Write, nameOf(f))) return SQLITE_IOERR_WRITE;
  return real(f)->pMethods->xWrite(real(f), in, n, at);
}
int fileTruncate(sqlite3_file* f, sqlite3_int64 size) {
  if (injectedFault(FileStep::Write, nameOf(f))) return SQLITE_IOERR_TRUNCATE;
  return real(f)->pMethods->xTruncate(real(f), size);
}
int fileSync(sqlite3_file* f, int flags) {
  if (injectedFault(FileStep::Flush, nameOf(f))) return SQLITE_IOERR_FSYNC;
  return real(f)->pMethods->xSync(real(f), flags);
}
int fileSize(sqlite3_file* f, sqlite3_int64* size) { return real(f)->pMethods->xFileSize(real(f), size); }
int fileLock(sqlite3_file* f, int lock) { return real(f)->pMethods->xLock(real(f), lock); }
int fileUnlock(sqlite3_file* f, int lock) { return real(f)->pMethods->xUnlock(real(f), lock); }
int fileCheckLock(sqlite3_file* f, int* out) {
  return real(f)->pMethods->xCheckReservedLock(real(f), out);
}
int fileControl(sqlite3_file* f, int op, void* arg) {
  return real(f)->pMethods->xFileControl(real(f), op, arg);
}
int fileSectorSize(sqlite3_file* f) { return real(f)->pMethods->xSectorSize(real(f)); }
int fileCharacteristics(sqlite3_file* f) {
  return real(f)->pMethods->xDeviceCharacteristics(real(f));
}

// Shared memory (WAL mode) and memory-mapped reads are not used by the
// program; the wrapper offers neither, so the engine falls back to plain
// reads and writes, which pass through the seam.
const sqlite3_io_methods fileMethods = {
    1,        fileClose, fileRead,      fileWrite,     fileTruncate, fileSync,
    fileSize, fileLock,  fileUnlock,    fileCheckLock, fileControl,  fileSectorSize,
    fileCharacteristics};

int vfsOpen(sqlite3_vfs*, const char* name, sqlite3_file* f, int flags, int* outFlags) {
  File* file = reinterpret_cast<File*>(f);
  file->base.pMethods = nullptr;
  file->real = reinterpret_cast<sqlite3_file*>(file + 1);
  file->name = name;
  if ((flags & SQLITE_OPEN_CREATE) && name && injectedFault(FileStep::Create, QString::fromUtf8(name)))
    return SQLITE_CANTOPEN;
  const int rc = realVfs->xOpen(realVfs, name, file->real, flags, outFlags);
  if (file->real->pMethods) file->base.pMethods = &fileMethods;
  return rc;
}

int vfsDelete(sqlite3_vfs*, const char* name, int syncFolder) {
  if (injectedFault(FileStep::Delete, QString::fromUtf8(name))) return SQLITE_IOERR_DELETE;
  return realVfs->xDelete(realVfs, name, syncFolder);
}
int vfsAccess(sqlite3_vfs*, const char* name, int flags, int* out) {
  return realVfs->xAccess(realVfs, name, flags, out);
}
int vfsFullPathname(sqlite3_vfs*, const char* name, int n, char* out) {
  return realVfs->xFullPathname(realVfs, name, n, out);
}
void* vfsDlOpen(sqlite3_vfs*, const char* name) { return realVfs->xDlOpen(realVfs, name); }
void vfsDlError(sqlite3_vfs*, int n, char* out) { realVfs->xDlError(realVfs, n, out); }
void (*vfsDlSym(sqlite3_vfs*, void* h, const char* symbol))(void) {
  return realVfs->xDlSym(realVfs, h, symbol);
}
void vfsDlClose(sqlite3_vfs*, void* h) { realVfs->xDlClose(realVfs, h); }
int vfsRandomness(sqlite3_vfs*, int n, char* out) { return realVfs->xRandomness(realVfs, n, out); }
int vfsSleep(sqlite3_vfs*, int micro) { return realVfs->xSleep(realVfs, micro); }
int vfsCurrentTime(sqlite3_vfs*, double* out) { return realVfs->xCurrentTime(realVfs, out); }
int vfsLastError(sqlite3_vfs*, int n, char* out) {
  return realVfs->xGetLastError ? realVfs->xGetLastError(realVfs, n, out) : 0;
}
int vfsCurrentTime64(sqlite3_vfs*, sqlite3_int64* out) {
  return realVfs->xCurrentTimeInt64(realVfs, out);
}
}  // namespace

void routeDatabaseStepsThroughSeam() {
  static sqlite3_vfs wrapper;
  if (realVfs) return;
  realVfs = sqlite3_vfs_find(nullptr);
  wrapper = {};
  wrapper.iVersion = 2;
  wrapper.szOsFile = int(sizeof(File)) + realVfs->szOsFile;
  wrapper.mxPathname = realVfs->mxPathname;
  wrapper.zName = "rotawise-file-steps";
  wrapper.xOpen = vfsOpen;
  wrapper.xDelete = vfsDelete;
  wrapper.xAccess = vfsAccess;
  wrapper.xFullPathname = vfsFullPathname;
  wrapper.xDlOpen = vfsDlOpen;
  wrapper.xDlError = vfsDlError;
  wrapper.xDlSym = vfsDlSym;
  wrapper.xDlClose = vfsDlClose;
  wrapper.xRandomness = vfsRandomness;
  wrapper.xSleep = vfsSleep;
  wrapper.xCurrentTime = vfsCurrentTime;
  wrapper.xGetLastError = vfsLastError;
  wrapper.xCurrentTimeInt64 = vfsCurrentTime64;
  sqlite3_vfs_register(&wrapper, 1);  // the default for every connection opened from now on
}
}  // namespace fileops
