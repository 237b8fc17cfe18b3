#include "print/ScheduleSelection.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <array>
#include <thread>
#include <unordered_map>
#include <utility>
#include <vector>

#include "data/RecordSet.h"
#include "db/EmployeeFields.h"
#include "platform/TaskQueue.h"
#include "print/WorkingDay.h"

namespace {
const QString kWeekendLateShift = "3P.M. - 11P.M.";
const QString kWeekendLongDay = "9A.M. - 11P.M.";
constexpr int kRangeLength = 30;

QString range(const QString& from, const QString& to) {
  return (from + " - " + to).left(kRangeLength);
}

// The choices of a schedule as compared (trimmed, in capitals), worked out
// once for the whole table rather than for every employee, day and block.
struct Choices {
  explicit Choices(const PrintState& state)
      : area(compareKey(state.area)), allAreas(isAllAreas(state.area)),
        marked(compareKey(state.markedPosition)) {
    for (int k = 0; k < 4; ++k) {
      times[k] = compareKey(state.times[k]);
      blocks[k] = {times[k], times[k] == "SPECIAL", times[k] == kWeekendLateShift};
    }
    for (const QString& entry : state.exclusions) {
      if (entry.trimmed().isEmpty()) break;  // the table ends at its first empty entry
      exclusions.insert(compareKey(entry));
    }
  }
  // The area conditions of the placement rules: every area, or the day's own.
  bool worksHereKey(const QString& dayAreaKey) const { return allAreas || dayAreaKey == area; }
  bool inArea(const std::array<QString, 4>& areaKeys) const {
    if (allAreas) return true;
    for (const QString& a : areaKeys)
      if (a == area) return true;
    return false;
  }
  bool isExcluded(const EmployeeRow& e) const {
    if (exclusions.isEmpty()) return false;
    return exclusions.contains(e.nameKey ? *e.nameKey : compareKey(e.fullname));
  }
  // A blank marked position marks nobody: a settings file saved without a
  // position must not star everyone whose position is blank too.
  bool holdsMarkedPosition(const EmployeeRow& e) const {
    return !marked.isEmpty() && (e.positionKey ? *e.positionKey : compareKey(e.position)) == marked;
  }

  QString area;
  bool allAreas;
  QString marked;
  std::array<QString, 4> times;
  // A block's time, and which of the placement rules' own times it is.
  struct Time {
    QString key;
    bool special = false, weekendLate = false;
  };
  std::array<Time, 4> blocks;
  QSet<QString> exclusions;
};

// What the placement rules ask of one employee's day in this schedule.
struct DayKeys {
  DayKeys(const EmployeeDayKeys& d, const Choices& c)
      : worked{d.mainShift, d.splitShift, d.special}, main(d.main), split(d.split),
        special(d.special), worksMain(c.worksHereKey(d.mainArea)),
        worksSplit(c.worksHereKey(d.splitArea)), worksFirst(c.worksHereKey(d.firstArea)) {}
  WorkingDay worked;
  const QString& main;
  const QString& split;
  bool special, worksMain, worksSplit, worksFirst;
};

// The listings of one employee on one day in the block of time `t`, in the
// order printed.
void place(const EmployeeRow& e, int day, const Choices::Time& t, const DayKeys& d, bool marked,
           QVector<Listing>& cell) {
  auto list = [&](Placement p) { cell.push_back({e.fullname, p, marked}); };

  // The first rule that holds wins.
  if (d.worked.mainShift && t.key == d.main && d.worksMain) list(Placement::MainShift);
  else if (d.worked.splitShift && t.key == d.split && d.worksSplit) list(Placement::SplitShift);
  else if (t.special && d.special && d.worksFirst) list(Placement::Special);

  // A long weekend day also covers the late shift, whatever listed it above.
  const bool weekend = day == 5 || day == 6;
  if (weekend && t.weekendLate && d.main == kWeekendLongDay && d.worksMain)
    list(Placement::WeekendDouble);
}

// The shifts of one employee's day, worked in the area, that no block lists.
// The placement rules list a main shift under a time equal to its range (or,
// on a long weekend day, under the late shift), and a split shift under a time
// equal to its range (the main shift's listing when the two ranges are one).
void noteUnlisted(const EmployeeRow& e, int day, const DayKeys& d, const Choices& c,
                  const QString& area, QVector<UnlistedShift>& out) {
  auto listedAt = [&](const QString& range) {
    return std::find(c.times.begin(), c.times.end(), range) != c.times.end();
  };
  const bool weekend = day == 5 || day == 6;
  const bool mainListed = listedAt(d.main) ||
                          (weekend && d.main == kWeekendLongDay && listedAt(kWeekendLateShift));
  const EmployeeDay& x = e.days[day];
  const bool mainUnlisted = d.worksMain && d.worked.mainShift && !mainListed;
  if (mainUnlisted) out.push_back({area, e.fullname, day, mainRange(x)});
  if (!d.worksSplit || !d.worked.splitShift || listedAt(d.split)) return;
  const QString split = splitRange(x);
  if (!(split == mainRange(x) && d.worksMain && !mainListed))  // the same hours, named once
    out.push_back({area, e.fullname, day, split});
}
}  // namespace

