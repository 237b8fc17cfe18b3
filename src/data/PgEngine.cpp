#include "data/PgEngine.h"

#include <QCoreApplication>
#include <QHash>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <libpq-fe.h>

#include <cstdlib>
#include <memory>

#include "data/Connections.h"
#include "data/ServerSecurity.h"
#include "data/TableRules.h"

namespace db {
namespace {
quint64 nextNumber() {
  static quint64 n = 0;
  return ++n;
}

QString columnList(const QStringList& columns) {
  QStringList names;
  for (const QString& c : columns) names << quoted(c);
  return names.join(", ");
}

// The server's own catalogue answers in a fraction of the time its
// information_schema views take.
QString tableQuery() {
  return "SELECT relname FROM pg_class WHERE relkind IN ('r', 'v', 'p') AND relnamespace = "
         "current_schema()::regnamespace AND lower(relname) = lower(?) ORDER BY relname = ? DESC";
}

// Values are bound, never pasted in; a statement without values goes as it
// is (the driver cannot prepare statements such as CREATE or VACUUM).
bool execute(QSqlQuery& q, const QString& sql, const QVariantList& values) {
  if (values.isEmpty()) return q.exec(sql);
  if (!q.prepare(sql)) return false;
  for (const QVariant& v : values) q.addBindValue(v);
  return q.exec();
}

class ServerEngine : public Engine {
 public:
  explicit ServerEngine(const ServerAddress& address)
      : address_(address), connection_(QString("rotawise-server-%1").arg(nextNumber())) {
    QSqlDatabase::addDatabase("QPSQL", connection_);
  }
  ~ServerEngine() override {
    QSqlDatabase::database(connection_, false).close();
    QSqlDatabase::removeDatabase(connection_);
  }

  QString name() const override { return "server " + address_.display(); }
  bool shared() const override { return true; }

  QString open() override {
    // A connection kept from before is used again while the server answers.
    shapes_.clear();
    if (!lost_ && database().isOpen() && QSqlQuery(database()).exec("SELECT 1")) return {};
    database().close();
    const QString why = openServerConnection(connection_, address_);
    lost_ = !why.isEmpty();
    inTransaction_ = false;
    return why;
  }
  void close() override { database().close(); }

  QString tableNamed(const QString& table) override {
    QSqlQuery q = run(tableQuery(), {table, table});
    if (!q.next()) return {};
    return q.value(0).toString();
  }

  TableShape shape(const QString& table) override {
    // Read once a connection: every window opens the table again and again.
    if (auto it = shapes_.constFind(table); it != shapes_.cend()) return *it;
    TableShape out;
    QSqlQuery q = run("SELECT attname, format_type(atttypid, atttypmod) FROM pg_attribute WHERE "
                      "attrelid = (SELECT oid FROM pg_class WHERE relname = ? AND relnamespace = "
                      "current_schema()::regnamespace) AND attnum > 0 AND NOT attisdropped "
                      "ORDER BY attnum",
                      {table});
    while (q.next()) {
      const QString column = q.value(0).toString();
      if (column == kRowIdColumn || column == kVersionColumn) continue;  // the program's own
      out.columns << column;
      out.wholeNumber << q.value(1).toString().contains("int", Qt::CaseInsensitive);
    }
    shapes_.insert(table, out);
    return out;
  }

  QVector<qint64> rowIds(const QString& table) override {
    QVector<qint64> out;
    QSqlQuery q = run("SELECT row_id FROM " + quoted(table) + " ORDER BY row_id", {}, true);
    while (q.next()) out.append(q.value(0).toLongLong());
    if (q.lastError().isValid()) failWith(q.lastError());
    return out;
  }

  int count(const QString& table) override {
    QSqlQuery q = run("SELECT count(*) FROM " + quoted(table));
    return q.next() ? q.value(0).toInt() : 0;
  }

