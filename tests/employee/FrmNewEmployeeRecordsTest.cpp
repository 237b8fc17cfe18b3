// Entering, saving, updating, finding and deleting employees through the
// window, on a real employee.mdb, with message boxes answered from the queue.
#include <QFile>
#include <QMouseEvent>
#include <QProgressBar>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <functional>

#include "EmployeeWindow.h"
#include "app/Frmemployee1.h"
#include "data/DataControl.h"
#include "platform/FileOps.h"
#include "platform/Forms.h"
#include "platform/Help.h"
#include "platform/MessageBox.h"
#include "platform/Pointer.h"
#include "support/ServerDatabase.h"

namespace {
const char* kEnterHint =
    "After entering new employee data, please use Save Changes to enter new info into database.  "
    "The update button is strictly for editing an exsisting employee";
const char* kEmptyHint =
    "As this is an empty or new database, the first thing you need to do on this screen is press "
    "Enter New Employee.";

int countOf(const MessageBoxQueue& boxes, const QString& text) {
  return int(boxes.texts().count(text));
}
}  // namespace

class EmployeeRecordsTest : public EmployeeWindowTest {};

// The same window whether the table is employee.mdb or on a server.
class EmployeeRecordsHomes : public OnBothHomes<EmployeeWindowTest> {};
ROTAWISE_BOTH_HOMES(EmployeeRecordsHomes);

TEST_P(EmployeeRecordsHomes, EmptyTableHintsOncePerLoadAndTheFirstRecordIsNumberOne) {
  open();
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].text, kEmptyHint);
  EXPECT_EQ(boxes.shown()[0].title, "Information hint!");
  EXPECT_EQ(boxes.shown()[0].code, 48);
  EXPECT_EQ(text("txtFullName"), "Press Enter Employee to begin");
  EXPECT_EQ(text("Text1"), "");
  EXPECT_EQ(mousePointer(window), pointer::Default);

  click("CmdAddRecord");
  EXPECT_EQ(text("Text1"), "1");
  EXPECT_EQ(text("txtFullName"), "Enter last name First");
  EXPECT_EQ(text("txtPosition"), "Job discription");
  EXPECT_EQ(text("txtArea"), "Add at least one");
  EXPECT_EQ(text("txtArea4"), "No");
  EXPECT_EQ(text("txtmonday"), "");
  EXPECT_EQ(text("txtSunBldg"), "");
  EXPECT_EQ(countOf(boxes, kEnterHint), 1);
  EXPECT_EQ(boxes.shown().back().title, "Ok!");

  // Once per opening of the window, not at each new record.
  type("txtFullName", "Lee, Ann");
  click("CmdSaveData");
  click("CmdAddRecord");
  EXPECT_EQ(text("Text1"), "2");
  EXPECT_EQ(countOf(boxes, kEnterHint), 1);
  type("txtFullName", "Stone, Bob");
  click("CmdCancel");  // leaving writes the pending record
  EXPECT_EQ(storedColumn("Fullname"), (QStringList{"Lee, Ann", "Stone, Bob"}));

  boxes.clear();
  open();
  EXPECT_EQ(countOf(boxes, kEmptyHint), 0);  // the table is no longer empty
  click("CmdAddRecord");
  EXPECT_EQ(countOf(boxes, kEnterHint), 1);
}

