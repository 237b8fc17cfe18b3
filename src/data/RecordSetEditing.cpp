// Editing a record set: Edit, AddNew and Update, the versions of rows on a
// server (an update of a record another PC changed is refused), and Delete.
#include <algorithm>

#include "data/RecordSetImpl.h"

using namespace recordset;

QVariant RecordSet::Impl::converted(int c, const QVariant& value) const {
  if (!integerColumn[c]) return value.isNull() ? QVariant() : QVariant(value.toString());
  if (value.isNull() || value.toString().trimmed().isEmpty()) return QVariant();
  bool ok = false;
  const qlonglong n = value.toString().trimmed().toLongLong(&ok);
  if (!ok)
    fail(QString("\"%1\" is not a whole number; the field %2 holds whole numbers only.")
             .arg(value.toString(), columns[c]));
  if (c == numberColumn && (n < -rules->maxNumber - 1 || n > rules->maxNumber))
    fail(rules->numberOutOfRange.arg(n));
  return QVariant(n);
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
  if (d.maxRecords() && d.count() >= d.maxRecords()) fail(d.rules->fullMessage);
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
    if (d.maxRecords() && d.engine().count(d.table) >= d.maxRecords())
      fail(d.rules->fullMessage);
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
  // The record as this PC showed it, so the user knows whose edit it was.
  QString who;
  const int c = d.rules ? d.columnByLowerName.value(d.rules->nameField.toLower(), -1) : -1;
  if (c >= 0) {
    try {
      const QVariant v = d.value(c);
      who = v.toString().trimmed();
    } catch (const DbError&) {
    }
  }
  who = who.isEmpty() ? (d.rules ? d.rules->unnamedRecord : QString("this record"))
                      : "\"" + who + "\"";
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
