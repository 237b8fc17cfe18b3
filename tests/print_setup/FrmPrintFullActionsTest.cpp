// The print setup window at work: choosing an area, the exclusion list, the
// buttons, and the exact bytes of every file they hand over.
#include <QDir>
#include <QTest>
#include <QTextBrowser>

#include "app/Frmemployee1.h"
#include "platform/FileOps.h"
#include "platform/Forms.h"
#include "platform/Help.h"
#include "platform/Pointer.h"
#include "print/FrmPrintItBaby.h"
#include "PrintSetupWindow.h"

namespace {
QByteArray padded(const char* name) { return QByteArray(name).leftJustified(30, ' '); }
}  // namespace

TEST_F(PrintSetupTest, OkWithAllAreasHandsOverAllAreaIghAndOpensThePrintWindow) {
  prepareFolder();
  open();
  choose("txtfindAreas", "All_Areas");
  fillGoodChoices("All_Areas");
  click("Command3");
  EXPECT_TRUE(boxes.shown().empty());
  EXPECT_EQ(folder.read("EXEMPT.IGH"), "\r\n");
  EXPECT_EQ(folder.read("PRINT.IGH"), "All_Area.IGH\r\n");
  EXPECT_EQ(folder.read("All_Area.IGH"), "All_Areas\r\nNOTHING\r\nWeekly\r\n\r\n7A.M. - 3P.M.\r\nDays\r\n");
  // After a good Ok the blank position box holds what was stored.
  EXPECT_EQ(combo("txtFindPosition")->currentText(), "NOTHING");
  EXPECT_FALSE(window->isVisible());
  auto* print = findForm<FrmPrintItBaby>();
  ASSERT_NE(print, nullptr);
  EXPECT_TRUE(print->isVisible());
}

TEST_F(PrintSetupTest, EveryCheckOfOkSpeaksInTurnAndOnlyTheExclusionFileIsWritten) {
  prepareFolder();
  open();
  const struct {
    const char* fill;  // the box filled after the message
    const char* value;
    const char* message;
  } steps[] = {
      {"txtfindAreas", "Kitchen", "You Must choose an AREA to print schedule!"},
      {"txtDayorWeek", "Monday", "You Must choose a Day or weekly schedule to print!"},
      {"txtFindTimes1", "7A.M. - 3P.M.", "You Must choose a time for the schedule to print!"},
      {"txtLabel1", "Days", "You Must Label the First Time area!"},
      {"txtFindTimes2", "3P.M. - 11P.M.", nullptr},
      {"txtLabel2", "Nights", "You Must Label the Second Time area!"},
      {"txtFindTimes3", "SPECIAL", nullptr},
      {"txtLabel3", "Special", "You Must Label the Third Time area!"},
      {"txtFindTimes4", "9A.M. - 5P.M.", nullptr},
      {"txtLabel4", "Office", "You Must Label the Fourth Time area!"},
  };
  type("txtFindPosition", "   ");
  for (const auto& step : steps) {
    if (step.message) {
      SCOPED_TRACE(step.message);
      boxes.clear();
      QFile::remove(folder.file("EXEMPT.IGH"));
      click("Command3");
      ASSERT_EQ(boxes.shown().size(), 1u);
      EXPECT_EQ(boxes.shown()[0].text, step.message);
      EXPECT_EQ(boxes.shown()[0].title, "Opps!");
      EXPECT_EQ(boxes.shown()[0].code, 48);
      EXPECT_EQ(folder.read("EXEMPT.IGH"), "\r\n");  // written before any check
      EXPECT_FALSE(folder.exists("PRINT.IGH"));
      EXPECT_FALSE(folder.exists("Kitchen.IGH"));
      EXPECT_TRUE(window->isVisible());
      EXPECT_EQ(mousePointer(window), pointer::Default);
      // After a failed check the position box shows what the user typed.
      EXPECT_EQ(combo("txtFindPosition")->currentText(), "   ");
    }
    type(step.fill, step.value);
  }
  // Every time labelled: the choices pass.
  boxes.clear();
  click("Command3");
  EXPECT_TRUE(boxes.shown().empty());
  EXPECT_EQ(folder.read("PRINT.IGH"), "Kitchen.IGH\r\n");
  EXPECT_EQ(folder.read("Kitchen.IGH"),
            "Kitchen\r\nNOTHING\r\nMonday\r\n\r\n7A.M. - 3P.M.\r\nDays\r\n3P.M. - 11P.M.\r\nNights\r\n"
            "SPECIAL\r\nSpecial\r\n9A.M. - 5P.M.\r\nOffice\r\n");
}

