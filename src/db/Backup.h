#pragma once
// The copy of employee.mdb on the floppy ("A:\employee.mdb", through the
// drive map). The copy is written under a temporary name on the disk,
// flushed, and renamed over the older backup when it is complete, so a
// failed copy or a crash never leaves a partial employee.mdb that looks like
// a good backup, and the older backup stays until the new one has taken its
// place.
#include <QString>
#include <QStringList>

struct BackupResult {
  bool ok = false;
  bool diskError = false;  // no disk, or the disk refused the copy
  QString reason;
};

// Copies employee.mdb of the current directory to `target`.
BackupResult backupEmployeeDatabase(const QString& target = "A:\\employee.mdb");

// What an interrupted backup left on the disk, tidied at start-up when the
// disk is there: an unfinished copy is removed; an older backup set aside by
// an earlier version is put back when the disk has no employee.mdb. Returns
// a sentence for each file put back.
QStringList tidyBackupFolder(const QString& target = "A:\\employee.mdb");
