// Saves of the list files, extras.txt and the print hand-over files with each
// file step refused in turn (a full disk, a locked file, a vanished folder):
// every file keeps its old content whole or has its new content whole.
#include <gtest/gtest.h>

#include <gtest/gtest-spi.h>

#include <QFile>

#include "FaultSweep.h"
#include "lists/ExtrasFile.h"
#include "lists/ListBoxes.h"
#include "lists/ListFile.h"
#include "print/AreaSettings.h"
#include "support/TestSupport.h"

namespace {
// The steps of a save: create, write, flush the file, rename, then flush
// the folder. That last flush comes too late to matter: the file has its new
// content whatever the disk says then.
bool takesPart(const FaultOutcome& o) {
  return o.step == FileStep::Create || o.step == FileStep::Write || o.step == FileStep::Rename ||
         (o.step == FileStep::Flush && o.occurrence % 2 == 1);
}
// Which file of a save of several a refused step belonged to (1 = the first).
int fileOf(const FaultOutcome& o) {
  return o.step == FileStep::Flush ? (o.occurrence + 1) / 2 : o.occurrence;
}

// What a single-file save must come to: a refused step of the save fails it
// and leaves the old file; delete, link and copy are no part of a save, so
// refusing them changes nothing.
void expectSingleFileOutcomes(const std::vector<FaultOutcome>& outcomes, const QString& file) {
  ASSERT_EQ(outcomes.size(), 8u) << "one request of each step expected, two flushes";
  for (const FaultOutcome& o : outcomes) {
    SCOPED_TRACE(std::string(stepName(o.step)) + " #" + std::to_string(o.occurrence));
    EXPECT_EQ(o.saveSaidSaved, !takesPart(o));
    EXPECT_EQ(o.filesOld, takesPart(o) ? QStringList{file} : QStringList{});
  }
}

QStringList boxes(const QStringList& entries) {
  QStringList b = entries;
  while (b.size() < kListBoxCount) b << kEmptyBox;
  return b;
}
}  // namespace

TEST(FileFaults, AreaListSaveKeepsTheOldListWholeOnEveryRefusedStep) {
  DataFolder folder;
  // A comma, an apostrophe and letters outside code page 1252, so the new
  // file is UTF-8 and quoted where the old one was plain 1252.
  SaveUnderTest s{{{"AREAS.IGH", "Kitchen\r\nBar\r\n"}},
                  [] {
                    return saveListBoxes("AREAS.IGH",
                                         boxes({"Front, desk", "O'Neill's", "Łódź", "Bar"}))
                        .ok;
                  },
                  {"AREAS.IGH"}};
  expectSingleFileOutcomes(sweepFaults(s), "AREAS.IGH");
}

TEST(FileFaults, ListSaveOverAFileNamedInOtherCaseNeverLeavesTwoFiles) {
  DataFolder folder;
  SaveUnderTest s{{{"Position.igh", "Cook\r\n"}},
                  [] { return writeListLines("POSITION.IGH", {"Cook", "Waiter"}); },
                  {"Position.igh"}};
  expectSingleFileOutcomes(sweepFaults(s), "Position.igh");
}

TEST(FileFaults, FirstListSaveLeavesNoFileOrTheWholeFile) {
  DataFolder folder;
  SaveUnderTest s{{}, [] { return writeListLines("POSITION.IGH", {"Cook"}); }, {"POSITION.IGH"}};
  for (const FaultOutcome& o : sweepFaults(s)) {
    EXPECT_EQ(o.saveSaidSaved, !takesPart(o)) << stepName(o.step);
    EXPECT_EQ(o.filesNew.isEmpty(), takesPart(o)) << stepName(o.step);
  }
}

TEST(FileFaults, ExtrasSaveKeepsTheOldTextWholeOnEveryRefusedStep) {
  DataFolder folder;
  QStringList values(kExtrasLineCount);
  values[0] = "Week 12";
  values[1] = "Inventory, 9 A.M.";
  values[8] = QString::fromUtf8("Ζωή takes the keys");
  // The printing side's spelling of the name: the save must keep to that file.
  SaveUnderTest s{{{"EXTRAS.TXT", QByteArray("Label\r\n").repeated(13)}},
                  [values] { return saveExtras(values).ok; },
                  {"EXTRAS.TXT"}};
  expectSingleFileOutcomes(sweepFaults(s), "EXTRAS.TXT");
}

