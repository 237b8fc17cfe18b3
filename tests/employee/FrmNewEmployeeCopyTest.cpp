// The day copy (weekday headings, "Choose day?") and the employee copy
// ("&Copy Employee's data", "Choose Employee") through the window.
#include <QGroupBox>
#include <QRadioButton>

#include "EmployeeWindow.h"
#include "data/DataControl.h"
#include "platform/FileOps.h"
#include "platform/Pointer.h"

using fields::DayField;

namespace {
// Texts for one day block, not all of them list entries.
QStringList blockTexts(const QString& tag) {
  return {"YES", "8A.M.", "4P.M.", "Kitchen", tag + " split", "odd, \"text\"", "Patio", "NO", tag};
}
}  // namespace

class DayCopyTest : public EmployeeWindowTest {
 protected:
  void SetUp() override {
    storeEmployees({employeeRow(1, "Lee, Ann")});
    open();
    for (int day = 0; day < 7; ++day) {
      const QStringList texts = blockTexts(fields::weekdays[day].prefix);
      for (int k = 0; k < 9; ++k) window->dayCell(day, DayField(k))->setEditText(texts[k]);
    }
  }
  QStringList shownBlock(int day) const {
    QStringList out;
    for (int k = 0; k < 9; ++k) out << window->dayCell(day, DayField(k))->currentText();
    return out;
  }
  QGroupBox* frame() const { return find<QGroupBox>("Frame1"); }
  void select(int option) const { find<QRadioButton>(QString("Option%1").arg(option))->click(); }
};

TEST_F(DayCopyTest, WednesdayTakesMondaysNineFieldsAndMondayStays) {
  clickLabel("Label9");
  EXPECT_EQ(folder.read("DAYCOPY.IGH"), QByteArray("WEDNESDAY\r\n"));
  EXPECT_TRUE(frame()->isVisible());
  select(1);
  click("Ok");
  EXPECT_FALSE(frame()->isVisible());
  EXPECT_EQ(shownBlock(2), blockTexts("Mon"));
  EXPECT_EQ(shownBlock(0), blockTexts("Mon"));
  for (int day : {1, 3, 4, 5, 6})
    EXPECT_EQ(shownBlock(day), blockTexts(fields::weekdays[day].prefix));
  EXPECT_TRUE(boxes.shown().empty());

  click("CmdUpdate");  // written as any edit is
  const QVariantMap row = storedEmployees().first();
  EXPECT_EQ(row.value("wedstart").toString(), "8A.M.");
  EXPECT_EQ(row.value("WedSplitStop").toString(), "odd, \"text\"");
  EXPECT_EQ(row.value("WedBldg").toString(), "Mon");
  EXPECT_EQ(row.value("ThuBldg").toString(), "Thu");
}

TEST_F(DayCopyTest, QuitLeavesEverythingAndTheFileNamesFriday) {
  select(1);
  clickLabel("Label11");
  click("Quiter");
  EXPECT_FALSE(frame()->isVisible());
  EXPECT_EQ(folder.read("DAYCOPY.IGH"), QByteArray("FRIDAY\r\n"));
  for (int day = 0; day < 7; ++day)
    EXPECT_EQ(shownBlock(day), blockTexts(fields::weekdays[day].prefix));
}

TEST_F(DayCopyTest, TheLastHeadingClickedIsTheTargetAndTheChoiceRemains) {
  clickLabel("Label8");
  clickLabel("Label12");
  select(7);
  click("Ok");
  EXPECT_EQ(shownBlock(5), blockTexts("Sun"));
  EXPECT_EQ(shownBlock(1), blockTexts("Tue"));

  clickLabel("Label4");  // Sunday is still chosen as the source
  EXPECT_TRUE(find<QRadioButton>("Option7")->isChecked());
  click("Ok");
  EXPECT_EQ(shownBlock(0), blockTexts("Sun"));
}

