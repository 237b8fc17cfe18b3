// Repair and backup to floppy from the main menu, on real files.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "DbTestHelpers.h"
#include "app/Frmemployee1.h"
#include "data/Connections.h"
#include "data/RecordSet.h"
#include "db/Repair.h"
#include "platform/FileOps.h"
#include "platform/Pointer.h"
#include "support/TestSupport.h"

namespace {
const QString kChecked = "Employee Database has been checked for errors.  You should now compact it!";
const QString kSaved = "Employee database saved to floppy.";
const QString kDiskError =
    "There is a disk error.  Please be sure you have a formatted, empty diskette in the drive and "
    "try again.";

QStringList manyNames(int n) {
  QStringList out;
  for (int k = 0; k < n; ++k) out << QString("Employee %1, with a name long enough to fill pages").arg(k);
  return out;
}

// Restores the drive variable and the fault seam after a test.
struct Environment {
  QByteArray drive = qgetenv("ROTAWISE_DRIVE_A");
  bool hadDrive = qEnvironmentVariableIsSet("ROTAWISE_DRIVE_A");
  ~Environment() {
    fileops::setFaultInjector({});
    if (hadDrive) qputenv("ROTAWISE_DRIVE_A", drive); else qunsetenv("ROTAWISE_DRIVE_A");
  }
};

struct Maintenance : ::testing::Test {
  Environment environment;
  DataFolder folder;
  MessageBoxQueue boxes;
  QString live() const { return folder.file("employee.mdb"); }
  const ShownBox& only() {
    EXPECT_EQ(boxes.shown().size(), 1u) << boxes.texts().join("|").toStdString();
    return boxes.shown().back();
  }
};
}  // namespace

TEST_F(Maintenance, RepairOfASoundOrMendableDatabaseSaysItWasChecked) {
  folder.install("employee.mdb");
  dbtest::addEmployees(live(), {"Ann", "Bob"});
  Frmemployee1 window;
  window.MnuRepair_Click();
  EXPECT_EQ(only().text, kChecked);
  EXPECT_EQ(only().title, "Ok!");
  EXPECT_EQ(only().code, 48);
  EXPECT_EQ(mousePointer(&window), pointer::Default);

  // A wrong free-page count fails the check but loses no record.
  {
    QFile f(live());
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.seek(36);
    f.write(QByteArray("\0\0\0\3", 4));
  }
  RecordSet open;
  open.open("employee.mdb", "Employees");
  boxes.clear();
  window.MnuRepair_Click();
  EXPECT_EQ(only().text, kChecked);
  EXPECT_EQ(dbtest::names(live()), (QStringList{"Ann", "Bob"}));
  EXPECT_TRUE(folder.exists("Damaged.mdb"));
  EXPECT_FALSE(folder.exists("repair.mdb"));
  EXPECT_EQ(open.text("Fullname"), "Ann") << "an open record set reads the rebuilt file";
  db::PrivateConnection c(live(), db::Access::ReadOnly);
  QSqlQuery q(c.database());
  ASSERT_TRUE(q.exec("PRAGMA integrity_check") && q.next());
  EXPECT_EQ(q.value(0).toString(), "ok");
}

TEST_F(Maintenance, RepairSaysSoWhenAFileCannotBeRepaired) {
  Frmemployee1 window;
  window.MnuRepair_Click();
  EXPECT_EQ(only().title, "Opps!");
  EXPECT_FALSE(folder.exists("employee.mdb")) << "repair never makes a database";

  folder.write("employee.mdb", "Fullname,area\r\nSmith,Bar\r\n");
  boxes.clear();
  window.MnuRepair_Click();
  EXPECT_EQ(only().title, "Opps!");
  EXPECT_EQ(only().code, 48);
  EXPECT_TRUE(only().text.startsWith("Employee Database cannot be repaired: ")) << only().text.toStdString();
  EXPECT_EQ(folder.read("employee.mdb"), QByteArray("Fullname,area\r\nSmith,Bar\r\n"));

  folder.install("employee.mdb");
  dbtest::damage(live());  // everything after the header, the table list included
  const QByteArray damaged = folder.read("employee.mdb");
  boxes.clear();
  window.MnuRepair_Click();
  EXPECT_EQ(only().title, "Opps!");
  EXPECT_EQ(folder.read("employee.mdb"), damaged);
}

TEST_F(Maintenance, RepairSavesWhatCanBeReadAndSaysSomeWasLost) {
  folder.install("employee.mdb");
  const QStringList people = manyNames(600);
  dbtest::addEmployees(live(), people);
  const qint64 pages = QFileInfo(live()).size() / 4096;
  ASSERT_GT(pages, 6);
  {
    QFile f(live());
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.seek(4096 * (pages / 2));
    f.write(QByteArray(4096, '\xA5'));
  }
  Frmemployee1 window;
  window.MnuRepair_Click();
  EXPECT_EQ(only().title, "Opps!");
  EXPECT_TRUE(only().text.contains("Damaged.mdb")) << only().text.toStdString();
  const QStringList saved = dbtest::names(live());
  EXPECT_GT(saved.size(), 0);
  EXPECT_LT(saved.size(), people.size());
  EXPECT_EQ(saved.first(), people.first());
  EXPECT_EQ(saved.last(), people.last()) << "records past the damage are read from the end";
  for (int k = 1; k < saved.size(); ++k)
    ASSERT_LT(people.indexOf(saved[k - 1]), people.indexOf(saved[k])) << "table order kept";
}

