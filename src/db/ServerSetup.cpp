#include "db/ServerSetup.h"

#include <QFileInfo>

#include "data/Connections.h"
#include "data/PgEngine.h"
#include "db/EmployeeDatabase.h"
#include "db/ServerTable.h"
#include "platform/MessageBox.h"
#include "platform/Pointer.h"

namespace db {
namespace {
constexpr int kNotice = msg::OkOnly + msg::Exclamation;

QString employeesText(int n) {
  if (n == 0) return "no employees";
  return n == 1 ? QString("1 employee") : QString("%1 employees").arg(n);
}

QString unreachable(const QString& why) {
  return why + "\n\nThe program starts, but the employee window, the printing and the database "
               "maintenance cannot work until the server can be reached.  Please check the "
               "server, the network and the address in " + kServerFile + ".";
}

}  // namespace

ServerStart prepareServerTable(const QDir& folder) {
  std::optional<ServerAddress> server;
  try {
    server = configuredServer(folder);
  } catch (const DbError& e) {
    msgBox(unreachable(QString::fromUtf8(e.what())), kNotice, "Opps!");
    return ServerStart::Unreachable;
  }
  if (!server) return ServerStart::NoServer;
  try {
    ServerConnection connection(*server);
    if (!connection.tableNamed(kEmployeesTable).isEmpty()) return ServerStart::Ready;
  } catch (const DbError& e) {
    msgBox(unreachable(QString::fromUtf8(e.what())), kNotice, "Opps!");
    return ServerStart::Unreachable;
  }

  // The employees of this PC's employee.mdb come along, when it has one.
  const QString local = findFile(folder.filePath("employee.mdb"));
  QList<legacy::Employee> employees;
  if (!local.isEmpty()) {
    try {
      employees = fileEmployees(local);
    } catch (const DbError& e) {
      msgBox(QString("The employee table cannot be made on the database server %1: the employees "
                     "of %2 could not be read to bring them along (%3).  Nothing has been "
                     "changed.")
                 .arg(server->display(), QFileInfo(local).fileName(), QString::fromUtf8(e.what())),
             kNotice, "Opps!");
      return ServerStart::Failed;
    }
  }
  const QString copied =
      local.isEmpty()
          ? QString("It starts empty: this data folder has no employee.mdb to bring along.")
          : QString("The %1 of %2 in this data folder are copied into it, in their order, "
                    "numbered 1 to %3; the file itself is left as it is.")
                .arg(employeesText(int(employees.size())), QFileInfo(local).fileName())
                .arg(employees.size());
  if (msgBox(QString("The database server %1 named for this data folder has no employee table "
                     "yet.\n\nPress OK to make it there.  %2\n\nPress Cancel to leave the server "
                     "as it is.")
                 .arg(server->display(), employees.isEmpty() && !local.isEmpty()
                                             ? QString("It starts empty: %1 holds no employees.")
                                                   .arg(QFileInfo(local).fileName())
                                             : copied),
             msg::OkCancel + msg::Question, "Warning question") != msg::Ok)
    return ServerStart::Cancelled;
  try {
    BusyCursor busy;
    createServerTable(*server, employees);
  } catch (const DbError& e) {
    msgBox(QString("The employee table could not be made on the database server: %1  Nothing "
                   "has been changed.")
               .arg(QString::fromUtf8(e.what())),
           kNotice, "Opps!");
    return ServerStart::Failed;
  }
  msgBox(QString("The employee table has been made on the database server %1 with %2.")
             .arg(server->display(), employeesText(int(employees.size()))),
         kNotice, "Ok!");
  return ServerStart::Created;
}
}  // namespace db
