// Compact and renumber from the main menu, on real files: what the user is
// told, what the files hold afterwards, and that a failing step never costs
// the database.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <unistd.h>

#include "DbTestHelpers.h"
#include "app/Frmemployee1.h"
#include "data/Connections.h"
#include "data/DataControl.h"
#include "data/RecordSet.h"
#include "db/Compaction.h"
#include "db/EmployeeDatabase.h"
#include "platform/FileOps.h"
#include "platform/Pointer.h"
#include "support/TestSupport.h"

namespace {
const QString kSuccess =
    "Database has been compacted and renumbered.  Old database renamed as BACKUP.MDB";

struct FaultGuard {
  ~FaultGuard() { fileops::setFaultInjector({}); }
};

// A data folder with five employees, numbered out of order, one deleted in
// between so the compacted file gives the records new row ids.
struct Compaction : ::testing::Test {
  DataFolder folder;
  MessageBoxQueue boxes;
  FaultGuard faults;
  const QStringList people{"Ann", "Bob", "O'Brien, Pat", "Dan", "Eve"};

  void SetUp() override {
    folder.install("employee.mdb");
    dbtest::addEmployees(live(), {"Ann", "Gone", "Bob", "O'Brien, Pat", "Dan", "Eve"});
    db::PrivateConnection c(live());
    QSqlQuery q(c.database());
    q.exec("DELETE FROM Employees WHERE Fullname = 'Gone'");
    q.exec("UPDATE Employees SET Number = 10 * rowid");
  }
  QString live() const { return folder.file("employee.mdb"); }

  void compact(Frmemployee1& window) {
    boxes.clear();
    window.MnuCompact_Click();
    EXPECT_EQ(mousePointer(&window), pointer::Default);
    ASSERT_EQ(boxes.shown().size(), 1u) << boxes.texts().join("|").toStdString();
  }
  void expectSuccess() {
    EXPECT_EQ(boxes.shown()[0].text, kSuccess);
    EXPECT_EQ(boxes.shown()[0].title, "Ok!");
    EXPECT_EQ(boxes.shown()[0].code, 48);
  }
  // The failure is told as such, and employee.mdb holds every record.
  void expectFailureKeepingEverything(const QByteArray& before) {
    EXPECT_EQ(boxes.shown()[0].title, "Opps!");
    EXPECT_EQ(boxes.shown()[0].code, 48);
    EXPECT_NE(boxes.shown()[0].text, kSuccess);
    EXPECT_TRUE(boxes.shown()[0].text.startsWith("The database could not be compacted: "))
        << boxes.shown()[0].text.toStdString();
    EXPECT_EQ(folder.read("employee.mdb"), before) << boxes.shown()[0].text.toStdString();
    EXPECT_EQ(dbtest::names(live()), people);
    EXPECT_FALSE(folder.exists("compact.mdb"));
  }
};
}  // namespace

TEST_F(Compaction, KeepsTheOldFileAsBackupAndRenumbersTheNewOne) {
  Frmemployee1 window;
  compact(window);
  expectSuccess();
  EXPECT_EQ(dbtest::numbersAndNames(live()),
            (QVector<QPair<int, QString>>{
                {1, "Ann"}, {2, "Bob"}, {3, "O'Brien, Pat"}, {4, "Dan"}, {5, "Eve"}}));
  EXPECT_EQ(dbtest::numbersAndNames(folder.file("Backup.mdb")).first(),
            (QPair<int, QString>{10, "Ann"}))
      << "Backup.mdb is the database as it was";
  EXPECT_FALSE(folder.exists("compact.mdb"));
  EXPECT_FALSE(folder.exists("Backup.mdb.new"));
  EXPECT_FALSE(window.data1()->isEnabled());
  EXPECT_EQ(window.data1()->Recordset().AbsolutePosition(), 0);

  // A second run replaces Backup.mdb with the result of the first.
  const QByteArray first = folder.read("employee.mdb");
  compact(window);
  expectSuccess();
  EXPECT_EQ(folder.read("Backup.mdb"), first);
  EXPECT_EQ(dbtest::names(live()), people);
}

TEST_F(Compaction, ReplacesLeftoversOfEarlierRunsWhateverTheirCase) {
  folder.write("COMPACT.MDB", "half a file from a run that broke off");
  QFile::copy(live(), folder.file("BACKUP.MDB"));
  dbtest::addEmployees(folder.file("BACKUP.MDB"), {"Old backup only"});
  Frmemployee1 window;
  compact(window);
  expectSuccess();
  const QStringList entries = QDir(folder.path()).entryList(QDir::Files);
  EXPECT_EQ(asTheDiskCompares(entries), asTheDiskCompares({"Backup.mdb", "employee.mdb"}));
  EXPECT_EQ(dbtest::names(folder.file("Backup.mdb")), people);
}

