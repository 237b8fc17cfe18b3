// The menu's Repair with each file step refused in turn, on a healthy and on
// a damaged employee.mdb: afterwards employee.mdb holds every record it held
// or every record the repair could save (never a mix, never gone), the
// damaged file kept beside it is whole, a refused step is reported as a
// failure, and no temporary file is left for the next run to trip over.
#include <gtest/gtest.h>

#include "EmployeeFiles.h"
#include "FaultSweep.h"
#include "app/Frmemployee1.h"
#include "support/TestSupport.h"

namespace {
constexpr int kRecords = 150;
const QString kChecked = "Employee Database has been checked for errors.  You should now compact it!";

struct LastBox {
  QString title, text;
};

// Runs the menu's Repair and keeps its one message. True when the repair did
// its work: found nothing wrong, or rebuilt the file from what it could read.
bool repairThroughTheMenu(Frmemployee1& main, MessageBoxQueue& boxes, LastBox& last) {
  boxes.clear();
  main.MnuRepair_Click();
  EXPECT_EQ(boxes.shown().size(), 1u);
  if (boxes.shown().empty()) return false;
  last = {boxes.shown().back().title, boxes.shown().back().text};
  return last.text == kChecked || last.text.startsWith("Employee Database was damaged.");
}

QStringList allNames() {
  QStringList names;
  for (int i = 1; i <= kRecords; ++i) names << hardening::employeeName(i);
  return names;
}
}  // namespace

TEST(RepairFaults, AHealthyDatabaseIsCheckedWithoutAFileStepAndStaysWhole) {
  DataFolder folder;
  MessageBoxQueue boxes;
  const QByteArray live = hardening::populatedDatabase(folder, kRecords);
  Frmemployee1 main;
  LastBox last;
  SaveUnderTest s{{{"employee.mdb", live}},
                  [&] { return repairThroughTheMenu(main, boxes, last); },
                  {"employee.mdb"},
                  {},
                  [&](const std::string& where) {
                    EXPECT_EQ(folder.read("employee.mdb"), live) << where;
                    EXPECT_EQ(hardening::employeeNames("employee.mdb"), allNames()) << where;
                    EXPECT_EQ(last.title, "Ok!") << where;
                    EXPECT_EQ(last.text, kChecked) << where;
                  }};
  for (const FaultOutcome& o : sweepFaults(s)) EXPECT_TRUE(o.saveSaidSaved) << stepName(o.step);
}

TEST(RepairFaults, ADamagedDatabaseKeepsItsRecordsWhicheverStepIsRefused) {
  DataFolder folder;
  MessageBoxQueue boxes;
  const QByteArray good = hardening::populatedDatabase(folder, kRecords);
  QByteArray damaged = good;  // a failing disk: one page near the end reads as zeros
  damaged.replace(good.size() - 2 * 4096, 4096, QByteArray(4096, '\0'));

  // What a repair without faults saves.
  folder.write("employee.mdb", damaged);
  Frmemployee1 main;
  LastBox last;
  ASSERT_TRUE(repairThroughTheMenu(main, boxes, last)) << last.text.toStdString();
  bool readable = false;
  const QStringList saved = hardening::employeeNames("employee.mdb", &readable);
  ASSERT_TRUE(readable);
  ASSERT_GT(saved.size(), kRecords / 2);
  for (const QString& name : saved) EXPECT_TRUE(allNames().contains(name));

  for (bool leftovers : {false, true}) {
    SCOPED_TRACE(leftovers ? "with the files of an earlier repair" : "on a clean folder");
    FolderState before{{"employee.mdb", damaged}};
    // What an earlier repair that was cut off may have left.
    if (leftovers) before["repair.mdb"] = "half a rebuilt file";
    SaveUnderTest s{before,
                    [&] { return repairThroughTheMenu(main, boxes, last); },
                    {"employee.mdb", "Damaged.mdb"},
                    {},
                    [&](const std::string& where) {
                      EXPECT_EQ(last.title, "Opps!") << where << ": " << last.text.toStdString();
                      const QByteArray now = folder.read("employee.mdb");
                      if (now == damaged) {
                        EXPECT_FALSE(folder.exists("Damaged.mdb")) << where;
                        EXPECT_TRUE(last.text.startsWith("Employee Database cannot be repaired"))
                            << where << ": " << last.text.toStdString();
                        EXPECT_TRUE(last.text.contains("left as it was")) << where;
                      } else {
                        bool ok = false;
                        EXPECT_EQ(hardening::employeeNames("employee.mdb", &ok), saved) << where;
                        EXPECT_TRUE(ok) << where;
                        EXPECT_EQ(folder.read("Damaged.mdb"), damaged) << where;
                      }
                      // Only a rebuilt file the disk would not let go of may stay, as it was.
                      if (folder.exists("repair.mdb"))
                        EXPECT_EQ(folder.read("repair.mdb"), before.value("repair.mdb"))
                            << where << ": a rebuilt file left for the next run";
                    }};
    const std::vector<FaultOutcome> outcomes = sweepFaults(s);
    int failures = 0;
    for (const FaultOutcome& o : outcomes) {
      if (o.saveSaidSaved) continue;
      ++failures;
      EXPECT_EQ(o.filesOld, (QStringList{"employee.mdb", "Damaged.mdb"}))
          << stepName(o.step) << " #" << o.occurrence << " " << o.path.toStdString();
    }
    // Creating and writing the rebuilt file and both renames can be refused,
    // and clearing an old rebuilt file out of the way.
    EXPECT_GE(failures, leftovers ? 5 : 4);
  }
}