TEST_F(DayCopyTest, NoSourceOrNoWeekdayInTheFileCopiesNothing) {
  clickLabel("Label10");
  click("Ok");  // no option chosen yet
  EXPECT_FALSE(frame()->isVisible());
  EXPECT_EQ(shownBlock(3), blockTexts("Thu"));

  clickLabel("Label10");
  select(2);
  folder.write("DAYCOPY.IGH", "Caturday\r\n");
  click("Ok");
  EXPECT_FALSE(frame()->isVisible());
  for (int day = 0; day < 7; ++day)
    EXPECT_EQ(shownBlock(day), blockTexts(fields::weekdays[day].prefix));
  EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(DayCopyTest, AHeadingClickThatCannotWriteTheFileSaysSoAndCopiesNothing) {
  clickLabel("Label4");  // DAYCOPY.IGH names Monday now
  click("Quiter");
  fileops::setFaultInjector([](FileStep, const QString&) { return true; });
  clickLabel("Label13");
  fileops::setFaultInjector({});
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].title, "Opps!");
  EXPECT_TRUE(boxes.shown()[0].text.contains("DAYCOPY.IGH"));
  EXPECT_FALSE(frame()->isVisible());
  EXPECT_EQ(folder.read("DAYCOPY.IGH"), QByteArray("MONDAY\r\n"));
}

class EmployeeCopyTest : public EmployeeWindowTest {
 protected:
  void SetUp() override {
    QVariantMap source = employeeRow(1, "O'Brien, Pat");
    source["position"] = "Waiter";
    source["area"] = "Patio";
    source["Area2"] = "Kitchen";
    const QStringList dayFields = fields::allDayFields();
    for (int i = 0; i < dayFields.size(); ++i) source[dayFields[i]] = QString("from Pat %1").arg(i);
    source.remove("sunday");  // never written: shows, and copies, as empty
    QVariantMap target = employeeRow(2, "Lee, Ann");
    target["MonBldg"] = "Kitchen";
    storeEmployees({source, target, employeeRow(3, "Stone, Bob")});
    open();
    goTo("Lee, Ann");
  }
  void goTo(const QString& name) {
    window->data1()->MoveFirst();
    for (int i = 0; i < 10 && text("txtFullName") != name; ++i) window->data1()->MoveNext();
    ASSERT_EQ(text("txtFullName"), name);
  }
  QStringList shownDays() const {
    QStringList out;
    for (int day = 0; day < 7; ++day)
      for (int k = 0; k < 9; ++k) out << window->dayCell(day, DayField(k))->currentText();
    return out;
  }
  static QStringList patsDays() {
    QStringList out;
    for (int i = 0; i < 63; ++i) out << (i == 54 ? QString() : QString("from Pat %1").arg(i));
    return out;
  }
  static QStringList storedDays(const QString& name) {
    for (const QVariantMap& row : storedEmployees())
      if (row.value("Fullname") == name) {
        QStringList out;
        for (const QString& f : fields::allDayFields()) out << row.value(f).toString();
        return out;
      }
    ADD_FAILURE() << "no " << name.toStdString();
    return {};
  }
  QGroupBox* frame() const { return find<QGroupBox>("Frame2"); }
};

TEST_F(EmployeeCopyTest, CopiesTheSixtyThreeDayFieldsButNeverNamePositionOrAreas) {
  click("CmdCopy");
  EXPECT_TRUE(frame()->isVisible());
  EXPECT_EQ(entries("Choose"), (QStringList{"Lee, Ann", "O'Brien, Pat", "Stone, Bob"}));
  EXPECT_EQ(text("txtFullName"), "Lee, Ann");  // back on the employee the user was on
  EXPECT_TRUE(find<QWidget>("ProgressBar1")->isHidden());
  choose("Choose", "O'Brien, Pat");
  EXPECT_FALSE(frame()->isVisible());
  EXPECT_EQ(text("txtFullName"), "Lee, Ann");
  EXPECT_EQ(shownDays(), patsDays());
  EXPECT_EQ(text("txtPosition"), "Cook");
  EXPECT_EQ(text("txtArea"), "Kitchen");
  EXPECT_EQ(text("txtArea2"), "No");
  EXPECT_EQ(mousePointer(window), pointer::Default);
  EXPECT_TRUE(boxes.shown().empty());

  click("CmdUpdate");
  EXPECT_EQ(storedDays("Lee, Ann"), patsDays());
  const QVariantMap lee = storedEmployees().at(1);
  EXPECT_EQ(lee.value("position").toString(), "Cook");
  EXPECT_EQ(lee.value("area").toString(), "Kitchen");
  EXPECT_EQ(lee.value("Area2").toString(), "No");
  EXPECT_EQ(storedDays("O'Brien, Pat"), patsDays());
  EXPECT_EQ(storedEmployees().at(0).value("position").toString(), "Waiter");
}

