// employee.mdb held for a moment by another program (a second copy of the
// program compacting, a backup or sync tool), played by a real second
// connection holding a lock on the real file: every reader and writer waits
// it out, and a hold that lasts longer is said as what it is.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <sqlite3.h>

#include "DbTestHelpers.h"
#include "app/Frmemployee1.h"
#include "data/RecordSet.h"
#include "data/SqliteBusy.h"
#include "employee/FrmNewEmployee.h"
#include "export/ExportRun.h"
#include "platform/CommonDialog.h"
#include "platform/MessageBox.h"
#include "platform/Printer.h"
#include "print/FrmPrintFull.h"
#include "print/FrmPrintItBaby.h"
#include "support/ScheduleData.h"
#include "support/TestSupport.h"

namespace {
// Another program's hold on the file: no one else reads or writes it until
// release().
class OtherProgram {
 public:
  explicit OtherProgram(const QString& file) {
    EXPECT_EQ(sqlite3_open_v2(file.toUtf8().constData(), &handle_, SQLITE_OPEN_READWRITE, nullptr),
              SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(handle_, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
  }
  ~OtherProgram() { release(); }
  void release() {
    if (!handle_) return;
    sqlite3_exec(handle_, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(handle_);
    handle_ = nullptr;
  }

 private:
  sqlite3* handle_ = nullptr;
};

struct BusyDatabase : ::testing::Test {
  BusyDatabase() {
    folder.installAll();
    folder.write("AREAS.IGH", "Kitchen\r\n");
    folder.write("POSITION.IGH", "Cook\r\n");
    EmployeeRow ann = staffMember("Ann Lee", "Cook", {"Kitchen"});
    works(ann, 0, "7A.M.", "3P.M.", "Kitchen");
    writeStaffTable(folder.file("employee.mdb"), {ann});
    handOver({"Kitchen", "NOTHING", "Weekly", {"7A.M. - 3P.M."}, {"Days"}});
  }
  ~BusyDatabase() override { deleteAllWindows(); }
  DataFolder folder;
  MessageBoxQueue boxes;
};
}  // namespace

TEST_F(BusyDatabase, AHoldThatEndsIsWaitedOutWithTheBusyPointerWhileWindowsStillPaint) {
  OtherProgram other(folder.file("employee.mdb"));
  bool released = false;
  Qt::CursorShape pointerWhileWaiting = Qt::ArrowCursor;
  QTimer::singleShot(300, [&] {
    if (const QCursor* c = QApplication::overrideCursor()) pointerWhileWaiting = c->shape();
    other.release();
    released = true;
  });
  RecordSet records;
  ASSERT_NO_THROW(records.open("employee.mdb", "Employees"));
  EXPECT_TRUE(released);
  EXPECT_EQ(records.RecordCount(), 1);
  EXPECT_EQ(pointerWhileWaiting, Qt::BusyCursor);
  // The pointer is given back once the program is idle again.
  EXPECT_TRUE(QTest::qWaitFor([] { return QApplication::overrideCursor() == nullptr; }, 2000));
}

TEST_F(BusyDatabase, AHoldLongerThanTheWaitIsSaidAsInUseEverywhereAndNeverAsDamaged) {
  const db::BusyWaitForTests shortWait(200);
  qputenv("ROTAWISE_DRIVE_A", folder.path().toLocal8Bit());
  struct Action {
    const char* what;
    std::function<QString()> run;  // an error the action reports other than by a box
  };
  const auto click = [](QWidget* w, const char* button) {
    w->findChild<QPushButton*>(button)->click();
    return QString();
  };
  const Action actions[] = {
      {"employee window", [] { delete new FrmNewEmployee; return QString(); }},
      {"print setup", [] { delete new FrmPrintFull; return QString(); }},
      {"schedule",
       [&] {
         auto recording = PrinterChoice::recording(std::make_shared<RecordingTarget>());
         boxes.answer(msg::No);  // no extras
         return click(new FrmPrintItBaby, "Command4");
       }},
      {"preview", [&] { return click(new FrmPrintItBaby, "Command3"); }},
      {"roster",
       [] {
         auto recording = PrinterChoice::recording(std::make_shared<RecordingTarget>());
         Frmemployee1().roster_Click();
         return QString();
       }},
      {"export",
       [] {
         try {
           exportWeek("export");
         } catch (const std::exception& e) {
           return QString::fromUtf8(e.what());
         }
         return QString();
       }},
      {"compact", [] { Frmemployee1().MnuCompact_Click(); return QString(); }},
      {"repair", [] { Frmemployee1().MnuRepair_Click(); return QString(); }},
      {"backup", [] { Frmemployee1().Backup_Click(); return QString(); }},
  };
  for (const Action& action : actions) {
    SCOPED_TRACE(action.what);
    boxes.clear();
    QStringList said;
    {
      OtherProgram other(folder.file("employee.mdb"));
      said << action.run();
      said << boxes.texts();
    }
    said.removeAll(QString());
    const QString all = said.join(" | ");
    EXPECT_TRUE(all.contains("in use by another program")) << all.toStdString();
    for (const char* wrong : {"damaged", "repair", "restore"})
      EXPECT_FALSE(all.contains(wrong, Qt::CaseInsensitive)) << all.toStdString();
    deleteAllWindows();
  }
  qunsetenv("ROTAWISE_DRIVE_A");
  EXPECT_EQ(dbtest::recordCount(folder.file("employee.mdb")), 1);  // nothing lost on the way
}
