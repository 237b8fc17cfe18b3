#include "app/StartUpChecks.h"

#include "db/Backup.h"
#include "db/LegacyImport.h"
#include "db/Recovery.h"
#include "db/ServerSetup.h"
#include "platform/MessageBox.h"
#include "platform/Pointer.h"

void runStartUpChecks(const QStringList& restored) {
  QStringList done = restored;
  {
    BusyCursor busy;
    done << tidyBackupFolder();
  }
  if (!done.isEmpty()) msgBox(recovery::reportText(done), msg::OkOnly + msg::Exclamation, "Ok!");
  // A folder whose table is on a server reads no employee.mdb: an old Access
  // file there is read as it is when the server's table is first made.
  if (db::prepareServerTable() != db::ServerStart::NoServer) return;
  legacy::convertOldEmployeeDatabase();
}
