#include "app/DataFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

#include "db/LegacyImport.h"
#include "db/Recovery.h"
#include "platform/FileOps.h"
#include "platform/FileSystem.h"
#include "platform/Installation.h"
#include "platform/MessageBox.h"

namespace datafolder {
namespace {
constexpr const char* kDatabase = "employee.mdb";

// Copies one supplied file in under a temporary name and gives it its own
// name only if that is still free, so nothing of the user's is ever replaced.
bool addFile(const QDir& folder, const QString& name, const QString& suppliedFolder) {
  const QString target = folder.filePath(name);
  const QString partial = fileops::temporaryNameOf(target);
  const QString source = suppliedFolder.isEmpty() ? QString()
                                                  : findInAnyCase(QDir(suppliedFolder).filePath(name));
  bool made = false;
  if (!source.isEmpty()) {
    made = fileops::copy(source, partial);
  } else if (name == kDatabase) {
    made = fileops::remove(partial) && legacy::writeEmployeeDatabase(partial, {}, nullptr);
  }
  // The user's own to change (the installation's may be read-only), and no
  // one else's to read.
  made = made && fileops::makePrivate(partial);
  if (made && fileops::rename(partial, target)) return true;
  fileops::remove(partial);
  return false;
}

QString native(const QString& path) { return QDir::toNativeSeparators(path); }
}  // namespace

QString chosen(const QString& fromCommandLine) {
  QString folder = fromCommandLine;
  if (folder.isEmpty()) folder = qEnvironmentVariable("ROTAWISE_DATA");
  if (folder.isEmpty()) folder = QDir(filesystem::documentsFolder()).filePath("Rotawise");
  if (folder == "~" || folder.startsWith("~/")) folder = QDir::homePath() + folder.mid(1);
  return QDir::cleanPath(QDir::current().absoluteFilePath(folder));
}

QStringList suppliedNames() {
  return {"DAYS.IGH",     "TIMES.IGH",  "AREATIME.IGH", "WEEKDAYS.IGH",
          "EMPLOYEE.HLP", "clouds.bmp", "employee.bmp", kDatabase};
}

Preparation prepare(const QString& path, const QString& suppliedFolder) {
  Preparation p;
  const QFileInfo info(path);
  if (info.exists() && !info.isDir()) {
    p.message = QString("%1 is a file, not a folder.  Please name a folder for the program's data.")
                    .arg(native(path));
    return p;
  }
  if (!info.exists() && !fileops::makeFolder(path)) {
    p.message = QString("The data folder %1 could not be made.  Please name a folder you may "
                        "write to, for example: rotawise ~/Rotawise")
                    .arg(native(path));
    return p;
  }
  const QDir folder(path);
  if (!folder.isReadable() || !QFileInfo(path).isExecutable()) {
    p.message = QString("The data folder %1 cannot be opened (the folder's permissions do not "
                        "allow it).")
                    .arg(native(path));
    return p;
  }
  p.usable = true;
  // Work a crash interrupted is finished first: an employee.mdb it left under
  // another name is put back, never covered by an empty one.
  p.restored = recovery::finishInterruptedWork(folder);
  if (!findInAnyCase(folder.filePath(kDatabase)).isEmpty()) return p;  // a folder in use

  for (const QString& name : suppliedNames()) {
    if (!findInAnyCase(folder.filePath(name)).isEmpty()) continue;
    (addFile(folder, name, suppliedFolder) ? p.added : p.notAdded) << name;
  }
  if (!p.notAdded.isEmpty())
    p.message = QString("These files could not be added to the data folder %1: %2.  The disk may "
                        "be full, the folder read-only, or the program's own files (share/rotawise "
                        "beside it) missing.  Nothing in the folder was replaced.")
                    .arg(native(path), p.notAdded.join(", "));
  return p;
}

bool enter(const QString& fromCommandLine, QStringList* restored) {
  const QString folder = chosen(fromCommandLine);
  const Preparation p = prepare(folder, installation::suppliedFolder());
  const bool entered = p.usable && QDir::setCurrent(folder);
  QString message = p.message;
  if (p.usable && !entered)
    message = QString("The data folder %1 cannot be opened.").arg(native(folder));
  if (restored)
    *restored << p.restored;
  else if (!p.restored.isEmpty())
    msgBox(recovery::reportText(p.restored), msg::OkOnly + msg::Exclamation, "Ok!");
  if (!message.isEmpty()) {
    std::fprintf(stderr, "rotawise: %s\n", message.toLocal8Bit().constData());
    msgBox(message, msg::Exclamation, "Opps!");
  }
  return entered;
}
}  // namespace datafolder
