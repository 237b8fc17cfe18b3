// An employee.mdb that is damaged or of another kind: opening it gives a
// DbError with a clear message, the file is left byte for byte as it was and
// nothing new appears beside it - never an empty table a save would then
// write over the records.
#include <gtest/gtest.h>

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <cstdlib>
#include <iostream>
#include <random>

#include "EmployeeFiles.h"
#include "data/DataControl.h"
#include "data/RecordSet.h"
#include "support/TestSupport.h"

namespace {
constexpr int kRecords = 400;

QByteArray randomBytes(int size, unsigned seed) {
  std::mt19937 gen(seed);
  QByteArray out(size, '\0');
  for (char& c : out) c = char(gen() & 0xFF);
  return out;
}

struct Damage {
  const char* what;
  QByteArray bytes;
};

std::vector<Damage> damagedFiles(DataFolder& folder) {
  const QByteArray good = hardening::populatedDatabase(folder, kRecords);
  EXPECT_GT(good.size(), 16 * 4096) << "the test database should span many pages";
  QByteArray scrambled = good;  // a sound header, the table's pages overwritten
  const QByteArray noise = randomBytes(int(good.size()), 7);
  for (qsizetype i = 2 * 4096; i < scrambled.size(); ++i) scrambled[i] = noise[i];
  // A failing disk: one page near the end of the table reads as zeros.
  QByteArray zeroedPage = good;
  zeroedPage.replace(good.size() - 2 * 4096, 4096, QByteArray(4096, '\0'));
  return {
      {"a zeroed page near the end", zeroedPage},
      {"an empty file", QByteArray()},
      {"cut inside the header", good.left(60)},
      {"cut after the first page", good.left(4096)},
      {"cut in the middle", good.left(good.size() / 2)},
      {"cut short by one page", good.left(good.size() - 4096)},
      {"random bytes", randomBytes(64 * 1024, 1)},
      {"a sound header over random pages", scrambled},
      {"a text file", "Kitchen\r\nBar\r\nFront desk\r\n"},
      {"a database without the table", hardening::foreignDatabase(folder)},
  };
}

void expectClearRefusal(const std::string& message) {
  EXPECT_FALSE(message.empty());
  EXPECT_NE(QString::fromStdString(message).toLower().indexOf("employee.mdb"), -1)
      << "the message should name the file: " << message;
}
}  // namespace

TEST(DamagedDatabase, RecordSetRefusesEveryDamagedOrForeignFileAndChangesNothing) {
  DataFolder folder;
  for (const Damage& d : damagedFiles(folder)) {
    SCOPED_TRACE(d.what);
    folder.write("employee.mdb", d.bytes);
    const QStringList before = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
    RecordSet rs;
    try {
      rs.open("employee.mdb", "Employees");
      ADD_FAILURE() << "opened, with " << rs.RecordCount() << " of " << kRecords << " records";
    } catch (const DbError& e) {
      expectClearRefusal(e.what());
      if (std::getenv("ROTAWISE_FAULT_REPORT")) std::cout << d.what << ": " << e.what() << "\n";
    }
    EXPECT_FALSE(rs.isOpen());
    rs.close();
    EXPECT_EQ(folder.read("employee.mdb"), d.bytes) << "the file was changed";
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), before)
        << "files appeared beside the database";
  }
}

TEST(DamagedDatabase, DataControlRefreshRefusesADamagedFileAndShowsNoEmptyTable) {
  DataFolder folder;
  for (const Damage& d : damagedFiles(folder)) {
    SCOPED_TRACE(d.what);
    folder.write("employee.mdb", d.bytes);
    DataControl data("Data1");
    data.setDatabaseName("employee.mdb");
    data.setRecordSource("employees");
    try {
      data.Refresh();
      ADD_FAILURE() << "refreshed onto a table of " << data.Recordset().RecordCount() << " records";
    } catch (const DbError& e) {
      expectClearRefusal(e.what());
    }
    EXPECT_FALSE(data.isOpen());
    EXPECT_THROW(data.Recordset(), DbError);
    EXPECT_EQ(folder.read("employee.mdb"), d.bytes) << "the file was changed";
  }
}

TEST(DamagedDatabase, AMissingDatabaseIsNeverCreated) {
  DataFolder folder;
  RecordSet rs;
  EXPECT_THROW(rs.open("employee.mdb", "Employees"), DbError);
  EXPECT_FALSE(folder.exists("employee.mdb"));
  EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}
