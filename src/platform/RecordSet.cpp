#include "platform/RecordSet.h"

#include <QBitArray>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "db/Database.h"
#include "db/ServerAddress.h"

namespace {
constexpr int kMaxNumber = 32767;  // the record number is a 16-bit number
constexpr int kBlock = 256;        // records read at a time while walking
constexpr int kCachedBlocks = 128;  // the whole table at its largest

[[noreturn]] void fail(const QString& why) { throw DbError(why.toStdString()); }

QString noCurrentRecord() { return "No current record."; }
}  // namespace

struct RecordSet::Impl : db::Listener {
  std::unique_ptr<db::Handle> handle;
  QString table;
  QStringList columns;
  QVector<bool> integerColumn;
  QHash<QString, int> columnByLowerName;
  mutable QHash<QString, int> columnBySpelling;  // names as callers spell them, found before
  int numberColumn = -1;

  QVector<qint64> rowids;  // table order
  QVector<qint64> rowidsBeforeReplace;  // the order before the file was last replaced
  int replacements = 0;
  int pos = -1;            // -1 before the first record, rowids.size() after the last
  bool currentDeleted = false;

  enum class Mode { None, Editing, Adding } mode = Mode::None;
  QHash<int, QVariant> pending;  // column -> new value
  int posBeforeAdd = -1;

  struct Column {
    QVector<QVariant> values;
    QBitArray missing;  // rows deleted in another window since opening
  };
  struct Block {
    QVector<std::optional<Column>> columns;  // by column, read when first asked for
  };
  QHash<int, Block> cache;  // by block number; valid while rowids is unchanged
  quint64 cacheGeneration = 0;
  Block* currentBlock = nullptr;  // the block of the last value read
  int currentBlockNumber = -1;
  // Which columns a block is read with. A walk (block after block) reads the
  // same fields of every record, so the next block is read with the fields
  // asked of the one before: a walk for names after a record was shown whole
  // reads names only. A jump (a find, a move to a record) is read with every
  // field asked so far, as showing a record asks for all of them one by one.
  QVector<bool> askedInBlock;  // while the current block was current
  QVector<bool> askedEver;
  QVector<bool> readWith;      // chosen when the current block became current
  int lastBlockNumber = -1;    // kept when the cache is cleared

  // The record as it was read for showing, with its version: on a server,
  // other PCs may have changed the cached copy since.
  struct Fresh {
    qint64 id = -1;
    quint64 generation = 0;
    QVector<QVariant> values;
  };
  Fresh fresh;
  QHash<qint64, qint64> versions;  // row id -> version when last read or written here

  db::Engine& engine() const { return handle->engine(); }
  int count() const { return int(rowids.size()); }
  bool hasCurrent() const { return !currentDeleted && pos >= 0 && pos < count(); }

  int column(const QString& name) const {
    if (auto it = columnBySpelling.constFind(name); it != columnBySpelling.cend()) return *it;
    const int c = columnByLowerName.value(name.toLower(), -1);
    if (c < 0) fail(QString("The table %1 has no field named \"%2\".").arg(table, name));
    columnBySpelling.insert(name, c);
    return c;
  }

  QVector<qint64> readRowids() const { return engine().rowIds(table); }

  void readSchema() {
    const db::TableShape shape = engine().shape(table);
    for (int c = 0; c < shape.columns.size(); ++c) {
      columnByLowerName.insert(shape.columns[c].toLower(), int(columns.size()));
      columns.append(shape.columns[c]);
      integerColumn.append(shape.wholeNumber[c]);
    }
    numberColumn = columnByLowerName.value("number", -1);
    askedInBlock.fill(false, columns.size());
    askedEver.fill(false, columns.size());
    sharing.fill(Sharing{}, columns.size());
    readWith.fill(false, columns.size());
  }

