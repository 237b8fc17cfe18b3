// The main window's menu bar, the splash hand-over, pointer and exit rules.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include "app/FrmStart.h"
#include "app/Frmemployee1.h"
#include "data/DataControl.h"
#include "data/RecordSet.h"
#include "db/EmployeeDatabase.h"
#include "lists/FrmExtras.h"
#include "platform/Forms.h"
#include "platform/Help.h"
#include "platform/Pointer.h"
#include "platform/StatusBar.h"
#include "support/TestSupport.h"

namespace {
struct Item {
  const char* name;
  const char* caption;  // "-" for a separator
  int help;
};

// The menus in order, each with its entries in order.
const std::vector<std::pair<Item, std::vector<Item>>> kMenus = {
    {{"mnuProject", "Project &Options", 1},
     {{"MnuCompact", "&Compact database", 2},
      {"MenSep16", "-", 0},
      {"MnuRepair", "&Repair database", 3},
      {"MenSep17", "-", 0},
      {"Backup", "&Backup Database to floppy", 0},
      {"MenSep68", "-", 0},
      {"mnuExitProject", "&Exit", 4}}},
    {{"mnuMakeSchedule", "&Schedule/Employee Data Changes", 5},
     {{"mnuNewEmployee", "&Enter New Employee data   Delete or Change", 6},
      {"mensep5", "-", 0},
      {"options", "Extra Schedule &options ", 0},
      {"MenSep45", "-", 0},
      {"Mnujob", "Employee &Job discriptions", 0},
      {"MenSep47", "-", 0},
      {"mnuPosition", "Building or Work&Area descriptions", 0}}},
    {{"mnuPrint", "&Print Schedules and Options", 0},
     {{"MnuFull", "&Design Schedule and Print", 0},
      {"MenSep48", "-", 0},
      {"roster", "Print Employee &Roster", 0},
      {"MenSep49", "-", 0},
      {"mnuExport", "E&xport calendars and spreadsheet", 0}}},
    {{"AboutPrpgram", "&About", 0}, {{"whatname", "About &Employees Rotawise", 0}}},
    {{"MnuHelp", "&Help", 0}, {{"MenHelpMain", "&Main Help Index", 0}}},
};

class MainWindowTest : public ::testing::Test {
 protected:
  void TearDown() override { deleteAllWindows(); }
  DataFolder folder;
  MessageBoxQueue boxes;
};
}  // namespace

TEST_F(MainWindowTest, MenuBarHoldsEveryItemInOrderWithCaptionsAndHelpNumbers) {
  Frmemployee1 main;
  const QList<QAction*> top = main.menuBar()->actions();
  ASSERT_EQ(top.size(), int(kMenus.size()));
  for (size_t m = 0; m < kMenus.size(); ++m) {
    const auto& [menuItem, entries] = kMenus[m];
    SCOPED_TRACE(menuItem.name);
    QAction* menuAction = top[int(m)];
    EXPECT_EQ(menuAction->objectName(), menuItem.name);
    EXPECT_EQ(menuAction->text(), menuItem.caption);
    EXPECT_EQ(help::helpContext(menuAction), menuItem.help);
    ASSERT_NE(menuAction->menu(), nullptr);
    const QList<QAction*> actions = menuAction->menu()->actions();
    ASSERT_EQ(actions.size(), int(entries.size()));
    for (size_t i = 0; i < entries.size(); ++i) {
      SCOPED_TRACE(entries[i].name);
      EXPECT_EQ(actions[int(i)]->objectName(), entries[i].name);
      if (QString(entries[i].caption) == "-") {
        EXPECT_TRUE(actions[int(i)]->isSeparator());
      } else {
        EXPECT_EQ(actions[int(i)]->text(), entries[i].caption);
        EXPECT_TRUE(actions[int(i)]->shortcut().isEmpty());
      }
      EXPECT_EQ(help::helpContext(actions[int(i)]), entries[i].help);
    }
  }
}

