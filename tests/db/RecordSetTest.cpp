// The record set on a real employee.mdb: opening, moving, editing, numbering
// and finding.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

#include "DbTestHelpers.h"
#include "data/Connections.h"
#include "data/RecordSet.h"
#include "data/SqliteBusy.h"
#include "db/EmployeeFields.h"
#include "db/Numbering.h"
#include "support/ServerDatabase.h"
#include "support/TestSupport.h"

namespace {
QString message(const DbError& e) { return QString::fromStdString(e.what()); }

// Adds one employee the way the employee window does: the next number, then
// the record.
void enter(RecordSet& rs, const QString& name) {
  const int number = numbering::nextNumber(rs);
  rs.AddNew();
  rs.setField("Number", number);
  rs.setField("Fullname", name);
  rs.Update();
}

// Another window deletes the record at `at` (it is simply not read) and adds
// one after all the others (not one of the first window's records).
void deleteOneAndAddOne(RecordSet& other, int at) {
  other.moveTo(at);
  other.Delete();
  other.AddNew();
  other.setField("Fullname", "Newcomer");
  other.Update();
}
}  // namespace

// The same behaviour whether the table is employee.mdb or on a server.
class RecordSetHomes : public OnBothHomes<FolderTest> {
  bool installFile() const override { return true; }
};
ROTAWISE_BOTH_HOMES(RecordSetHomes);

TEST(RecordSet, NeverCreatesOrAcceptsAWrongFile) {
  DataFolder folder;
  RecordSet rs;
  try {
    rs.open("employee.mdb", "Employees");
    FAIL() << "a missing database opened";
  } catch (const DbError& e) {
    EXPECT_TRUE(message(e).contains("was not found")) << e.what();
  }
  EXPECT_FALSE(folder.exists("employee.mdb"));
  EXPECT_FALSE(rs.isOpen());

  folder.write("employee.mdb", "Number,Fullname\r\n1,Smith\r\n");
  EXPECT_THROW(rs.open("employee.mdb", "Employees"), DbError);
  EXPECT_EQ(folder.read("employee.mdb"), QByteArray("Number,Fullname\r\n1,Smith\r\n"));

  folder.write("employee.mdb", "");
  EXPECT_THROW(rs.open("employee.mdb", "Employees"), DbError);
  EXPECT_EQ(folder.read("employee.mdb").size(), 0);

  folder.install("employee.mdb");
  try {
    rs.open("employee.mdb", "Staff");
    FAIL() << "a missing table opened";
  } catch (const DbError& e) {
    EXPECT_TRUE(message(e).contains("has no table \"Staff\"")) << e.what();
  }
  EXPECT_EQ(db::openHandles("employee.mdb"), 0) << "a failed open must not hold the file";
}

TEST_P(RecordSetHomes, MatchesFileTableAndFieldNamesWithoutCase) {
  dbtest::addEmployees(folder.file("employee.mdb"), {"Smith, Ann"});
  RecordSet rs;
  rs.open("Employee.MDB", "EMPLOYEES");
  EXPECT_EQ(rs.table(), "Employees");
  if (!home.onServer())
    EXPECT_EQ(rs.databasePath(), QFileInfo(folder.file("employee.mdb")).canonicalFilePath());
  EXPECT_EQ(rs.fieldNames(), fields::allFields());

  rs.Edit();
  rs.setField("MonSplitSTop", "3P.M.");
  rs.setField("Monbldg", "Kitchen");
  rs.setField("FULLNAME", "Smith, Anne");
  rs.Update();
  EXPECT_EQ(rs.text("monsplitstop"), "3P.M.");
  EXPECT_EQ(rs.text("MonBldg"), "Kitchen");
  EXPECT_EQ(rs.text("MonBldg1"), "") << "a field never filled stays empty";
  EXPECT_TRUE(rs.Field("MonBldg1").isNull());
  EXPECT_EQ(dbtest::names(folder.file("employee.mdb")), QStringList{"Smith, Anne"});
  EXPECT_THROW(rs.Field("NoSuchField"), DbError);
  EXPECT_FALSE(rs.hasField("NoSuchField"));
}

