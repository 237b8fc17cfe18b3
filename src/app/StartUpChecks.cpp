#include "app/StartUpChecks.h"

#include "db/Backup.h"
#include "db/EmployeeKeys.h"
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
  const db::ServerStart server = db::prepareServerTable();
  if (server == db::ServerStart::NoServer) legacy::convertOldEmployeeDatabase();
  // A table of an earlier version gets its employees' keys. One that cannot
  // (a read-only file) works as it is: its problems are told where it is used.
  if (server == db::ServerStart::NoServer || server == db::ServerStart::Ready) {
    BusyCursor busy;
    db::keyEveryEmployee();
  }
}
