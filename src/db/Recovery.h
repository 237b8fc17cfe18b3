#pragma once
// Finishing or undoing, at start-up, what a crash or a power cut interrupted:
// a compaction, a repair, a conversion of an old Access database, a save of
// a list or settings file. Runs before any window reads the table.
//
// When employee.mdb is missing (or damaged) and a file that an interrupted
// action left holds the records whole, that file is put back as
// employee.mdb. A leftover is removed only once employee.mdb is sound, and
// only when what it holds is also in employee.mdb or kept elsewhere: nothing
// that might hold the only copy of a record is ever deleted.
#include <QDir>
#include <QStringList>

namespace recovery {
// Returns a sentence for each thing put back or finished (empty when there
// was nothing to do but tidy up).
QStringList finishInterruptedWork(const QDir& folder = QDir::current());

// The text of the one "Ok!" box that tells the user what was put back.
QString reportText(const QStringList& sentences);
}  // namespace recovery
