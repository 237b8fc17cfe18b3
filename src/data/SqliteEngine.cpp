#include "data/SqliteEngine.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <sqlite3.h>

#include "data/Connections.h"
#include "data/SqliteBusy.h"
#include "data/SqliteReadAhead.h"

namespace db {
namespace {
// Row ids a read spans before it is stepped on a thread of its own.
constexpr qint64 kLongWalk = 2048;

quint64 nextNumber() {
  static quint64 n = 0;
  return ++n;
}

class SqliteEngine : public Engine {
 public:
  explicit SqliteEngine(const QString& path)
      : path_(path), connection_(QString("rotawise-shared-%1").arg(nextNumber())) {
    QSqlDatabase::addDatabase("QSQLITE", connection_);
  }
  ~SqliteEngine() override {
    QSqlDatabase::database(connection_, false).close();
    QSqlDatabase::removeDatabase(connection_);
  }

  QString name() const override { return QFileInfo(path_).fileName(); }
  bool shared() const override { return false; }
  QString open() override { return openFileConnection(connection_, path_, Access::ReadWrite); }
  void close() override { database().close(); }

  QString tableNamed(const QString& table) override {
    QSqlQuery q = run("SELECT name FROM sqlite_master WHERE type IN ('table', 'view') AND name = ? "
                      "COLLATE NOCASE",
                      {table});
    return q.next() ? q.value(0).toString() : QString();
  }

  TableShape shape(const QString& table) override {
    TableShape out;
    QSqlQuery q = run("SELECT name, type FROM pragma_table_info(?) ORDER BY cid", {table});
    while (q.next()) {
      out.columns << q.value(0).toString();
      out.wholeNumber << q.value(1).toString().contains("INT", Qt::CaseInsensitive);
    }
    return out;
  }

  // Straight through SQLite: the driver's row-by-row values cost more than
  // the walk of a large table itself.
  QVector<qint64> rowIds(const QString& table) override {
    QVector<qint64> out;
    sqlite3* handle = rawHandle();
    sqlite3_stmt* statement = nullptr;
    const QByteArray sql = ("SELECT rowid FROM " + quoted(table) + " ORDER BY rowid").toUtf8();
    if (sqlite3_prepare_v2(handle, sql.constData(), -1, &statement, nullptr) != SQLITE_OK)
      failWithEngine(handle);
    int step;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW)
      out.append(sqlite3_column_int64(statement, 0));
    finishWalk(handle, statement, step);
    return out;
  }

  int count(const QString& table) override {
    QSqlQuery q = run("SELECT count(*) FROM " + quoted(table));
    return q.next() ? q.value(0).toInt() : 0;
  }

  void read(const QString& table, const QStringList& columns, qint64 first, qint64 last,
            RowSink& sink) override {
    QStringList names;
    for (const QString& c : columns) names << quoted(c);
    const QString sql = "SELECT rowid, " + names.join(", ") + " FROM " + quoted(table) +
                        " WHERE rowid BETWEEN ? AND ? ORDER BY rowid";
    sqlite3* handle = rawHandle();
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(handle, sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK)
      failWithEngine(handle);
    sqlite3_bind_int64(statement, 1, first);
    sqlite3_bind_int64(statement, 2, last);
    // The first step waits out a file held by another program, here where
    // the windows can paint; a long walk then goes on on two threads.
    int step = sqlite3_step(statement);
    try {
      if (step == SQLITE_ROW && last - first >= kLongWalk && sqlite3_threadsafe())
        step = readAhead(statement, int(columns.size()), sink);
      else
        step = readHere(statement, int(columns.size()), sink, step);
    } catch (...) {
      sqlite3_finalize(statement);  // a statement left open would keep the file held
      throw;
    }
    finishWalk(handle, statement, step);
  }

  bool readRow(const QString& table, qint64 id, const QStringList& columns,
               QVector<QVariant>* values, qint64* version) override {
    QStringList names;
    for (const QString& c : columns) names << quoted(c);
    QSqlQuery q =
        run("SELECT " + names.join(", ") + " FROM " + quoted(table) + " WHERE rowid = ?", {id});
    if (!q.next()) return false;
    values->clear();
    for (int i = 0; i < columns.size(); ++i) values->append(q.value(i));
    *version = 0;
    return true;
  }

  qint64 insert(const QString& table, const QStringList& columns,
                const QVariantList& values) override {
    QStringList names;
    for (const QString& c : columns) names << quoted(c);
    QSqlQuery q = columns.isEmpty()
                      ? run("INSERT INTO " + quoted(table) + " DEFAULT VALUES")
                      : run("INSERT INTO " + quoted(table) + " (" + names.join(", ") +
                                ") VALUES (" + QStringList(names.size(), "?").join(", ") + ")",
                            values);
    return q.lastInsertId().toLongLong();
  }

