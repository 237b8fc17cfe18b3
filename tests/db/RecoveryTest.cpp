// The start-up after a crash: what an interrupted compaction, repair,
// conversion, backup or save left in the folder is finished or undone, with
// one box saying what was put back, and nothing that may hold a record goes.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "DbTestHelpers.h"
#include "app/StartUpChecks.h"
#include "db/Recovery.h"
#include "db/Backup.h"
#include "db/Repair.h"
#include "support/TestSupport.h"

namespace {
const QStringList kPeople{"Ann", "O'Brien, Pat", "Łukasz"};

QByteArray databaseWith(DataFolder& folder, const QStringList& names) {
  folder.install("employee.mdb");
  dbtest::addEmployees(folder.file("employee.mdb"), names);
  const QByteArray bytes = folder.read("employee.mdb");
  QFile::remove(folder.file("employee.mdb"));
  return bytes;
}

QStringList filesIn(const DataFolder& folder) {
  return QDir(folder.path()).entryList(QDir::Files, QDir::Name);
}
}  // namespace

TEST(StartUpAfterACrash, FinishesOrUndoesWhatWasBegun) {
  struct Case {
    const char* what;
    QMap<QString, QString> files;  // name -> "people", "others", "damaged", "half" or a text
    QStringList after;             // the folder afterwards
    QString liveFrom;              // whose records employee.mdb holds afterwards
    QString told;                  // a part of the box's text; empty: no box
  };
  const Case cases[] = {
      {"an earlier version cut off between the renames of a compaction",
       {{"Backup.mdb", "others"}, {"compact.mdb", "people"}},
       {"Backup.mdb", "employee.mdb"}, "people", "restored from compact.mdb"},
      {"an earlier version cut off between the renames of a repair",
       {{"Damaged.mdb", "damaged"}, {"repair.mdb", "people"}},
       {"Damaged.mdb", "employee.mdb"}, "people", "restored from repair.mdb"},
      {"an earlier version cut off between the renames of a conversion",
       {{"employee-access.mdb", "an Access file"}, {"employee-converting.mdb", "people"}},
       {"employee-access.mdb", "employee.mdb"}, "people", "restored from employee-converting.mdb"},
      {"a repair cut off before the rebuilt file took the name, an older Damaged.mdb there",
       {{"employee.mdb", "damaged"}, {"repair.mdb", "people"}, {"Damaged.mdb", "older damage"}},
       {"Damaged-2.mdb", "Damaged.mdb", "employee.mdb"}, "people", "kept as Damaged-2.mdb"},
      {"a compaction cut off before the compacted copy took the name",
       {{"employee.mdb", "people"}, {"compact.mdb", "people"}, {"Backup.mdb.new", "people"},
        {"Backup.mdb", "others"}},
       {"Backup.mdb", "employee.mdb"}, "people", ""},
      {"a compaction cut off after the compacted copy took the name",
       {{"employee.mdb", "people"}, {"Backup.mdb.new", "others"}},
       {"Backup.mdb", "employee.mdb"}, "people", "given the name Backup.mdb"},
      {"an earlier version cut off while it set the old backup aside",
       {{"employee.mdb", "people"}, {"Backup.mdb.previous", "others"}},
       {"Backup.mdb", "employee.mdb"}, "people", "put back from Backup.mdb.previous"},
      {"a journal left without its database is not played into the restored one",
       {{"compact.mdb", "people"}, {"employee.mdb-journal", "pages of a lost file"}},
       {"employee.mdb", "employee.mdb-journal.orphaned"}, "people", "restored from compact.mdb"},
      {"unfinished saves of a list and of a rebuilt file",
       {{"employee.mdb", "people"}, {"AREAS.IGH", "Kitchen\r\n"}, {"AREAS.IGH.partial", "Kitch"},
        {"repair.mdb.partial", "half"}, {"repair.mdb.partial-journal", "half"}},
       {"AREAS.IGH", "employee.mdb"}, "people", ""},
      {"a copy that is not whole never takes the place of a missing file, and stays",
       {{"compact.mdb", "half"}},
       {"compact.mdb"}, "", ""},
      {"a damaged file is left for Repair when nothing whole can replace it",
       {{"employee.mdb", "damaged"}, {"compact.mdb", "people"}},
       {"compact.mdb", "employee.mdb"}, "damaged", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DataFolder folder;
    MessageBoxQueue boxes;
    const QByteArray people = databaseWith(folder, kPeople);
    const QByteArray others = databaseWith(folder, {"Someone, Else"});
    QByteArray damaged = databaseWith(folder, QStringList(60, "A name long enough to fill pages"));
    damaged.replace(damaged.size() - 2 * 4096, 4096, QByteArray(4096, '\0'));
    const QMap<QString, QByteArray> contents{
        {"people", people}, {"others", others}, {"damaged", damaged}, {"half", people.left(3000)}};
    for (auto it = c.files.cbegin(); it != c.files.cend(); ++it)
      folder.write(it.key(), contents.value(it.value(), it.value().toUtf8()));

    runStartUpChecks(recovery::finishInterruptedWork());

    EXPECT_EQ(filesIn(folder), c.after);
    if (c.liveFrom == "people") EXPECT_EQ(dbtest::names(folder.file("employee.mdb")), kPeople);
    if (c.liveFrom == "damaged") EXPECT_EQ(folder.read("employee.mdb"), damaged);
    if (c.files.value("Backup.mdb") == "others" || c.files.value("Backup.mdb.new") == "others" ||
        c.files.value("Backup.mdb.previous") == "others")
      EXPECT_EQ(dbtest::names(folder.file("Backup.mdb")), QStringList{"Someone, Else"});
    if (c.files.contains("Damaged.mdb") && c.files.value("Damaged.mdb") != "damaged")
      EXPECT_EQ(folder.read("Damaged.mdb"), QByteArray("older damage"));
    if (c.after.contains("Damaged-2.mdb")) EXPECT_EQ(folder.read("Damaged-2.mdb"), damaged);
    if (c.told.isEmpty()) {
      EXPECT_TRUE(boxes.shown().empty()) << boxes.texts().join("|").toStdString();
    } else {
      ASSERT_EQ(boxes.shown().size(), 1u);
      EXPECT_EQ(boxes.shown()[0].title, "Ok!");
      EXPECT_EQ(boxes.shown()[0].code, 48);
      EXPECT_TRUE(boxes.shown()[0].text.contains(c.told)) << boxes.shown()[0].text.toStdString();
    }
  }
}

TEST(StartUpAfterACrash, TidiesTheBackupDriveAndKeepsTheOnlyBackup) {
  DataFolder folder;
  MessageBoxQueue boxes;
  folder.install("employee.mdb");
  QDir(folder.path()).mkdir("floppy");
  qputenv("ROTAWISE_DRIVE_A", folder.file("floppy").toLocal8Bit());
  // An earlier version cut off after it set the older backup aside.
  folder.write("floppy/employee.old", "last week's backup");
  folder.write("floppy/employee.tmp", "half a copy");
  runStartUpChecks({});
  qunsetenv("ROTAWISE_DRIVE_A");
  EXPECT_EQ(QDir(folder.file("floppy")).entryList(QDir::Files), QStringList{"employee.mdb"});
  EXPECT_EQ(folder.read("floppy/employee.mdb"), QByteArray("last week's backup"));
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_TRUE(boxes.shown()[0].text.contains("put back from employee.old"));
}

TEST(StartUpAfterACrash, RepairNeverReplacesAnOlderDamagedFile) {
  DataFolder folder;
  MessageBoxQueue boxes;
  QByteArray damaged = databaseWith(folder, QStringList(60, "A name long enough to fill pages"));
  damaged.replace(damaged.size() - 2 * 4096, 4096, QByteArray(4096, '\0'));
  for (const char* kept : {"Damaged.mdb", "Damaged-2.mdb"}) {
    folder.write("employee.mdb", damaged);
    EXPECT_NE(repairEmployeeDatabase().outcome, RepairResult::Outcome::Failed);
    EXPECT_EQ(folder.read(kept), damaged) << kept;
  }
  EXPECT_EQ(filesIn(folder), (QStringList{"Damaged-2.mdb", "Damaged.mdb", "employee.mdb"}));
}