TEST_P(EmployeeRecordsHomes, NewNumberFollowsTheLastRecordAndSaveRenumbersInTableOrder) {
  storeEmployees(
      {employeeRow(5, "Stone, Bob"), employeeRow(2, "Adams, Zoe"), employeeRow(7, "Young, Cy")});
  open();
  EXPECT_TRUE(boxes.shown().empty());
  EXPECT_EQ(text("txtFullName"), "Stone, Bob");
  EXPECT_EQ(text("Text1"), "5");

  int highest = 0;
  bool pastMaximum = false;
  auto* bar = find<QProgressBar>("ProgressBar1");
  QObject::connect(bar, &QProgressBar::valueChanged, [&](int v) {
    highest = std::max(highest, v);
    pastMaximum = pastMaximum || v > bar->maximum();
  });
  // Nothing else runs while the table is walked: the bar must paint itself.
  struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
      paints += e->type() == QEvent::Paint;
      return false;
    }
  } painted;
  bar->installEventFilter(&painted);
  click("CmdAddRecord");
  EXPECT_EQ(text("Text1"), "8");
  type("txtFullName", "O'Brien, \"Pat\", Jr.");
  type("txtPosition", "Waiter");
  click("CmdSaveData");

  EXPECT_EQ(storedColumn("Number"), (QStringList{"1", "2", "3", "4"}));
  EXPECT_EQ(storedColumn("Fullname"),
            (QStringList{"Stone, Bob", "Adams, Zoe", "Young, Cy", "O'Brien, \"Pat\", Jr."}));
  EXPECT_EQ(storedColumn("position").last(), "Waiter");
  EXPECT_EQ(text("txtFullName"), "O'Brien, \"Pat\", Jr.");  // the new employee is shown
  EXPECT_EQ(text("Text1"), "4");
  EXPECT_TRUE(entries("txtFind").contains("O'Brien, \"Pat\", Jr."));
  EXPECT_TRUE(bar->isHidden());
  EXPECT_FALSE(pastMaximum);
  EXPECT_GE(highest, 1);
  EXPECT_GE(painted.paints, 2) << "the bar is painted while the table is walked";
  bar->removeEventFilter(&painted);
  EXPECT_EQ(mousePointer(window), pointer::Default);
}

TEST_P(EmployeeRecordsHomes, SavingTheOnlyRecordGivesItNumberOne) {
  open();
  click("CmdAddRecord");
  type("txtFullName", "Müller, Jörg");
  setShown("Text1", "0");  // a number the user overtyped
  click("CmdSaveData");
  EXPECT_EQ(storedColumn("Number"), (QStringList{"1"}));
  EXPECT_EQ(storedColumn("Fullname"), (QStringList{"Müller, Jörg"}));
  EXPECT_EQ(text("Text1"), "1");
}

TEST_P(EmployeeRecordsHomes, UpdateWritesTheEditsAndRenewsTheSearchList) {
  storeEmployees({employeeRow(1, "Stone, Bob"), employeeRow(2, "adams, Zoe")});
  open();
  type("txtPosition", "Waiter");
  setShown("txtwedstart", "9A.M.");
  click("CmdUpdate");
  EXPECT_EQ(storedColumn("position"), (QStringList{"Waiter", "Cook"}));
  EXPECT_EQ(storedColumn("wedstart").first(), "9A.M.");
  EXPECT_EQ(entries("txtFind"), (QStringList{"adams, Zoe", "Stone, Bob"}));
  EXPECT_EQ(text("txtFullName"), "Stone, Bob");
  EXPECT_TRUE(find<QProgressBar>("ProgressBar1")->isHidden());
  EXPECT_TRUE(boxes.shown().empty());
}

TEST_P(EmployeeRecordsHomes, SearchListsNeedTwoPeopleAndFindGoesByValue) {
  storeEmployees({employeeRow(1, "  Stone, Bob ")});
  open();
  click("CmdSearch");
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].text,
            "You need at least two (2) people in the database to make a list!");
  EXPECT_EQ(boxes.shown()[0].title, "Ok!");
  EXPECT_TRUE(entries("txtFind").isEmpty());

  boxes.clear();
  addEmployee("O'Brien, Pat");
  addEmployee("adams, Zoe");
  EXPECT_EQ(boxes.texts(), QStringList{kEnterHint});
  boxes.clear();
  click("CmdSearch");
  EXPECT_TRUE(boxes.shown().empty());
  const QStringList sorted = {"adams, Zoe", "O'Brien, Pat", "Stone, Bob"};
  EXPECT_EQ(entries("txtFind"), sorted);
  EXPECT_EQ(entries("Choose"), sorted);

  choose("txtFind", "O'Brien, Pat");
  EXPECT_EQ(text("txtFullName"), "O'Brien, Pat");
  EXPECT_EQ(text("Text1"), "2");
  choose("txtFind", "Stone, Bob");  // the list holds the name trimmed
  EXPECT_EQ(text("Text1"), "1");
  deleteStored("  Stone, Bob ");  // gone from the table behind the list
  choose("txtFind", "Stone, Bob");
  EXPECT_TRUE(boxes.shown().empty());
  EXPECT_EQ(text("txtFullName"), "O'Brien, Pat");  // the first record is shown
}

