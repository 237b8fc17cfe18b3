#pragma once
// The employee table on the test's PostgreSQL server (started by ./test.sh,
// which exports ROTAWISE_TEST_PG_URI): a fresh database for each test,
// dropped when the test ends, named in the data folder's database.url.
// Tests that run on both homes of the table take a Home parameter.
#include <QSqlQuery>
#include <QString>
#include <QVariantList>
#include <gtest/gtest.h>
#include <memory>

#include "data/ServerAddress.h"
#include "support/TestSupport.h"

namespace db {
class ServerConnection;
}

enum class Home { File, Server };
std::string homeName(const testing::TestParamInfo<Home>& info);
#define ROTAWISE_BOTH_HOMES(Suite) \
  INSTANTIATE_TEST_SUITE_P(Homes, Suite, testing::Values(Home::File, Home::Server), homeName)

// True when a test server was started. Without one a server test is
// skipped, unless ROTAWISE_TEST_PG_REQUIRED is set (./test.sh sets it):
// then it fails.
bool testServerAvailable();
#define ROTAWISE_NEED_SERVER()                                                        \
  do {                                                                                \
    if (!testServerAvailable()) {                                                     \
      if (qEnvironmentVariableIsSet("ROTAWISE_TEST_PG_REQUIRED"))                     \
        FAIL() << "ROTAWISE_TEST_PG_URI is not set, but the server tests must run";   \
      GTEST_SKIP() << "no PostgreSQL test server (ROTAWISE_TEST_PG_URI)";             \
    }                                                                                 \
  } while (0)

class ServerDatabase {
 public:
  ServerDatabase();  // a fresh, empty database (no table)
  ~ServerDatabase();
  ServerDatabase(const ServerDatabase&) = delete;
  ServerDatabase& operator=(const ServerDatabase&) = delete;

  db::ServerAddress address() const { return address_; }
  QString uri() const;
  // Names this database in the folder's database.url.
  void pointFolderAt(const DataFolder& folder) const;
  // The empty Employees table, as the program makes it.
  void createTable() const;
  // A statement on this database through a connection of the test's own.
  QSqlQuery exec(const QString& sql, const QVariantList& values = {}) const;

 private:
  QString name_;
  db::ServerAddress address_;
  mutable std::unique_ptr<db::ServerConnection> connection_;
};

// The empty table in its home: employee.mdb in the folder, or a table in a
// fresh server database the folder names.
class TableHome {
 public:
  TableHome(Home home, DataFolder& folder);
  void install();
  bool onServer() const { return home_ == Home::Server; }
  ServerDatabase& server() const { return *server_; }

 private:
  Home home_;
  DataFolder& folder_;
  std::unique_ptr<ServerDatabase> server_;
};

// A fixture `Base` (which has a DataFolder `folder`) run once with the table
// in employee.mdb and once on a server: there, a fresh database named by the
// folder's database.url, with the empty table. employee.mdb is installed
// too when `installFile()` says so.
template <class Base>
class OnBothHomes : public Base, public testing::WithParamInterface<Home> {
 protected:
  void SetUp() override {
    Base::SetUp();
    if (GetParam() == Home::Server) ROTAWISE_NEED_SERVER();
    if (GetParam() == Home::Server || installFile()) home.install();
  }
  virtual bool installFile() const { return false; }
  TableHome home{GetParam(), this->folder};
};

// A bare data folder, for OnBothHomes.
struct FolderTest : testing::Test {
  DataFolder folder;
};
