#pragma once
// Compacting the employee database, in one place for the main menu's
// "Compact database" and the employee window's Delete.
//
// The database is compacted into compact.mdb; only when that copy exists,
// reads back whole, holds every record and is flushed to the disk does it
// replace employee.mdb, and the old file becomes Backup.mdb. There is an
// employee.mdb holding every record at every moment. Any step that fails
// leaves employee.mdb as it was and says why. Every record set open on the
// file goes on working on the new one.
#include <QString>

struct CompactResult {
  bool ok = false;
  QString reason;  // why it failed, and where the data is
  bool compacted = false;  // employee.mdb is the compacted copy, even though a later step failed
  // The text of the "Opps!" box for a failure.
  QString message() const;
};

// Works on employee.mdb in the current directory (its name found without
// regard to case). Renumbering is the caller's: it goes through a data
// control.
CompactResult compactEmployeeDatabase();
