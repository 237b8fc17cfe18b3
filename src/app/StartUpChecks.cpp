#include "app/StartUpChecks.h"

#include <QApplication>

#include "db/Backup.h"
#include "db/LegacyImport.h"
#include "db/Recovery.h"
#include "db/ServerSetup.h"
#include "platform/MessageBox.h"

void runStartUpChecks() {
  // A folder whose table is on a server has no database file to finish or
  // convert: the server keeps its own table whole.
  if (db::prepareServerTable() != db::ServerStart::NoServer) {
    if (QStringList tidied = tidyBackupFolder(); !tidied.isEmpty())
      msgBox(recovery::reportText(tidied), msg::OkOnly + msg::Exclamation, "Ok!");
    return;
  }
  QStringList restored;
  {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    restored = recovery::finishInterruptedWork();
    restored << tidyBackupFolder();
    QApplication::restoreOverrideCursor();
  }
  if (!restored.isEmpty())
    msgBox(recovery::reportText(restored), msg::OkOnly + msg::Exclamation, "Ok!");
  legacy::convertOldEmployeeDatabase();
}
