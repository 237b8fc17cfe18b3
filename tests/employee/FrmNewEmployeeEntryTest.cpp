// What a new manager meets entering the first employees: the record number
// box, the prompts a new record shows, the week grid's drop-down lists and
// the order of the search and copy lists.
#include <QAbstractItemView>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <functional>

#include "EmployeeWindow.h"
#include "employee/EmployeeTable.h"

class EmployeeEntryTest : public EmployeeWindowTest {
 protected:
  void moveNext() { QTest::mouseClick(find<QToolButton>("MoveNext"), Qt::LeftButton); }
};

TEST_F(EmployeeEntryTest, RecNumberShowsTheRecordsNumberAndTypingNeverWritesOne) {
  storeEmployees({employeeRow(1, "Stone, Bob"), employeeRow(2, "Adams, Zoe"),
                  employeeRow(3, "Young, Cy")});
  open();
  moveNext();
  ASSERT_EQ(text("Text1"), "2");
  type("Text1", "1");  // as if to jump to the first record
  moveNext();
  EXPECT_EQ(storedColumn("Number"), (QStringList{"1", "2", "3"}));
  EXPECT_EQ(text("Text1"), "3");
  EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(EmployeeEntryTest, APromptLeftInABoxIsRefusedNamingTheBoxAndNeverStored) {
  struct Case {
    const char* what;
    std::function<void()> fill;
    const char* button;
    const char* box;  // as its label names it
  };
  const Case cases[] = {
      {"only the name typed", [this] { type("txtFullName", "Lee, Ann"); }, "CmdSaveData",
       "Position"},
      {"name and position",
       [this] {
         type("txtFullName", "Lee, Ann");
         choose("txtPosition", "Cook");
       },
       "CmdSaveData", "Bldg/Dept"},
      {"position and area, the name left",
       [this] {
         choose("txtPosition", "Cook");
         choose("txtArea", "Kitchen");
       },
       "CmdSaveData", "Employee"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    open();
    boxes.clear();
    click("CmdAddRecord");
    boxes.clear();
    c.fill();
    click(c.button);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].title, "Opps!");
    EXPECT_EQ(boxes.shown()[0].code, 48);
    EXPECT_TRUE(boxes.shown()[0].text.contains(QString("\"%1\"").arg(c.box)))
        << boxes.shown()[0].text.toStdString();
  }
  for (const QString& prompt : {"Enter last name First", "Job discription", "Add at least one"})
    for (const QString& field : {"Fullname", "position", "area"})
      EXPECT_FALSE(storedColumn(field).contains(prompt)) << field.toStdString();

  // Update refuses a prompt typed back into a stored employee.
  storeEmployees({employeeRow(1, "Stone, Bob")});
  open();
  ASSERT_EQ(text("txtFullName"), "Stone, Bob");
  boxes.clear();
  type("txtPosition", "Job discription");
  click("CmdUpdate");
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].title, "Opps!");
  EXPECT_TRUE(boxes.shown()[0].text.contains("\"Position\""));
  EXPECT_FALSE(storedColumn("position").contains("Job discription"));
}

TEST_F(EmployeeEntryTest, LeavingANewEmployeeKeepsWhatWasTypedButNoPrompt) {
  open();
  click("CmdAddRecord");
  type("txtFullName", "Lee, Ann");
  click("CmdCancel");  // e&Xit writes the record on screen
  ASSERT_EQ(storedColumn("Fullname"), QStringList{"Lee, Ann"});
  EXPECT_EQ(storedColumn("position"), QStringList{""});
  EXPECT_EQ(storedColumn("area"), QStringList{""});
}

TEST_F(EmployeeEntryTest, GridListsOpenAsWideAsTheirLongestEntryAndAnEmptyBoxAtTheTop) {
  open();
  for (const char* name : {"txtmonstart", "txtSunSplitStop", "txtWedBldg2", "txtArea"}) {
    SCOPED_TRACE(name);
    QComboBox* list = combo(name);
    ASSERT_NE(list, nullptr);
    ASSERT_GT(list->count(), 2);
    // The entry picked before stays the list's current one when the box is emptied.
    choose(name, list->itemText(list->count() - 2));
    setShown(name, "");
    expectEmptyListOpensWideAtTheTop(list);
    // A box that shows an entry opens on it.
    setShown(name, list->itemText(1));
    list->showPopup();
    EXPECT_EQ(list->view()->currentIndex().row(), 1);
    list->hidePopup();
  }
}

TEST_F(EmployeeEntryTest, SearchAndCopyListsSortInTheUsersLanguageWithoutRegardToCase) {
  const EnglishLocale english;
  const QStringList stored{"Smith, Ann", "Łukasz, Jan", "adams, Zoe", "Émile, Roy",
                           "王, 小明",   "Lewis, Bo",   "zoë, Kim"};
  const QStringList sorted{"adams, Zoe", "Émile, Roy", "Lewis, Bo", "Łukasz, Jan",
                           "Smith, Ann", "zoë, Kim",   "王, 小明"};
  EXPECT_EQ(employees::sortedForList(stored), sorted);
  QList<QVariantMap> rows;
  for (int i = 0; i < stored.size(); ++i) rows << employeeRow(i + 1, stored[i]);
  storeEmployees(rows);
  open();
  click("CmdSearch");
  EXPECT_EQ(entries("txtFind"), sorted);
  EXPECT_EQ(entries("Choose"), sorted);
}
