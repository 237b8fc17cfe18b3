// A damaged or foreign employee.mdb met by every window and menu action that
// reads it: each says so with a message that names the file, none crashes or
// shows an empty table a later save would write over the records, and the
// file is left byte for byte as it was (a repair that rebuilds it keeps the
// damaged file whole beside it).
#include <QDir>
#include <QPointer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <memory>
#include <random>

#include "BadInput.h"
#include "EmployeeFiles.h"
#include "app/Frmemployee1.h"
#include "employee/FrmNewEmployee.h"
#include "platform/CommonDialog.h"
#include "platform/Forms.h"
#include "platform/MessageBox.h"
#include "platform/Printer.h"
#include "print/FrmPrintFull.h"
#include "print/FrmPrintItBaby.h"
#include "support/ScheduleData.h"
#include "support/TestSupport.h"

using namespace badinput;

namespace {
constexpr int kRecords = 200;

struct Damaged {
  const char* what;
  QByteArray bytes;
};

std::vector<Damaged> damagedFiles(DataFolder& folder) {
  const QByteArray good = hardening::populatedDatabase(folder, kRecords);
  std::mt19937 gen(11);
  QByteArray noise(32 * 1024, '\0');
  for (char& c : noise) c = char(gen() & 0xFF);
  QByteArray zeroedPage = good;
  zeroedPage.replace(good.size() - 2 * 4096, 4096, QByteArray(4096, '\0'));
  return {{"cut in the middle", good.left(good.size() / 2)},
          {"random bytes", noise},
          {"a text file", "Kitchen\r\nBar\r\n"},
          {"a database without the Employees table", hardening::foreignDatabase(folder)},
          {"an empty file", QByteArray()},
          {"a zeroed page", zeroedPage}};
}

// The database files in the folder (the live one, its journals, the
// maintenance files).
QStringList databaseFiles(const DataFolder& folder) {
  return QDir(folder.path()).entryList({"*.mdb", "*.MDB", "*-journal", "*-wal", "*-shm"},
                                       QDir::Files | QDir::Hidden);
}

class DamagedDatabaseWindows : public ::testing::Test {
 protected:
  DamagedDatabaseWindows() {
    folder.installAll();
    folder.write("AREAS.IGH", "Kitchen\r\nBar\r\n");
    folder.write("POSITION.IGH", "Cook\r\nWaiter\r\n");
    damaged = damagedFiles(folder);
  }
  ~DamagedDatabaseWindows() override { deleteAllWindows(); }

  // Runs `action` over every damaged file: it must show a box naming the
  // file (with the title given), and leave the file and the folder's
  // database files as they were.
  void sweep(const char* actionName, const std::function<void()>& action,
             bool mustNameTheFile = true) {
    for (const Damaged& d : damaged) {
      SCOPED_TRACE(std::string(actionName) + " on " + d.what);
      folder.write("employee.mdb", d.bytes);
      const QStringList before = databaseFiles(folder);
      boxes.clear();
      action();
      bool named = false, error = false;
      for (const ShownBox& b : boxes.shown()) {
        named = named || b.text.contains("employee.mdb", Qt::CaseInsensitive);
        error = error || b.title == "Opps!";
      }
      EXPECT_TRUE(error) << "no error shown: " << boxes.texts().join(" | ").toStdString();
      if (mustNameTheFile)
        EXPECT_TRUE(named) << "the file is not named: " << boxes.texts().join(" | ").toStdString();
      EXPECT_EQ(folder.read("employee.mdb"), d.bytes) << "the file was changed";
      EXPECT_EQ(databaseFiles(folder), before);
      deleteAllWindows();
    }
  }

  DataFolder folder;
  MessageBoxQueue boxes;
  std::vector<Damaged> damaged;
};
}  // namespace

