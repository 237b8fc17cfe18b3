// Each action that writes the employee database or a list file, ended by a
// crash at every file step it takes in turn: the next start loses nothing.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <iostream>

#include "CrashSweep.h"
#include "app/Frmemployee1.h"
#include "data/Connections.h"
#include "data/DataControl.h"
#include "db/LegacyImport.h"
#include "employee/FrmNewEmployee.h"
#include "lists/FrmExtras.h"
#include "lists/FrmNewSchedule.h"
#include "print/FrmPrintFull.h"
#include "support/TestSupport.h"

namespace {
// --- What the child process does: the action as the user takes it. ---

template <class T>
T* child(QWidget& window, const char* name) {
  T* w = window.findChild<T*>(name);
  if (!w) qFatal("no control %s", name);
  return w;
}

void click(QWidget& window, const char* button) { child<QPushButton>(window, button)->click(); }
void setText(QWidget& window, const char* box, const QString& text) {
  if (auto* e = window.findChild<QLineEdit*>(box, Qt::FindDirectChildrenOnly)) {
    e->setText(text);
  } else {
    child<QComboBox>(window, box)->setEditText(text);
  }
}

[[maybe_unused]] const bool registered[] = {
    registerCrashAction("delete",
                        [] {
                          FrmNewEmployee window;
                          auto* data = child<DataControl>(window, "Data1");
                          data->MoveNext();
                          data->MoveNext();  // the third of five
                          click(window, "CmdDelete");
                        }),
    registerCrashAction("save",
                        [] {
                          FrmNewEmployee window;
                          click(window, "CmdAddRecord");
                          setText(window, "txtFullName", "Young, Cy");
                          click(window, "CmdSaveData");
                        }),
    registerCrashAction("compact", [] { Frmemployee1().MnuCompact_Click(); }),
    registerCrashAction("repair", [] { Frmemployee1().MnuRepair_Click(); }),
    registerCrashAction("backup", [] { Frmemployee1().Backup_Click(); }),
    registerCrashAction("convert", [] { legacy::convertOldEmployeeDatabase(); }),
    registerCrashAction("areas",
                        [] {
                          FrmNewSchedule window;
                          setText(window, "Text1", "Kitchen");
                          setText(window, "Text2", "Front desk");
                          setText(window, "Text3", "Empty");
                          click(window, "Command1");
                        }),
    registerCrashAction("extras",
                        [] {
                          FrmExtras window;
                          setText(window, "Text13", "On call");
                          setText(window, "Text1", "Staff meeting Friday at 4");
                          click(window, "Command2");
                        }),
    registerCrashAction("print setup",
                        [] {
                          FrmPrintFull window;
                          setText(window, "txtfindAreas", "Kitchen");
                          setText(window, "txtDayorWeek", "Weekly");
                          setText(window, "txtFindTimes1", "7A.M. - 3P.M.");
                          setText(window, "txtLabel1", "Mornings");
                          click(window, "Command3");
                        }),
};

// --- The folders the actions start from. ---

void addEmployees(int count, int numberStep = 1) {
  db::PrivateConnection c("employee.mdb");
  QSqlQuery q(c.database());
  q.prepare("INSERT INTO Employees (Number, Fullname, position, area, monday, monstart, monstop, "
            "MonBldg1) VALUES (?, ?, 'Cook', 'Kitchen', 'Yes', '7A.M.', '3P.M.', 'Kitchen')");
  for (int k = 1; k <= count; ++k) {
    q.addBindValue(k * numberStep);
    q.addBindValue(QString("Employee %1, with a name long enough to fill a page").arg(k));
    q.exec();
  }
}

void businessFolder(DataFolder& folder, int employees, int numberStep = 1) {
  folder.installAll();
  folder.write("AREAS.IGH", "Kitchen\r\nBar\r\n");
  folder.write("POSITION.IGH", "Cook\r\nWaiter\r\n");
  folder.write("extras.txt", QByteArray("NOTHING\r\n").repeated(13));
  addEmployees(employees, numberStep);
}

void printOutcomes(const char* action, const std::vector<KillPoint>& points) {
  if (!qEnvironmentVariableIsSet("ROTAWISE_CRASH_REPORT")) return;
  for (const KillPoint& p : points)
    std::cout << "| " << action << " | " << p.step << " | " << p.killedBefore.toStdString()
              << " | " << (p.liveIsNew ? "new" : "old") << " | "
              << p.newFiles.join(", ").toStdString() << " | "
              << (p.restored.isEmpty() ? "" : "start-up put back what was begun") << " |\n";
}

void sweep(const char* action, LiveBefore live = LiveBefore::Sound) {
  const std::vector<KillPoint> points = sweepKills(action, live);
  EXPECT_FALSE(points.empty());
  printOutcomes(action, points);
}
}  // namespace

TEST(CrashAtEveryStep, DeleteWithItsCompaction) {
  DataFolder folder;
  businessFolder(folder, 5);
  sweep("delete");
}

TEST(CrashAtEveryStep, SaveNewEmployee) {
  DataFolder folder;
  businessFolder(folder, 4);
  sweep("save");
}

TEST(CrashAtEveryStep, CompactFromTheMenu) {
  DataFolder folder;
  businessFolder(folder, 5, 10);  // numbers 10, 20, ...: the renumbering changes every one
  QFile::copy(folder.file("employee.mdb"), folder.file("Backup.mdb"));
  sweep("compact");
}

TEST(CrashAtEveryStep, RepairOfADamagedFile) {
  DataFolder folder;
  businessFolder(folder, 120);
  QByteArray damaged = folder.read("employee.mdb");
  ASSERT_GT(damaged.size(), 6 * 4096);
  damaged.replace(damaged.size() - 2 * 4096, 4096, QByteArray(4096, '\0'));  // one page lost
  folder.write("employee.mdb", damaged);
  folder.write("Damaged.mdb", "the damaged file of an earlier repair");
  sweep("repair", LiveBefore::Damaged);
}

TEST(CrashAtEveryStep, BackupToTheDrive) {
  DataFolder folder;
  businessFolder(folder, 5);
  QDir(folder.path()).mkdir("floppy");
  folder.write("floppy/employee.mdb", "last week's backup");
  qputenv("ROTAWISE_DRIVE_A", folder.file("floppy").toLocal8Bit());
  sweep("backup");
  qunsetenv("ROTAWISE_DRIVE_A");
}

TEST(CrashAtEveryStep, ConversionOfAnAccessDatabase) {
  DataFolder folder;
  folder.installAll();
  QFile::remove(folder.file("employee.mdb"));
  ASSERT_TRUE(QFile::copy(QString(ROTAWISE_FIXTURES_DIR) + "/legacy/employee-jet4.mdb",
                          folder.file("employee.mdb")));
  QFile::setPermissions(folder.file("employee.mdb"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  sweep("convert", LiveBefore::Access);
}

TEST(CrashAtEveryStep, SavesOfTheListExtrasAndPrintSetupFiles) {
  for (const char* action : {"areas", "extras", "print setup"}) {
    SCOPED_TRACE(action);
    DataFolder folder;
    businessFolder(folder, 3);
    folder.write("Kitchen.IGH", "Kitchen\r\nNOTHING\r\nMonday\r\n1\r\n");
    folder.write("EXEMPT.IGH", "Someone, Old\r\n\r\n");
    sweep(action);
  }
}
