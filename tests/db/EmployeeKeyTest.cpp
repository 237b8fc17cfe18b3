// Each employee's lasting key: a file or a server table of an earlier version
// gets one for every record on first open without losing anything, new
// records get theirs from the database (whatever program adds them), and
// numbering, compaction and repair keep them.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>

#include "DbTestHelpers.h"
#include "app/StartUpChecks.h"
#include "data/Connections.h"
#include "data/PgEngine.h"
#include "data/RecordSet.h"
#include "db/Backup.h"
#include "db/Compaction.h"
#include "db/EmployeeFields.h"
#include "db/EmployeeKeys.h"
#include "db/Numbering.h"
#include "db/Repair.h"
#include "db/ServerSetup.h"
#include "db/ServerTable.h"
#include "platform/MessageBox.h"
#include "support/ServerDatabase.h"
#include "support/TestSupport.h"

namespace {
using Rows = QVector<QStringList>;  // every column of every record, in table order

QStringList earlierFields() {
  QStringList out = fields::allFields();
  out.removeAll(fields::Key);
  return out;
}

// employee.mdb as earlier versions made it: the 70 fields, no key, no
// trigger; each record's fields hold texts of their own.
void writeEarlierFile(const QString& path, const QStringList& names) {
  db::PrivateConnection c(path, db::Access::CreateNew);
  QSqlQuery q(c.database());
  QStringList columns;
  for (const QString& f : earlierFields()) columns << '"' + f + '"' + (f == fields::Number ? " INTEGER" : " TEXT");
  ASSERT_TRUE(q.exec("CREATE TABLE Employees (" + columns.join(", ") + ")"));
  for (int k = 0; k < names.size(); ++k) {
    q.prepare("INSERT INTO Employees (Number, Fullname, position, monstart, SunBldg) VALUES (?, ?, ?, ?, ?)");
    for (const QVariant& v : QVariantList{k + 1, names[k], "Cook", QString("%1A.M.").arg(k + 1), "Kitchen"})
      q.addBindValue(v);
    ASSERT_TRUE(q.exec());
  }
}

Rows allRows(const QString& path) {
  db::PrivateConnection c(path, db::Access::ReadOnly);
  QSqlQuery q(c.database());
  q.exec("SELECT * FROM Employees ORDER BY rowid");
  Rows out;
  while (q.next()) {
    QStringList row;
    for (int i = 0; i < q.record().count(); ++i) row << q.record().fieldName(i) + "=" + q.value(i).toString();
    out << row;
  }
  return out;
}

// The key of each record, in table order (on the server: of its table).
QStringList keys(const QString& file) {
  QStringList out;
  if (const auto server = db::serverFor(file)) {
    db::ServerConnection c(*server);
    QSqlQuery q = c.run("SELECT \"EmployeeKey\" FROM \"Employees\" ORDER BY row_id");
    while (q.next()) out << q.value(0).toString();
    return out;
  }
  db::PrivateConnection c(file, db::Access::ReadOnly);
  QSqlQuery q(c.database());
  q.exec("SELECT EmployeeKey FROM Employees ORDER BY rowid");
  while (q.next()) out << q.value(0).toString();
  return out;
}

void expectDistinctKeys(const QStringList& got, int count) {
  static const QRegularExpression hex("^[0-9a-f]{32}$");
  ASSERT_EQ(got.size(), count);
  for (const QString& k : got) EXPECT_TRUE(hex.match(k).hasMatch()) << k.toStdString();
  EXPECT_EQ(QSet<QString>(got.begin(), got.end()).size(), count) << got.join(" ").toStdString();
}

// What the employee window does on Save of a new record (as earlier
// versions did too): only the fields it knows.
void addAsTheWindowDoes(const QString& name) {
  RecordSet rs;
  rs.open("employee.mdb", "Employees");
  db::Transaction saving(rs.databasePath());
  const int number = numbering::nextNumber(rs);
  rs.AddNew();
  rs.setField(fields::Number, number);
  rs.setField(fields::Fullname, name);
  rs.Update();
  numbering::renumber(rs);
  saving.commit();
}
}  // namespace

TEST(EmployeeKeys, AnEarlierFileGetsAKeyPerRecordAtStartUpAndLosesNothing) {
  DataFolder folder;
  MessageBoxQueue boxes;
  const QStringList names{"Lee, Ann", "Lee, Ann", "O'Brien, Pat", QString::fromUtf8("Łukasz, Zoë")};
  writeEarlierFile(folder.file("employee.mdb"), names);
  const Rows before = allRows(folder.file("employee.mdb"));

  runStartUpChecks({});
  EXPECT_TRUE(boxes.shown().empty()) << boxes.texts().join("|").toStdString();
  const Rows after = allRows(folder.file("employee.mdb"));
  ASSERT_EQ(after.size(), before.size());
  for (int r = 0; r < after.size(); ++r) {
    EXPECT_EQ(after[r].mid(0, before[r].size()), before[r]) << "every earlier field as it was";
    EXPECT_TRUE(after[r].last().startsWith("EmployeeKey=")) << after[r].last().toStdString();
  }
  const QStringList first = keys(folder.file("employee.mdb"));
  expectDistinctKeys(first, 4);
  EXPECT_EQ(db::keyEveryEmployee(), "");
  EXPECT_EQ(keys(folder.file("employee.mdb")), first) << "a second start changes no key";

  // A record set sees the column like any other (no window binds it), and a
  // record added the way every version adds them gets a key of its own.
  RecordSet rs;
  rs.open("employee.mdb", "Employees");
  EXPECT_EQ(rs.fieldNames(), fields::allFields());
  rs.close();
  addAsTheWindowDoes("Young, Yul");
  QStringList now = keys(folder.file("employee.mdb"));
  expectDistinctKeys(now, 5);
  EXPECT_EQ(now.mid(0, 4), first);

  // A key that two records share (a copy made by another tool) is mended
  // on the later record only.
  {
    db::PrivateConnection c(folder.file("employee.mdb"));
    QSqlQuery q(c.database());
    ASSERT_TRUE(q.exec("UPDATE Employees SET EmployeeKey = '" + first[0] + "' WHERE rowid = 3"));
  }
  EXPECT_EQ(db::keyEveryEmployee(), "");
  now = keys(folder.file("employee.mdb"));
  expectDistinctKeys(now, 5);
  EXPECT_EQ(now[0], first[0]);
  EXPECT_EQ(now[1], first[1]);
  EXPECT_NE(now[2], first[0]);
}

