// The data control with bound controls on a real employee.mdb.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include "DbTestHelpers.h"
#include "data/DataControl.h"
#include "db/Compaction.h"
#include "db/EmployeeDatabase.h"
#include "support/ServerDatabase.h"
#include "support/TestSupport.h"

namespace {
// A window with Data1 and three bound controls, as the employee window has.
struct Window {
  QWidget form;
  DataControl* data = new DataControl("Data1", &form);
  QLineEdit* number = new QLineEdit(&form);
  QLineEdit* name = new QLineEdit(&form);
  QComboBox* area = new QComboBox(&form);
  Window() {
    area->setEditable(true);
    area->addItems({"No", "Bar", "Kitchen"});
    data->bind(number, "Number");
    data->bind(name, "Fullname");
    data->bind(area, "AREA");
  }
};
}  // namespace

// The same behaviour whether the table is employee.mdb or on a server.
class DataControlHomes : public OnBothHomes<FolderTest> {
  bool installFile() const override { return true; }
};
ROTAWISE_BOTH_HOMES(DataControlHomes);

TEST_P(DataControlHomes, ShowsRecordsAndWritesEditsWhenLeavingThem) {
  dbtest::addEmployees(folder.file("employee.mdb"), {"A", "B", "C"});
  Window w;
  EXPECT_EQ(w.name->property("DataField").toString(), "Fullname");
  db::reopenEmployees(*w.data);
  EXPECT_EQ(w.name->text(), "A");
  EXPECT_EQ(w.area->currentText(), "Bar");
  EXPECT_EQ(w.number->text(), "0");

  QSignalSpy changes(w.name, &QLineEdit::textChanged);
  w.name->setText("A edited");
  w.area->setEditText("Kitchen");
  changes.clear();
  QTest::mouseClick(w.data->findChild<QToolButton*>("MoveNext"), Qt::LeftButton);
  EXPECT_EQ(w.name->text(), "B");
  EXPECT_EQ(changes.count(), 0) << "showing a record is not a user's change";
  EXPECT_EQ(dbtest::names(folder.file("employee.mdb")), (QStringList{"A edited", "B", "C"}));

  w.data->MoveLast();
  w.data->MoveNext();
  EXPECT_EQ(w.name->text(), "C") << "the bar stops at the last record";
  w.data->MoveFirst();
  w.data->MovePrevious();
  EXPECT_EQ(w.name->text(), "A edited");
  EXPECT_EQ(w.area->currentText(), "Kitchen");

  // A bad number is refused with a message by the button, and nothing moves.
  MessageBoxQueue boxes;
  w.number->setText("many");
  QTest::mouseClick(w.data->findChild<QToolButton*>("MoveLast"), Qt::LeftButton);
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].title, "Opps!");
  EXPECT_EQ(w.name->text(), "A edited");
  EXPECT_EQ(w.data->Recordset().AbsolutePosition(), 0);
}

TEST_P(DataControlHomes, WritesANewRecordOnMoveRefreshUpdateAndClose) {
  Window w;
  db::reopenEmployees(*w.data);
  EXPECT_EQ(w.name->text(), "") << "an empty table clears the controls";

  w.data->AddNew();
  w.number->setText("1");
  w.name->setText("First");
  w.data->MoveFirst();
  EXPECT_EQ(w.name->text(), "First");
  EXPECT_EQ(dbtest::numbersAndNames(folder.file("employee.mdb")),
            (QVector<QPair<int, QString>>{{1, "First"}}));

  w.data->AddNew();
  EXPECT_EQ(w.name->text(), "");
  w.number->setText("2");
  w.name->setText("Second");
  w.data->Refresh();
  EXPECT_EQ(w.name->text(), "First") << "Refresh shows the first record";

  w.data->AddNew();
  w.name->setText("Third");
  w.data->UpdateRecord();
  EXPECT_EQ(w.name->text(), "Third");
  EXPECT_EQ(w.data->Recordset().AbsolutePosition(), 2) << "the new record is current";
  w.name->setText("Third, edited");

  w.data->AddNew();
  w.name->setText("Fourth");
  w.form.show();
  w.form.close();
  EXPECT_EQ(dbtest::names(folder.file("employee.mdb")),
            (QStringList{"First", "Second", "Third, edited", "Fourth"}));
  EXPECT_TRUE(w.data->Recordset().Field("area").isNull()) << "an empty control leaves its field empty";

  w.data->AddNew();
  w.name->setText("Fifth");
  w.data->closeRecordset();
  EXPECT_EQ(dbtest::recordCount(folder.file("employee.mdb")), 5);
  EXPECT_FALSE(w.data->isOpen());
  EXPECT_THROW(w.data->Recordset(), DbError);
}

TEST(DataControl, RefreshFailsClearlyWithoutTheDatabase) {
  DataFolder folder;
  Window w;
  try {
    db::reopenEmployees(*w.data);
    FAIL() << "opened a missing database";
  } catch (const DbError& e) {
    EXPECT_TRUE(QString(e.what()).contains("Employee.MDB")) << e.what();
  }
  EXPECT_FALSE(w.data->isOpen());
  EXPECT_FALSE(folder.exists("employee.mdb"));
  EXPECT_FALSE(folder.exists("Employee.MDB"));
  w.data->MoveNext();  // nothing open: the bar does nothing
}

TEST_P(DataControlHomes, EditsGoToTheRecordShownEvenWhenTheRecordSetWasMovedUnderneath) {
  dbtest::addEmployees(folder.file("employee.mdb"), {"A", "B", "C"});
  Window w;
  db::reopenEmployees(*w.data);
  // Code walks the record set (a name list, the next number) while A shows.
  w.data->Recordset().MoveLast();
  w.data->MoveFirst();
  EXPECT_EQ(dbtest::names(folder.file("employee.mdb")), (QStringList{"A", "B", "C"}))
      << "an untouched record shown on screen must not be written into another";

  w.name->setText("A edited");
  w.data->Recordset().MoveLast();
  w.data->UpdateRecord();
  EXPECT_EQ(dbtest::names(folder.file("employee.mdb")), (QStringList{"A edited", "B", "C"}));
}

TEST_P(DataControlHomes, EditsFollowTheirRecordThroughACompaction) {
  dbtest::addEmployees(folder.file("employee.mdb"), {"A", "B", "C", "D"});
  {
    RecordSet rs;  // a gap in the row ids, which compaction closes
    rs.open("employee.mdb", "Employees");
    rs.MoveFirst();
    rs.MoveNext();
    rs.Delete();
  }
  Window w;
  db::reopenEmployees(*w.data);
  w.data->MoveLast();
  w.data->MovePrevious();
  ASSERT_EQ(w.name->text(), "C");
  w.name->setText("C edited");
  ASSERT_TRUE(compactEmployeeDatabase().ok);
  w.data->UpdateRecord();
  EXPECT_EQ(dbtest::names(folder.file("employee.mdb")), (QStringList{"A", "C edited", "D"}));
}