TEST_F(PrintSetupTest, SaveInfoKeepsTheChoicesPerAreaAndChoosingTheAreaReadsThemBack) {
  prepareFolder();
  open();
  choose("txtfindAreas", "Kitchen");
  type("txtFindPosition", "Cook");
  type("txtDayorWeek", "Weekly");
  type("txtFindTimes1", "7A.M. - 3P.M.");
  type("txtLabel1", "Morning");
  type("txtFindTimes3", "3P.M. - 11P.M.");  // time 2 left empty
  type("txtLabel3", "Late");
  click("Command4");
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].text, "Ok The file [Kitchen.IGH] has been saved.");
  EXPECT_EQ(boxes.shown()[0].title, "Saved");
  EXPECT_EQ(boxes.shown()[0].code, 48);
  EXPECT_TRUE(window->isVisible());
  // The empty time 2 keeps its two lines, so time 3 keeps its place.
  EXPECT_EQ(folder.read("Kitchen.IGH"),
            "Kitchen\r\nCook\r\nWeekly\r\n1\r\n7A.M. - 3P.M.\r\nMorning\r\n\r\n\r\n"
            "3P.M. - 11P.M.\r\nLate\r\n");
  EXPECT_FALSE(folder.exists("PRINT.IGH"));
  EXPECT_FALSE(folder.exists("EXEMPT.IGH"));

  // Another area without saved choices empties everything but the area.
  choose("txtfindAreas", "Restaurant Bar");
  EXPECT_EQ(combo("txtfindAreas")->currentText(), "Restaurant Bar");
  for (const char* box : {"txtFindPosition", "txtDayorWeek", "txtFindTimes1", "txtFindTimes3"})
    EXPECT_EQ(combo(box)->currentText(), "") << box;
  EXPECT_EQ(edit("txtLabel1")->text(), "");

  // Back to Kitchen: values return by line number, each time in its place
  // with its own label.
  choose("txtfindAreas", "Kitchen");
  EXPECT_EQ(combo("txtFindPosition")->currentText(), "Cook");
  EXPECT_EQ(combo("txtDayorWeek")->currentText(), "Weekly");
  EXPECT_EQ(combo("txtFindTimes1")->currentText(), "7A.M. - 3P.M.");
  EXPECT_EQ(edit("txtLabel1")->text(), "Morning");
  EXPECT_EQ(combo("txtFindTimes2")->currentText(), "");
  EXPECT_EQ(edit("txtLabel2")->text(), "");
  EXPECT_EQ(combo("txtFindTimes3")->currentText(), "3P.M. - 11P.M.");
  EXPECT_EQ(edit("txtLabel3")->text(), "Late");
}

TEST_F(PrintSetupTest, ALabelWithoutItsTimeOrATimeWithoutItsLabelIsRefusedByBothButtons) {
  prepareFolder();
  const struct {
    const char* box;  // filled on top of good choices
    const char* value;
    const char* message;
  } cases[] = {
      {"txtLabel2", "Evening", "You Must choose a time for the Second Time area, or clear its label!"},
      {"txtLabel3", "Late", "You Must choose a time for the Third Time area, or clear its label!"},
      {"txtLabel4", "Night", "You Must choose a time for the Fourth Time area, or clear its label!"},
      {"txtFindTimes4", "SPECIAL", "You Must Label the Fourth Time area!"},
  };
  for (const char* button : {"Command4", "Command3"})
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(button) + " " + c.box);
      folder.write("Kitchen.IGH", "Kitchen\r\nsaved before\r\n");
      QFile::remove(folder.file("PRINT.IGH"));
      boxes.clear();
      open();
      choose("txtfindAreas", "Kitchen");
      fillGoodChoices("Kitchen");
      type(c.box, c.value);
      click(button);
      ASSERT_EQ(boxes.shown().size(), 1u);
      EXPECT_EQ(boxes.shown()[0].text, c.message);
      EXPECT_EQ(boxes.shown()[0].title, "Opps!");
      EXPECT_EQ(folder.read("Kitchen.IGH"), "Kitchen\r\nsaved before\r\n");
      EXPECT_FALSE(folder.exists("PRINT.IGH"));
      EXPECT_TRUE(window->isVisible());
      EXPECT_EQ(mousePointer(window), pointer::Default);
      deleteAllWindows();
    }
}