TEST(FileFaults, SettingsFilesKeepTheirOldContentWholeOnEveryRefusedStep) {
  DataFolder folder;
  AreaSettings settings;
  settings.area = "Kitchen";
  settings.position = "Cook";
  settings.dayOrWeek = "Weekly";
  settings.times = {"7A.M. - 3P.M.", "3P.M. - 11P.M.", "", ""};
  settings.labels = {"Morning", "Evening", "", ""};
  const QByteArray old = "Kitchen\r\nNOTHING\r\nDaily\r\n1\r\n";

  SaveUnderTest area{{{"KITCHEN.IGH", old}},
                     [settings] { return writeAreaSettings("KITCHEN.IGH", settings); },
                     {"KITCHEN.IGH"}};
  expectSingleFileOutcomes(sweepFaults(area), "KITCHEN.IGH");

  SaveUnderTest print{{{"PRINT.IGH", "ALL_AREA.IGH\r\n"}},
                      [] { return writePrintFile("KITCHEN.IGH"); },
                      {"PRINT.IGH"}};
  expectSingleFileOutcomes(sweepFaults(print), "PRINT.IGH");

  SaveUnderTest exempt{{{"EXEMPT.IGH", "Smith, Anna\r\n\r\n"}},
                       [] { return writeExemptFile({"O'Hara, Sean", "Nowak \"Kasia\""}); },
                       {"EXEMPT.IGH"}};
  expectSingleFileOutcomes(sweepFaults(exempt), "EXEMPT.IGH");
}

TEST(FileFaults, PrintHandOverLeavesEachOfItsThreeFilesWhole) {
  DataFolder folder;
  AreaSettings settings;
  settings.area = "Bar";
  settings.position = "NOTHING";
  settings.dayOrWeek = "Monday";
  // The print setup writes the exclusions, PRINT.IGH and the area's settings
  // in this order and stops at the first that fails.
  SaveUnderTest s{{{"EXEMPT.IGH", "Old Name\r\n\r\n"},
                   {"PRINT.IGH", "KITCHEN.IGH\r\n"},
                   {"BAR.IGH", "Bar\r\nCook\r\nDaily\r\n1\r\n"}},
                  [settings] {
                    return writeExemptFile({"New Name"}) && writePrintFile("BAR.IGH") &&
                           writeAreaSettings("BAR.IGH", settings);
                  },
                  {"EXEMPT.IGH", "PRINT.IGH", "BAR.IGH"}};
  const std::vector<FaultOutcome> outcomes = sweepFaults(s);
  // Create, write and rename are each asked three times, flush six times;
  // link, delete and copy never.
  EXPECT_EQ(outcomes.size(), 18u);
  for (const FaultOutcome& o : outcomes) {
    if (!takesPart(o)) continue;
    // The files before the refused one are new, the refused one and those after it old.
    const QStringList order{"EXEMPT.IGH", "PRINT.IGH", "BAR.IGH"};
    EXPECT_EQ(o.filesNew, order.mid(0, fileOf(o) - 1)) << stepName(o.step) << o.occurrence;
  }
}

// The sweep itself must catch a save that writes the file in place: cut off
// after its first half, the file holds a mix of old and new.
TEST(FileFaults, SweepCatchesASaveThatWritesInPlace) {
  DataFolder folder;
  SaveUnderTest s{{{"AREAS.IGH", "Kitchen\r\nBar\r\n"}},
                  [] {
                    QFile f("AREAS.IGH");
                    if (!f.open(QIODevice::ReadWrite)) return false;
                    f.write("Front");
                    if (fileops::injectedFault(FileStep::Write, "AREAS.IGH")) return false;
                    f.resize(0);
                    f.write("Front desk\r\n");
                    return true;
                  },
                  {"AREAS.IGH"}};
  ::testing::TestPartResultArray failures;
  {
    ::testing::ScopedFakeTestPartResultReporter reporter(
        ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &failures);
    sweepFaults(s);
  }
  bool mixFound = false;
  for (int i = 0; i < failures.size(); ++i)
    mixFound = mixFound || std::string(failures.GetTestPartResult(i).message()).find("holds a mix") !=
                               std::string::npos;
  EXPECT_TRUE(mixFound);
}