  // The value of column `c` of the current record. Records are read in
  // blocks of table order, and only the columns asked for, so walking the
  // table reads what the caller uses and no more.
  const QVariant& value(int c) {
    if (!hasCurrent()) fail(noCurrentRecord());
    if (cacheGeneration != handle->generation()) {
      clearCache();
      cacheGeneration = handle->generation();
    }
    const int blockNumber = pos / kBlock;
    if (blockNumber != currentBlockNumber || !currentBlock) {
      auto it = cache.find(blockNumber);
      if (it == cache.end()) {
        if (cache.size() >= kCachedBlocks) clearCache();
        it = cache.insert(blockNumber, Block{QVector<std::optional<Column>>(columns.size())});
      }
      currentBlock = &*it;
      currentBlockNumber = blockNumber;
      readWith = blockNumber == lastBlockNumber + 1 ? askedInBlock : askedEver;
      lastBlockNumber = blockNumber;
      askedInBlock.fill(false);
    }
    askedInBlock[c] = true;
    askedEver[c] = true;
    if (fresh.id >= 0 && fresh.id == rowids[pos] && fresh.generation == cacheGeneration)
      return fresh.values[c];
    std::optional<Column>& column = currentBlock->columns[c];
    if (!column) readColumns(blockNumber, *currentBlock, c);
    const int k = pos - blockNumber * kBlock;
    if (column->missing.testBit(k)) fail("This record has been deleted in another window.");
    return column->values[k];
  }

  // Reads column `c` of the block, and with it the columns chosen for the
  // block and those asked of it so far, in one statement.
  void readColumns(int blockNumber, Block& block, int c) {
    QVector<int> read;
    QStringList names;
    for (int k = 0; k < columns.size(); ++k) {
      if ((k == c || askedInBlock[k] || readWith[k]) && !block.columns[k]) {
        read << k;
        names << columns[k];
      }
    }
    const int from = blockNumber * kBlock;
    const int to = std::min(count(), from + kBlock);
    for (int k : read) {
      block.columns[k] = Column{};
      block.columns[k]->values.resize(to - from);
      block.columns[k]->missing.fill(true, to - from);
    }
    struct Sink : db::RowSink {
      Impl& d;
      Block& block;
      const QVector<int>& read;
      int from, to, at = 0;
      Sink(Impl& d, Block& block, const QVector<int>& read, int from, int to)
          : d(d), block(block), read(read), from(from), to(to) {}
      bool row(qint64 id, const db::Cell* cells) override {
        while (at < to - from && d.rowids[from + at] < id) ++at;  // deleted elsewhere: missing
        if (at == to - from) return false;
        if (d.rowids[from + at] != id) return true;
        for (int i = 0; i < read.size(); ++i) {
          Column& column = *block.columns[read[i]];
          column.values[at] = d.valueOf(cells[i], d.sharing[read[i]]);
          column.missing.clearBit(at);
        }
        return true;
      }
    } sink(*this, block, read, from, to);
    engine().read(table, names, rowids[from], rowids[to - 1], sink);
  }

  // Texts repeat a lot (areas, times, "No"): one shared copy of each keeps a
  // whole large table in memory for the walks of a print.
  struct TextHash {
    using is_transparent = void;
    size_t operator()(std::string_view v) const { return std::hash<std::string_view>{}(v); }
  };
  std::unordered_map<std::string, QString, TextHash, std::equal_to<>> texts;

  // A column whose texts do not repeat (the names) is not worth sharing:
  // after a block's worth of texts with more new ones than repeats, its
  // texts are made afresh.
  struct Sharing {
    int repeats = 0;
    int fresh = 0;
    bool worthIt() const { return fresh < 256 || repeats >= fresh; }
  };
  QVector<Sharing> sharing;  // by column

  QString shared(const char* utf8, int bytes, Sharing& column) {
    if (!column.worthIt()) return QString::fromUtf8(utf8, bytes);
    const std::string_view key(utf8, size_t(bytes));
    if (auto it = texts.find(key); it != texts.end()) {
      ++column.repeats;
      return it->second;
    }
    ++column.fresh;
    QString text = QString::fromUtf8(utf8, bytes);
    if (texts.size() < 100000) texts.emplace(std::string(key), text);
    return text;
  }

