// The compaction that follows a delete.
#include "db/Compaction.h"
#include "employee/FrmNewEmployee.h"

void FrmNewEmployee::compactAfterDelete() {
  // The compacted file may number its records anew: a copy begun before it
  // can no longer tell which record it was for, and is refused.
  rememberedRecord_ = -1;
  const CompactResult compacted = compactEmployeeDatabase();
  // The delete stands either way; a compaction that did not happen is said,
  // with where the records are, rather than passed over.
  if (!compacted.ok) oops("The employee has been deleted.  " + compacted.message());
}