TEST_P(EmployeeRecordsHomes, DeleteAsksThenCompactsKeepsTheOldFileAndRenumbers) {
  storeEmployees(
      {employeeRow(1, "Adams, Zoe"), employeeRow(2, "O'Brien, Pat"), employeeRow(3, "Stone, Bob")});
  open();
  click("CmdSearch");
  choose("txtFind", "O'Brien, Pat");
  boxes.clear();
  boxes.answer(msg::No);
  click("CmdDelete");
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].text, "Are you sure you want to delete this employee from database?");
  EXPECT_EQ(boxes.shown()[0].title, "Warning question");
  EXPECT_EQ(boxes.shown()[0].code, 36);
  EXPECT_EQ(storedColumn("Fullname").size(), 3);
  EXPECT_EQ(text("txtFullName"), "O'Brien, Pat");
  EXPECT_EQ(mousePointer(window), pointer::Default);

  boxes.answer(msg::Yes);
  click("CmdDelete");
  EXPECT_EQ(storedColumn("Fullname"), (QStringList{"Adams, Zoe", "Stone, Bob"}));
  EXPECT_EQ(storedColumn("Number"), (QStringList{"1", "2"}));
  // The file before compaction is kept: the delete and its renumbering,
  // which reach the file together.
  ASSERT_TRUE(folder.exists("Backup.mdb"));
  EXPECT_EQ(storedColumn("Number", folder.file("Backup.mdb")), (QStringList{"1", "2"}));
  EXPECT_FALSE(folder.exists("compact.mdb"));
  EXPECT_EQ(text("txtFullName"), "Adams, Zoe");
  EXPECT_EQ(text("Text1"), "1");
  EXPECT_EQ(mousePointer(window), pointer::Default);

  // The window goes on working on the new file.
  addEmployee("Young, Cy");
  EXPECT_EQ(storedColumn("Fullname"), (QStringList{"Adams, Zoe", "Stone, Bob", "Young, Cy"}));
  EXPECT_EQ(storedColumn("Number"), (QStringList{"1", "2", "3"}));
}

TEST_F(EmployeeRecordsTest, DeletingANewEmployeeNotYetSavedLeavesTheOthersAlone) {
  // Typed or left with its prompts, the new employee on screen is the one
  // deleted, never the record shown before it.
  for (const QString& typed : {QString("Temp, Tom"), QString()}) {
    SCOPED_TRACE(typed.isEmpty() ? "left with its prompts" : "with a name typed");
    DataFolder fresh;
    fresh.installAll();
    fresh.write("AREAS.IGH", "Kitchen\r\n");
    fresh.write("POSITION.IGH", "Cook\r\n");
    storeEmployees({employeeRow(1, "Adams, Zoe"), employeeRow(2, "Stone, Bob")});
    open();
    click("CmdAddRecord");
    if (!typed.isEmpty()) type("txtFullName", typed);
    click("CmdDelete");
    EXPECT_EQ(storedColumn("Fullname"), (QStringList{"Adams, Zoe", "Stone, Bob"}));
    EXPECT_EQ(storedColumn("Number"), (QStringList{"1", "2"}));
    delete window.data();
  }
}

TEST_P(EmployeeRecordsHomes, AFailingCompactionStepLosesNoRecord) {
  storeEmployees(
      {employeeRow(1, "Adams, Zoe"), employeeRow(2, "Stone, Bob"), employeeRow(3, "Young, Cy")});
  open();
  fileops::setFaultInjector([](FileStep step, const QString&) { return step == FileStep::Rename; });
  click("CmdDelete");  // Adams, the first record
  fileops::setFaultInjector({});
  ASSERT_EQ(boxes.shown().size(), 2u);  // the question, then why nothing was compacted
  EXPECT_EQ(boxes.shown()[1].title, "Opps!");
  EXPECT_TRUE(boxes.shown()[1].text.startsWith(
      "The employee has been deleted.  The database could not be compacted"));
  EXPECT_EQ(storedColumn("Fullname"), (QStringList{"Stone, Bob", "Young, Cy"}));
  EXPECT_EQ(storedColumn("Number"), (QStringList{"1", "2"}));
  EXPECT_EQ(text("txtFullName"), "Stone, Bob");
}

