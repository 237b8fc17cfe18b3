#pragma once
// One shared connection per database file. Every record set of every window
// that works on a file (employee.mdb) goes through the same connection, so that the
// maintenance actions can close it, move the files, and open it again on the
// new file: afterwards every open record set works on the new file, and no
// edit can land in the old one under its new name (Backup.mdb).
#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <memory>

#include "data/DbError.h"
#include "data/Engine.h"

struct sqlite3;

namespace db {

// The file `name` in its folder (the current directory for a bare name),
// matched without regard to case; an exact match wins. Absolute path, or
// empty when there is no such file.
QString findFile(const QString& name);

// Why `path` cannot be an SQLite database (missing, a folder, unreadable,
// not a database file); empty when its header says it is one.
QString notADatabaseReason(const QString& path);

// Opens a private connection to an existing database file, never creating
// one (except with CreateNew, which the repair uses for the file it
// rebuilds, and which refuses a file that is already there). The connection
// is closed and removed when the object goes away. Throws DbError with a
// reason a user understands.
enum class Access { ReadWrite, ReadOnly, CreateNew };
// Opens `connection` (added with the QSQLITE driver) on the file; returns
// the reason in words when it cannot.
QString openFileConnection(const QString& connection, const QString& path, Access access);
class PrivateConnection {
 public:
  explicit PrivateConnection(const QString& path, Access access = Access::ReadWrite);
  ~PrivateConnection();
  PrivateConnection(const PrivateConnection&) = delete;
  PrivateConnection& operator=(const PrivateConnection&) = delete;
  QSqlDatabase database() const;

 private:
  QString name_;
};

// Told when the shared connection of its file was opened again (after a
// compaction or repair replaced the file), so it can re-read its records.
class Listener {
 public:
  virtual ~Listener() = default;
  virtual void databaseReopened() = 0;
  // A transaction of the file was rolled back: rows written in it are gone.
  virtual void transactionRolledBack() {}
};

// A record set's hold on the shared connection of one database: a file, or
// a server by its key (serverByKey). The connection is opened by the first
// handle and closed when the last one goes.
class Handle {
 public:
  // `path` must name an existing file or a known server; throws DbError
  // otherwise, with the reason.
  Handle(const QString& path, Listener* listener);
  ~Handle();
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;

  QString path() const { return key_; }
  // Throws DbError while the file is closed for maintenance or could not be
  // opened again.
  Engine& engine() const;
  // Goes up with every write through any handle of the file, so cached
  // records can tell they are stale.
  quint64 generation() const { return *generation_; }
  void changed() { ++*generation_; }

 private:
  QString key_;
  Listener* listener_;
  std::shared_ptr<quint64> generation_;  // shared by the file's handles; cheap to read
};

// Closes the shared connection of a file for as long as it lives (files can
// then be moved), and opens it again when it goes, telling every listener.
// A file nobody has open is left alone.
class Suspension {
 public:
  explicit Suspension(const QString& path);
  ~Suspension();
  Suspension(const Suspension&) = delete;
  Suspension& operator=(const Suspension&) = delete;

 private:
  QString key_;
};

// Groups every write to the file made while it lives (through any record set
// of the file) into one transaction: all of them reach the file or none, even
// when the program is killed half way. A transaction begun while another is
// open joins it. One that goes without commit() is rolled back (the outermost
// rolls back the whole), and the record sets of the file read again what is
// there. Holds the shared connection open, so a record set may be closed and
// opened again inside it. Throws DbError when it cannot begin or commit.
class Transaction {
 public:
  explicit Transaction(const QString& path);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  void commit();

 private:
  Handle handle_;
  bool finished_ = false;
};

// The number of handles open on the file (tests and diagnostics).
int openHandles(const QString& path);

// The SQLite library's own handle of a connection (for fast block reads and
// writes); throws DbError when it is not an open SQLite connection.
sqlite3* sqliteHandle(const QSqlDatabase& connection);

// The engine's own words for an error ("database disk image is malformed").
QString errorText(const QSqlError& error);

// Quotes a table or field name for SQL; names come from the schema, never
// from what a user typed.
QString quoted(const QString& identifier);

}  // namespace db
