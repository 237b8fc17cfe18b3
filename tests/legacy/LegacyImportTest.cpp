// Converting an employee.mdb of an earlier installation (Access) at start-up:
// every employee arrives as the old file holds it, the original is kept byte
// for byte, and nothing is lost when the user says no or a step fails.
#include <gtest/gtest.h>

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>

#include "db/EmployeeFields.h"
#include "db/LegacyImport.h"
#include "legacy/LegacyFiles.h"
#include "platform/FileOps.h"
#include "platform/MessageBox.h"
#include "support/TestSupport.h"

namespace {
// Every row of Employees in table order, each as field name (lower case) -> value.
QList<QHash<QString, QVariant>> employeeRows(const QString& path) {
  QList<QHash<QString, QVariant>> rows;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "legacy-test-read");
    db.setDatabaseName(path);
    if (db.open()) {
      QSqlQuery q("SELECT * FROM Employees ORDER BY rowid", db);
      while (q.next()) {
        QHash<QString, QVariant> row;
        for (int i = 0; i < q.record().count(); ++i)
          row.insert(q.record().fieldName(i).toLower(), q.value(i));
        rows << row;
      }
    }
  }
  QSqlDatabase::removeDatabase("legacy-test-read");
  return rows;
}

QStringList filesIn(const DataFolder& folder) {
  return QDir(folder.path()).entryList(QDir::Files, QDir::Name);
}

struct FaultGuard {
  ~FaultGuard() { fileops::setFaultInjector({}); }
};

class LegacyImport : public ::testing::Test {
 protected:
  void putOld(const QString& fixture, const QString& as = "employee.mdb") {
    original = fileBytes(legacyFixture(fixture));
    ASSERT_FALSE(original.isEmpty());
    folder.write(as, original);
  }
  DataFolder folder;
  MessageBoxQueue boxes;
  QByteArray original;
};
}  // namespace

TEST_F(LegacyImport, BringsOverEveryEmployeeAsTheOldFileHoldsIt) {
  putOld("employee-jet4.mdb");
  const QList<QStringList> expected = mdbExport(folder.file("employee.mdb"), "Employees");
  ASSERT_EQ(expected.size(), 9) << "mdb-export (package mdbtools) must be installed";

  EXPECT_EQ(legacy::convertOldEmployeeDatabase(), legacy::Outcome::Converted);

  ASSERT_EQ(boxes.shown().size(), 2u);
  EXPECT_EQ(boxes.shown()[0].title, "Warning question");
  EXPECT_EQ(boxes.shown()[0].code, 33);
  EXPECT_TRUE(boxes.shown()[0].text.contains("8 employees"));
  EXPECT_TRUE(boxes.shown()[0].text.contains("employee-access.mdb"));
  EXPECT_EQ(boxes.shown()[1].title, "Ok!");
  EXPECT_EQ(boxes.shown()[1].code, 48);
  EXPECT_TRUE(boxes.shown()[1].text.startsWith("8 employees were brought over"));

  EXPECT_EQ(filesIn(folder), QStringList({"employee-access.mdb", "employee.mdb"}));
  EXPECT_EQ(folder.read("employee-access.mdb"), original);
  EXPECT_TRUE(folder.read("employee.mdb").startsWith("SQLite format 3"));

  const auto rows = employeeRows(folder.file("employee.mdb"));
  ASSERT_EQ(rows.size(), 8);
  for (int r = 0; r < 8; ++r) {
    EXPECT_EQ(rows[r].value("number").toInt(), r + 1);
    for (int c = 0; c < expected[0].size(); ++c) {
      const QString field = expected[0][c].toLower();
      if (field == "number") continue;
      ASSERT_TRUE(rows[r].contains(field)) << qPrintable(field);
      EXPECT_EQ(rows[r].value(field).toString(), expected[r + 1][c])
          << "record " << r + 1 << " field " << qPrintable(expected[0][c]);
    }
  }
  // The awkward ones, named outright.
  EXPECT_EQ(rows[1].value("fullname").toString(), "O'Brien, Pat");
  EXPECT_EQ(rows[2].value("fullname").toString(), QString::fromUtf8("Müller, Jürgen"));
  EXPECT_EQ(rows[3].value("fullname").toString(), QString::fromUtf8("Nguyễn, Văn An"));
  for (const char* area : {"area", "area2", "area3", "area4"}) {
    EXPECT_FALSE(rows[6].value(area).isNull()) << area << " of Evans: a null comes over as empty text";
    EXPECT_EQ(rows[6].value(area).toString(), "") << area;
  }
}

TEST_F(LegacyImport, ASecondStartFindsSQLiteAndAsksNothing) {
  putOld("employee-jet4.mdb");
  ASSERT_EQ(legacy::convertOldEmployeeDatabase(), legacy::Outcome::Converted);
  const QByteArray converted = folder.read("employee.mdb");
  boxes.clear();

  EXPECT_EQ(legacy::convertOldEmployeeDatabase(), legacy::Outcome::NothingToDo);
  EXPECT_TRUE(boxes.shown().empty());
  EXPECT_EQ(folder.read("employee.mdb"), converted);
  EXPECT_EQ(filesIn(folder), QStringList({"employee-access.mdb", "employee.mdb"}));

  // A fresh installation's empty database is no Access file either.
  DataFolder fresh;
  fresh.install("employee.mdb");
  EXPECT_EQ(legacy::convertOldEmployeeDatabase(), legacy::Outcome::NothingToDo);
  EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(LegacyImport, CancelLeavesEverythingAsItWas) {
  putOld("employee-jet4.mdb");
  boxes.answer(msg::Cancel);
  EXPECT_EQ(legacy::convertOldEmployeeDatabase(), legacy::Outcome::Cancelled);
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].title, "Warning question");
  EXPECT_EQ(filesIn(folder), QStringList({"employee.mdb"}));
  EXPECT_EQ(folder.read("employee.mdb"), original);
}

