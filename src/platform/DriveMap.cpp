#include "platform/DriveMap.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QStorageInfo>

#include "platform/FileOps.h"
#include "platform/FileSystem.h"
#include "platform/Installation.h"
#include "platform/TextCodec.h"

namespace drive {
namespace {
QString environmentVariable(QChar letter) {
  return "ROTAWISE_DRIVE_" + QString(letter.toUpper());
}

QString choiceFileName(QChar letter) { return "DRIVE_" + QString(letter.toUpper()) + ".IGH"; }

// Choices the data folder could not keep, for the rest of the run; keyed by
// data folder and letter.
QHash<QString, QString>& keptForTheRun() {
  static QHash<QString, QString> kept;
  return kept;
}
QString runKey(QChar letter) { return QDir::currentPath() + '|' + letter.toUpper(); }
}  // namespace

QString chosenFolder(QChar letter) {
  const QString inRun = keptForTheRun().value(runKey(letter));
  if (!inRun.isEmpty()) return inRun;
  QFile file(findInAnyCase(choiceFileName(letter)));
  if (file.fileName().isEmpty() || !file.open(QIODevice::ReadOnly)) return {};
  const QString text = decodeText(file.read(64 * 1024));
  return text.section(QRegularExpression("[\r\n]"), 0, 0).trimmed();
}

bool choose(QChar letter, const QString& folder, QString* error) {
  const QString path = QDir(folder).absolutePath();
  keptForTheRun().insert(runKey(letter), path);
  const QString existing = findInAnyCase(choiceFileName(letter));
  return fileops::writeAtomically(existing.isEmpty() ? choiceFileName(letter) : existing,
                                  encodeText(path + "\r\n"), error);
}

bool isChosenFolder(QChar letter) {
  return filesystem::driveRoot(letter).isEmpty() &&
         !qEnvironmentVariableIsSet(environmentVariable(letter).toLatin1().constData());
}

bool isMapped(QChar letter) { return !isChosenFolder(letter) || !chosenFolder(letter).isEmpty(); }

QString folderFor(QChar letter) {
  // A PC with the drive uses it; an empty drive has no disk.
  if (const QString root = filesystem::driveRoot(letter); !root.isEmpty())
    return QFileInfo(root).isDir() ? root : QString();
  const QByteArray variable = environmentVariable(letter).toLatin1();
  const QString folder = qEnvironmentVariableIsSet(variable.constData())
                             ? QString::fromLocal8Bit(qgetenv(variable.constData()))
                             : chosenFolder(letter);
  if (folder.isEmpty() || !QFileInfo(folder).isDir()) return {};
  return QDir(folder).absolutePath();
}

QString resolve(const QString& path) {
  static const QRegularExpression drivePath("^([A-Za-z]):[\\\\/]?(.*)$");
  const QRegularExpressionMatch m = drivePath.match(path);
  if (!m.hasMatch()) return path;
  const QString folder = folderFor(m.captured(1).at(0));
  if (folder.isEmpty()) return {};
  QString rest = m.captured(2);
  rest.replace('\\', '/');
  return rest.isEmpty() ? folder : QDir(folder).filePath(rest);
}

QStringList removableDrives() {
  QStringList drives;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (!volume.isValid() || !volume.isReady() || volume.isReadOnly()) continue;
    if (filesystem::isRemovableVolume(volume.rootPath())) drives << volume.rootPath();
  }
  drives.sort();
  return drives;
}
}  // namespace drive