TEST_P(EmployeeRecordsHomes, AfterDeletingTheOnlyEmployeeEveryCommandAnswersWithItsMessage) {
  storeEmployees({employeeRow(1, "Lee, Ann")});
  open();
  click("CmdDelete");
  EXPECT_TRUE(storedEmployees().isEmpty());
  EXPECT_EQ(text("Text1"), "");
  boxes.clear();
  click("CmdSaveData");
  click("CmdUpdate");
  click("CmdDelete");
  click("CmdSearch");
  click("CmdCopy");
  EXPECT_EQ(boxes.texts(),
            (QStringList{"Can't use this command now.  You must use Enter New Employee first!",
                         "There is no one to update yet?", "There is no one to delete?",
                         "There is no one in the database to list yet!",
                         "There is no one in the database to list yet!"}));
  for (const ShownBox& b : boxes.shown()) {
    EXPECT_EQ(b.title, "Ok!");
    EXPECT_EQ(b.code, 48);
  }
  EXPECT_EQ(mousePointer(window), pointer::Default);
  EXPECT_TRUE(storedEmployees().isEmpty());
}

TEST_F(EmployeeRecordsTest, ChoiceListsComeFromTheListFilesInOrderWithoutEmpty) {
  folder.write("AREAS.IGH", "Kitchen\r\nRestaurant Bar\r\nEmpty\r\nPatio\r\n");
  open();
  const QStringList areas = {"Kitchen", "Restaurant Bar", "Patio"};
  for (const char* list : {"txtArea", "txtArea2", "txtArea3", "txtArea4"})
    EXPECT_EQ(entries(list), QStringList({"No", "Special"}) + areas) << list;
  for (const char* list : {"txtMonBldg", "txtMonBldg1", "txtWedBldg2", "txtSunBldg", "txtSunBldg2"})
    EXPECT_EQ(entries(list), QStringList({"No"}) + areas) << list;
  EXPECT_EQ(entries("txtPosition"), (QStringList{"Cook", "Waiter"}));
  for (const char* list : {"txtmonday", "txtsunday", "txtThuSpecial"})
    EXPECT_EQ(entries(list), (QStringList{"YES", "NO"})) << list;
  for (const char* list : {"txtmonstart", "txtsatstop", "txtTueSplitStart", "txtSunSplitStop"}) {
    EXPECT_EQ(entries(list).size(), 48) << list;
    EXPECT_EQ(entries(list).value(17), "8:30A.M.") << list;
  }
  EXPECT_EQ(window->loadErrorFlag(), 0);
}

TEST_F(EmployeeRecordsTest, WithoutTheJobListTheFirstKeyOrMouseMoveReturnsToTheMainMenu) {
  QFile::remove(folder.file("POSITION.IGH"));
  storeEmployees({employeeRow(1, "Lee, Ann")});
  for (bool byKey : {true, false}) {
    SCOPED_TRACE(byKey ? "key press" : "mouse move");
    boxes.clear();
    open();
    ASSERT_EQ(window->loadErrorFlag(), 1);
    EXPECT_EQ(entries("txtArea").size(), 5);  // the other lists are filled all the same
    EXPECT_TRUE(boxes.shown().empty());
    if (byKey) {
      QTest::keyClick(edit("txtFullName"), Qt::Key_A);
    } else {
      QMouseEvent move(QEvent::MouseMove, QPointF(300, 5), QPointF(300, 5), Qt::NoButton,
                       Qt::NoButton, Qt::NoModifier);
      QApplication::sendEvent(window, &move);
    }
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text,
              "You have not set up either your Job Discriptions or Bld/Dept areas.  These screens "
              "must be completed first before you can enter Employee data.  Please see help "
              "section 'Getting Started' for more information.");
    EXPECT_EQ(boxes.shown()[0].title, "Opps!");
    EXPECT_EQ(boxes.shown()[0].code, 48);
    EXPECT_FALSE(window->isVisible());
    Frmemployee1* menu = findForm<Frmemployee1>();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isVisible());
    delete menu;
  }
}

