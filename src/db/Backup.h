#pragma once
// The copy of employee.mdb on the floppy ("A:\employee.mdb", through the
// drive map). The copy is written under a temporary name on the disk and
// renamed when it is complete, so a failed copy never leaves a partial
// employee.mdb that looks like a good backup; an older backup stays until
// the new one has taken its place.
#include <QString>

struct BackupResult {
  bool ok = false;
  bool diskError = false;  // no disk, or the disk refused the copy
  QString reason;
};

// Copies employee.mdb of the current directory to `target`.
BackupResult backupEmployeeDatabase(const QString& target = "A:\\employee.mdb");
