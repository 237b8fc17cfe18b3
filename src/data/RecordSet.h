#pragma once
// A record set over one table of a database, with the operations
// of the old data control's record set. Records come in table order (SQLite
// rowid). Field names are matched without regard to case. Every statement is
// parameterised: nothing a user typed is ever pasted into SQL.
//
// Operations that cannot be carried out (no current record, database not
// open, a failed statement) throw DbError; the windows catch it at the top of
// their handlers, as the old code's error handlers did.
//
// Every record set on the same file shares one connection (data/Connections.h):
// when the maintenance actions replace the file, every open record set goes
// on working on the new one, at the same position.
//
// Moving, finding or renumbering while an Edit() or AddNew() is pending
// writes it first (Update), so no edit is lost on the way.
#include <QHash>
#include <QString>
#include <functional>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include "data/DbError.h"

class RecordSet {
 public:
  RecordSet() = default;
  ~RecordSet();
  RecordSet(const RecordSet&) = delete;
  RecordSet& operator=(const RecordSet&) = delete;

  // Opens `table` of the database file `databaseName` (matched in its folder
  // without regard to case). A missing file, a file that is not a database or
  // a database without the table is an error: nothing is ever created.
  void open(const QString& databaseName, const QString& table);
  void close();
  bool isOpen() const;
  QString table() const;         // as the database spells it
  // The file found, absolute, or the key of the server that holds the table
  // (for db::Transaction); empty when closed.
  QString databasePath() const;

  // Moves follow the old record set: MoveFirst/MoveLast on an empty table,
  // MoveNext at EOF and MovePrevious at BOF throw DbError ("No current
  // record"); MoveNext from the last record reaches EOF.
  bool isBOF() const;  // before the first record (or no records)
  bool isEOF() const;  // after the last record (or no records)
  int RecordCount() const;
  int AbsolutePosition() const;  // 0-based, -1 when there is no current record
  bool hasCurrent() const;

  void MoveFirst();
  void MoveLast();
  void MoveNext();
  void MovePrevious();
  void moveTo(int position);
  // The current record's identity (its rowid), stable while rows come and go;
  // -1 when there is no current record. moveToBookmark() returns false when
  // that record no longer exists, leaving the position where it was.
  qint64 Bookmark() const;
  bool moveToBookmark(qint64 bookmark);
  // A compaction replaces the file and may give records new row ids: a
  // bookmark taken before it is translated by the record's place in the order.
  int fileReplacements() const;
  qint64 translateBookmark(qint64 bookmark, int replacementsThen) const;

  // Reads the current record again where other PCs may have changed it (a
  // database on a server), as the data control does before it shows one;
  // the version read is what a later update of it must still find. Returns
  // false when the record has been deleted meanwhile (no record is then
  // current). Nothing to do for a file of this PC.
  bool readCurrentAgain();

  // The current record's field (its pending edit when one is being edited).
  QVariant Field(const QString& name) const;
  QString text(const QString& name) const;  // null as empty text
  QStringList fieldNames() const;           // as the table spells them
  // What a record of the table is called in messages ("employee"; "record"
  // for a table without rules).
  QString recordNoun() const;
  // The texts of these fields in every record, in table order, read in one
  // statement without moving (null as empty text): what a walk from the
  // first record to the last would read, for the reads that want the whole
  // table. A pending edit is written first. result[record][field].
  QVector<QStringList> allTexts(const QStringList& fields);
  // The same walk, each record's texts handed to `row` as they are read
  // (texts[field]; `row` may move them away), kept nowhere else: for a read
  // of the whole table that keeps it its own way.
  void eachTexts(const QStringList& fields, const std::function<void(QString* texts)>& row);
  bool hasField(const QString& name) const;

  // Editing: Edit() on the current record or AddNew() for a new one, then
  // setField(), then Update() writes it. CancelUpdate() drops the edit.
  // After the Update() of a new record the record current before AddNew()
  // stays current (the new one is the last record); when there was none,
  // the new record becomes current. Where the table's rules (TableRules.h)
  // name a record number, a value out of its range, or a record past the
  // largest number, is refused with DbError.
  void Edit();
  void AddNew();
  void setField(const QString& name, const QVariant& value);
  // On a server, the Update() of an edit is refused with DbConflict when
  // another PC changed or deleted the record since it was last read here
  // (the edit is dropped); nothing is overwritten unseen.
  void Update();
  void CancelUpdate();
  bool editing() const;
  bool addingNew() const;
  void Delete();  // deletes the current record; no record is current after it

  // Moves to the first record from the current one on (the current included)
  // whose `field` equals `value` exactly; returns false (NoMatch) otherwise,
  // leaving the position where it was.
  bool FindFirst(const QString& field, const QString& value);
  bool NoMatch() const { return noMatch_; }

  // Sets numberField = 1..n in table order, in one transaction.
  void renumber(const QString& numberField);

 private:
  [[noreturn]] void refuseUpdate(int outcome);
  struct Impl;
  Impl& impl() const;  // throws DbError when not open
  Impl* d_ = nullptr;
  bool noMatch_ = false;
};