TEST_F(EmployeeRecordsTest, MainAreaFillsOnlyDaysShowingNoAlsoWhileTyping) {
  storeEmployees({employeeRow(1, "Lee, Ann")});
  open();
  const QStringList third = {"txtMonBldg", "txtTueBldg", "txtWedBldg", "txtThuBldg",
                             "txtFriBldg", "txtSatBldg", "txtSunBldg"};
  for (const QString& c : third) setShown(c, "No");
  setShown("txtMonBldg", "Patio");
  setShown("txtSunBldg", "");
  setShown("txtTueBldg1", "No");
  choose("txtArea", "Kitchen");
  EXPECT_EQ(text("txtMonBldg"), "Patio");
  for (const char* c : {"txtTueBldg", "txtWedBldg", "txtThuBldg", "txtFriBldg", "txtSatBldg"})
    EXPECT_EQ(text(c), "Kitchen") << c;
  EXPECT_EQ(text("txtSunBldg"), "");
  EXPECT_EQ(text("txtTueBldg1"), "No");

  // A typed area fills with its whole text once the typing is done: on
  // Enter, on leaving the field, or on leaving the record.
  QLineEdit* typed = combo("txtArea")->lineEdit();
  const struct {
    const char* how;
    std::function<void()> finish;
  } ways[] = {
      {"Enter", [&] { QTest::keyClick(typed, Qt::Key_Return); }},
      {"leaving the field", [&] { edit("txtFullName")->setFocus(); }},
      {"leaving the record", [&] { window->data1()->MoveLast(); window->data1()->MoveFirst(); }},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.how);
    for (const QString& c : third) setShown(c, "No");
    setShown("txtWedBldg", "Patio");
    type("txtArea", "Bar");
    EXPECT_EQ(text("txtMonBldg"), "No");  // nothing while typing
    way.finish();
    EXPECT_EQ(text("txtArea"), "Bar");
    EXPECT_EQ(text("txtWedBldg"), "Patio");
    for (const char* c : {"txtMonBldg", "txtTueBldg", "txtThuBldg", "txtSunBldg"})
      EXPECT_EQ(text(c), "Bar") << c;
  }
  EXPECT_EQ(storedColumn("MonBldg"), QStringList{"Bar"});
}

TEST_F(EmployeeRecordsTest, ARecordWithoutANameKeepsItWhenTheUserMovesOn) {
  QVariantMap none = employeeRow(1, "");
  none.remove("Fullname");  // never written
  storeEmployees({none, employeeRow(2, ""), employeeRow(3, "Stone, Bob")});
  open();
  EXPECT_EQ(text("txtFullName"), "");
  window->data1()->MoveNext();
  EXPECT_EQ(text("txtFullName"), "");
  window->data1()->MoveLast();
  EXPECT_EQ(storedColumn("Fullname"), (QStringList{"", "", "Stone, Bob"}));
  EXPECT_TRUE(storedEmployees().first().value("Fullname").isNull());
}

