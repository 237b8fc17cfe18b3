#include "support/ServerDatabase.h"

#include <QCoreApplication>
#include <QSqlError>

#include "data/PgEngine.h"
#include "db/ServerTable.h"
#include "support/TestSupport.h"

namespace {
db::ServerAddress testServer() {
  QString why;
  const auto address = db::parseServerUri(qEnvironmentVariable("ROTAWISE_TEST_PG_URI"), &why);
  if (!address) qFatal("ROTAWISE_TEST_PG_URI: %s", qPrintable(why));
  return *address;
}

void onAdminDatabase(const QString& sql) {
  db::ServerConnection admin(testServer());
  admin.run(sql);
}
}  // namespace

std::string homeName(const testing::TestParamInfo<Home>& info) {
  return info.param == Home::File ? "File" : "Server";
}

bool testServerAvailable() { return !qEnvironmentVariable("ROTAWISE_TEST_PG_URI").isEmpty(); }

ServerDatabase::ServerDatabase() {
  static int made = 0;
  name_ = QString("rotawise_test_%1_%2").arg(QCoreApplication::applicationPid()).arg(++made);
  address_ = testServer();
  address_.database = name_;
  onAdminDatabase("CREATE DATABASE " + name_);
}

ServerDatabase::~ServerDatabase() {
  connection_.reset();
  try {
    onAdminDatabase("DROP DATABASE IF EXISTS " + name_ + " WITH (FORCE)");
  } catch (const std::exception& e) {
    ADD_FAILURE() << "the test database could not be dropped: " << e.what();
  }
}

QString ServerDatabase::uri() const {
  return QString("postgresql://%1@%2:%3/%4")
      .arg(address_.user, address_.host)
      .arg(address_.port)
      .arg(address_.database);
}

void ServerDatabase::pointFolderAt(const DataFolder& folder) const {
  const_cast<DataFolder&>(folder).write(db::kServerFile, (uri() + "\n").toUtf8());
}

void ServerDatabase::createTable() const { db::createServerTable(address_, {}); }

QSqlQuery ServerDatabase::exec(const QString& sql, const QVariantList& values) const {
  if (!connection_) connection_ = std::make_unique<db::ServerConnection>(address_);
  return connection_->run(sql, values);
}

TableHome::TableHome(Home home, DataFolder& folder) : home_(home), folder_(folder) {}

void TableHome::install() {
  if (home_ == Home::Server) {
    server_ = std::make_unique<ServerDatabase>();
    server_->pointFolderAt(folder_);
    server_->createTable();
  } else {
    folder_.install("employee.mdb");
  }
}
