#pragma once
// What keeps the staff list safe on its way to a database server and in the
// setting that names it: connections to a server on another computer are
// encrypted unless the address says otherwise, a password is never taken
// from a file other users can read, and the program can say whether the
// connection it has is encrypted.
#include <QDir>
#include <QString>

#include "data/ServerAddress.h"

struct pg_conn;  // libpq's connection

namespace db {
// True when the host names this PC: its local socket (a folder, or none at
// all), "localhost", or a loopback address. A list of hosts is this PC only
// when each of them is.
bool isThisPc(const QString& host);

// The connection settings with "sslmode=require" added when the server is
// not this PC and neither the settings nor libpq's PGSSLMODE name a mode.
QString withDefaultSslMode(const QString& host, const QString& options);

// Throws DbError saying how to fix it when the address read from `file`
// holds a password and users other than its owner may read the file (as
// libpq refuses such a ~/.pgpass).
void refusePasswordOthersCanRead(const QString& file, const ServerAddress& address);

// Remembers whether the connection just opened to the server is encrypted.
void noteConnectionSecurity(const ServerAddress& address, pg_conn* connection);
// "encrypted (TLSv1.3)" or "not encrypted" for the last connection made to
// the server; empty when none was made.
QString connectionSecurity(const ServerAddress& address);

// For the main window's status bar: "" for a data folder without a server,
// else the server and whether the connection to it is encrypted
// ("Server db:5432/rota: encrypted (TLSv1.3).").
QString serverConnectionNote(const QDir& folder = QDir::current());

// Why a connection to the server failed, in words for the user: where it
// failed for want of encryption, what to do about it.
QString connectionFailure(const ServerAddress& address, const QString& reason);
}  // namespace db