  void read(const QString& table, const QStringList& columns, qint64 first, qint64 last,
            RowSink& sink) override {
    // Through libpq itself, as the server's texts: the driver would make a
    // value of every field of a large table first.
    ensureOpen();
    PGconn* connection = libpqHandle(database());
    if (!connection) fail("the connection is not a PostgreSQL one");
    const QByteArray sql = ("SELECT row_id, " + columnList(columns) + " FROM " + quoted(table) +
                            " WHERE row_id BETWEEN $1 AND $2 ORDER BY row_id")
                               .toUtf8();
    const QByteArray from = QByteArray::number(first), to = QByteArray::number(last);
    const char* values[] = {from.constData(), to.constData()};
    const std::unique_ptr<PGresult, decltype(&PQclear)> rows(
        PQexecParams(connection, sql.constData(), 2, nullptr, values, nullptr, nullptr, 0), PQclear);
    if (PQresultStatus(rows.get()) != PGRES_TUPLES_OK) {
      const QString why = QString::fromUtf8(PQresultErrorMessage(rows.get())).simplified();
      checkConnection();
      fail(why.isEmpty() ? QString("no answer") : why);
    }
    const TableShape kinds = shape(table);
    QVector<bool> whole;
    for (const QString& c : columns) whole << kinds.wholeNumber.value(int(kinds.columns.indexOf(c)));
    QVector<Cell> cells(columns.size());
    for (int r = 0; r < PQntuples(rows.get()); ++r) {
      for (int i = 0; i < cells.size(); ++i) {
        Cell& cell = cells[i];
        cell = Cell();
        if (PQgetisnull(rows.get(), r, i + 1)) continue;
        const char* text = PQgetvalue(rows.get(), r, i + 1);
        if (whole[i]) {
          cell.kind = Cell::Kind::Integer;
          cell.integer = QByteArray::fromRawData(text, PQgetlength(rows.get(), r, i + 1)).toLongLong();
        } else {
          cell.kind = Cell::Kind::Utf8;
          cell.data = text;
          cell.bytes = PQgetlength(rows.get(), r, i + 1);
        }
      }
      if (!sink.row(std::strtoll(PQgetvalue(rows.get(), r, 0), nullptr, 10), cells.constData())) return;
    }
  }

  bool readRow(const QString& table, qint64 id, const QStringList& columns,
               QVector<QVariant>* values, qint64* version) override {
    QSqlQuery q = run("SELECT version, " + columnList(columns) + " FROM " + quoted(table) +
                          " WHERE row_id = ?",
                      {id});
    if (!q.next()) return false;
    *version = q.value(0).toLongLong();
    values->clear();
    for (int i = 0; i < columns.size(); ++i) values->append(q.value(i + 1));
    return true;
  }

  qint64 insert(const QString& table, const QStringList& columns,
                const QVariantList& values) override {
    QSqlQuery q = columns.isEmpty()
                      ? run("INSERT INTO " + quoted(table) + " DEFAULT VALUES RETURNING row_id")
                      : run("INSERT INTO " + quoted(table) + " (" + columnList(columns) +
                                ") VALUES (" + QStringList(columns.size(), "?").join(", ") +
                                ") RETURNING row_id",
                            values);
    if (!q.next()) fail("the server did not say which row it added");
    return q.value(0).toLongLong();
  }

  UpdateOutcome update(const QString& table, qint64 id, const QStringList& columns,
                       const QVariantList& values, qint64 version, qint64* written) override {
    QStringList sets;
    for (const QString& c : columns) sets << quoted(c) + " = ?";
    sets << "version = version + 1";
    QVariantList bound = values;
    bound << id;
    QString where = " WHERE row_id = ?";
    if (version > 0) {
      where += " AND version = ?";
      bound << version;
    }
    QSqlQuery q = run("UPDATE " + quoted(table) + " SET " + sets.join(", ") + where +
                          " RETURNING version",
                      bound);
    if (q.next()) {
      *written = q.value(0).toLongLong();
      return UpdateOutcome::Written;
    }
    QSqlQuery there = run("SELECT 1 FROM " + quoted(table) + " WHERE row_id = ?", {id});
    return there.next() ? UpdateOutcome::Changed : UpdateOutcome::Gone;
  }

  bool remove(const QString& table, qint64 id) override {
    return run("DELETE FROM " + quoted(table) + " WHERE row_id = ?", {id}).numRowsAffected() == 1;
  }

  QVector<qint64> find(const QString& table, const QString& column, const QString& value,
                       qint64 first) override {
    QSqlQuery q = run("SELECT row_id FROM " + quoted(table) + " WHERE " + quoted(column) +
                          " = ? AND row_id >= ? ORDER BY row_id",
                      {value, first}, true);
    QVector<qint64> out;
    while (q.next()) out << q.value(0).toLongLong();
    if (q.lastError().isValid()) failWith(q.lastError());
    return out;
  }

