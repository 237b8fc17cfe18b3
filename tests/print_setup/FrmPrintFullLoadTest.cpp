// The print setup window as it opens: every designed control, the lists
// loaded from their files and the table, and the load check.
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>

#include "app/Frmemployee1.h"
#include "data/DataControl.h"
#include "platform/Forms.h"
#include "platform/Geometry.h"
#include "platform/Help.h"
#include "platform/Pointer.h"
#include "platform/StatusBar.h"
#include "PrintSetupWindow.h"

namespace {
struct Designed {
  const char* name;
  const char* kind;
  const char* caption;  // nullptr: no caption
  int left, top, width, height;
};

const Designed kCatalogue[] = {
    {"Label1", "QLabel", "Employees Rotawise!   Print Schedule Setup Screen", 0, 0, 9615, 375},
    {"Data1", "DataControl", nullptr, 0, 480, 1695, 300},
    {"Label2", "QLabel", "Choose Area    ->", 0, 840, 1575, 255},
    {"txtfindAreas", "QComboBox", nullptr, 1680, 840, 2535, 315},
    {"Label3", "QLabel", "Choose           -> Position to mark as special on printed schedule.", 0,
     1440, 1575, 855},
    {"txtFindPosition", "QComboBox", nullptr, 1680, 1440, 2535, 315},
    {"Label9", "QLabel",
     "<--You may leave this field blank if you choose not to mark any particular postion on this "
     "schedule with an asterisk. (*)",
     4320, 1440, 2295, 1095},
    {"txtFindtime", "QLabel", "Choose Times  -> Up to four per schedule.", 0, 2640, 1575, 735},
    {"txtFindTimes1", "QComboBox", nullptr, 1680, 2640, 2535, 315},
    {"txtFindTimes2", "QComboBox", nullptr, 1680, 3120, 2535, 315},
    {"txtFindTimes3", "QComboBox", nullptr, 1680, 3600, 2535, 315},
    {"txtFindTimes4", "QComboBox", nullptr, 1680, 4080, 2535, 315},
    {"txtLabel1", "QLineEdit", nullptr, 4320, 2640, 1215, 375},
    {"txtLabel2", "QLineEdit", nullptr, 4320, 3120, 1215, 375},
    {"txtLabel3", "QLineEdit", nullptr, 4320, 3600, 1215, 375},
    {"txtLabel4", "QLineEdit", nullptr, 4320, 4080, 1215, 375},
    {"Label4", "QLabel", "^-Label your time choices as you would like to see them on the schedule.",
     4320, 4560, 2415, 735},
    {"Label5", "QLabel", "Print daily        -> or weekly schedule.", 0, 5400, 1575, 735},
    {"txtDayorWeek", "QComboBox", nullptr, 1680, 5400, 1575, 315},
    {"Label6", "QLabel", "         Staff Exclusions", 6840, 480, 2535, 255},
    {"txtStaffVacation", "QComboBox", nullptr, 6840, 840, 2655, 315},
    {"Label7a", "QLabel", "These staff will be excluded from this printing.", 6840, 1200, 2655, 495},
    {"txtStaffVacationList", "QListWidget", nullptr, 6840, 1680, 2655, 2790},
    {"Label8", "QLabel", "^--Double Click to remove name from list.", 6840, 4560, 2655, 735},
    {"Command3", "QPushButton", "&Ok I'm ready to &Print", 3840, 5760, 2175, 375},
    {"Command2", "QPushButton", "Clear &Form", 6360, 5520, 1335, 375},
    {"Command4", "QPushButton", "&Save Info", 6360, 6000, 1335, 375},
    {"Command1", "QPushButton", "&Exit", 8040, 5520, 1215, 375},
    {"Command5", "QPushButton", "&Help", 8040, 6000, 1215, 375},
};

QString captionOf(QWidget* w) {
  if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
  if (auto* b = qobject_cast<QPushButton*>(w)) return b->text();
  return {};
}

void sendMouseMove(QWidget* w) {
  const QPointF at(5, 5);
  QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(w, &move);
}
}  // namespace

