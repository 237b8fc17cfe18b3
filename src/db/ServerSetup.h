#pragma once
// The start-up step of a data folder that keeps its table on a database
// server: connect, and when the server has no employee table yet, offer to
// make it and to bring the employees of the local employee.mdb along.
#include <QDir>

namespace db {
enum class ServerStart {
  NoServer,     // the folder keeps its table in employee.mdb
  Ready,        // connected; the table is there
  Unreachable,  // said so in one "Opps!" box; the program starts all the same
  Created,
  Cancelled,    // the user said no: nothing changed
  Failed,       // the reason was shown; nothing changed on the server
};

ServerStart prepareServerTable(const QDir& folder = QDir::current());
}  // namespace db