TEST_F(EmployeeCopyTest, CopyingAnEmployeeOntoItselfChangesNothing) {
  goTo("O'Brien, Pat");
  click("CmdCopy");
  choose("Choose", "O'Brien, Pat");
  EXPECT_EQ(shownDays(), patsDays());
  click("CmdUpdate");
  EXPECT_EQ(storedDays("O'Brien, Pat"), patsDays());
  EXPECT_EQ(storedEmployees().at(0).value("area").toString(), "Patio");
}

TEST_F(EmployeeCopyTest, TheCopyListIsBuiltOnceUntilSearchListsAreLoaded) {
  click("CmdCopy");
  click("CmdQuitter");
  EXPECT_FALSE(frame()->isVisible());
  addEmployee("Young, Cy");
  click("CmdCopy");
  EXPECT_TRUE(frame()->isVisible());
  EXPECT_FALSE(entries("Choose").contains("Young, Cy"));
  click("CmdQuitter");
  click("CmdSearch");
  EXPECT_EQ(entries("Choose"),
            (QStringList{"Lee, Ann", "O'Brien, Pat", "Stone, Bob", "Young, Cy"}));
}

TEST_F(EmployeeCopyTest, TheCopyGoesIntoTheRecordTheUserWasOnWhateverItsName) {
  // A second "Lee, Ann", last in the table.
  QVariantMap twin = employeeRow(4, "Lee, Ann");
  twin["MonBldg"] = "Bar";
  storeEmployees({twin});
  open();
  window->data1()->MoveLast();
  ASSERT_EQ(text("Text1"), "4");
  click("CmdCopy");
  EXPECT_EQ(text("Text1"), "4");  // the list opens over the same employee
  choose("Choose", "O'Brien, Pat");
  EXPECT_TRUE(boxes.shown().empty());
  EXPECT_EQ(text("Text1"), "4");
  EXPECT_EQ(shownDays(), patsDays());
  click("CmdUpdate");
  const auto daysOf = [](const QVariantMap& row) {
    QStringList out;
    for (const QString& f : fields::allDayFields()) out << row.value(f).toString();
    return out;
  };
  const QList<QVariantMap> rows = storedEmployees();
  EXPECT_EQ(rows.at(1).value("MonBldg").toString(), "Kitchen");  // the first Lee as she was
  EXPECT_EQ(daysOf(rows.at(3)), patsDays());

  // Renamed while the list is open: still the same record.
  goTo("Stone, Bob");
  click("CmdCopy");
  type("txtFullName", "Stone, Robert");
  choose("Choose", "O'Brien, Pat");
  EXPECT_TRUE(boxes.shown().empty());
  EXPECT_FALSE(frame()->isVisible());
  click("CmdUpdate");
  EXPECT_EQ(storedColumn("Fullname"),
            (QStringList{"O'Brien, Pat", "Lee, Ann", "Stone, Robert", "Lee, Ann"}));
  EXPECT_EQ(storedDays("Stone, Robert"), patsDays());
  EXPECT_EQ(mousePointer(window), pointer::Default);
}

TEST_F(EmployeeCopyTest, AnEmployeeDeletedSinceTheListWasBuiltIsRefused) {
  click("CmdCopy");
  click("CmdQuitter");
  goTo("Stone, Bob");
  click("CmdDelete");  // the copy list still names him
  goTo("Lee, Ann");
  click("CmdCopy");
  ASSERT_TRUE(entries("Choose").contains("Stone, Bob"));
  const QStringList before = shownDays();
  boxes.clear();
  choose("Choose", "Stone, Bob");
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].title, "Opps!");
  EXPECT_TRUE(boxes.shown()[0].text.contains("Stone, Bob"));
  EXPECT_EQ(shownDays(), before);
  click("CmdUpdate");
  EXPECT_EQ(storedDays("Lee, Ann").at(8), "Kitchen");
  EXPECT_EQ(storedDays("O'Brien, Pat"), patsDays());
}

TEST_F(EmployeeCopyTest, OnePersonIsNotEnoughToCopyFrom) {
  deleteStored("Lee, Ann");
  deleteStored("Stone, Bob");
  open();
  click("CmdCopy");
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].text, "You need at least two (2) people in the database!");
  EXPECT_EQ(boxes.shown()[0].title, "Ok!");
  EXPECT_EQ(boxes.shown()[0].code, 48);
  EXPECT_FALSE(frame()->isVisible());
  EXPECT_EQ(mousePointer(window), pointer::Default);
}
