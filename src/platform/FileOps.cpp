#include "platform/FileOps.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace fileops {
namespace {
FaultInjector& injector() {
  static FaultInjector f;
  return f;
}
}  // namespace

void setFaultInjector(FaultInjector f) { injector() = std::move(f); }
bool injectedFault(FileStep step, const QString& path) {
  return injector() && injector()(step, path);
}

bool writeAtomically(const QString& path, const QByteArray& bytes, QString* error) {
  auto fail = [&](const QString& why) {
    if (error) *error = why;
    return false;
  };
  QSaveFile file(path);
  if (injectedFault(FileStep::Create, path) || !file.open(QIODevice::WriteOnly))
    return fail(QString("The file %1 could not be created (%2).")
                    .arg(path, file.errorString().isEmpty() ? "refused" : file.errorString()));
  // The last bytes wait in a buffer, and commit() does not report a failed
  // flush of them (a full disk): flush here, where the failure is seen.
  if (injectedFault(FileStep::Write, path) || file.write(bytes) != bytes.size() ||
      !file.flush()) {
    file.cancelWriting();
    return fail(QString("The file %1 could not be written; the disk may be full.").arg(path));
  }
  if (injectedFault(FileStep::Rename, path) || !file.commit())
    return fail(QString("The file %1 could not be saved (%2).").arg(path, file.errorString()));
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
  return QFile::rename(from, to);
}

bool copy(const QString& from, const QString& to) {
  if (injectedFault(FileStep::Copy, from)) return false;
  if (QFileInfo::exists(to) && !QFile::remove(to)) return false;
  return QFile::copy(from, to);
}
}  // namespace fileops
