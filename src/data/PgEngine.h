#pragma once
// A table on a PostgreSQL server that several PCs share, through
// Qt SQL's QPSQL driver. The server table carries two columns of its own,
// hidden from the record set: row_id, an identity that gives the table order
// (as SQLite's rowid does), and version, which every update the program
// makes moves on, so an update of a record that another PC changed since it
// was shown is refused instead of overwriting it.
#include <QSqlDatabase>
#include <QSqlQuery>
#include <memory>

#include "data/Engine.h"
#include "data/ServerAddress.h"

struct pg_conn;  // libpq's connection

namespace db {
std::unique_ptr<Engine> makeServerEngine(const ServerAddress& address);

// The columns the server table keeps for the program.
inline const QString kRowIdColumn = "row_id";
inline const QString kVersionColumn = "version";

// A connection of its own to the server, for maintenance and set-up; closed
// when it goes. Throws DbError naming the server and its reason.
class ServerConnection {
 public:
  explicit ServerConnection(const ServerAddress& address);
  ~ServerConnection();
  ServerConnection(const ServerConnection&) = delete;
  ServerConnection& operator=(const ServerConnection&) = delete;
  QSqlDatabase database() const;
  const ServerAddress& address() const { return address_; }
  // Runs a statement with its values bound; throws DbError naming the server.
  QSqlQuery run(const QString& sql, const QVariantList& values = {}) const;
  // The table of that name whatever its letter case, as the server spells
  // it; empty when there is none.
  QString tableNamed(const QString& table) const;

 private:
  ServerAddress address_;
  QString name_;
};

// Opens `connection` (already added with the QPSQL driver) on the server;
// returns the reason in words when it cannot.
QString openServerConnection(const QString& connection, const ServerAddress& address);

// libpq's own handle of an open QPSQL connection; null when there is none.
::pg_conn* libpqHandle(const QSqlDatabase& connection);

// The server's own words for what went wrong, on one line.
QString serverReason(const QSqlError& error);
}  // namespace db