  void renumber(const QString& table, const QString& numberColumn) override {
    const QString t = quoted(table);
    const QString number = quoted(numberColumn);
    run("UPDATE " + t + " AS e SET " + number + " = r.n FROM (SELECT row_id AS id, row_number() "
        "OVER (ORDER BY row_id) AS n FROM " + t + ") AS r WHERE e.row_id = r.id AND e." + number +
        " IS DISTINCT FROM r.n");
  }

  QString begin() override {
    try {
      ensureOpen();
    } catch (const DbError& e) {
      return QString::fromUtf8(e.what());
    }
    QSqlDatabase c = database();
    if (!c.transaction()) return serverReason(c.lastError());
    inTransaction_ = true;
    // Other PCs read on while this one writes; their writes wait for it, so
    // a save or delete and the renumbering after it are one unit.
    if (held_.isEmpty()) held_ = writtenTables();
    for (const QString& table : held_) {
      QSqlQuery lock(c);
      if (!lock.exec("LOCK TABLE " + quoted(table) + " IN EXCLUSIVE MODE")) {
        const QString why = serverReason(lock.lastError());
        rollback();
        return why;
      }
    }
    return {};
  }

  QString commit() override {
    QSqlDatabase c = database();
    const bool ok = !lost_ && c.commit();
    const QString why = ok ? QString() : lost_ ? QString("the connection to the server was lost")
                                               : serverReason(c.lastError());
    if (!ok) checkConnection();
    inTransaction_ = false;
    return why;
  }

  void rollback() override {
    if (!lost_) database().rollback();
    inTransaction_ = false;
  }

 private:
  QSqlDatabase database() const { return QSqlDatabase::database(connection_, false); }

  // The tables the program writes (those with rules) that the server has.
  QStringList writtenTables() {
    QStringList found;
    for (const QString& table : tablesWithRules()) {
      QSqlQuery q(database());
      q.prepare(tableQuery());
      q.addBindValue(table);
      q.addBindValue(table);
      if (q.exec() && q.next()) found << q.value(0).toString();
    }
    return found;
  }

  // A connection found dead is opened again at the next action, unless a
  // transaction was under way: the server has dropped it, so the rest of
  // that change must fail too.
  void ensureOpen() {
    if (!lost_) return;
    if (inTransaction_)
      throw DbError(QString("The connection to the database server %1 was lost; nothing of this "
                            "change was saved.")
                        .arg(address_.display())
                        .toStdString());
    database().close();
    const QString why = open();
    if (!why.isEmpty()) throw DbError(why.toStdString());
  }

  // After a failed statement: is the connection still there? libpq knows
  // without asking the server (a statement would fail anyway inside a
  // transaction the error has spoilt).
  void checkConnection() {
    PGconn* connection = libpqHandle(database());
    if (!connection || PQstatus(connection) == CONNECTION_BAD) lost_ = true;
  }

  QSqlQuery run(const QString& sql, const QVariantList& values = {}, bool forward = false) {
    ensureOpen();
    QSqlQuery q(database());
    q.setForwardOnly(forward);
    const bool ok = execute(q, sql, values);
    if (!ok) {
      const QSqlError error = q.lastError();
      q = QSqlQuery();
      checkConnection();
      failWith(error);
    }
    return q;
  }

  [[noreturn]] void failWith(const QSqlError& error) { fail(serverReason(error)); }
  [[noreturn]] void fail(const QString& why) {
    if (lost_)
      throw DbError(QString("The connection to the database server %1 was lost (%2), so this "
                            "action was not carried out and nothing of it was saved.  The program "
                            "connects again at the next action.")
                        .arg(address_.display(), why)
                        .toStdString());
    throw DbError(QString("The database server %1 could not carry out the request (%2).")
                      .arg(address_.display(), why)
                      .toStdString());
  }

