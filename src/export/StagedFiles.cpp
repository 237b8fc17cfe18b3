#include "export/StagedFiles.h"

#include <QFile>

#include "export/Spreadsheet.h"  // ExportError
#include "platform/FileOps.h"

namespace {
QString native(const QString& path) { return QDir::toNativeSeparators(path); }
}  // namespace

StagedFiles::~StagedFiles() {
  for (const QString& name : names_)
    fileops::remove(fileops::temporaryNameOf(folder_.filePath(name)));
}

void StagedFiles::add(const QString& name, const QByteArray& bytes) {
  const QString part = fileops::temporaryNameOf(folder_.filePath(name));
  auto fail = [&](const QString& why) {
    throw ExportError(QString("Nothing was exported to %1.  The file %2 %3")
                          .arg(native(folder_.path()), name, why)
                          .toStdString());
  };
  QFile file(part);
  if (fileops::injectedFault(FileStep::Create, part) ||
      !file.open(QIODevice::WriteOnly | QIODevice::Truncate))
    fail(QString("could not be created (%1).")
             .arg(file.errorString().isEmpty() ? "refused" : file.errorString()));
  names_ << name;
  fileops::takeModeOf(folder_.filePath(name), file.handle());
  // The last bytes wait in a buffer: flush them here, where a full disk shows.
  if (fileops::injectedFault(FileStep::Write, part) || file.write(bytes) != bytes.size() ||
      !file.flush())
    fail("could not be written; the disk may be full.");
}

void StagedFiles::commit() {
  // The export's files can be made again at any time, so they are not forced
  // to the disk one by one, which takes minutes for a large business; the
  // disk is synced once before they are put in place.
  fileops::syncDiskOf(folder_.path());
  while (!names_.isEmpty()) {
    const QString target = folder_.filePath(names_.first());
    // Renamed over the older file: the folder never lacks it for a moment.
    if (!fileops::replace(fileops::temporaryNameOf(target), target))
      throw ExportError(QString("The export to %1 stopped at %2, which could not be replaced; "
                                "the files before it are new, the others were left as they were.")
                            .arg(native(folder_.path()), names_.first())
                            .toStdString());
    names_.removeFirst();
  }
}
