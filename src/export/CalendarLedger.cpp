#include "export/CalendarLedger.h"

#include <libical/ical.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include "export/WeekPlan.h"

namespace {
constexpr int kFormat = 1;
const char* const kProductId = "-//Rotawise//Rotawise//EN";

QByteArray readAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void removeAll(icalcomponent* event, icalproperty_kind kind) {
  while (icalproperty* p = icalcomponent_get_first_property(event, kind)) {
    icalcomponent_remove_property(event, p);
    icalproperty_free(p);
  }
}

// The events of a calendar file an earlier version of the program wrote
// (none for a file of another program): what the export before the ledger
// gave the employee whose file has that name.
template <class Add>
void readOlderCalendar(const QString& path, const QString& file, Add add) {
  icalcomponent* root = icalparser_parse_string(readAll(path).constData());
  if (!root) return;
  icalproperty* product = icalcomponent_get_first_property(root, ICAL_PRODID_PROPERTY);
  if (product && qstrcmp(icalproperty_get_prodid(product), kProductId) == 0) {
    for (icalcomponent* e = icalcomponent_get_first_component(root, ICAL_VEVENT_COMPONENT); e;
         e = icalcomponent_get_next_component(root, ICAL_VEVENT_COMPONENT)) {
      const char* uid = icalcomponent_get_uid(e);
      if (!uid || !*uid) continue;
      const int sequence = icalcomponent_get_sequence(e);
      const bool cancelled = icalcomponent_get_status(e) == ICAL_STATUS_CANCELLED;
      removeAll(e, ICAL_DTSTAMP_PROPERTY);
      removeAll(e, ICAL_SEQUENCE_PROPERTY);
      removeAll(e, ICAL_STATUS_PROPERTY);
      char* text = icalcomponent_as_ical_string_r(e);
      add(QString::fromUtf8(uid), file, sequence, cancelled, QByteArray(text));
      icalmemory_free_buffer(text);
    }
  }
  icalcomponent_free(root);
}

// "Lee, Ann.ics" or "Lee, Ann (2).ics" for the name "Lee, Ann".
bool fitsName(const QString& file, const QString& name) {
  const QString stem = safeFileStem(name);
  if (file.compare(stem + ".ics", Qt::CaseInsensitive) == 0) return true;
  static const QRegularExpression numbered("^ \\((\\d+)\\)\\.ics$", QRegularExpression::CaseInsensitiveOption);
  return file.startsWith(stem, Qt::CaseInsensitive) && numbered.match(file.mid(stem.size())).hasMatch();
}
}  // namespace

CalendarLedger CalendarLedger::read(const QDir& folder) {
  CalendarLedger ledger;
  auto add = [&](const QString& uid, const QString& employee, const QString& file, int sequence,
                 bool cancelled, const QByteArray& text) {
    if (uid.isEmpty() || file.isEmpty() || ledger.previousByUid_.contains(uid)) return;
    ledger.previousByUid_.insert(uid, int(ledger.previous_.size()));
    ledger.previousOf_[employee.isEmpty() ? "/" + file : employee] << int(ledger.previous_.size());
    ledger.previous_.push_back({uid, employee, file, sequence, cancelled, text});
    if (!employee.isEmpty() && !cancelled) ledger.fileOfEmployee_.insert(employee, file);
  };
  const QJsonObject saved = QJsonDocument::fromJson(readAll(folder.filePath(kLedgerName))).object();
  if (saved.value("format").toInt() == kFormat) {
    for (const QJsonValue& f : saved.value("files").toArray()) ledger.previousFiles_ << f.toString();
    for (const QJsonValue& v : saved.value("events").toArray()) {
      const QJsonObject e = v.toObject();
      add(e.value("uid").toString(), e.value("employee").toString(), e.value("file").toString(),
          e.value("sequence").toInt(), e.value("cancelled").toBool(), e.value("event").toString().toUtf8());
    }
    return ledger;
  }
  for (const QString& file : folder.entryList({"*.ics"}, QDir::Files, QDir::Name))
    readOlderCalendar(folder.filePath(file), file,
                      [&](const QString& uid, const QString& f, int sequence, bool cancelled,
                          const QByteArray& text) { add(uid, {}, f, sequence, cancelled, text); });
  return ledger;
}

QString CalendarLedger::previousFile(const QStringList& employeeKeys) const {
  for (const QString& key : employeeKeys)
    if (const QString file = fileOfEmployee_.value(key); !file.isEmpty()) return file;
  return {};
}

