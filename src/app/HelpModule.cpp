#include "app/HelpModule.h"

#include <QCoreApplication>
#include <QDir>

#include "platform/Help.h"
#include "platform/Installation.h"

namespace {
qint32 helpOwner = 0;
}

QString helpFileInFolder(const QString& programFolder) {
  const QString folder = programFolder.trimmed();
  if (folder.endsWith('\\') || folder.endsWith('/')) return folder + "EMPLOYEE.HLP";
  // The separator follows the style of the folder name itself.
  const QChar separator = folder.contains('\\') && !folder.contains('/') ? QChar('\\') : QChar('/');
  return folder + separator + "EMPLOYEE.HLP";
}

void HelpStart(const QVariant& ownerWindow) {
  helpOwner = static_cast<qint32>(ownerWindow.toLongLong());
  // The program's folder of supplied files stands for the old program folder.
  QString folder = installation::suppliedFolder();
  if (folder.isEmpty()) folder = QCoreApplication::applicationDirPath();
  help::setApplicationHelpFile(helpFileInFolder(folder));
}

int HelpQuit() {
  (void)helpOwner;  // the viewer belongs to the program; no owner window is needed to close it
  return help::show(help::applicationHelpFile(), help::Quit) ? 1 : 0;
}
