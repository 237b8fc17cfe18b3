// Makes the generated businesses (when missing or out of date) and prints
// where they are, for the SQLite floors of run.sh:  bench_data 500 32767
// With --server URI first, each business's table is also put on that
// PostgreSQL server, in a database of its own (rotawise_floor_500, ...), for
// the server's floors.
#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <exception>
#include <stdexcept>

#include "data/PgEngine.h"
#include "db/EmployeeDatabase.h"
#include "db/ServerTable.h"
#include "support/Business.h"

namespace {
void putOnServer(const QString& adminUri, int employees, const QString& folder) {
  QString why;
  const auto admin = db::parseServerUri(adminUri, &why);
  if (!admin) throw std::runtime_error(("--server: " + why).toStdString());
  db::ServerAddress server = *admin;
  server.database = QString("rotawise_floor_%1").arg(employees);
  db::ServerConnection(*admin).run("DROP DATABASE IF EXISTS " + server.database);
  db::ServerConnection(*admin).run("CREATE DATABASE " + server.database);
  db::createServerTable(server, db::fileEmployees(QDir(folder).filePath("employee.mdb")));
}
}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  db::registerEmployeeDatabase();
  try {
    QString server;
    for (int i = 1; i < argc; ++i) {
      if (QString(argv[i]) == "--server" && i + 1 < argc) {
        server = argv[++i];
        continue;
      }
      const int employees = QString(argv[i]).toInt();
      const QString folder = bench::businessFolder(employees);
      if (!server.isEmpty()) putOnServer(server, employees, folder);
      std::printf("%s\n", qPrintable(folder));
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bench_data: %s\n", e.what());
    return 1;
  }
  return 0;
}