class KeyHomes : public OnBothHomes<FolderTest> {
  bool installFile() const override { return true; }
};
ROTAWISE_BOTH_HOMES(KeyHomes);

TEST_P(KeyHomes, NumberingCompactionAndRepairKeepEveryKey) {
  MessageBoxQueue boxes;
  const QString file = folder.file("employee.mdb");
  dbtest::addEmployees(file, {"Adams, Zoe", "Lee, Ann", "Stone, Bob"});
  for (const QString& name : {QString("Lee, Ann"), QString("Ray, Ben")}) addAsTheWindowDoes(name);
  const QStringList before = keys(file);
  expectDistinctKeys(before, 5);

  {
    RecordSet rs;
    rs.open("employee.mdb", "Employees");
    rs.MoveFirst();
    db::Transaction deleting(rs.databasePath());
    rs.Delete();
    numbering::renumber(rs);
    deleting.commit();
  }
  EXPECT_EQ(keys(file), before.mid(1));
  ASSERT_TRUE(compactEmployeeDatabase().ok);
  EXPECT_EQ(keys(file), before.mid(1));
  if (home.onServer()) return;

  // A wrong free-page count: the repair rebuilds the file from its records.
  {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.seek(36);
    f.write(QByteArray("\0\0\0\3", 4));
  }
  ASSERT_EQ(repairEmployeeDatabase().outcome, RepairResult::Outcome::Repaired);
  EXPECT_EQ(keys(file), before.mid(1));
  addAsTheWindowDoes("Nye, Bo");  // the rebuilt file still keys new records itself
  expectDistinctKeys(keys(file), 5);
}

TEST(EmployeeKeys, AServerTableOfAnEarlierVersionGetsTheColumnAndAKeyPerRecord) {
  ROTAWISE_NEED_SERVER();
  DataFolder folder;
  ServerDatabase server;
  server.pointFolderAt(folder);
  server.createTable();
  server.exec("ALTER TABLE \"Employees\" DROP COLUMN \"EmployeeKey\"");
  for (const QString& name : {"Lee, Ann", "Lee, Ann", "Stone, Bob"})
    server.exec("INSERT INTO \"Employees\" (\"Number\", \"Fullname\") VALUES (1, ?)", {name});

  EXPECT_EQ(db::keyEveryEmployee(), "");
  const QStringList first = keys(folder.file("employee.mdb"));
  expectDistinctKeys(first, 3);
  EXPECT_EQ(dbtest::names(folder.file("employee.mdb")), (QStringList{"Lee, Ann", "Lee, Ann", "Stone, Bob"}));
  EXPECT_EQ(db::keyEveryEmployee(), "");
  EXPECT_EQ(keys(folder.file("employee.mdb")), first);
  addAsTheWindowDoes("Ray, Ben");
  expectDistinctKeys(keys(folder.file("employee.mdb")), 4);
}

TEST(EmployeeKeys, ListsBroughtAlongGetKeysWhereTheyLackOrRepeat) {
  const int at = int(fields::allFields().indexOf(fields::Key));
  QList<legacy::Employee> list;
  for (const QString& key : {QString(), QString("aa"), QString("aa"), QString("  ")}) {
    legacy::Employee e(fields::allFields().size());
    e[at] = key;
    list << e;
  }
  db::giveMissingKeys(list);
  EXPECT_EQ(list[1][at], "aa");
  QSet<QString> seen;
  for (const legacy::Employee& e : list) seen.insert(e[at].trimmed());
  EXPECT_EQ(seen.size(), 4);
  EXPECT_FALSE(seen.contains(""));
}

TEST(EmployeeKeys, KeysTravelWithTheRecordsFromTheFileToTheServerAndBackIntoACopy) {
  ROTAWISE_NEED_SERVER();
  DataFolder folder;
  MessageBoxQueue boxes;
  folder.install("employee.mdb");
  dbtest::addEmployees(folder.file("employee.mdb"), {"Lee, Ann", "Lee, Ann", "Stone, Bob"});
  const QStringList local = keys(folder.file("employee.mdb"));
  expectDistinctKeys(local, 3);

  ServerDatabase server;
  server.pointFolderAt(folder);
  ASSERT_EQ(db::prepareServerTable(), db::ServerStart::Created);  // the offer answered OK
  EXPECT_EQ(keys(folder.file("employee.mdb")), local) << "on the server";

  QTemporaryDir floppy;
  qputenv("ROTAWISE_DRIVE_A", floppy.path().toLocal8Bit());
  const BackupResult backup = backupEmployeeDatabase();
  qunsetenv("ROTAWISE_DRIVE_A");
  ASSERT_TRUE(backup.ok) << backup.reason.toStdString();
  EXPECT_EQ(keys(floppy.filePath("employee.mdb")), local) << "in the copy any PC opens";
}
