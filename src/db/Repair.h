#pragma once
// Checking and repairing employee.mdb: an integrity check first; a file that
// fails it is rebuilt from every record that can still be read, and the
// damaged file is kept as Damaged.mdb.
#include <QDir>
#include <QString>

struct RepairResult {
  enum class Outcome {
    Sound,     // the check found nothing wrong
    Repaired,  // rebuilt with every record
    Partly,    // rebuilt, but some records could not be read
    Failed     // cannot be repaired (missing, not a database, unreadable); nothing changed
  };
  Outcome outcome = Outcome::Failed;
  int saved = 0;   // records in the rebuilt file
  QString reason;  // for Partly and Failed, in words for the user
  bool checkedOk() const { return outcome == Outcome::Sound || outcome == Outcome::Repaired; }
  // The text of the "Opps!" box for Partly and Failed.
  QString message() const;
};

// Works on employee.mdb in the current directory.
RepairResult repairEmployeeDatabase();

// The name a damaged employee.mdb is kept under: "Damaged.mdb", or
// "Damaged-2.mdb" and so on when that one is taken (an older damaged file is
// never replaced).
QString freeDamagedName(const QDir& folder);

// Why employee.mdb in the current directory is not a sound employee database
// (not a database, no Employees table, damaged pages), in words for the user;
// empty when it is sound or not there at all. Reads only.
QString employeeDatabaseProblem();

// The words for a read of employee.mdb that failed with `why`, followed by
// `consequence`, when the file is there (damaged, or of another kind); empty
// when it is missing, which is an unfinished set-up that each caller words
// its own way.
QString unreadableDatabaseMessage(const QString& why, const QString& consequence);