  ServerAddress address_;
  QString connection_;
  QStringList held_;  // the tables a transaction holds, as the server spells them
  QHash<QString, TableShape> shapes_;
  bool lost_ = false;
  bool inTransaction_ = false;
};
}  // namespace

PGconn* libpqHandle(const QSqlDatabase& connection) {
  if (!connection.isValid()) return nullptr;
  const QVariant v = connection.driver()->handle();
  // The driver names the type by libpq's struct (pg_conn*).
  if (!v.isValid() || (qstrcmp(v.typeName(), "pg_conn*") != 0 && qstrcmp(v.typeName(), "PGconn*") != 0))
    return nullptr;
  return *static_cast<PGconn* const*>(v.constData());
}

QString serverReason(const QSqlError& error) {
  const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
  // libpq writes a sentence a line ("Connection refused\n\tIs the server
  // running ...?"): on one line, each still ends as a sentence.
  QStringList sentences;
  for (const QString& line : text.split('\n')) {
    QString s = line.simplified();
    if (s.isEmpty()) continue;
    if (!sentences.isEmpty() && !QString(".?!:;").contains(sentences.last().back()))
      sentences.last() += '.';
    sentences << s;
  }
  return sentences.join(' ').remove(QRegularExpression("\\.$"));
}

QString openServerConnection(const QString& connection, const ServerAddress& address) {
  if (!QSqlDatabase::isDriverAvailable("QPSQL"))
    return QString("The database server %1 cannot be reached: the PostgreSQL driver of Qt is not "
                   "installed on this PC (Debian package libqt6sql6-psql).")
        .arg(address.display());
  QSqlDatabase db = QSqlDatabase::database(connection, false);
  db.setHostName(address.host);
  db.setPort(address.port);
  db.setDatabaseName(address.database);
  db.setUserName(address.user);
  db.setPassword(address.password);
  db.setConnectOptions(address.options);
  if (db.open()) {
    noteConnectionSecurity(address, libpqHandle(db));
    return {};
  }
  return connectionFailure(address, serverReason(db.lastError()));
}

std::unique_ptr<Engine> makeServerEngine(const ServerAddress& address) {
  return std::make_unique<ServerEngine>(address);
}

namespace {
// Maintenance connections are kept for the next one to the same server:
// a new connection costs the server a process and its first reads.
QHash<QString, QString>& idleConnections() {
  static QHash<QString, QString> idle;
  static const bool closedAtExit = [] {
    qAddPostRoutine([] {
      for (const QString& name : std::as_const(idleConnections())) {
        QSqlDatabase::database(name, false).close();
        QSqlDatabase::removeDatabase(name);
      }
      idleConnections().clear();
    });
    return true;
  }();
  Q_UNUSED(closedAtExit);
  return idle;
}
}  // namespace

ServerConnection::ServerConnection(const ServerAddress& address) : address_(address) {
  if (const QString kept = idleConnections().take(address.key()); !kept.isEmpty()) {
    QSqlDatabase db = QSqlDatabase::database(kept, false);
    if (db.isOpen() && QSqlQuery(db).exec("SELECT 1")) {
      name_ = kept;
      return;
    }
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(kept);
  }
  name_ = QString("rotawise-server-own-%1").arg(nextNumber());
  QSqlDatabase::addDatabase("QPSQL", name_);
  const QString why = openServerConnection(name_, address);
  if (!why.isEmpty()) {
    QSqlDatabase::removeDatabase(name_);
    throw DbError(why.toStdString());
  }
}

ServerConnection::~ServerConnection() {
  QSqlDatabase db = QSqlDatabase::database(name_, false);
  auto& idle = idleConnections();
  if (db.isOpen() && !idle.contains(address_.key())) {
    idle.insert(address_.key(), name_);
    return;
  }
  db.close();
  db = QSqlDatabase();
  QSqlDatabase::removeDatabase(name_);
}

QSqlDatabase ServerConnection::database() const { return QSqlDatabase::database(name_, false); }

QSqlQuery ServerConnection::run(const QString& sql, const QVariantList& values) const {
  QSqlQuery q(database());
  if (!execute(q, sql, values))
    throw DbError(QString("The database server %1 could not carry out the request (%2).")
                      .arg(address_.display(), serverReason(q.lastError()))
                      .toStdString());
  return q;
}

QString ServerConnection::tableNamed(const QString& table) const {
  QSqlQuery q = run(tableQuery(), {table, table});
  return q.next() ? q.value(0).toString() : QString();
}
}  // namespace db
