#pragma once
// Where a data folder keeps the program's table when several PCs share it: a
// PostgreSQL server named by a URI, postgresql://user@host:port/dbname, in
// the file database.url of the data folder (its first line), or in the
// environment variable ROTAWISE_DATABASE, which wins over the file. The
// password comes from the user's ~/.pgpass, or from the URI.
#include <QDir>
#include <QString>
#include <optional>

namespace db {

struct ServerAddress {
  QString host;  // empty: the server of this PC, through its local socket
  int port = 5432;
  QString database;
  QString user;
  QString password;
  QString options;  // the URI's further settings, "sslmode=require connect_timeout=5"

  // The server in words for messages, never with the password: host:port/dbname.
  QString display() const;
  // Names the server and database uniquely, without the password.
  QString key() const;
};

inline const QString kServerFile = "database.url";
inline const QString kServerVariable = "ROTAWISE_DATABASE";

// Reads a URI; nullopt with the reason in words when it is not one.
std::optional<ServerAddress> parseServerUri(const QString& uri, QString* error);

// The server the data folder keeps its table on, or nullopt for the
// program's database file. A setting that cannot be read throws DbError saying where it
// is and what is wrong, so nothing is written to the wrong database.
std::optional<ServerAddress> configuredServer(const QDir& folder = QDir::current());

// The server a database name of the program stands for: the program's
// database file (TableRules.h), in any letter case, in a data folder that
// names a server. Other files stay files.
std::optional<ServerAddress> serverFor(const QString& databaseName);

// The address registered under its key by configuredServer (so a
// transaction or a record set can join the connection by key).
std::optional<ServerAddress> serverByKey(const QString& key);

}  // namespace db
