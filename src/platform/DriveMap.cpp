#include "platform/DriveMap.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace drive {
QString folderFor(QChar letter) {
#ifdef Q_OS_WIN
  const QString root = QString(letter.toUpper()) + ":/";
  return QFileInfo(root).isDir() ? root : QString();
#else
  const QByteArray variable = "ROTAWISE_DRIVE_" + QString(letter.toUpper()).toLatin1();
  const QString folder = QString::fromLocal8Bit(qgetenv(variable.constData()));
  if (folder.isEmpty() || !QFileInfo(folder).isDir()) return {};
  return QDir(folder).absolutePath();
#endif
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
}  // namespace drive