TEST_F(MainWindowTest, WindowHasItsCaptionTitleStatusPanelsAndHiddenDataControl) {
  Frmemployee1 main;
  EXPECT_EQ(main.windowTitle(), "Employees Rotawise Scheduler  Main Menu");
  EXPECT_EQ(help::helpContext(&main), 100);
  auto* title = main.findChild<QWidget*>("Label1");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->property("text").toString(), "Employee's Rotawise Scheduler");
  for (const char* image : {"Image2", "Image7", "Image4", "Image3"})
    EXPECT_NE(main.findChild<QWidget*>(image), nullptr) << image;
  ASSERT_EQ(main.statusBar1()->panelCount(), 3);
  EXPECT_FALSE(main.statusBar1()->panelText(1).isEmpty());  // the time
  EXPECT_FALSE(main.statusBar1()->panelText(2).isEmpty());  // the date
  EXPECT_TRUE(main.statusBar1()->panelText(3).startsWith("Employee's Rotawise Scheduler!"));
  auto* data = main.findChild<QWidget*>("Data1");
  ASSERT_NE(data, nullptr);
  EXPECT_FALSE(data->isEnabled());
  EXPECT_TRUE(data->isHidden());
  EXPECT_NE(main.findChild<QObject*>("CommonDialog1"), nullptr);
  EXPECT_NE(main.findChild<QObject*>("CommonDialog2"), nullptr);
}

TEST_F(MainWindowTest, SplashHandsOverToTheMaximisedMainWindowAndGoesAway) {
  folder.install("employee.bmp");
  auto* splash = new FrmStart();
  splash->setAttribute(Qt::WA_DeleteOnClose);
  EXPECT_TRUE(splash->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(splash->windowTitle(), "Employees Rotawise");
  QPointer<FrmStart> watch(splash);
  splash->show();
  for (int i = 0; i < 20 && watch; ++i) {
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  EXPECT_TRUE(watch.isNull());
  Frmemployee1* main = findForm<Frmemployee1>();
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(main->isVisible());
  EXPECT_TRUE(main->windowState() & Qt::WindowMaximized);
  EXPECT_EQ(findForm<FrmStart>(), nullptr);
}

TEST_F(MainWindowTest, ActivatingTheMainWindowAgainPutsThePointerBack) {
  auto* main = showForm<Frmemployee1>();
  setMousePointer(main, pointer::Hourglass);
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(main, &activate);
  EXPECT_EQ(mousePointer(main), pointer::Default);
}

TEST_F(MainWindowTest, ExtrasOpenedTwiceIsOneWindowBroughtForward) {
  auto* main = showForm<Frmemployee1>();
  main->menuItem("options")->trigger();
  auto* first = findForm<FrmExtras>();
  ASSERT_NE(first, nullptr);
  main->menuItem("options")->trigger();
  int count = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) count += qobject_cast<FrmExtras*>(w) ? 1 : 0;
  EXPECT_EQ(count, 1);
  EXPECT_EQ(findForm<FrmExtras>(), first);
}

TEST_F(MainWindowTest, ExitEndsTheProgramAtOnceWithChildWindowsOpen) {
  auto* main = showForm<Frmemployee1>();
  main->menuItem("options")->trigger();
  QTimer::singleShot(0, main, [main] { main->menuItem("mnuExitProject")->trigger(); });
  // A stuck event loop would hang the test: the guard ends it with a failure code.
  QTimer::singleShot(5000, [] { QApplication::exit(99); });
  EXPECT_EQ(QApplication::exec(), 0);
  EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(MainWindowTest, ExitWritesEditsAlreadyTypedIntoARecord) {
  folder.install("employee.mdb");
  {
    RecordSet rs;
    rs.open("employee.mdb", "Employees");
    rs.AddNew();
    rs.setField("Number", 1);
    rs.setField("Fullname", "Adams, Ann");
    rs.Update();
  }
  auto* main = showForm<Frmemployee1>();
  auto* window = new QWidget();
  auto* data = new DataControl("Data1", window);
  auto* name = new QLineEdit(window);
  data->bind(name, "Fullname");
  db::reopenEmployees(*data);
  ASSERT_EQ(name->text(), "Adams, Ann");
  name->setText("O'Brien, Pat");
  window->show();

  QTimer::singleShot(0, main, [main] { main->menuItem("mnuExitProject")->trigger(); });
  QTimer::singleShot(5000, [] { QApplication::exit(99); });
  EXPECT_EQ(QApplication::exec(), 0);

  RecordSet check;
  check.open("employee.mdb", "Employees");
  check.MoveFirst();
  EXPECT_EQ(check.text("Fullname"), "O'Brien, Pat");
}
