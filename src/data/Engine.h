#pragma once
// The database engine behind the record set: SQLite in the data folder
// (employee.mdb), or a PostgreSQL server that several PCs share. The record
// set, the data control and the windows talk to this interface only; what
// is particular to an engine (SQLite's fast block reads through its own
// library, the server's identity column and row versions) stays behind it.
//
// Rows are named by an id that keeps the table order: SQLite's rowid, the
// server table's identity column. Every method throws DbError with words for
// the user that name the database (the file, or the server without its
// password).
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

namespace db {

// One value of a row as the engine hands it over; a text is lent as UTF-8
// bytes (valid during the call), so repeated texts can be shared.
struct Cell {
  enum class Kind { Null, Integer, Real, Utf8, Blob, Variant };
  Kind kind = Kind::Null;
  qint64 integer = 0;
  double real = 0;
  const char* data = nullptr;
  int bytes = 0;
  const QVariant* variant = nullptr;  // Variant: a value the driver made
};

class RowSink {
 public:
  virtual ~RowSink() = default;
  // One row of a read, in table order; cells[i] is the i-th column asked for.
  // Returning false ends the read.
  virtual bool row(qint64 id, const Cell* cells) = 0;
};

struct TableShape {
  QStringList columns;       // as the database spells them, in table order
  QVector<bool> wholeNumber;  // by column
};

enum class UpdateOutcome { Written, Changed, Gone };

class Engine {
 public:
  virtual ~Engine() = default;

  // The database in words for messages, after "The database": "employee.mdb",
  // or "server host:port/dbname".
  virtual QString name() const = 0;
  // Rows written on other PCs may differ from what was read a moment ago:
  // a record about to be shown is read again, and updates carry its version.
  virtual bool shared() const = 0;

  // Opens the connection; returns why it cannot, empty when it is open.
  virtual QString open() = 0;
  virtual void close() = 0;

  // The table of that name whatever its letter case, as the database spells
  // it; empty when there is none.
  virtual QString tableNamed(const QString& name) = 0;
  virtual TableShape shape(const QString& table) = 0;
  virtual QVector<qint64> rowIds(const QString& table) = 0;  // table order
  virtual int count(const QString& table) = 0;
  // The chosen columns of the rows with ids from `first` to `last`, in order.
  virtual void read(const QString& table, const QStringList& columns, qint64 first, qint64 last,
                    RowSink& sink) = 0;
  // One row as it is now, every column of `columns`, with its version (0 on
  // an engine that keeps none); false when the row is gone.
  virtual bool readRow(const QString& table, qint64 id, const QStringList& columns,
                       QVector<QVariant>* values, qint64* version) = 0;

  virtual qint64 insert(const QString& table, const QStringList& columns,
                        const QVariantList& values) = 0;
  // Writes the columns of row `id`. With a version (> 0) the row is written
  // only while it still has that version; `written` gets the new one.
  virtual UpdateOutcome update(const QString& table, qint64 id, const QStringList& columns,
                               const QVariantList& values, qint64 version, qint64* written) = 0;
  virtual bool remove(const QString& table, qint64 id) = 0;
  // Ids of the rows from `first` on whose column equals `value`, in order.
  virtual QVector<qint64> find(const QString& table, const QString& column, const QString& value,
                               qint64 first) = 0;
  // Number = 1..n in table order, writing only the numbers that change.
  virtual void renumber(const QString& table, const QString& numberColumn) = 0;

  // A transaction holds the table against other writers until it ends, so a
  // write and the renumbering that follows it are one unit on every PC.
  virtual QString begin() = 0;  // empty when begun
  virtual QString commit() = 0;
  virtual void rollback() = 0;
};

}  // namespace db