  // The same values the Qt driver gives: whole numbers, texts, null.
  QVariant valueOf(const db::Cell& cell, Sharing& column) {
    switch (cell.kind) {
      case db::Cell::Kind::Null: return QVariant();
      case db::Cell::Kind::Integer: return QVariant(qlonglong(cell.integer));
      case db::Cell::Kind::Real: return QVariant(cell.real);
      case db::Cell::Kind::Blob: return QVariant(QByteArray(cell.data, cell.bytes));
      case db::Cell::Kind::Variant: return *cell.variant;
      case db::Cell::Kind::Utf8: return QVariant(shared(cell.data, cell.bytes, column));
    }
    return QVariant();
  }

  QString textOf(const db::Cell& cell, Sharing& column) {
    if (cell.kind == db::Cell::Kind::Utf8) return shared(cell.data, cell.bytes, column);
    const QVariant v = valueOf(cell, column);
    return v.isNull() ? QString() : v.toString();
  }

  QVariant converted(int c, const QVariant& value) const {
    if (!integerColumn[c]) return value.isNull() ? QVariant() : QVariant(value.toString());
    if (value.isNull() || value.toString().trimmed().isEmpty()) return QVariant();
    bool ok = false;
    const qlonglong n = value.toString().trimmed().toLongLong(&ok);
    if (!ok)
      fail(QString("\"%1\" is not a whole number; the field %2 holds whole numbers only.")
               .arg(value.toString(), columns[c]));
    if (c == numberColumn && (n < -kMaxNumber - 1 || n > kMaxNumber))
      fail(QString("%1 is out of range for the record number (at most 32,767).").arg(n));
    return QVariant(n);
  }

  void clearCache() {
    cache.clear();
    fresh = Fresh{};
    texts.clear();
    currentBlock = nullptr;
    currentBlockNumber = -1;
  }

  void invalidate() {
    clearCache();
    handle->changed();
    cacheGeneration = handle->generation();
  }

  // Keeps the same record current when the row list is read again.
  void adoptRowids(QVector<qint64> fresh) {
    const qint64 current = hasCurrent() ? rowids[pos] : -1;
    rowids = std::move(fresh);
    if (current >= 0) {
      auto it = std::lower_bound(rowids.begin(), rowids.end(), current);
      if (it != rowids.end() && *it == current) {
        pos = int(it - rowids.begin());
        return;
      }
    }
    pos = std::clamp(pos, -1, count());
  }

  void transactionRolledBack() override {
    clearCache();
    mode = Mode::None;
    pending.clear();
    try {
      adoptRowids(readRowids());
    } catch (const DbError&) {
      rowids.clear();
      pos = -1;
    }
  }

  void databaseReopened() override {
    // The file was replaced (compaction keeps the order but may give the
    // records new row ids), so keep the position by place in the order.
    clearCache();
    try {
      const int keep = pos;
      rowidsBeforeReplace = rowids;
      ++replacements;
      rowids = readRowids();
      pos = std::clamp(keep, -1, count());
      if (count() == 0) pos = -1;
    } catch (const DbError&) {
      rowids.clear();
      pos = -1;
    }
  }
};

RecordSet::~RecordSet() { close(); }

void RecordSet::open(const QString& databaseName, const QString& tableName) {
  close();
  // The data folder may keep its table on a server that several PCs share.
  QString path;
  if (const std::optional<db::ServerAddress> server = db::serverFor(databaseName)) {
    path = server->key();
  } else {
    path = db::findFile(databaseName);
    if (path.isEmpty() || !QFileInfo(path).isFile())
      fail(QString("The database \"%1\" was not found in the folder %2.")
               .arg(databaseName, QDir::toNativeSeparators(
                                      QFileInfo(databaseName).absoluteDir().absolutePath())));
  }
  auto impl = std::make_unique<Impl>();
  impl->handle = std::make_unique<db::Handle>(path, impl.get());
  impl->table = impl->engine().tableNamed(tableName);
  if (impl->table.isEmpty())
    fail(QString("The database %1 has no table \"%2\".").arg(impl->engine().name(), tableName));
  impl->readSchema();
  impl->rowids = impl->readRowids();
  impl->pos = impl->rowids.isEmpty() ? -1 : 0;
  d_ = impl.release();
  noMatch_ = false;
}

void RecordSet::close() {
  delete d_;
  d_ = nullptr;
}

