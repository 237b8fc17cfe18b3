#include "app/StartUpChecks.h"

#include <QApplication>

#include "db/Backup.h"
#include "db/LegacyImport.h"
#include "db/Recovery.h"
#include "db/ServerSetup.h"
#include "platform/MessageBox.h"

void runStartUpChecks() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const QStringList restored = recovery::finishInterruptedWork() + tidyBackupFolder();
  QApplication::restoreOverrideCursor();
  if (!restored.isEmpty())
    msgBox(recovery::reportText(restored), msg::OkOnly + msg::Exclamation, "Ok!");
  // A folder whose table is on a server reads no employee.mdb: an old Access
  // file there is read as it is when the server's table is first made.
  if (db::prepareServerTable() != db::ServerStart::NoServer) return;
  legacy::convertOldEmployeeDatabase();
}