TEST_F(PrintSetupTest, LongAreasThatStartAlikeKeepTheirOwnFilesAndAnEighthBlankStaysInTheName) {
  prepareFolder({"Restaurant Bar", "Restaurant Patio", "Kitchen North"});
  open();
  choose("txtfindAreas", "Restaurant Bar");
  fillGoodChoices("Restaurant Bar");
  click("Command4");
  EXPECT_EQ(boxes.texts(), QStringList({"Ok The file [Restaura.IGH] has been saved."}));
  // The patio has nothing saved yet: the bar's choices are not read as its own.
  choose("txtfindAreas", "Restaurant Patio");
  EXPECT_EQ(combo("txtfindAreas")->currentText(), "Restaurant Patio");
  EXPECT_EQ(edit("txtLabel1")->text(), "");
  fillGoodChoices("Restaurant Patio");
  type("txtLabel1", "Terrace");
  boxes.clear();
  click("Command4");
  EXPECT_EQ(boxes.texts(), QStringList({"Ok The file [Restaura~2.IGH] has been saved."}));
  choose("txtfindAreas", "Restaurant Bar");  // the bar's choices as they were
  EXPECT_EQ(combo("txtfindAreas")->currentText(), "Restaurant Bar");
  EXPECT_EQ(edit("txtLabel1")->text(), "Days");
  choose("txtfindAreas", "Restaurant Patio");
  EXPECT_EQ(edit("txtLabel1")->text(), "Terrace");
  boxes.clear();
  click("Command3");
  EXPECT_TRUE(boxes.shown().empty());
  EXPECT_EQ(folder.read("PRINT.IGH"), "Restaura~2.IGH\r\n");
  EXPECT_TRUE(folder.read("Restaura.IGH").startsWith("Restaurant Bar\r\n"));

  deleteAllWindows();
  open();
  choose("txtfindAreas", "Kitchen North");
  fillGoodChoices("Kitchen North");
  click("Command3");
  EXPECT_EQ(folder.read("PRINT.IGH"), "Kitchen .IGH\r\n");
  EXPECT_EQ(folder.read("Kitchen .IGH"),
            "Kitchen North\r\nNOTHING\r\nWeekly\r\n\r\n7A.M. - 3P.M.\r\nDays\r\n");
}

TEST_F(PrintSetupTest, AreaNamesThatCannotBeFileNamesAreSavedAndPrintedInsideTheFolder) {
  prepareFolder({"../../x", "Bar/Grill", "Bldg: A"});
  const struct {
    const char* area;
    const char* file;
  } cases[] = {{"../../x", ".._.._x.IGH"}, {"Bar/Grill", "Bar_Gril.IGH"}, {"Bldg: A", "Bldg_ A.IGH"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.area);
    boxes.clear();
    open();
    choose("txtfindAreas", c.area);
    fillGoodChoices(c.area);
    type("txtLabel1", QString("Label of ") + c.area);
    click("Command4");
    EXPECT_EQ(boxes.texts(), QStringList({QString("Ok The file [%1] has been saved.").arg(c.file)}));
    click("Command2");
    choose("txtfindAreas", c.area);  // read back from the same file
    EXPECT_EQ(edit("txtLabel1")->text(), QString("Label of ") + c.area);
    boxes.clear();
    click("Command3");
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_EQ(folder.read("PRINT.IGH"), QByteArray(c.file) + "\r\n");
    EXPECT_TRUE(folder.read(c.file).startsWith(QByteArray(c.area) + "\r\nNOTHING\r\n"));
    deleteAllWindows();
  }
  const QDir data(folder.path());
  EXPECT_FALSE(QFile::exists(data.absoluteFilePath("../../x.IGH")));
  EXPECT_FALSE(QFile::exists(data.absoluteFilePath("Bar/Gril.IGH")));
  QStringList expected{"AREAS.IGH", "AREATIME.IGH", "Bar_Gril.IGH", "Bldg_ A.IGH", "EMPLOYEE.HLP",
                       "EXEMPT.IGH", "POSITION.IGH", "PRINT.IGH", "WEEKDAYS.IGH", "clouds.bmp",
                       "employee.mdb", ".._.._x.IGH"};
  QStringList found = data.entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
  expected.sort();
  found.sort();
  EXPECT_EQ(found, expected);
  EXPECT_TRUE(data.entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
}

TEST_F(PrintSetupTest, ASettingsFileThatCannotBeCreatedSaysSoAndNothingClaimsItWasSaved) {
  prepareFolder();
  open();
  choose("txtfindAreas", "Kitchen");
  fillGoodChoices("Kitchen");
  fileops::setFaultInjector([](FileStep step, const QString& path) {
    return step == FileStep::Create && path == "Kitchen.IGH";
  });
  click("Command4");
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].title, "Opps!");
  EXPECT_TRUE(boxes.shown()[0].text.startsWith("The file [Kitchen.IGH] could not be saved."));
  EXPECT_FALSE(folder.exists("Kitchen.IGH"));

  boxes.clear();
  click("Command3");
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].title, "Opps!");
  EXPECT_TRUE(boxes.shown()[0].text.contains("[Kitchen.IGH]"));
  EXPECT_TRUE(boxes.shown()[0].text.contains("cannot be printed"));
  EXPECT_TRUE(window->isVisible());  // the print window is not opened
  EXPECT_EQ(findForm<FrmPrintItBaby>(), nullptr);
  EXPECT_EQ(mousePointer(window), pointer::Default);

  // A folder that takes no file at all stops at the exclusion list.
  fileops::setFaultInjector([](FileStep step, const QString&) { return step == FileStep::Create; });
  boxes.clear();
  click("Command3");
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_TRUE(boxes.shown()[0].text.startsWith("The list of excluded staff could not be saved"));
  EXPECT_TRUE(window->isVisible());
}