TEST_F(Compaction, WorksOnAnEmptyTable) {
  folder.install("employee.mdb");
  Frmemployee1 window;
  compact(window);
  expectSuccess();
  EXPECT_EQ(dbtest::recordCount(live()), 0);
  EXPECT_TRUE(folder.exists("Backup.mdb"));
}

TEST_F(Compaction, EveryFailingStepLeavesTheDatabaseWhole) {
  struct Case {
    const char* what;
    FileStep step;
    const char* file;
  };
  const Case cases[] = {
      {"old compact.mdb cannot be deleted", FileStep::Delete, "compact.mdb"},
      {"compact.mdb cannot be created", FileStep::Create, "compact.mdb"},
      {"compact.mdb cannot be written", FileStep::Write, "compact.mdb"},
      {"compact.mdb cannot be flushed to the disk", FileStep::Flush, "compact.mdb"},
      {"the old database cannot be given a second name", FileStep::Link, "Backup.mdb.new"},
      {"compact.mdb cannot take the name", FileStep::Rename, "compact.mdb"},
  };
  QFile::copy(live(), folder.file("Backup.mdb"));
  dbtest::addEmployees(folder.file("Backup.mdb"), {"Old backup only"});
  const QByteArray oldBackup = folder.read("Backup.mdb");
  const QByteArray before = folder.read("employee.mdb");
  Frmemployee1 window;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.step == FileStep::Delete) folder.write("compact.mdb", "in the way");
    fileops::setFaultInjector([c](FileStep step, const QString& path) {
      return step == c.step && QFileInfo(path).fileName() == c.file;
    });
    compact(window);
    fileops::setFaultInjector({});
    if (c.step == FileStep::Delete) {
      EXPECT_EQ(boxes.shown()[0].title, "Opps!");
      EXPECT_EQ(folder.read("employee.mdb"), before);
      QFile::remove(folder.file("compact.mdb"));
    } else {
      expectFailureKeepingEverything(before);
    }
    EXPECT_EQ(folder.read("Backup.mdb"), oldBackup) << "the earlier backup stays";
    EXPECT_FALSE(folder.exists("Backup.mdb.new"));
  }
  // The old database cannot take the name Backup.mdb at the very end: the
  // compaction stands, and the old database is kept under its second name.
  fileops::setFaultInjector([](FileStep step, const QString& path) {
    return step == FileStep::Rename && QFileInfo(path).fileName() == "Backup.mdb.new";
  });
  compact(window);
  fileops::setFaultInjector({});
  EXPECT_EQ(boxes.shown()[0].title, "Opps!");
  EXPECT_TRUE(boxes.shown()[0].text.startsWith("The database has been compacted, but"));
  EXPECT_EQ(folder.read("Backup.mdb.new"), before);
  EXPECT_EQ(folder.read("Backup.mdb"), oldBackup);
  EXPECT_EQ(dbtest::names(live()), people);
  QFile::remove(folder.file("Backup.mdb.new"));
  // And the program goes on working on the file.
  compact(window);
  expectSuccess();
}

TEST_F(Compaction, FilesInTheWayAndAReadOnlyFolderChangeNothing) {
  const QByteArray before = folder.read("employee.mdb");
  Frmemployee1 window;

  QDir(folder.path()).mkdir("compact.mdb");
  compact(window);
  EXPECT_EQ(boxes.shown()[0].title, "Opps!");
  EXPECT_TRUE(boxes.shown()[0].text.contains("compact.mdb")) << boxes.shown()[0].text.toStdString();
  EXPECT_EQ(folder.read("employee.mdb"), before);
  QDir(folder.path()).rmdir("compact.mdb");

  QDir(folder.path()).mkdir("Backup.mdb");
  compact(window);
  expectFailureKeepingEverything(before);
  EXPECT_TRUE(QFileInfo(folder.file("Backup.mdb")).isDir());
  QDir(folder.path()).rmdir("Backup.mdb");

  // A folder that refuses every change; the permission is set as well, which
  // only counts when the tests do not run with administrator rights.
  QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
  fileops::setFaultInjector([](FileStep, const QString&) { return true; });
  compact(window);
  fileops::setFaultInjector({});
  QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ExeOwner);
  expectFailureKeepingEverything(before);
}

