#include "data/RecordSet.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

#include "data/RecordSetImpl.h"
#include "data/ServerAddress.h"

using namespace recordset;

int RecordSet::Impl::column(const QString& name) const {
  if (auto it = columnBySpelling.constFind(name); it != columnBySpelling.cend()) return *it;
  const int c = columnByLowerName.value(name.toLower(), -1);
  if (c < 0) fail(QString("The table %1 has no field named \"%2\".").arg(table, name));
  columnBySpelling.insert(name, c);
  return c;
}

void RecordSet::Impl::readSchema() {
  const db::TableShape shape = engine().shape(table);
  for (int c = 0; c < shape.columns.size(); ++c) {
    columnByLowerName.insert(shape.columns[c].toLower(), int(columns.size()));
    columns.append(shape.columns[c]);
    integerColumn.append(shape.wholeNumber[c]);
  }
  rules = db::tableRules(table);
  if (rules && rules->maxNumber > 0)
    numberColumn = columnByLowerName.value(rules->numberField.toLower(), -1);
  askedInBlock.fill(false, columns.size());
  askedEver.fill(false, columns.size());
  sharing.fill(Sharing{}, columns.size());
  readWith.fill(false, columns.size());
}

// Keeps the same record current when the row list is read again.
void RecordSet::Impl::adoptRowids(QVector<qint64> fresh) {
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

void RecordSet::Impl::transactionRolledBack() {
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

void RecordSet::Impl::databaseReopened() {
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

QString RecordSet::recordNoun() const {
  return d_ && d_->rules ? d_->rules->recordNoun : QString("record");
}

RecordSet::Impl& RecordSet::impl() const {
  if (!d_) fail("The database is not open.");
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
  QVector<QStringList> out;
  out.reserve(impl().count());
  eachTexts(fields, [&](QString* texts) {
    out << QStringList(std::make_move_iterator(texts), std::make_move_iterator(texts + fields.size()));
  });
  return out;
}

void RecordSet::eachTexts(const QStringList& fields,
                          const std::function<void(QString* texts)>& row) {
  Impl& d = impl();
  if (d.mode != Impl::Mode::None) Update();
  QStringList names;
  QVector<int> read;
  for (const QString& f : fields) {
    read << d.column(f);
    names << d.columns[read.back()];
  }
  if (d.count() == 0 || fields.isEmpty()) return;
  struct Sink : db::RowSink {
    Impl& d;
    const QVector<int>& read;
    const std::function<void(QString*)>& each;
    QVector<QString> texts;
    int at = 0;
    Sink(Impl& d, const QVector<int>& read, const std::function<void(QString*)>& each)
        : d(d), read(read), each(each), texts(read.size()) {}
    bool row(qint64 id, const db::Cell* cells) override {
      // Only this record set's records: one added in another window since it
      // was opened is not among them, one deleted there is simply not read.
      while (at < d.count() && d.rowids[at] < id) ++at;
      if (at == d.count()) return false;
      if (d.rowids[at] != id) return true;
      // Repeated texts (areas, times) are shared, as the record set shares them.
      for (int i = 0; i < read.size(); ++i) texts[i] = d.textOf(cells[i], d.sharing[read[i]]);
      each(texts.data());
      return true;
    }
  } sink(d, read, row);
  d.engine().read(d.table, names, d.rowids.front(), d.rowids.back(), sink);
}

bool RecordSet::hasField(const QString& name) const {
  return d_ && d_->columnByLowerName.contains(name.toLower());
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
  if (d.maxRecords() && order.size() > d.maxRecords()) fail(d.rules->tooManyToNumber);
  d.engine().renumber(d.table, number);
  renumbering.commit();
  d.invalidate();
  d.adoptRowids(order);
}