TEST_F(PrintSetupTest, ExcludedStaffAreListedSortedAndWrittenWholeToTheExemptFile) {
  const QString longName = "Maximiliana Alexandra Featherstonehaugh";
  prepareFolder({"Kitchen"}, {"Zed Young", "ann Lee", longName});
  open();
  ASSERT_EQ(window->LoadErrorFlag, 0);
  choose("txtStaffVacation", "Zed Young" + QString(21, ' '));
  choose("txtStaffVacation", longName);
  choose("txtStaffVacation", "ann Lee" + QString(23, ' '));
  choose("txtStaffVacation", "Zed Young" + QString(21, ' '));  // twice is allowed
  QStringList listed;
  for (int i = 0; i < exclusions()->count(); ++i) listed << exclusions()->item(i)->text();
  EXPECT_EQ(listed, QStringList({"ann Lee" + QString(23, ' '), longName, "Zed Young" + QString(21, ' '),
                                 "Zed Young" + QString(21, ' ')}));

  // A double click removes the entry under it.
  QListWidget* list = exclusions();
  const QRect second = list->visualItemRect(list->item(1));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second.center());
  ASSERT_EQ(list->count(), 3);
  EXPECT_EQ(list->item(1)->text(), "Zed Young" + QString(21, ' '));
  choose("txtStaffVacation", longName);

  fillGoodChoices("Kitchen");
  click("Command3");
  EXPECT_TRUE(boxes.shown().empty());
  EXPECT_EQ(folder.read("EXEMPT.IGH"), padded("ann Lee") + "\r\n" + longName.toLatin1() + "\r\n" +
                                           padded("Zed Young") + "\r\n" + padded("Zed Young") +
                                           "\r\n\r\n");
}

TEST_F(PrintSetupTest, ClearFormEmptiesTheChoicesButKeepsTheLists) {
  prepareFolder();
  open();
  choose("txtfindAreas", "Kitchen");
  fillGoodChoices("Kitchen");
  type("txtFindPosition", "Cook");
  type("txtFindTimes4", "SPECIAL");
  type("txtLabel4", "Special");
  choose("txtStaffVacation", "Ann Lee" + QString(23, ' '));
  click("Command2");
  for (const char* box : {"txtfindAreas", "txtFindPosition", "txtDayorWeek", "txtFindTimes1",
                          "txtFindTimes2", "txtFindTimes3", "txtFindTimes4"})
    EXPECT_EQ(combo(box)->currentText(), "") << box;
  for (const char* box : {"txtLabel1", "txtLabel2", "txtLabel3", "txtLabel4"})
    EXPECT_EQ(edit(box)->text(), "") << box;
  EXPECT_EQ(exclusions()->count(), 0);
  EXPECT_EQ(entries("txtfindAreas").size(), 4);
  EXPECT_EQ(entries("txtStaffVacation").size(), 2);
  EXPECT_EQ(entries("txtFindTimes4").size(), 21);

  // Save Info with no area does nothing at all.
  click("Command4");
  EXPECT_TRUE(boxes.shown().empty());
  EXPECT_EQ(QDir(folder.path()).entryList({"*.IGH"}, QDir::Files).size(), 4);
}

TEST_F(PrintSetupTest, ExitReturnsToTheMainWindowWritingNothingAndHelpShowsTheContents) {
  prepareFolder();
  open();
  fillGoodChoices("Kitchen");
  click("Command5");
  EXPECT_TRUE(help::shownFile().endsWith("EMPLOYEE.HLP", Qt::CaseInsensitive));
  EXPECT_TRUE(boxes.shown().empty());
  if (help::viewer()) help::viewer()->close();

  click("Command1");
  EXPECT_FALSE(window->isVisible());
  Frmemployee1* main = findForm<Frmemployee1>();
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(main->isVisible());
  EXPECT_FALSE(folder.exists("PRINT.IGH"));
  EXPECT_FALSE(folder.exists("EXEMPT.IGH"));
  EXPECT_FALSE(folder.exists("Kitchen.IGH"));
}