TEST_F(Maintenance, BackupAskedAndCancelledCopiesNothing) {
  folder.install("employee.mdb");
  QTemporaryDir floppy;
  qputenv("ROTAWISE_DRIVE_A", floppy.path().toLocal8Bit());
  boxes.answer(2);
  Frmemployee1 window;
  window.Backup_Click();
  EXPECT_EQ(only().text, "Insert floppy into drive A: and press ok.");
  EXPECT_EQ(only().title, "Warning question");
  EXPECT_EQ(only().code, 33);
  EXPECT_TRUE(QDir(floppy.path()).isEmpty());
  EXPECT_EQ(mousePointer(&window), pointer::Default);
}

TEST_F(Maintenance, BackupWithoutADiskIsADiskError) {
  folder.install("employee.mdb");
  // A folder chosen for drive A: that is not there now: a USB stick unplugged.
  folder.write("DRIVE_A.IGH", "/nonexistent/stick\r\n");
  Frmemployee1 window;
  for (const char* drive : {"", "/nonexistent/floppy"}) {
    if (*drive) qputenv("ROTAWISE_DRIVE_A", drive); else qunsetenv("ROTAWISE_DRIVE_A");
    boxes.clear();
    window.Backup_Click();
    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.shown()[1].text, kDiskError);
    EXPECT_EQ(boxes.shown()[1].title, "Opps!");
    EXPECT_EQ(boxes.shown()[1].code, 48);
    EXPECT_EQ(mousePointer(&window), pointer::Default);
  }
  EXPECT_FALSE(QFileInfo::exists("/nonexistent/floppy"));
}

TEST_F(Maintenance, BackupCopiesToTheDriveAndReplacesAnOlderCopy) {
  folder.install("employee.mdb");
  dbtest::addEmployees(live(), {"Ann", "O'Brien, Pat"});
  QTemporaryDir floppy;
  qputenv("ROTAWISE_DRIVE_A", floppy.path().toLocal8Bit());
  QFile old(floppy.filePath("EMPLOYEE.MDB"));
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write("last week's backup");
  old.close();

  Frmemployee1 window;
  window.Backup_Click();
  ASSERT_EQ(boxes.shown().size(), 2u);
  EXPECT_EQ(boxes.shown()[1].text, kSaved);
  EXPECT_EQ(boxes.shown()[1].title, "Ok!");
  EXPECT_EQ(boxes.shown()[1].code, 48);
  EXPECT_EQ(asTheDiskCompares(QDir(floppy.path()).entryList(QDir::Files)),
            asTheDiskCompares({"employee.mdb"}));
  QFile copy(floppy.filePath("employee.mdb"));
  ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
  EXPECT_EQ(copy.readAll(), folder.read("employee.mdb"));
}

TEST_F(Maintenance, AFailedBackupLeavesNoPartialCopy) {
  folder.install("employee.mdb");
  QTemporaryDir floppy;
  qputenv("ROTAWISE_DRIVE_A", floppy.path().toLocal8Bit());
  Frmemployee1 window;
  for (FileStep failing : {FileStep::Copy, FileStep::Rename}) {
    fileops::setFaultInjector([failing](FileStep step, const QString&) { return step == failing; });
    boxes.clear();
    window.Backup_Click();
    fileops::setFaultInjector({});
    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.shown()[1].text, kDiskError);
    EXPECT_TRUE(QDir(floppy.path()).isEmpty()) << QDir(floppy.path()).entryList().join(",").toStdString();
  }

  // An older backup survives a copy that fails.
  QFile old(floppy.filePath("employee.mdb"));
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write("last week's backup");
  old.close();
  fileops::setFaultInjector([](FileStep step, const QString& path) {
    return step == FileStep::Rename && path.endsWith("employee.tmp");
  });
  boxes.clear();
  window.Backup_Click();
  fileops::setFaultInjector({});
  EXPECT_EQ(boxes.shown()[1].text, kDiskError);
  EXPECT_EQ(asTheDiskCompares(QDir(floppy.path()).entryList(QDir::Files)),
            asTheDiskCompares({"employee.mdb"}));
  ASSERT_TRUE(old.open(QIODevice::ReadOnly));
  EXPECT_EQ(old.readAll(), QByteArray("last week's backup"));

  QFile::remove(live());
  boxes.clear();
  window.Backup_Click();
  ASSERT_EQ(boxes.shown().size(), 2u);
  EXPECT_EQ(boxes.shown()[1].title, "Opps!");
  EXPECT_TRUE(boxes.shown()[1].text.contains("nothing to back up"));
}