TEST_F(PrintSetupTest, EveryDesignedControlIsThereWithItsKindCaptionAndPlace) {
  prepareFolder();
  open();
  EXPECT_EQ(window->windowTitle(), "Schedule Printing Setup");
  EXPECT_EQ(help::helpContext(window), 1000);
  EXPECT_FALSE(window->windowFlags() & Qt::WindowCloseButtonHint);  // no control box
  EXPECT_EQ(window->minimumSize(), window->maximumSize());          // fixed border
  for (const Designed& d : kCatalogue) {
    SCOPED_TRACE(d.name);
    auto* w = window->findChild<QWidget*>(d.name);
    ASSERT_NE(w, nullptr);
    EXPECT_STREQ(w->metaObject()->className(), d.kind);
    if (d.caption) EXPECT_EQ(captionOf(w), d.caption);
    EXPECT_EQ(w->geometry(), twipsRect(d.left, d.top, d.width, d.height));
    EXPECT_TRUE(w->isVisible());
  }
  auto* bar = window->findChild<StatusBar*>("StatusBar1");
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->geometry().bottom(), window->height() - 1);  // docked at the bottom
  EXPECT_NE(window->findChild<QObject*>("CommonDialog1"), nullptr);
  EXPECT_EQ(window->findChild<DataControl*>("Data1")->Connect, "Access");
}

TEST_F(PrintSetupTest, ColoursAndFontsFollowTheDesign) {
  prepareFolder();
  open();
  auto colours = [&](const char* name, QPalette::ColorRole back, QColor b, QPalette::ColorRole fore,
                     QColor f) {
    SCOPED_TRACE(name);
    QWidget* w = window->findChild<QWidget*>(name);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->palette().color(back), b);
    EXPECT_EQ(w->palette().color(fore), f);
    EXPECT_TRUE(w->font().bold());
  };
  const QColor blue(0, 0, 255), cyan(0, 255, 255), green(0, 255, 0), white(255, 255, 255);
  colours("Label2", QPalette::Window, blue, QPalette::WindowText, white);
  colours("Label8", QPalette::Window, blue, QPalette::WindowText, white);
  colours("Label1", QPalette::Window, green, QPalette::WindowText, Qt::black);
  colours("txtFindTimes3", QPalette::Base, blue, QPalette::Text, cyan);
  colours("txtStaffVacation", QPalette::Base, blue, QPalette::Text, cyan);
  colours("txtLabel2", QPalette::Base, blue, QPalette::Text, green);
  colours("txtStaffVacationList", QPalette::Base, QColor(0, 0, 64), QPalette::Text, green);
  EXPECT_EQ(find<QLabel>("Label1")->font().family(), mapFontFamily("Arial"));
  EXPECT_DOUBLE_EQ(find<QLabel>("Label1")->font().pointSizeF(), 9.0);
  EXPECT_DOUBLE_EQ(find<QPushButton>("Command3")->font().pointSizeF(), 8.25);
  // Each group opens its own help topic.
  EXPECT_EQ(help::helpContext(combo("txtfindAreas")), 1001);
  EXPECT_EQ(help::helpContext(combo("txtFindTimes4")), 1003);
  EXPECT_EQ(help::helpContext(find<QPushButton>("Command4")), 1009);
  EXPECT_EQ(help::helpContext(find<QPushButton>("Command5")), 1010);
}