bool RecordSet::isOpen() const { return d_ != nullptr; }
QString RecordSet::table() const { return d_ ? d_->table : QString(); }
QString RecordSet::databasePath() const { return d_ ? d_->handle->path() : QString(); }

RecordSet::Impl& RecordSet::impl() const {
  if (!d_) fail("The employee database is not open.");
  return *d_;
}

bool RecordSet::isBOF() const { return !d_ || d_->count() == 0 || d_->pos < 0; }
bool RecordSet::isEOF() const { return !d_ || d_->count() == 0 || d_->pos >= d_->count(); }
int RecordSet::RecordCount() const { return d_ ? d_->count() : 0; }
int RecordSet::AbsolutePosition() const { return d_ && d_->hasCurrent() ? d_->pos : -1; }
bool RecordSet::hasCurrent() const { return d_ && d_->hasCurrent(); }

void RecordSet::MoveFirst() {
  Impl& d = impl();
  if (d.mode != Impl::Mode::None) Update();
  if (d.count() == 0) fail(noCurrentRecord());
  d.pos = 0;
  d.currentDeleted = false;
}

void RecordSet::MoveLast() {
  Impl& d = impl();
  if (d.mode != Impl::Mode::None) Update();
  if (d.count() == 0) fail(noCurrentRecord());
  d.pos = d.count() - 1;
  d.currentDeleted = false;
}

void RecordSet::MoveNext() {
  Impl& d = impl();
  if (d.mode != Impl::Mode::None) Update();
  if (d.currentDeleted) {  // the record after the deleted one took its place
    d.currentDeleted = false;
    d.pos = std::min(d.pos, d.count());
    return;
  }
  if (d.pos >= d.count()) fail(noCurrentRecord());
  ++d.pos;
}

void RecordSet::MovePrevious() {
  Impl& d = impl();
  if (d.mode != Impl::Mode::None) Update();
  if (d.currentDeleted) {
    d.currentDeleted = false;
    d.pos = std::max(d.pos - 1, -1);
    return;
  }
  if (d.pos < 0 || d.count() == 0) fail(noCurrentRecord());
  --d.pos;
}

void RecordSet::moveTo(int position) {
  Impl& d = impl();
  if (d.mode != Impl::Mode::None) Update();
  if (position < 0 || position >= d.count()) fail(noCurrentRecord());
  d.pos = position;
  d.currentDeleted = false;
}

qint64 RecordSet::Bookmark() const { return hasCurrent() ? d_->rowids[d_->pos] : -1; }

int RecordSet::fileReplacements() const { return d_ ? d_->replacements : 0; }

qint64 RecordSet::translateBookmark(qint64 bookmark, int replacementsThen) const {
  if (!d_ || replacementsThen == d_->replacements) return bookmark;
  if (replacementsThen != d_->replacements - 1) return -1;
  // Replacing the file keeps the table order, so the record keeps its place.
  const qsizetype place = d_->rowidsBeforeReplace.indexOf(bookmark);
  return place >= 0 && place < d_->rowids.size() ? d_->rowids[place] : -1;
}

bool RecordSet::moveToBookmark(qint64 bookmark) {
  Impl& d = impl();
  const int position = int(d.rowids.indexOf(bookmark));
  if (position < 0) return false;
  moveTo(position);
  return true;
}

QVariant RecordSet::Field(const QString& name) const {
  Impl& d = impl();
  const int c = d.column(name);
  if (d.mode != Impl::Mode::None && d.pending.contains(c)) return d.pending.value(c);
  if (d.mode == Impl::Mode::Adding) return QVariant();
  return d.value(c);
}

QString RecordSet::text(const QString& name) const {
  const QVariant v = Field(name);
  return v.isNull() ? QString() : v.toString();
}

QStringList RecordSet::fieldNames() const { return d_ ? d_->columns : QStringList(); }