TEST_P(RecordSetHomes, MovesLikeTheOldRecordSet) {
  RecordSet rs;
  rs.open("employee.mdb", "employees");
  EXPECT_TRUE(rs.isBOF());
  EXPECT_TRUE(rs.isEOF());
  EXPECT_FALSE(rs.hasCurrent());
  EXPECT_THROW(rs.MoveFirst(), DbError) << "reading the first record of an empty table fails";
  EXPECT_THROW(rs.Field("Fullname"), DbError);

  dbtest::addEmployees(folder.file("employee.mdb"), {"A", "B", "C"});
  rs.open("employee.mdb", "employees");
  ASSERT_EQ(rs.RecordCount(), 3);
  EXPECT_EQ(rs.text("Fullname"), "A") << "opening shows the first record";
  QStringList walked;
  while (!rs.isEOF()) {
    walked << rs.text("Fullname");
    rs.MoveNext();
  }
  EXPECT_EQ(walked, (QStringList{"A", "B", "C"}));
  EXPECT_THROW(rs.MoveNext(), DbError);
  rs.MoveLast();
  rs.MovePrevious();
  EXPECT_EQ(rs.text("Fullname"), "B");
  rs.MovePrevious();
  rs.MovePrevious();
  EXPECT_TRUE(rs.isBOF());
  EXPECT_THROW(rs.MovePrevious(), DbError);
}

TEST_P(RecordSetHomes, NumbersNewRecordsAndRenumbersAfterADelete) {
  RecordSet rs;
  rs.open("employee.mdb", "Employees");
  EXPECT_EQ(numbering::nextNumber(rs), 1) << "an empty table starts at 1";
  for (const char* name : {"One", "Two", "Three", "Four", "Five"}) enter(rs, name);
  EXPECT_EQ(dbtest::numbersAndNames(folder.file("employee.mdb")),
            (QVector<QPair<int, QString>>{
                {1, "One"}, {2, "Two"}, {3, "Three"}, {4, "Four"}, {5, "Five"}}));

  ASSERT_TRUE(numbering::findByName(rs, "Three"));
  rs.Delete();
  EXPECT_FALSE(rs.hasCurrent());
  rs.MoveNext();
  EXPECT_EQ(rs.text("Fullname"), "Four") << "the next record follows the deleted one";
  numbering::renumber(rs);
  EXPECT_EQ(dbtest::numbersAndNames(folder.file("employee.mdb")),
            (QVector<QPair<int, QString>>{{1, "One"}, {2, "Two"}, {3, "Four"}, {4, "Five"}}));
  EXPECT_EQ(rs.text("Fullname"), "Four") << "renumbering keeps the position";
  EXPECT_EQ(numbering::nextNumber(rs), 5);
  EXPECT_EQ(rs.text("Fullname"), "Four");

  // Table order, not name order or old numbers, decides the new numbers.
  if (home.onServer()) {
    home.server().exec("UPDATE \"Employees\" SET \"Number\" = 40 - row_id");
  } else {
    db::PrivateConnection c(folder.file("employee.mdb"));
    QSqlQuery(c.database()).exec("UPDATE Employees SET Number = 40 - rowid");
  }
  rs.open("employee.mdb", "Employees");
  numbering::renumber(rs);
  EXPECT_EQ(dbtest::numbersAndNames(folder.file("employee.mdb")).last(),
            (QPair<int, QString>{4, "Five"}));
}

TEST_P(RecordSetHomes, FindsTheFirstOfEqualNamesAndNamesWithQuotes) {
  const QStringList people{"Smith, Ann", "O'Brien, Pat", "Smith, Ann", "Quote \"Q\"; --",
                           "Müller, Jürgen", "Пётр"};
  dbtest::addEmployees(folder.file("employee.mdb"), people);
  RecordSet rs;
  rs.open("employee.mdb", "Employees");
  for (int k = 0; k < people.size(); ++k) {
    ASSERT_TRUE(numbering::findByName(rs, people[k])) << people[k].toStdString();
    EXPECT_EQ(rs.AbsolutePosition(), people.indexOf(people[k])) << people[k].toStdString();
  }
  ASSERT_TRUE(numbering::findByName(rs, "Smith, Ann"));
  EXPECT_EQ(rs.AbsolutePosition(), 0) << "duplicates: always the first in table order";

  rs.moveTo(3);
  EXPECT_FALSE(rs.FindFirst("Fullname", "smith, ann")) << "the value must be equal";
  EXPECT_TRUE(rs.NoMatch());
  EXPECT_EQ(rs.AbsolutePosition(), 3) << "no match leaves the position";
  EXPECT_FALSE(rs.FindFirst("Fullname", "x' OR '1'='1"));
  EXPECT_FALSE(numbering::findByName(rs, "Nobody"));
  EXPECT_EQ(rs.AbsolutePosition(), 0);
  EXPECT_EQ(dbtest::recordCount(folder.file("employee.mdb")), people.size());
}