TEST_F(PrintSetupTest, LoadFillsEveryListFromItsFileAndLeavesTheBoxesEmpty) {
  prepareFolder({"Kitchen", "EMPTY", " empty ", "Bar, Grill", "Patio"});
  folder.write("AREATIME.IGH", "7A.M. - 3P.M.\r\nEmpty\r\nSPECIAL\r\n");
  open();
  EXPECT_EQ(window->LoadErrorFlag, 0);
  // "All_Areas" first; "Empty" in any case is a free slot; the list-input
  // reading splits at a comma as it always has.
  EXPECT_EQ(entries("txtfindAreas"), QStringList({"All_Areas", "Kitchen", "Bar", "Grill", "Patio"}));
  EXPECT_EQ(entries("txtFindPosition"), QStringList({"Cook", "Waiter"}));
  for (const char* box : {"txtFindTimes1", "txtFindTimes2", "txtFindTimes3", "txtFindTimes4"})
    EXPECT_EQ(entries(box), QStringList({"7A.M. - 3P.M.", "SPECIAL"})) << box;
  EXPECT_EQ(entries("txtDayorWeek"),
            QStringList({"Weekly", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday",
                         "Saturday", "Sunday"}));
  for (QComboBox* box : window->findChildren<QComboBox*>()) {
    EXPECT_TRUE(box->isEditable()) << box->objectName().toStdString();
    EXPECT_EQ(box->currentText(), "") << box->objectName().toStdString();
  }
  EXPECT_EQ(exclusions()->count(), 0);
  EXPECT_EQ(mousePointer(window), pointer::Default);
  EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(PrintSetupTest, StaffNamesArePaddedToThirtyCharactersAndSorted) {
  const QString longName = "Maximiliana Alexandra Featherstonehaugh";
  prepareFolder({"Kitchen"}, {"Zed Young", "ann Lee", longName, "Bob O'Neil, Jr."});
  open();
  ASSERT_EQ(window->LoadErrorFlag, 0);
  EXPECT_EQ(entries("txtStaffVacation"),
            QStringList({"ann Lee" + QString(23, ' '), "Bob O'Neil, Jr." + QString(15, ' '),
                         longName, "Zed Young" + QString(21, ' ')}));
}

TEST_F(PrintSetupTest, AMissingListOrDatabaseSendsTheUserBackOnTheFirstKeyOrMouseMove) {
  const QString message =
      "You have not set up either your Job Discriptions or Bld/Dept areas.  These screens must be "
      "completed first before you can setup to print a schedule.  Please see help section "
      "'Getting Started' for more information.";
  struct Case {
    const char* missing;
    bool key;
  };
  for (const Case& c : {Case{"POSITION.IGH", true}, Case{"AREAS.IGH", false},
                        Case{"WEEKDAYS.IGH", true}, Case{"employee.mdb", false}}) {
    SCOPED_TRACE(c.missing);
    prepareFolder();
    QFile::remove(folder.file(c.missing));
    open();
    EXPECT_EQ(window->LoadErrorFlag, 1);
    EXPECT_TRUE(boxes.shown().empty());  // nothing is said until the user acts
    // The lists that could be read are still filled.
    if (QString(c.missing) != "AREAS.IGH") EXPECT_EQ(entries("txtfindAreas").size(), 4);
    if (c.key) QTest::keyClick(edit("txtLabel1"), Qt::Key_A);
    else sendMouseMove(window);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, message);
    EXPECT_EQ(boxes.shown()[0].title, "Opps!");
    EXPECT_EQ(boxes.shown()[0].code, 48);
    EXPECT_FALSE(window->isVisible());
    Frmemployee1* main = findForm<Frmemployee1>();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(main->isVisible());
    // Further moves on the way out ask nothing more.
    sendMouseMove(window);
    EXPECT_EQ(boxes.shown().size(), 1u);
    boxes.clear();
    deleteAllWindows();
  }
}

TEST_F(PrintSetupTest, AfterAGoodLoadAKeyOrMouseMoveOnlyPutsThePointerBack) {
  prepareFolder();
  open();
  ASSERT_EQ(window->LoadErrorFlag, 0);
  // The main menu sets the hourglass once the window shows.
  setMousePointer(window, pointer::Hourglass);
  sendMouseMove(find<QLabel>("Label9"));
  EXPECT_EQ(mousePointer(window), pointer::Default);
  setMousePointer(window, pointer::Hourglass);
  QTest::keyClick(combo("txtDayorWeek"), Qt::Key_M);
  EXPECT_EQ(mousePointer(window), pointer::Default);
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(PrintSetupTest, TheMainMenuOpensItOnceWithTheHourglassUntilTheUserMoves) {
  prepareFolder();
  Frmemployee1 main;
  main.MnuFull_Click();
  auto* setup = findForm<FrmPrintFull>();
  ASSERT_NE(setup, nullptr);
  EXPECT_EQ(mousePointer(setup), pointer::Hourglass);
  sendMouseMove(setup);
  EXPECT_EQ(mousePointer(setup), pointer::Default);
  main.MnuFull_Click();  // already open: brought forward, not opened twice
  int open = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (qobject_cast<FrmPrintFull*>(w)) ++open;
  EXPECT_EQ(open, 1);
}
