// The plain pieces behind the employee window: day blocks, the day-copy file,
// the choice lists and the table look-ups, without a window.
#include <gtest/gtest.h>

#include "EmployeeWindow.h"
#include "employee/DayBlocks.h"
#include "employee/EmployeeChoices.h"
#include "employee/EmployeeTable.h"
#include "platform/FileOps.h"

using fields::DayField;

namespace {
DayTexts numberedTexts() {
  DayTexts t;
  for (int i = 0; i < DayFieldCount; ++i) t[i] = QString("cell %1").arg(i);
  return t;
}
}  // namespace

TEST(DayBlocks, EveryPairCopiesNineFieldsInBlockOrderAndNothingElse) {
  for (int from = 0; from < fields::DaysInWeek; ++from) {
    for (int to = 0; to < fields::DaysInWeek; ++to) {
      DayTexts t = numberedTexts();
      const DayTexts before = t;
      copyDayBlock(t, from, to);
      for (int day = 0; day < fields::DaysInWeek; ++day)
        for (int k = 0; k < fields::FieldsPerDay; ++k) {
          const int i = dayIndex(day, DayField(k));
          const QString expected = day == to ? before[dayIndex(from, DayField(k))] : before[i];
          ASSERT_EQ(t[i], expected) << "from " << from << " to " << to << " field " << k;
        }
    }
  }
}

TEST(DayBlocks, MainAreaFillsOnlyThirdAreasThatShowNo) {
  DayTexts t;
  t.fill("No");  // every other field shows "No" too and must stay so
  t[dayIndex(0, DayField::Bldg)] = "Patio";
  t[dayIndex(2, DayField::Bldg)] = "";
  t[dayIndex(3, DayField::Bldg)] = "no";  // not the list's "No"
  const QList<int> changed = fillUnsetThirdAreas(t, "Kitchen");
  EXPECT_EQ(changed, (QList<int>{1, 4, 5, 6}));
  EXPECT_EQ(t[dayIndex(0, DayField::Bldg)], "Patio");
  EXPECT_EQ(t[dayIndex(1, DayField::Bldg)], "Kitchen");
  EXPECT_EQ(t[dayIndex(2, DayField::Bldg)], "");
  EXPECT_EQ(t[dayIndex(3, DayField::Bldg)], "no");
  EXPECT_EQ(t[dayIndex(6, DayField::Bldg)], "Kitchen");
  EXPECT_EQ(t[dayIndex(1, DayField::Bldg1)], "No");
  EXPECT_EQ(t[dayIndex(1, DayField::Bldg2)], "No");
}

TEST(DayCopyFile, CarriesTheClickedWeekdayInCapitalsWithCrLf) {
  DataFolder folder;
  ASSERT_TRUE(daycopy::writeTarget(2));
  EXPECT_EQ(folder.read("DAYCOPY.IGH"), QByteArray("WEDNESDAY\r\n"));
  EXPECT_EQ(daycopy::readTarget(), 2);
  ASSERT_TRUE(daycopy::writeTarget(6));
  EXPECT_EQ(folder.read("DAYCOPY.IGH"), QByteArray("SUNDAY\r\n"));

  folder.write("DAYCOPY.IGH", "  friday \n");  // hand-edited: blanks, lower case, LF
  EXPECT_EQ(daycopy::readTarget(), 4);
  folder.write("DAYCOPY.IGH", "Someday\r\n");
  EXPECT_EQ(daycopy::readTarget(), -1);
  folder.write("DAYCOPY.IGH", "");
  EXPECT_EQ(daycopy::readTarget(), -1);
  fileops::remove(folder.file("DAYCOPY.IGH"));
  EXPECT_EQ(daycopy::readTarget(), -1);
}

TEST(DayCopyFile, AFailedWriteKeepsTheOldFileAndSaysWhy) {
  DataFolder folder;
  ASSERT_TRUE(daycopy::writeTarget(0));
  fileops::setFaultInjector([](FileStep, const QString&) { return true; });
  QString error;
  EXPECT_FALSE(daycopy::writeTarget(3, &error));
  fileops::setFaultInjector({});
  EXPECT_FALSE(error.isEmpty());
  EXPECT_EQ(folder.read("DAYCOPY.IGH"), QByteArray("MONDAY\r\n"));
}