TEST_F(EmployeeRecordsTest, ANewEmployeeLeftWithOnlyItsPromptsIsDroppedNotWritten) {
  storeEmployees({employeeRow(1, "Lee, Ann")});
  const struct {
    const char* how;
    std::function<void()> leave;
  } ways[] = {
      {"the bar", [&] { find<QToolButton>("MoveFirst")->click(); }},
      {"Update", [&] { click("CmdUpdate"); }},
      {"another new one", [&] { click("CmdAddRecord"); click("CmdCancel"); }},
      {"e&Xit", [&] { click("CmdCancel"); }},
      {"closing", [&] { window->close(); }},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.how);
    open();
    click("CmdAddRecord");
    way.leave();
    EXPECT_EQ(storedColumn("Fullname"), QStringList{"Lee, Ann"});
    deleteAllWindows();
  }

  // Save New Employee and the employee copy say what is missing; the new
  // record stays on screen, and once a name is typed it is saved.
  open();
  click("CmdAddRecord");
  boxes.clear();
  click("CmdSaveData");
  click("CmdCopy");
  ASSERT_EQ(boxes.shown().size(), 2u);
  for (const ShownBox& box : boxes.shown()) {
    EXPECT_EQ(box.title, "Ok!");
    EXPECT_TRUE(box.text.startsWith("Please type the new employee's name")) << box.text.toStdString();
  }
  EXPECT_EQ(text("txtFullName"), "Enter last name First");
  EXPECT_EQ(text("Text1"), "2");
  type("txtFullName", "Young, Cy");
  click("CmdSaveData");
  EXPECT_EQ(storedColumn("Fullname"), (QStringList{"Lee, Ann", "Young, Cy"}));

  // With nobody in the table, nothing is left on screen that looks stored.
  deleteStored("Lee, Ann");
  deleteStored("Young, Cy");
  open();
  click("CmdAddRecord");
  find<QToolButton>("MoveFirst")->click();
  EXPECT_EQ(text("Text1"), "");
  EXPECT_EQ(text("txtFullName"), "");
  EXPECT_TRUE(storedEmployees().isEmpty());
}

TEST_P(EmployeeRecordsHomes, BrowsingShowsRecordsWithoutChangingThem) {
  QVariantMap first = employeeRow(1, "Adams, Zoe");
  first["MonBldg"] = "No";
  storeEmployees({first, employeeRow(2, "Stone, Bob")});
  open();
  EXPECT_EQ(text("txtMonBldg"), "No");  // area "Kitchen" shown, but nothing filled
  window->data1()->MoveNext();
  EXPECT_EQ(text("txtFullName"), "Stone, Bob");
  type("txtPosition", "Waiter");
  window->data1()->MovePrevious();  // leaving a record writes its edits
  EXPECT_EQ(storedColumn("position"), (QStringList{"Cook", "Waiter"}));
  EXPECT_EQ(storedColumn("MonBldg").first(), "No");
}

TEST_F(EmployeeRecordsTest, AFullTableRefusesANewEmployeeWithAMessage) {
  storeEmployees({employeeRow(32767, "Last, One")});
  open();
  click("CmdAddRecord");
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].title, "Opps!");
  EXPECT_TRUE(boxes.shown()[0].text.contains("full"));
  EXPECT_EQ(text("txtFullName"), "Last, One");  // no new record started
  click("CmdCancel");
  EXPECT_EQ(storedColumn("Fullname"), (QStringList{"Last, One"}));
}

TEST_F(EmployeeRecordsTest, HelpShowsTheContentsAndExitWritesTheEditsAndReturnsToTheMainMenu) {
  storeEmployees({employeeRow(1, "Lee, Ann")});
  open();
  click("CmdHelp");
  EXPECT_TRUE(help::shownFile().endsWith("EMPLOYEE.HLP", Qt::CaseInsensitive));
  ASSERT_NE(help::viewer(), nullptr);
  EXPECT_TRUE(help::viewer()->isVisible());
  help::viewer()->close();

  type("txtPosition", "Waiter");
  click("CmdCancel");
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(storedColumn("position"), (QStringList{"Waiter"}));
  Frmemployee1* menu = findForm<Frmemployee1>();
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(menu->isVisible());
  delete menu;
  EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(EmployeeRecordsTest, TheMainMenuOpensTheWindowOnceAndBringsItForward) {
  storeEmployees({employeeRow(1, "Lee, Ann")});
  Frmemployee1 menu;
  menu.mnuNewEmployee_Click();
  FrmNewEmployee* first = findForm<FrmNewEmployee>();
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(first->isVisible());
  EXPECT_EQ(first->findChild<QLineEdit*>("txtFullName")->text(), "Lee, Ann");
  menu.mnuNewEmployee_Click();
  EXPECT_EQ(findForm<FrmNewEmployee>(), first);
  QPointer<FrmNewEmployee> closing = first;
  QTest::mouseClick(first->findChild<QPushButton*>("CmdCancel"), Qt::LeftButton);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(closing.isNull());  // unloaded for good
  EXPECT_EQ(findForm<FrmNewEmployee>(), nullptr);
  EXPECT_TRUE(boxes.shown().empty());
}
