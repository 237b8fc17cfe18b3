#pragma once
// Compacting the employee database, in one place for the main menu's
// "Compact database" and the employee window's Delete.
//
// The database is compacted into compact.mdb; only when that copy exists,
// reads back whole and holds every record is the old file renamed to
// Backup.mdb and the copy renamed to employee.mdb. Any step that fails
// leaves employee.mdb as it was (or puts it back) and says why. Every
// record set open on the file goes on working on the new one.
#include <QString>

struct CompactResult {
  bool ok = false;
  QString reason;  // why it failed, and where the data is
  // The text of the "Opps!" box for a failure.
  QString message() const;
};

// Works on employee.mdb in the current directory (its name found without
// regard to case). Renumbering is the caller's: it goes through a data
// control.
CompactResult compactEmployeeDatabase();