QVector<QStringList> RecordSet::allTexts(const QStringList& fields) {
  Impl& d = impl();
  if (d.mode != Impl::Mode::None) Update();
  QStringList names;
  QVector<int> read;
  for (const QString& f : fields) {
    read << d.column(f);
    names << d.columns[read.back()];
  }
  QVector<QStringList> out;
  if (d.count() == 0 || fields.isEmpty()) return out;
  out.reserve(d.count());
  struct Sink : db::RowSink {
    Impl& d;
    const QVector<int>& read;
    QVector<QStringList>& out;
    int at = 0;
    Sink(Impl& d, const QVector<int>& read, QVector<QStringList>& out) : d(d), read(read), out(out) {}
    bool row(qint64 id, const db::Cell* cells) override {
      // Only this record set's records: one added in another window since it
      // was opened is not among them, one deleted there is simply not read.
      while (at < d.count() && d.rowids[at] < id) ++at;
      if (at == d.count()) return false;
      if (d.rowids[at] != id) return true;
      QStringList texts;
      texts.reserve(read.size());
      // Repeated texts (areas, times) are shared, as the record set shares them.
      for (int i = 0; i < read.size(); ++i) texts << d.textOf(cells[i], d.sharing[read[i]]);
      out << texts;
      return true;
    }
  } sink(d, read, out);
  d.engine().read(d.table, names, d.rowids.front(), d.rowids.back(), sink);
  return out;
}

bool RecordSet::hasField(const QString& name) const {
  return d_ && d_->columnByLowerName.contains(name.toLower());
}

void RecordSet::Edit() {
  Impl& d = impl();
  if (d.mode == Impl::Mode::Adding) Update();
  if (d.mode == Impl::Mode::Editing) return;
  if (!d.hasCurrent()) fail(noCurrentRecord());
  d.value(0);  // a record deleted meanwhile cannot be edited
  d.mode = Impl::Mode::Editing;
  d.pending.clear();
}

void RecordSet::AddNew() {
  Impl& d = impl();
  if (d.mode != Impl::Mode::None) Update();
  if (d.count() >= kMaxNumber)
    fail("The employee table is full: it holds 32,767 employees, the most the record number "
         "can count. Delete an employee before adding a new one.");
  d.posBeforeAdd = d.hasCurrent() ? d.pos : -1;
  d.mode = Impl::Mode::Adding;
  d.pending.clear();
}

void RecordSet::setField(const QString& name, const QVariant& value) {
  Impl& d = impl();
  if (d.mode == Impl::Mode::None) fail("A field can be changed only after Edit or AddNew.");
  const int c = d.column(name);
  d.pending.insert(c, d.converted(c, value));
}

void RecordSet::Update() {
  Impl& d = impl();
  if (d.mode == Impl::Mode::None) fail("There is no edit to save (use Edit or AddNew first).");
  QStringList names;
  QVariantList values;
  for (auto it = d.pending.cbegin(); it != d.pending.cend(); ++it) {
    names << d.columns[it.key()];
    values << it.value();
  }
  if (d.mode == Impl::Mode::Editing) {
    if (!names.isEmpty()) {
      if (!d.hasCurrent()) fail(noCurrentRecord());
      const qint64 id = d.rowids[d.pos];
      qint64 written = 0;
      const db::UpdateOutcome outcome =
          d.engine().update(d.table, id, names, values, d.versions.value(id, 0), &written);
      if (outcome != db::UpdateOutcome::Written) refuseUpdate(int(outcome));
      if (written > 0) d.versions.insert(id, written);
      d.invalidate();
    }
  } else {
    // Counted in the table itself: another window or PC may have added records.
    if (d.engine().count(d.table) >= kMaxNumber)
      fail("The employee table is full: it holds 32,767 employees, the most the record number "
           "can count. Delete an employee before adding a new one.");
    const qint64 id = d.engine().insert(d.table, names, values);
    auto at = std::lower_bound(d.rowids.begin(), d.rowids.end(), id);
    const int index = int(at - d.rowids.begin());
    d.rowids.insert(at, id);
    d.invalidate();
    if (d.posBeforeAdd >= 0) {
      d.pos = d.posBeforeAdd + (index <= d.posBeforeAdd ? 1 : 0);
    } else {
      d.pos = index;
    }
    d.currentDeleted = false;
  }
  d.mode = Impl::Mode::None;
  d.pending.clear();
}