TEST_F(DamagedDatabaseWindows, EmployeeWindowSaysSoAndEveryButtonAnswersWithoutTouchingTheFile) {
  sweep("the employee window", [&] {
    QPointer<FrmNewEmployee> w = new FrmNewEmployee();
    EXPECT_TRUE(shown(w, "Text1").isEmpty()) << "a record is shown from a damaged file";
    for (const char* button : {"CmdSaveData", "CmdUpdate", "CmdDelete", "CmdSearch", "CmdCopy",
                               "CmdAddRecord", "CmdSaveData", "CmdUpdate", "CmdSearch"}) {
      const size_t shownBefore = boxes.shown().size();
      if (!w) break;
      click(w, button);
      EXPECT_GT(boxes.shown().size(), shownBefore) << button << " said nothing";
    }
    if (w) {
      setShown(w, "txtFind", "Employee 1");
      w->txtFind_Click();
      click(w, "CmdCancel");
    }
    delete w.data();
  });
}

TEST_F(DamagedDatabaseWindows, PrintSetupPrintAndPreviewSaySo) {
  sweep("the print setup", [&] { showForm<FrmPrintFull>(); });

  handOver({"Kitchen", "NOTHING", "Weekly", {"7A.M. - 3P.M."}, {"Days"}});
  auto target = std::make_shared<RecordingTarget>();
  sweep("printing the schedule", [&] {
    auto* w = showForm<FrmPrintItBaby>();
    auto choice = PrinterChoice::recording(target);
    boxes.answer(msg::No);  // no extras
    click(w, "Command4");
  });
  sweep("the preview", [&] { click(showForm<FrmPrintItBaby>(), "Command3"); });
}

TEST_F(DamagedDatabaseWindows, RosterCompactionAndBackupSaySoAndChangeNothing) {
  auto target = std::make_shared<RecordingTarget>();
  sweep("the roster", [&] {
    Frmemployee1 main;
    auto choice = PrinterChoice::recording(target);
    main.roster_Click();
    EXPECT_TRUE(target->documents().isEmpty()) << "a roster was printed from a damaged file";
  });
  sweep("compaction", [&] {
    Frmemployee1 main;
    main.MnuCompact_Click();
  });
  QDir(folder.path()).mkdir("floppy");
  qputenv("ROTAWISE_DRIVE_A", folder.file("floppy").toLocal8Bit());
  folder.write("floppy/employee.mdb", "last week's good copy");
  sweep("the backup", [&] {
    Frmemployee1 main;
    main.Backup_Click();
    EXPECT_EQ(folder.read("floppy/employee.mdb"), "last week's good copy")
        << "the good copy on the disk was replaced";
  });
  qunsetenv("ROTAWISE_DRIVE_A");
}

TEST_F(DamagedDatabaseWindows, RepairKeepsTheDamagedFileWholeAndNeverSaysAllIsWell) {
  for (const Damaged& d : damaged) {
    SCOPED_TRACE(d.what);
    for (const char* f : {"employee.mdb", "Damaged.mdb", "repair.mdb"}) QFile::remove(f);
    folder.write("employee.mdb", d.bytes);
    boxes.clear();
    {
      Frmemployee1 main;
      main.MnuRepair_Click();
    }
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].title, "Opps!") << boxes.shown()[0].text.toStdString();
    EXPECT_FALSE(folder.exists("repair.mdb"));
    if (folder.read("employee.mdb") != d.bytes) {
      // Rebuilt: the damaged file is kept whole, and the new one reads.
      EXPECT_EQ(folder.read("Damaged.mdb"), d.bytes);
      bool ok = false;
      const QStringList names = hardening::employeeNames("employee.mdb", &ok);
      EXPECT_TRUE(ok);
      EXPECT_FALSE(names.isEmpty());
      EXPECT_TRUE(boxes.shown()[0].text.contains("Damaged.mdb")) << boxes.shown()[0].text.toStdString();
    } else {
      EXPECT_FALSE(folder.exists("Damaged.mdb"));
      EXPECT_TRUE(boxes.shown()[0].text.contains("employee.mdb")) << boxes.shown()[0].text.toStdString();
    }
  }
}