QString Listing::printed() const {
  if (!marked) return name;
  return placement == Placement::MainShift ? name + " *" : "* " + name;
}

namespace {
struct QStringHash {
  size_t operator()(const QString& text) const { return qHash(text); }
};

// A table of thousands holds only a handful of distinct areas and times:
// each is trimmed and keyed once per read, and the rows share the results,
// rather than a new copy for every record and day. A repeated text is found
// by its address first (the record set shares it, and so do these rows),
// by its letters otherwise. The texts are the memo's own copies: the thread
// that made the rows is the only one that counts their uses.
class KeyMemo {
 public:
  const QString& trimmed(const QString& text) { return entry(text).trimmed; }
  const QString& key(const QString& text) { return entry(text).key; }
  const QString& rangeKey(const QString& from, const QString& to) {
    RangeSlot& slot = rangeSlots_[(address(from) ^ (address(to) >> 2)) % rangeSlots_.size()];
    if (slot.value && same(slot.from, from) && same(slot.to, to)) return *slot.value;
    auto it = ranges_.find({from, to});
    if (it == ranges_.end())
      it = ranges_.emplace(std::pair(from, to), compareKey(range(from, to))).first;
    slot = {from, to, &it->second};
    return it->second;
  }

 private:
  struct Entry {
    QString trimmed, key;
  };
  struct Slot {
    QString text;
    const Entry* entry = nullptr;
  };
  struct RangeSlot {
    QString from, to;
    const QString* value = nullptr;
  };
  struct PairHash {
    size_t operator()(const std::pair<QString, QString>& p) const { return qHash(p); }
  };

  static quintptr address(const QString& text) { return quintptr(text.constData()) >> 3; }
  static bool same(const QString& a, const QString& b) {
    return a.constData() == b.constData() && a.size() == b.size();
  }
  const Entry& entry(const QString& text) {
    Slot& slot = slots_[address(text) % slots_.size()];
    if (slot.entry && same(slot.text, text)) return *slot.entry;
    auto it = entries_.find(text);
    if (it == entries_.end()) {
      const QString trimmed = text.trimmed();
      it = entries_.emplace(text, Entry{QString(trimmed.constData(), trimmed.size()),
                                        compareKey(trimmed)}).first;
    }
    slot = {text, &it->second};
    return it->second;
  }

  // Node-based, so the slots may point into them.
  std::unordered_map<QString, Entry, QStringHash> entries_;
  std::unordered_map<std::pair<QString, QString>, QString, PairHash> ranges_;
  std::array<Slot, 128> slots_;
  std::array<RangeSlot, 64> rangeSlots_;
};

std::array<QString, 4> areaKeysOf(const EmployeeRow& e, KeyMemo& memo) {
  std::array<QString, 4> keys;
  for (int a = 0; a < 4; ++a) keys[a] = memo.key(e.areas[a]);
  return keys;
}

std::array<EmployeeDayKeys, 7> dayKeysOf(const EmployeeRow& e, KeyMemo& memo) {
  std::array<EmployeeDayKeys, 7> keys;
  for (int d = 0; d < 7; ++d) {
    const EmployeeDay& day = e.days[d];
    const WorkingDay worked = workingDay(day);
    keys[d] = {worked.mainShift,
               worked.splitShift,
               worked.special,
               memo.rangeKey(day.start, day.stop),
               memo.rangeKey(day.splitStart, day.splitStop),
               memo.key(day.firstArea),
               memo.key(day.mainArea),
               memo.key(day.splitArea)};
  }
  return keys;
}
}  // namespace

std::array<QString, 4> areaKeysOf(const EmployeeRow& e) {
  KeyMemo memo;
  return areaKeysOf(e, memo);
}

std::array<EmployeeDayKeys, 7> dayKeysOf(const EmployeeRow& e) {
  KeyMemo memo;
  return dayKeysOf(e, memo);
}

QString mainRange(const EmployeeDay& day) { return range(day.start, day.stop); }
QString splitRange(const EmployeeDay& day) { return range(day.splitStart, day.splitStop); }

namespace {
// The day fields a schedule reads, named once rather than for every record.
struct DayFieldNames {
  QString start, stop, splitStart, splitStop, special, firstArea, mainArea, splitArea;
};
const std::array<DayFieldNames, fields::DaysInWeek>& dayFieldNames() {
  static const auto names = [] {
    using fields::DayField;
    std::array<DayFieldNames, fields::DaysInWeek> out;
    for (int d = 0; d < fields::DaysInWeek; ++d)
      out[d] = {fields::dayField(d, DayField::Start),      fields::dayField(d, DayField::Stop),
                fields::dayField(d, DayField::SplitStart), fields::dayField(d, DayField::SplitStop),
                fields::dayField(d, DayField::Special),    fields::dayField(d, DayField::Bldg),
                fields::dayField(d, DayField::Bldg1),      fields::dayField(d, DayField::Bldg2)};
    return out;
  }();
  return names;
}
}  // namespace