void RecordSet::refuseUpdate(int outcome) {
  Impl& d = impl();
  const bool shared = d.engine().shared();
  if (!shared) fail("This record has been deleted in another window.");
  // The employee as this PC showed it, so the user knows whose edit it was.
  QString who;
  if (const int c = d.columnByLowerName.value("fullname", -1); c >= 0) {
    try {
      const QVariant v = d.value(c);
      who = v.toString().trimmed();
    } catch (const DbError&) {
    }
  }
  who = who.isEmpty() ? QString("this employee") : "\"" + who + "\"";
  d.mode = Impl::Mode::None;
  d.pending.clear();
  if (db::UpdateOutcome(outcome) == db::UpdateOutcome::Gone)
    throw DbConflict(QString("The record of %1 has been deleted on another PC (or in another "
                             "window) since it was shown, so the changes made here were not saved.")
                         .arg(who)
                         .toStdString());
  throw DbConflict(QString("The record of %1 was changed on another PC (or in another window) "
                           "since it was shown.  The changes made here were not saved, so as not "
                           "to overwrite those; the record is shown as it is now when you move to "
                           "it again.")
                       .arg(who)
                       .toStdString());
}

bool RecordSet::readCurrentAgain() {
  Impl& d = impl();
  if (!d.hasCurrent() || d.mode != Impl::Mode::None) return d.hasCurrent();
  db::Engine& engine = d.engine();
  if (!engine.shared()) return true;
  if (d.cacheGeneration != d.handle->generation()) {
    d.clearCache();
    d.cacheGeneration = d.handle->generation();
  }
  const qint64 id = d.rowids[d.pos];
  Impl::Fresh fresh;
  qint64 version = 0;
  if (!engine.readRow(d.table, id, d.columns, &fresh.values, &version)) {
    d.currentDeleted = true;  // deleted on another PC: the next move goes on from here
    d.rowids.removeAt(d.pos);
    d.invalidate();
    return false;
  }
  fresh.id = id;
  fresh.generation = d.cacheGeneration;
  d.fresh = std::move(fresh);
  d.versions.insert(id, version);
  return true;
}

void RecordSet::CancelUpdate() {
  if (!d_) return;
  d_->mode = Impl::Mode::None;
  d_->pending.clear();
}

bool RecordSet::editing() const { return d_ && d_->mode != Impl::Mode::None; }
bool RecordSet::addingNew() const { return d_ && d_->mode == Impl::Mode::Adding; }

void RecordSet::Delete() {
  Impl& d = impl();
  CancelUpdate();
  if (!d.hasCurrent()) fail(noCurrentRecord());
  d.engine().remove(d.table, d.rowids[d.pos]);
  d.rowids.removeAt(d.pos);
  d.currentDeleted = true;
  d.invalidate();
}

bool RecordSet::FindFirst(const QString& field, const QString& value) {
  Impl& d = impl();
  if (d.mode != Impl::Mode::None) Update();
  const int c = d.column(field);
  int start = d.pos < 0 ? 0 : d.pos;
  noMatch_ = true;
  if (start >= d.count()) return false;
  // The value is bound, never pasted into the statement: "O'Brien" is
  // found like any other name.
  for (const qint64 id : d.engine().find(d.table, d.columns[c], value, d.rowids[start])) {
    auto it = std::lower_bound(d.rowids.begin(), d.rowids.end(), id);
    if (it != d.rowids.end() && *it == id) {  // not one added elsewhere since opening
      d.pos = int(it - d.rowids.begin());
      d.currentDeleted = false;
      noMatch_ = false;
      return true;
    }
  }
  return false;
}

void RecordSet::renumber(const QString& numberField) {
  Impl& d = impl();
  if (d.mode != Impl::Mode::None) Update();
  const QString number = d.columns[d.column(numberField)];
  db::Transaction renumbering(d.handle->path());
  const QVector<qint64> order = d.readRowids();
  if (order.size() > kMaxNumber)
    fail("The employee table holds more than 32,767 records, more than the record number can "
         "count; the records were not renumbered.");
  d.engine().renumber(d.table, number);
  renumbering.commit();
  d.invalidate();
  d.adoptRowids(order);
}
