#include "app/StartUpChecks.h"

#include <QApplication>

#include "db/Backup.h"
#include "db/LegacyImport.h"
#include "db/Recovery.h"
#include "platform/MessageBox.h"

void runStartUpChecks() {
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
