#include "platform/Installation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace installation {
QString suppliedFolderFor(const QString& programFolder) {
  const QDir bin(programFolder);
  // Installed: <prefix>/bin and <prefix>/share/rotawise. In the build folder
  // the program sits at its top, and test programs one folder down.
  for (const QString& candidate : {QStringLiteral("../share/rotawise"), QStringLiteral("share/rotawise")}) {
    const QFileInfo folder(bin.filePath(candidate));
    if (folder.isDir()) return QDir::cleanPath(folder.absoluteFilePath());
  }
  return {};
}

QString suppliedFolder() { return suppliedFolderFor(QCoreApplication::applicationDirPath()); }
}  // namespace installation

QString findInAnyCase(const QString& path) {
  const QFileInfo wanted(path);
  if (wanted.exists() || wanted.isSymLink()) return wanted.absoluteFilePath();
  const QDir folder = wanted.dir();
  if (!folder.exists()) return {};
  const QStringList entries =
      folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  for (const QString& entry : entries)
    if (entry.compare(wanted.fileName(), Qt::CaseInsensitive) == 0) return folder.absoluteFilePath(entry);
  return {};
}
