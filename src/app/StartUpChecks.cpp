#include "app/StartUpChecks.h"

#include <QApplication>

#include "db/Backup.h"
#include "db/LegacyImport.h"
#include "db/Recovery.h"
#include "platform/MessageBox.h"

void runStartUpChecks() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const QStringList restored = recovery::finishInterruptedWork() + tidyBackupFolder();
  QApplication::restoreOverrideCursor();
  if (!restored.isEmpty())
    msgBox(recovery::reportText(restored), msg::OkOnly + msg::Exclamation, "Ok!");
  legacy::convertOldEmployeeDatabase();
}
