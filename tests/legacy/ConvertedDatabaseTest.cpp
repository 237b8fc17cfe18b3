// After a conversion the rest of the program works on the new file as on any
// employee.mdb: the record set browses it, the employee window shows it and
// the roster lists it. After Cancel the old file cannot be opened.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QSet>

#include "app/Frmemployee1.h"
#include "data/DataControl.h"
#include "data/RecordSet.h"
#include "db/LegacyImport.h"
#include "employee/FrmNewEmployee.h"
#include "legacy/LegacyFiles.h"
#include "platform/CommonDialog.h"
#include "platform/MessageBox.h"
#include "platform/Printer.h"
#include "support/TestSupport.h"

namespace {
class ConvertedDatabase : public ::testing::Test {
 protected:
  ConvertedDatabase() {
    folder.installAll();
    folder.write("employee.mdb", fileBytes(legacyFixture("employee-jet4.mdb")));
  }
  ~ConvertedDatabase() override { deleteAllWindows(); }
  void convert() {
    ASSERT_EQ(legacy::convertOldEmployeeDatabase(), legacy::Outcome::Converted);
    boxes.clear();
  }
  QStringList exportedNames() {
    const QList<QStringList> rows = mdbExport(legacyFixture("employee-jet4.mdb"), "Employees");
    QStringList names;
    const int at = rows.isEmpty() ? -1 : rows[0].indexOf("Fullname");
    for (int r = 1; r < rows.size(); ++r) names << rows[r][at];
    return names;
  }
  DataFolder folder;
  MessageBoxQueue boxes;
};
}  // namespace

TEST_F(ConvertedDatabase, TheRecordSetBrowsesTheEmployeesInTableOrder) {
  convert();
  RecordSet employees;
  employees.open("Employee.MDB", "employees");  // as the windows name them
  EXPECT_EQ(employees.RecordCount(), 8);
  QStringList names;
  QSet<QString> keys;
  for (employees.MoveFirst(); !employees.isEOF(); employees.MoveNext()) {
    names << employees.text("FullName");
    EXPECT_EQ(employees.Field("Number").toInt(), names.size());
    keys.insert(employees.text("EmployeeKey"));
  }
  EXPECT_EQ(names, exportedNames());
  EXPECT_EQ(keys.size(), 8) << "every employee brought along has a key of their own";
  EXPECT_FALSE(keys.contains(""));

  employees.MoveFirst();
  ASSERT_TRUE(employees.FindFirst("Fullname", "O'Brien, Pat"));
  EXPECT_EQ(employees.text("area"), "Bar");
  EXPECT_EQ(employees.text("Area2"), "Kitchen");
  ASSERT_TRUE(employees.FindFirst("Fullname", "Evans, Ed"));
  EXPECT_EQ(employees.text("MonBldg1"), "");
  employees.MoveLast();
  EXPECT_EQ(employees.text("Monbldg"), "Office");  // a field named in other letter case
}

TEST_F(ConvertedDatabase, TheEmployeeWindowShowsThemAndTheRosterListsThem) {
  convert();
  {
    FrmNewEmployee window;
    auto* name = window.findChild<QLineEdit*>("txtFullName");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(), "Adams, Al");
    window.data1()->MoveNext();
    EXPECT_EQ(name->text(), "O'Brien, Pat");
    window.data1()->MoveNext();
    window.data1()->MoveNext();
    EXPECT_EQ(name->text(), QString::fromUtf8("Nguyễn, Văn An"));
    window.data1()->MoveLast();
    EXPECT_EQ(name->text(), "Fox, Fay");
  }
  boxes.clear();

  folder.write("AREAS.IGH", "Kitchen\r\nBar\r\nOffice\r\n");
  auto target = std::make_shared<RecordingTarget>();
  {
    Frmemployee1 main;
    auto choice = PrinterChoice::recording(target);
    main.roster_Click();
  }
  QStringList printed;
  for (const auto& e : target->entries()) printed << e.text.text;
  for (const char* who : {"Adams, Al", "O'Brien, Pat", "Müller, Jürgen", "Nguyễn, Văn An",
                          "Cole, Cy", "Dunn, Di", "Fox, Fay"})
    EXPECT_TRUE(printed.contains(QString::fromUtf8(who))) << who;
  EXPECT_FALSE(printed.contains("Evans, Ed")) << "his area holds nothing";
  EXPECT_TRUE(printed.contains("ToTal Staff count for these areas ( 7)"));
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].title, "Ok!");
}

TEST_F(ConvertedDatabase, AfterCancelTheOldFileCannotBeOpened) {
  boxes.answer(msg::Cancel);
  ASSERT_EQ(legacy::convertOldEmployeeDatabase(), legacy::Outcome::Cancelled);
  RecordSet employees;
  EXPECT_THROW(employees.open("employee.mdb", "Employees"), DbError);
  EXPECT_FALSE(employees.isOpen());
}
