// The print setup's four times: a time after a cleared one keeps its own
// label on the way to the printing; and the lists open wide enough to read
// every entry.
#include <QAbstractItemView>
#include <QScrollBar>

#include "PrintSetupWindow.h"
#include "print/AreaSettings.h"

TEST_F(PrintSetupTest, TheTimeAfterAClearedOneReachesThePrintingWithItsOwnLabel) {
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
  click("Command3");  // Ok: what the printing reads
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
    choose(name, list->itemText(list->count() - 1));
    type(name, "");
    expectEmptyListOpensWideAtTheTop(list);
  }
}