TEST(RecordSet, ASearchOrReadThatMeetsADamagedPageIsAnError) {
  for (const int employees : {2000, 4000}) {  // 4000: a walk stepped on a thread of its own
    SCOPED_TRACE(employees);
    DataFolder folder;
    folder.install("employee.mdb");
    const QString file = folder.file("employee.mdb");
    QStringList people;
    for (int i = 0; i < employees; ++i) people << QString("Employee number %1 of a long table").arg(i);
    dbtest::addEmployees(file, people);
    RecordSet rs;
    rs.open("employee.mdb", "Employees");
    ASSERT_EQ(rs.RecordCount(), people.size());

    // The disk fails after the table was opened: a page near the end reads as
    // zeros (and the file's change counter moves, so no cached copy hides it).
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    QByteArray bytes = f.readAll();
    ASSERT_GT(bytes.size(), 20 * 4096);
    bytes.replace(bytes.size() - 2 * 4096, 4096, QByteArray(4096, '\0'));
    bytes[27] = char(bytes[27] + 1);
    ASSERT_TRUE(f.seek(0));
    ASSERT_EQ(f.write(bytes), bytes.size());
    f.close();

    rs.MoveFirst();
    EXPECT_THROW(rs.FindFirst("Fullname", "Nobody by this name"), DbError);
    EXPECT_THROW(rs.allTexts({"Fullname"}), DbError) << "a shorter table read as the whole";
  }
}

TEST_P(RecordSetHomes, RefusesNumbersBeyondSixteenBits) {
  if (home.onServer()) {
    home.server().exec("INSERT INTO \"Employees\" (\"Number\", \"Fullname\") SELECT k, "
                       "'Employee ' || k FROM generate_series(1, 32767) AS k");
  } else {
    db::PrivateConnection c(folder.file("employee.mdb"));
    QSqlQuery q(c.database());
    ASSERT_TRUE(q.exec("WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM n "
                       "WHERE k < 32767) INSERT INTO Employees (Number, Fullname) "
                       "SELECT k, 'Employee ' || k FROM n"));
  }
  RecordSet rs;
  rs.open("employee.mdb", "Employees");
  ASSERT_EQ(rs.RecordCount(), 32767);
  EXPECT_THROW(numbering::nextNumber(rs), DbError);
  try {
    rs.AddNew();
    FAIL() << "a 32,768th employee was accepted";
  } catch (const DbError& e) {
    EXPECT_TRUE(message(e).contains("32,767")) << e.what();
  }
  EXPECT_FALSE(rs.addingNew());
  rs.MoveLast();
  rs.Edit();
  EXPECT_THROW(rs.setField("Number", 32768), DbError);
  EXPECT_THROW(rs.setField("Number", "twelve"), DbError);
  rs.CancelUpdate();
  numbering::renumber(rs);  // the limit itself still renumbers
  EXPECT_EQ(rs.Field("Number").toInt(), 32767);
}

TEST_P(RecordSetHomes, AllTextsReadsWhatAWalkWouldWithoutMoving) {
  const QString file = folder.file("employee.mdb");
  QStringList people;
  for (int i = 0; i < 600; ++i) people << QString("Person %1").arg(i);  // several blocks
  people[3] = "O'Brien, \"Pat\"";
  people[4] = QString::fromUtf8("  Łódź 张伟  ");
  dbtest::addEmployees(file, people);
  RecordSet rs, other;
  rs.open("employee.mdb", "Employees");
  other.open("employee.mdb", "Employees");
  rs.moveTo(7);
  rs.Edit();
  rs.setField("Position", "Cook");  // pending: written before the read
  deleteOneAndAddOne(other, 5);

  const QVector<QStringList> texts = rs.allTexts({"fullname", "Position", "Area"});
  ASSERT_EQ(texts.size(), people.size() - 1);
  EXPECT_EQ(texts[3], (QStringList{people[3], "", "Bar"}));
  EXPECT_EQ(texts[4][0], people[4]) << "texts come as stored, blanks and all";
  EXPECT_EQ(texts[5][0], "Person 6");
  EXPECT_EQ(texts[6], (QStringList{"Person 7", "Cook", "Bar"}));
  EXPECT_EQ(texts.back()[0], people.back());
  EXPECT_FALSE(rs.editing());
  EXPECT_EQ(rs.AbsolutePosition(), 7);
  EXPECT_THROW(rs.allTexts({"NoSuchField"}), DbError);
}