TEST_F(Compaction, ADamagedDatabaseIsNotTouched) {
  // Grow the file so the damage lands on the table, not on the schema page.
  QStringList many;
  for (int k = 0; k < 400; ++k) many << QString("Employee number %1 with a long name").arg(k);
  dbtest::addEmployees(live(), many);
  {
    QFile f(live());
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.seek(4096 * 3);
    f.write(QByteArray(4096, '\xA5'));
  }
  const QByteArray before = folder.read("employee.mdb");
  Frmemployee1 window;
  compact(window);
  EXPECT_EQ(boxes.shown()[0].title, "Opps!");
  EXPECT_TRUE(boxes.shown()[0].text.contains("Repair")) << boxes.shown()[0].text.toStdString();
  EXPECT_EQ(folder.read("employee.mdb"), before);
  EXPECT_FALSE(folder.exists("compact.mdb"));
  EXPECT_FALSE(folder.exists("Backup.mdb"));

  folder.write("employee.mdb", "not a database at all");
  compact(window);
  EXPECT_EQ(boxes.shown()[0].title, "Opps!");
  EXPECT_EQ(folder.read("employee.mdb"), QByteArray("not a database at all"));

  QFile::remove(live());
  compact(window);
  EXPECT_EQ(boxes.shown()[0].title, "Opps!");
  EXPECT_FALSE(folder.exists("employee.mdb"));
}

TEST_F(Compaction, OtherWindowsWorkOnTheNewFileAfterwards) {
  // Another window browsing the table, positioned on Dan, with an edit typed.
  QWidget other;
  auto* data = new DataControl("Data1", &other);
  auto* name = new QLineEdit(&other);
  data->bind(name, "Fullname");
  db::reopenEmployees(*data);
  data->MoveLast();
  data->MovePrevious();
  ASSERT_EQ(name->text(), "Dan");
  RecordSet walker;
  walker.open("employee.mdb", "Employees");
  walker.MoveLast();

  Frmemployee1 window;
  compact(window);
  expectSuccess();

  EXPECT_EQ(walker.text("Fullname"), "Eve");
  EXPECT_EQ(walker.Field("Number").toInt(), 5) << "the record set reads the renumbered file";
  name->setText("Dan, edited");
  data->MoveFirst();
  EXPECT_EQ(dbtest::names(live()),
            (QStringList{"Ann", "Bob", "O'Brien, Pat", "Dan, edited", "Eve"}));
  EXPECT_EQ(dbtest::names(folder.file("Backup.mdb")), people) << "no edit lands in the backup";
  walker.Edit();
  walker.setField("position", "Cook");
  walker.Update();
  EXPECT_EQ(dbtest::names(folder.file("Backup.mdb")), people);
  db::PrivateConnection c(live(), db::Access::ReadOnly);
  QSqlQuery q(c.database());
  q.exec("SELECT position FROM Employees WHERE Fullname = 'Eve'");
  ASSERT_TRUE(q.next());
  EXPECT_EQ(q.value(0).toString(), "Cook");
}

TEST_F(Compaction, TheFunctionTellsWhyItFailed) {
  fileops::setFaultInjector([](FileStep step, const QString& path) {
    return step == FileStep::Rename && path.endsWith("compact.mdb");
  });
  const CompactResult result = compactEmployeeDatabase();
  EXPECT_FALSE(result.ok);
  EXPECT_TRUE(result.message().contains("employee.mdb has been left as it was"))
      << result.message().toStdString();
}

TEST_F(Compaction, ALinkedDatabaseIsCompactedWhereItLivesAndStaysLinked) {
#ifdef Q_OS_WIN
  GTEST_SKIP() << "a link made here is a Windows shortcut, which no file step follows";
#endif
  // employee.mdb is a link to the copy on another drive.
  QTemporaryDir drive;
  const QString target = QDir(drive.path()).filePath("staff.mdb");
  ASSERT_TRUE(QFile::rename(live(), target));
  ASSERT_TRUE(QFile::link(target, live()));
  Frmemployee1 window;
  compact(window);
  expectSuccess();
  EXPECT_EQ(QFileInfo(live()).symLinkTarget(), target) << "the link still leads to the copy";
  EXPECT_EQ(dbtest::numbersAndNames(target).first(), (QPair<int, QString>{1, "Ann"}));
  EXPECT_EQ(dbtest::names(target), people);
  EXPECT_FALSE(QFileInfo::exists(QDir(drive.path()).filePath("compact.mdb")));

  // The employee window's edits reach the linked file.
  window.data1()->setEnabled(true);
  db::reopenEmployees(*window.data1());
  window.data1()->Recordset().Edit();
  window.data1()->Recordset().setField("Fullname", "Ann Linked");
  window.data1()->Recordset().Update();
  window.data1()->closeRecordset();
  EXPECT_EQ(dbtest::names(target).first(), "Ann Linked");
}