namespace {
// The fields a schedule reads, in the order rowFromTexts() takes them.
QStringList scheduleFields() {
  QStringList out{fields::Fullname, fields::Position, fields::Area, fields::Area2, fields::Area3,
                  fields::Area4};
  for (const DayFieldNames& n : dayFieldNames())
    out << n.start << n.stop << n.splitStart << n.splitStop << n.special << n.firstArea
        << n.mainArea << n.splitArea;
  return out;
}

EmployeeRow rowFromTexts(const QString* texts, bool keyed, KeyMemo& memo) {
  int next = 0;
  // A name (and a key) is the record's own: only the others come again.
  auto own = [&] { return texts[next++].trimmed(); };
  auto text = [&] { return memo.trimmed(texts[next++]); };
  EmployeeRow e;
  e.fullname = own();
  e.position = text();
  for (QString& area : e.areas) area = text();
  for (EmployeeDay& day : e.days) {
    day.start = text();
    day.stop = text();
    day.splitStart = text();
    day.splitStop = text();
    day.special = text();
    day.firstArea = text();
    day.mainArea = text();
    day.splitArea = text();
  }
  if (keyed) e.key = own();
  e.nameKey = compareKey(e.fullname);
  e.positionKey = memo.key(e.position);
  e.areaKeys = areaKeysOf(e, memo);
  e.dayKeys = dayKeysOf(e, memo);
  return e;
}

// Makes the rows from the texts of the records on another thread, while the
// next records are read (a large table takes about as long to make into rows
// as to read); the texts go over in runs of records.
class RowMaker {
 public:
  RowMaker(qsizetype most, int fieldsPerRow, bool keyed) : perRow_(fieldsPerRow), keyed_(keyed) {
    rows_.reserve(most);  // its pages are first touched by the worker, as it fills them
  }

  void add(QString* texts) {
    for (int i = 0; i < perRow_; ++i) filling_.push_back(std::move(texts[i]));
    if (filling_.size() >= kRowsPerRun * perRow_) handOver();
  }

  // Every row, in table order.
  QVector<EmployeeRow> rows() {
    handOver();
    worker_.finish();
    return std::move(rows_);
  }

 private:
  static constexpr qsizetype kRowsPerRun = 512;

  void handOver() {
    if (filling_.isEmpty()) return;
    // One worker takes the runs in turn: the rows follow in table order.
    worker_.post([this, run = std::move(filling_)] {
      for (qsizetype at = 0; at < run.size(); at += perRow_)
        rows_.push_back(rowFromTexts(run.constData() + at, keyed_, memo_));
    });
    filling_ = {};
    filling_.reserve(kRowsPerRun * perRow_);
  }

  const int perRow_;
  const bool keyed_;
  QVector<QString> filling_;  // the texts of a run of records, row after row
  QVector<EmployeeRow> rows_;  // the worker's until it has finished
  KeyMemo memo_;               // the worker's own: its texts are shared by its rows alone
  TaskQueue worker_;           // last: it stops before the rest goes
};
}  // namespace

QVector<EmployeeRow> readEmployees(RecordSet& records) {
  // One statement for the whole table: the walk from first to last record
  // it stands for, without a round trip per record and field.
  const bool keyed = records.hasField(fields::Key);
  const QStringList names = keyed ? scheduleFields() << fields::Key : scheduleFields();
  constexpr qsizetype kWorthAThread = 2000;  // fewer are made faster than a thread starts
  QVector<EmployeeRow> staff;
  if (records.RecordCount() < kWorthAThread || std::thread::hardware_concurrency() < 2) {
    KeyMemo memo;
    records.eachTexts(names, [&](QString* texts) { staff << rowFromTexts(texts, keyed, memo); });
  } else {
    RowMaker maker(records.RecordCount(), int(names.size()), keyed);
    records.eachTexts(names, [&](QString* texts) { maker.add(texts); });
    staff = maker.rows();
  }
  if (records.RecordCount() > 0) records.MoveFirst();
  return staff;
}

ScheduleSelection selectSchedule(const PrintState& state, const QVector<EmployeeRow>& staff) {
  ScheduleSelection s;
  const QVector<int> days = coveredDays(state);
  const Choices choices(state);
  std::array<QString, 4> workedOut;
  std::array<EmployeeDayKeys, 7> daysWorkedOut;
  for (const EmployeeRow& e : staff) {
    const std::array<QString, 4>& areas = e.areaKeys ? *e.areaKeys : (workedOut = areaKeysOf(e));
    // Excluded staff still count: they belong to the area, they are only off.
    if (choices.allAreas || areas[0] == choices.area) ++s.staffCount;
    if (!choices.inArea(areas) || choices.isExcluded(e)) continue;
    const bool marked = choices.holdsMarkedPosition(e);
    const std::array<EmployeeDayKeys, 7>& dayKeys =
        e.dayKeys ? *e.dayKeys : (daysWorkedOut = dayKeysOf(e));
    for (int d : days) {
      const DayKeys keys(dayKeys[d], choices);
      for (int k = 0; k < 4; ++k) place(e, d, choices.blocks[k], keys, marked, s.cells[k][d]);
      noteUnlisted(e, d, keys, choices, state.area, s.unlisted);
    }
  }
  return s;
}
