// The print setup's four times: each keeps its own label through Save Info
// and the next choice of the area, a gap included; and its lists open wide
// enough to read every entry.
#include <QAbstractItemView>
#include <QScrollBar>

#include "PrintSetupWindow.h"
#include "print/AreaSettings.h"

TEST_F(PrintSetupTest, AnEmptySlotBetweenTimesStaysEmptyAndEachTimeKeepsItsLabel) {
  prepareFolder();
  open();
  choose("txtfindAreas", "Kitchen");
  fillGoodChoices("Kitchen");
  choose("txtFindTimes2", "3P.M. - 11P.M.");
  type("txtLabel2", "Evening");
  choose("txtFindTimes3", "11P.M. - 7A.M.");
  type("txtLabel3", "Night");
  click("Command4");  // Save Info
  type("txtFindTimes2", "");  // the manager drops the evening
  type("txtLabel2", "");
  click("Command4");
  choose("txtfindAreas", "Kitchen");  // the saved choices come back
  EXPECT_EQ(combo("txtFindTimes1")->currentText(), "7A.M. - 3P.M.");
  EXPECT_EQ(combo("txtFindTimes2")->currentText(), "");
  EXPECT_EQ(edit("txtLabel2")->text(), "");
  EXPECT_EQ(combo("txtFindTimes3")->currentText(), "11P.M. - 7A.M.");
  EXPECT_EQ(edit("txtLabel3")->text(), "Night");
  EXPECT_EQ(combo("txtFindTimes4")->currentText(), "");

  // What the printing reads from the Ok button's file: Night on block 3.
  click("Command3");
  bool ok = false;
  const AreaSettings printed = readAreaSettings(areaSettingsFileName("Kitchen"), &ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ(printed.times[1], "");
  EXPECT_EQ(printed.labels[1], "");
  EXPECT_EQ(printed.times[2], "11P.M. - 7A.M.");
  EXPECT_EQ(printed.labels[2], "Night");
  for (const ShownBox& b : boxes.shown()) EXPECT_NE(b.title, "Opps!") << b.text.toStdString();
}

TEST_F(PrintSetupTest, ItsListsOpenAsWideAsTheirLongestEntryAndAnEmptyBoxAtTheTop) {
  prepareFolder({"Kitchen", "Restaurant Bar and Grill on the Terrace"});
  open();
  for (const char* name : {"txtfindAreas", "txtFindTimes1", "txtFindTimes4", "txtDayorWeek"}) {
    SCOPED_TRACE(name);
    QComboBox* list = combo(name);
    ASSERT_GT(list->count(), 2);
    const int designed = list->width();
    choose(name, list->itemText(list->count() - 1));
    type(name, "");
    list->showPopup();
    QAbstractItemView* view = list->view();
    const QFontMetrics metrics(view->font());
    int widest = 0;
    for (int i = 0; i < list->count(); ++i)
      widest = std::max(widest, metrics.horizontalAdvance(list->itemText(i)));
    EXPECT_GE(view->viewport()->width(), widest + 8);
    EXPECT_FALSE(view->currentIndex().isValid());
    EXPECT_EQ(view->verticalScrollBar()->value(), 0);
    list->hidePopup();
    EXPECT_EQ(list->width(), designed);
  }
}
