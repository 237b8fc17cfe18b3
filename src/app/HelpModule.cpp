#include "app/HelpModule.h"

#include <QCoreApplication>
#include <QDir>

#include "platform/Help.h"

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
  help::setApplicationHelpFile(helpFileInFolder(QCoreApplication::applicationDirPath()));
}

int HelpQuit() {
  (void)helpOwner;  // the viewer belongs to the program; no owner window is needed to close it
  return help::show(help::applicationHelpFile(), help::Quit) ? 1 : 0;
}