// A long walk is stepped on a thread of its own, in batches: every record
// still comes once, in order, as stored, and the file is let go of however
// the walk ends.
TEST(RecordSet, ALongWalkReadsEveryRecordAndLetsGoOfTheFileHoweverItEnds) {
  DataFolder folder;
  folder.install("employee.mdb");
  const QString file = folder.file("employee.mdb");
  QStringList people;
  for (int i = 0; i < 6000; ++i) people << QString("Person %1").arg(i);
  for (const int at : {0, 255, 256, 257, 3001, 5999})  // batch edges, first and last
    people[at] = QString::fromUtf8("O'Brien, \"Łódź\" 张伟 / %1  ").arg(at);
  people[512] = "";
  dbtest::addEmployees(file, people);
  RecordSet rs, other;
  rs.open("employee.mdb", "Employees");
  other.open("employee.mdb", "Employees");
  deleteOneAndAddOne(other, 4000);  // the walk ends before the one added
  people.removeAt(4000);

  QStringList names;
  QStringList numbers;
  rs.eachTexts({"Fullname", "Number"}, [&](QString* t) { names << t[0]; numbers << t[1]; });
  EXPECT_EQ(names, people);
  EXPECT_EQ(numbers, QStringList(people.size(), "0"));

  const db::BusyWaitForTests shortWait(300);
  int seen = 0;
  EXPECT_THROW(rs.eachTexts({"Fullname"}, [&](QString*) {
    if (++seen == 3000) throw DbError("the reader failed");
  }), DbError);
  EXPECT_EQ(seen, 3000);
  dbtest::addEmployees(file, {"Later"});  // through a connection of its own
  EXPECT_EQ(dbtest::recordCount(file), people.size() + 2) << "the walk that threw holds the file";
  EXPECT_EQ(rs.allTexts({"Fullname"}).size(), people.size());
}

TEST_P(RecordSetHomes, TwoRecordSetsOnOneFileSeeEachOthersWrites) {
  dbtest::addEmployees(folder.file("employee.mdb"), {"A", "B"});
  RecordSet first, second;
  first.open("employee.mdb", "Employees");
  second.open("EMPLOYEE.MDB", "Employees");
  EXPECT_EQ(db::openHandles("employee.mdb"), 2);
  EXPECT_EQ(second.text("Fullname"), "A");
  first.Edit();
  first.setField("Fullname", "A changed");
  first.Update();
  EXPECT_EQ(second.text("Fullname"), "A changed");
  first.Delete();
  EXPECT_THROW(second.Field("Fullname"), DbError) << "the record is gone";
  second.MoveNext();
  EXPECT_EQ(second.text("Fullname"), "B");
  first.close();
  second.close();
  EXPECT_EQ(db::openHandles("employee.mdb"), 0);
}

TEST_P(RecordSetHomes, MovingWritesAPendingEdit) {
  dbtest::addEmployees(folder.file("employee.mdb"), {"A", "B"});
  RecordSet rs;
  rs.open("employee.mdb", "Employees");
  rs.Edit();
  rs.setField("position", "Cook");
  rs.MoveNext();
  rs.AddNew();
  rs.setField("Fullname", "C");
  rs.MoveFirst();
  EXPECT_EQ(rs.text("position"), "Cook");
  EXPECT_EQ(dbtest::names(folder.file("employee.mdb")), (QStringList{"A", "B", "C"}));
  rs.AddNew();
  rs.setField("Fullname", "Dropped");
  rs.CancelUpdate();
  rs.close();
  EXPECT_EQ(dbtest::recordCount(folder.file("employee.mdb")), 3);
}
