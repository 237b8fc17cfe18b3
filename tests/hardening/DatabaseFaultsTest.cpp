// Compaction (the menu's and the one after a delete) and the backup to the
// A: drive with each file step refused in turn: employee.mdb always holds
// every record, Backup.mdb and the disk copy are each an old or a new file
// whole, and a failure is said.
#include <gtest/gtest.h>

#include <QDir>

#include "EmployeeFiles.h"
#include "FaultSweep.h"
#include "data/RecordSet.h"
#include "db/Backup.h"
#include "db/Compaction.h"
#include "db/Numbering.h"
#include "support/TestSupport.h"

namespace {
constexpr int kRecords = 120;

QStringList allNames(int count, int without = 0) {
  QStringList names;
  for (int i = 1; i <= count; ++i)
    if (i != without) names << hardening::employeeName(i);
  return names;
}

void expectEveryRecord(const QStringList& want, const std::string& where) {
  bool ok = false;
  const QStringList names = hardening::employeeNames("employee.mdb", &ok);
  EXPECT_TRUE(ok) << "employee.mdb cannot be read after " << where;
  EXPECT_EQ(names, want) << "employee.mdb lost records after " << where;
}

// Each failure says why (and the old files are where they were).
struct Reported {
  QString reason;
};
}  // namespace

TEST(DatabaseFaults, CompactionKeepsEveryRecordOnEveryRefusedStep) {
  DataFolder folder;
  const QByteArray live = hardening::populatedDatabase(folder, kRecords);
  for (bool hadBackup : {true, false}) {
    SCOPED_TRACE(hadBackup ? "with an older Backup.mdb" : "without a Backup.mdb");
    FolderState before{{"employee.mdb", live}};
    if (hadBackup) before["Backup.mdb"] = "the backup of last week";
    Reported last;
    SaveUnderTest s{before,
                    [&] {
                      const CompactResult r = compactEmployeeDatabase();
                      last.reason = r.reason;
                      return r.ok;
                    },
                    {"employee.mdb", "Backup.mdb"},
                    // Kept when it cannot take the name Backup.mdb at the end.
                    {"Backup.mdb.new"},
                    [&](const std::string& where) {
                      expectEveryRecord(allNames(kRecords), where);
                      if (!last.reason.isEmpty())
                        EXPECT_TRUE(last.reason.contains("employee.mdb") ||
                                    last.reason.contains("Backup.mdb.new"))
                            << last.reason.toStdString();
                    }};
    const std::vector<FaultOutcome> outcomes = sweepFaults(s);
    int failures = 0;
    for (const FaultOutcome& o : outcomes) {
      if (o.saveSaidSaved) continue;
      ++failures;
      // A compaction that failed leaves both files as they were; one that
      // could not name the old file Backup.mdb at the very end stands.
      const QStringList old = o.path.endsWith("Backup.mdb.new") && o.step == FileStep::Rename
                                  ? QStringList{"Backup.mdb"}
                                  : QStringList{"employee.mdb", "Backup.mdb"};
      EXPECT_EQ(o.filesOld, old)
          << stepName(o.step) << " #" << o.occurrence << " " << o.path.toStdString();
    }
    // Creating and writing compact.mdb and every rename can be refused.
    EXPECT_GE(failures, hadBackup ? 5 : 4);
  }
}

TEST(DatabaseFaults, DeleteWithCompactionLosesOnlyTheDeletedEmployee) {
  DataFolder folder;
  const QByteArray live = hardening::populatedDatabase(folder, kRecords);
  const QStringList remaining = allNames(kRecords, 5);
  SaveUnderTest s{{{"employee.mdb", live}},
                  [] {
                    // What the employee window's Delete does, through the same functions.
                    {
                      RecordSet rs;
                      rs.open("employee.mdb", "Employees");
                      rs.moveTo(4);
                      rs.Delete();
                    }
                    const bool compacted = compactEmployeeDatabase().ok;
                    RecordSet rs;
                    rs.open("employee.mdb", "Employees");
                    numbering::renumber(rs);
                    return compacted;
                  },
                  {"Backup.mdb"},
                  {"Backup.mdb.new"},
                  [&](const std::string& where) {
                    // The delete stands whatever the compaction came to.
                    expectEveryRecord(remaining, where);
                    QList<int> want;
                    for (int i = 1; i <= remaining.size(); ++i) want << i;
                    EXPECT_EQ(hardening::employeeNumbers("employee.mdb"), want) << where;
                  }};
  const std::vector<FaultOutcome> outcomes = sweepFaults(s);
  EXPECT_TRUE(std::any_of(outcomes.begin(), outcomes.end(),
                          [](const FaultOutcome& o) { return !o.saveSaidSaved; }));
}

TEST(DatabaseFaults, BackupToTheDriveLeavesTheOldOrTheNewCopyWhole) {
  DataFolder folder;
  const QByteArray live = hardening::populatedDatabase(folder, kRecords);
  QDir(folder.path()).mkdir("floppy");
  qputenv("ROTAWISE_DRIVE_A", folder.file("floppy").toLocal8Bit());
  SaveUnderTest s{{{"employee.mdb", live}, {"floppy/employee.mdb", "last month's copy"}},
                  [] { return backupEmployeeDatabase().ok; },
                  {"floppy/employee.mdb", "employee.mdb"},
                  {"floppy/employee.old"},
                  [&](const std::string& where) { expectEveryRecord(allNames(kRecords), where); }};
  const std::vector<FaultOutcome> outcomes = sweepFaults(s);
  qunsetenv("ROTAWISE_DRIVE_A");
  int failures = 0;
  for (const FaultOutcome& o : outcomes) {
    if (o.saveSaidSaved) continue;
    ++failures;
    EXPECT_TRUE(o.filesOld.contains("floppy/employee.mdb")) << stepName(o.step);
  }
  // The copy, putting the old copy aside and naming the new one can each be refused.
  EXPECT_GE(failures, 3);
}