QStringList CalendarLedger::filesOfGone(const QSet<QString>& present) const {
  QStringList files;
  QSet<QString> seen;
  for (const Entry& e : previous_)
    if (!e.cancelled && !e.employee.isEmpty() && !present.contains(e.employee) && !seen.contains(e.file)) {
      seen.insert(e.file);
      files << e.file;
    }
  return files;
}

void CalendarLedger::wrote(const QString& file) {
  if (writtenNames_.contains(file)) return;
  writtenNames_.insert(file);
  written_ << file;
}

void CalendarLedger::add(const Entry& e) {
  nextByUid_.insert(e.uid, int(next_.size()));
  next_.push_back(e);
}

void CalendarLedger::cancel(const Entry& previous, const QString& file, QVector<IssuedEvent>& out) {
  Entry e = previous;
  e.file = file;
  e.sequence = previous.sequence + 1;
  e.cancelled = true;
  add(e);
  out.push_back({e.text, e.sequence, true});
  ++cancelled_;
}

QVector<IssuedEvent> CalendarLedger::issue(const QStringList& employeeKeys, const QString& file,
                                           const QVector<ShiftEvent>& events) {
  const QString employeeKey = employeeKeys.value(0);
  QVector<IssuedEvent> out;
  for (const ShiftEvent& event : events) {
    const QString uid = QString::fromUtf8(event.uid);
    if (nextByUid_.contains(uid)) continue;  // one event per identity
    int sequence = 0;
    if (auto it = previousByUid_.constFind(uid); it != previousByUid_.cend()) {
      const Entry& before = previous_[*it];
      sequence = before.cancelled || before.text != event.text ? before.sequence + 1 : before.sequence;
    }
    add({uid, employeeKey, file, sequence, false, event.text});
    out.push_back({event.text, sequence, false, event.component});
  }
  // What the last export gave this employee (or, before the ledger, this
  // file) and this one does not.
  for (const QString& owner : employeeKeys + QStringList{"/" + file}) {
    for (int k : previousOf_.value(owner)) {
      const Entry& before = previous_[k];
      if (!before.cancelled && !nextByUid_.contains(before.uid)) cancel(before, file, out);
    }
  }
  if (!out.isEmpty()) wrote(file);
  return out;
}

QMap<QString, QVector<IssuedEvent>> CalendarLedger::cancelGone(const QSet<QString>& present) {
  QMap<QString, QVector<IssuedEvent>> files;
  for (const Entry& before : previous_)
    if (!before.cancelled && !before.employee.isEmpty() && !present.contains(before.employee) &&
        !nextByUid_.contains(before.uid))
      cancel(before, before.file, files[before.file]);
  for (auto it = files.cbegin(); it != files.cend(); ++it) wrote(it.key());
  return files;
}

QStringList CalendarLedger::leftBehind() const {
  QStringList out;
  for (const QString& file : previousFiles_)
    if (!writtenNames_.contains(file)) out << file;
  return out;
}

QByteArray CalendarLedger::bytes() const {
  QJsonArray events;
  auto put = [&](const Entry& e) {
    events.append(QJsonObject{{"uid", e.uid},
                              {"employee", e.employee},
                              {"file", e.file},
                              {"sequence", e.sequence},
                              {"cancelled", e.cancelled},
                              {"event", QString::fromUtf8(e.text)}});
  };
  for (const Entry& e : next_) put(e);
  // A cancelled event is written once; its revision is kept, so the shift
  // coming back later comes with a higher one still.
  for (const Entry& e : previous_)
    if (e.cancelled && !e.employee.isEmpty() && !nextByUid_.contains(e.uid)) put(e);
  return QJsonDocument(QJsonObject{{"format", kFormat},
                                   {"files", QJsonArray::fromStringList(written_)},
                                   {"events", events}})
      .toJson(QJsonDocument::Compact);
}

void keepCalendarFiles(WeekPlan& plan, const CalendarLedger& ledger) {
  QSet<QString> present;
  for (const PlannedEmployee& e : plan.staff)
    for (const QString& key : e.keys()) present.insert(key);
  QSet<QString> taken;
  for (const QString& file : ledger.filesOfGone(present)) taken.insert(file.toCaseFolded());
  QVector<bool> kept(plan.staff.size(), false);
  for (int i = 0; i < plan.staff.size(); ++i) {
    PlannedEmployee& e = plan.staff[i];
    const QString before = ledger.previousFile(e.keys());
    if (before.isEmpty() || !fitsName(before, e.name) || taken.contains(before.toCaseFolded())) continue;
    e.calendarFile = before;
    taken.insert(before.toCaseFolded());
    kept[i] = true;
  }
  for (int i = 0; i < plan.staff.size(); ++i)
    if (!kept[i]) plan.staff[i].calendarFile = uniqueCalendarFile(plan.staff[i].name, taken);
}