TEST(EmployeeChoices, AreaListsSkipEmptyAndKeepFileOrder) {
  DataFolder folder;
  folder.installAll();
  folder.write("AREAS.IGH", "Kitchen\r\nRestaurant Bar\r\n Empty \r\nPatio\r\n");
  folder.write("POSITION.IGH", "Cook\r\nEMPTY\r\n\"Waiter, head\"\r\n");
  const EmployeeChoices c = readEmployeeChoices();
  EXPECT_TRUE(c.allRead);
  EXPECT_EQ(c.mainAreas, (QStringList{"No", "Special", "Kitchen", "Restaurant Bar", "Patio"}));
  EXPECT_EQ(c.dayAreas, (QStringList{"No", "Kitchen", "Restaurant Bar", "Patio"}));
  EXPECT_EQ(c.positions, (QStringList{"Cook", "Waiter, head"}));
  EXPECT_EQ(c.dayChoices, (QStringList{"YES", "NO"}));
  EXPECT_EQ(c.times.size(), 48);
  EXPECT_EQ(c.times.first(), "12A.M.");
}

TEST(EmployeeChoices, AMissingFileIsNotedAndGivesNoEntries) {
  DataFolder folder;
  folder.installAll();
  folder.write("AREAS.IGH", "Kitchen\r\n");  // POSITION.IGH missing
  EmployeeChoices c = readEmployeeChoices();
  EXPECT_FALSE(c.allRead);
  EXPECT_TRUE(c.positions.isEmpty());
  EXPECT_EQ(c.mainAreas, (QStringList{"No", "Special", "Kitchen"}));

  folder.write("POSITION.IGH", "Cook\r\n");
  fileops::remove(folder.file("TIMES.IGH"));
  c = readEmployeeChoices();
  EXPECT_FALSE(c.allRead);
  EXPECT_TRUE(c.times.isEmpty());
  EXPECT_EQ(c.dayChoices, (QStringList{"YES", "NO"}));
}

class EmployeeTableTest : public ::testing::Test {
 protected:
  EmployeeTableTest() { folder.install("employee.mdb"); }
  void openTable() { records.open("employee.mdb", "Employees"); }
  DataFolder folder;
  RecordSet records;
};

TEST_F(EmployeeTableTest, NamesAreTrimmedInTableOrderAndSortWithoutRegardToCase) {
  storeEmployees({employeeRow(1, "  Stone, bob "), employeeRow(2, "Lee, Ann"),
                  employeeRow(3, "adams, Zoe"), employeeRow(4, "Lee, Ann")});
  openTable();
  records.moveTo(2);
  QList<int> progress;
  const QStringList names = employees::names(records, [&](int n) { progress << n; });
  EXPECT_EQ(names, (QStringList{"Stone, bob", "Lee, Ann", "adams, Zoe", "Lee, Ann"}));
  EXPECT_EQ(progress, (QList<int>{1, 2, 3, 4}));
  EXPECT_EQ(records.AbsolutePosition(), 2);  // the record on screen stays current
  EXPECT_EQ(employees::sortedForList(names),
            (QStringList{"adams, Zoe", "Lee, Ann", "Lee, Ann", "Stone, bob"}));
}

TEST_F(EmployeeTableTest, FindsNamesByValueTheFirstOfEqualNamesAndTrimmedEntries) {
  storeEmployees({employeeRow(1, "O'Brien, Pat"), employeeRow(2, "Quote \"Q\", Al"),
                  employeeRow(3, "Müller, Jörg"), employeeRow(4, " Padded "),
                  employeeRow(5, "O'Brien, Pat")});
  openTable();
  ASSERT_TRUE(employees::find(records, "O'Brien, Pat"));
  EXPECT_EQ(records.Field("Number").toInt(), 1);
  ASSERT_TRUE(employees::find(records, "Quote \"Q\", Al"));
  EXPECT_EQ(records.Field("Number").toInt(), 2);
  ASSERT_TRUE(employees::find(records, "Müller, Jörg"));
  EXPECT_EQ(records.Field("Number").toInt(), 3);
  ASSERT_TRUE(employees::find(records, "Padded"));  // as the trimmed list shows it
  EXPECT_EQ(records.Field("Number").toInt(), 4);
  EXPECT_FALSE(employees::find(records, "' OR '1'='1"));
  EXPECT_EQ(records.AbsolutePosition(), 0);
}

TEST_F(EmployeeTableTest, DayTextsReadBlockByBlockWithUnwrittenFieldsEmpty) {
  QVariantMap row = employeeRow(1, "A");
  row["monday"] = "YES";
  row["MonBldg"] = "Patio";
  row["sunstop"] = "";
  row["SunBldg"] = "Kitchen";
  storeEmployees({row});
  openTable();
  records.MoveFirst();
  const DayTexts t = employees::dayTexts(records);
  EXPECT_EQ(t[dayIndex(0, DayField::Flag)], "YES");
  EXPECT_EQ(t[dayIndex(0, DayField::Bldg)], "Patio");
  EXPECT_EQ(t[dayIndex(6, DayField::Stop)], "");
  EXPECT_EQ(t[dayIndex(6, DayField::Bldg)], "Kitchen");
  EXPECT_EQ(t[dayIndex(3, DayField::Start)], "");
}