  UpdateOutcome update(const QString& table, qint64 id, const QStringList& columns,
                       const QVariantList& values, qint64, qint64* written) override {
    QStringList sets;
    for (const QString& c : columns) sets << quoted(c) + " = ?";
    QVariantList bound = values;
    bound << id;
    QSqlQuery q =
        run("UPDATE " + quoted(table) + " SET " + sets.join(", ") + " WHERE rowid = ?", bound);
    *written = 0;
    return q.numRowsAffected() == 1 ? UpdateOutcome::Written : UpdateOutcome::Gone;
  }

  bool remove(const QString& table, qint64 id) override {
    return run("DELETE FROM " + quoted(table) + " WHERE rowid = ?", {id}).numRowsAffected() == 1;
  }

  QVector<qint64> find(const QString& table, const QString& column, const QString& value,
                       qint64 first) override {
    QSqlQuery q = run("SELECT rowid FROM " + quoted(table) + " WHERE " + quoted(column) +
                          " = ? AND rowid >= ? ORDER BY rowid",
                      {value, first});
    QVector<qint64> out;
    while (q.next()) out << q.value(0).toLongLong();
    // A damaged page ends the search early: that is an error, not "not found".
    if (q.lastError().isValid()) failWith(q);
    return out;
  }

  void renumber(const QString& table, const QString& numberColumn) override {
    // One statement for the whole table, writing only the numbers that
    // change: a save at the end touches one record, not every one.
    const QString t = quoted(table);
    const QString number = quoted(numberColumn);
    QSqlQuery q(database());
    if (!q.exec("UPDATE " + t + " SET " + number +
                " = r.n FROM (SELECT rowid AS id, row_number() OVER (ORDER BY rowid) AS n FROM " +
                t + ") AS r WHERE " + t + ".rowid = r.id AND " + t + "." + number +
                " IS NOT r.n")) {
      if (isBusy(errorText(q.lastError()))) throw DbError(inUseMessage(name()).toStdString());
      throw DbError(QString("The records could not be renumbered (%1); their numbers are as they "
                            "were.")
                        .arg(errorText(q.lastError()))
                        .toStdString());
    }
  }

  QString begin() override {
    QSqlDatabase c = database();
    return c.transaction() ? QString() : errorText(c.lastError());
  }
  QString commit() override {
    QSqlDatabase c = database();
    return c.commit() ? QString() : errorText(c.lastError());
  }
  void rollback() override { database().rollback(); }

 private:
  QSqlDatabase database() const { return QSqlDatabase::database(connection_, false); }

  QSqlQuery run(const QString& sql, const QVariantList& values = {}) const {
    QSqlQuery q(database());
    if (!q.prepare(sql)) failWith(q);
    for (const QVariant& v : values) q.addBindValue(v);
    if (!q.exec()) failWith(q);
    return q;
  }

  [[noreturn]] void fail(const QString& why) const {
    if (isBusy(why)) throw DbError(inUseMessage(name()).toStdString());
    throw DbError(QString("The database %1 could not carry out the request (%2).")
                      .arg(name(), why)
                      .toStdString());
  }
  [[noreturn]] void failWith(const QSqlQuery& q) const { fail(errorText(q.lastError())); }
  [[noreturn]] void failWithEngine(sqlite3* handle) const {
    fail(QString::fromUtf8(sqlite3_errmsg(handle)));
  }

  // The end of a walk of the table: a damaged page ends it early, and that is
  // an error, not a shorter table.
  void finishWalk(sqlite3* handle, sqlite3_stmt* statement, int step) const {
    if (step != SQLITE_ROW && step != SQLITE_DONE) {
      const QString why = QString::fromUtf8(sqlite3_errmsg(handle));
      sqlite3_finalize(statement);
      fail(why);
    }
    sqlite3_finalize(statement);
  }

  static int readHere(sqlite3_stmt* statement, int columns, RowSink& sink, int step) {
    QVector<Cell> cells(columns);
    for (; step == SQLITE_ROW; step = sqlite3_step(statement)) {
      for (int i = 0; i < columns; ++i) cells[i] = sqliteCell(statement, i + 1);
      if (!sink.row(sqlite3_column_int64(statement, 0), cells.constData())) return SQLITE_DONE;
    }
    return step;
  }

  // The connection's own SQLite handle, for the reads that walk the table.
  sqlite3* rawHandle() const { return sqliteHandle(database()); }

  QString path_;
  QString connection_;
};
}  // namespace

std::unique_ptr<Engine> makeSqliteEngine(const QString& path) {
  return std::make_unique<SqliteEngine>(path);
}
}  // namespace db