TEST_F(LegacyImport, AnAccessFileWithoutEmployeesIsRefusedUntouched) {
  putOld("tables-jet3.mdb");
  EXPECT_EQ(legacy::convertOldEmployeeDatabase(), legacy::Outcome::Refused);
  ASSERT_EQ(boxes.shown().size(), 1u) << "nothing to convert, so no question";
  EXPECT_EQ(boxes.shown()[0].title, "Opps!");
  EXPECT_EQ(boxes.shown()[0].code, 48);
  EXPECT_TRUE(boxes.shown()[0].text.contains("no Employees table"));
  EXPECT_EQ(filesIn(folder), QStringList({"employee.mdb"}));
  EXPECT_EQ(folder.read("employee.mdb"), original);
}

TEST_F(LegacyImport, TheKeptOriginalNeverReplacesAnotherFile) {
  putOld("employee-jet4.mdb", "EMPLOYEE.MDB");  // as copied from a Windows folder
  folder.write("employee-access.mdb", "the user's own file");
  EXPECT_EQ(legacy::keptOriginalName(QDir(folder.path())), "employee-access-2.mdb");

  EXPECT_EQ(legacy::convertOldEmployeeDatabase(), legacy::Outcome::Converted);
  EXPECT_TRUE(boxes.shown()[0].text.contains("employee-access-2.mdb"));
  EXPECT_TRUE(boxes.shown()[1].text.contains("employee-access-2.mdb"));
  EXPECT_EQ(folder.read("employee-access.mdb"), "the user's own file");
  EXPECT_EQ(folder.read("employee-access-2.mdb"), original);
  EXPECT_EQ(employeeRows(folder.file("EMPLOYEE.MDB")).size(), 8);
}

TEST_F(LegacyImport, AFailedStepLeavesTheOriginalWhereItWas) {
  putOld("employee-jet4.mdb");
  FaultGuard restore;
  const QString work = folder.file("employee-converting.mdb");
  struct Fault {
    const char* what;
    FileStep step;
    QString path;
    int onCall;  // fail the n-th time this step is asked for
  };
  const Fault faults[] = {
      {"the new file cannot be made (read-only folder)", FileStep::Create, work, 1},
      {"the disk fills up after four employees", FileStep::Write, work, 5},
      {"the new file cannot be flushed to the disk", FileStep::Flush, work, 1},
      {"the original cannot be given a second name", FileStep::Link,
       folder.file("employee-access.mdb"), 1},
      {"the new file cannot take the name", FileStep::Rename, work, 1},
  };
  for (const Fault& fault : faults) {
    SCOPED_TRACE(fault.what);
    int calls = 0;
    fileops::setFaultInjector([&](FileStep step, const QString& path) {
      return step == fault.step && QFileInfo(path) == QFileInfo(fault.path) && ++calls == fault.onCall;
    });
    boxes.clear();
    EXPECT_EQ(legacy::convertOldEmployeeDatabase(), legacy::Outcome::Failed);
    EXPECT_EQ(calls, fault.onCall);
    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.shown()[1].title, "Opps!");
    EXPECT_TRUE(boxes.shown()[1].text.contains("has been left as it was"))
        << qPrintable(boxes.shown()[1].text);
    EXPECT_EQ(filesIn(folder), QStringList({"employee.mdb"}));
    EXPECT_EQ(folder.read("employee.mdb"), original);
  }
  // Once the disk behaves, the same file converts.
  fileops::setFaultInjector({});
  EXPECT_EQ(legacy::convertOldEmployeeDatabase(), legacy::Outcome::Converted);
}

TEST(LegacyEmployees, FieldsAreFoundByNameInAnyCaseAndNumbered) {
  jet::Table table;
  table.columns = {"FULLNAME", "Remarks", "MonSplitSTop", "Number", "Monbldg"};
  table.rows = {{"Zed, Zoe", "a field we do not know", "5P.M.", "17", "Bar"},
                {"Young, Yul", "", "", "3", ""}};
  const QList<legacy::Employee> out = legacy::employeesOf(table);
  const QStringList names = fields::allFields();
  ASSERT_EQ(out.size(), 2);
  ASSERT_EQ(out[0].size(), names.size());
  EXPECT_EQ(out[0][names.indexOf("Number")], "1") << "numbered in table order, not copied";
  EXPECT_EQ(out[1][names.indexOf("Number")], "2");
  EXPECT_EQ(out[0][names.indexOf("Fullname")], "Zed, Zoe");
  EXPECT_EQ(out[0][names.indexOf("MonSplitStop")], "5P.M.");
  EXPECT_EQ(out[0][names.indexOf("MonBldg")], "Bar");
  EXPECT_EQ(out[0][names.indexOf("position")], "") << "a field the old table lacks stays empty";
  EXPECT_FALSE(out[0].contains("a field we do not know"));
}
