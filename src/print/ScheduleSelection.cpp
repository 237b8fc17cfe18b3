#include "print/ScheduleSelection.h"

#include "db/EmployeeFields.h"
#include "platform/RecordSet.h"

namespace {
const QString kWeekendLateShift = "3P.M. - 11P.M.";
const QString kWeekendLongDay = "9A.M. - 11P.M.";
constexpr int kRangeLength = 30;

QString range(const QString& from, const QString& to) {
  return (from + " - " + to).left(kRangeLength);
}

// The area conditions of the placement rules: every area, or the day's own.
bool worksHere(const QString& area, const QString& dayArea) {
  return isAllAreas(area) || sameText(dayArea, area);
}

bool inArea(const EmployeeRow& e, const QString& area) {
  if (isAllAreas(area)) return true;
  for (const QString& a : e.areas)
    if (sameText(a, area)) return true;
  return false;
}

bool isExcluded(const EmployeeRow& e, const QStringList& exclusions) {
  for (const QString& entry : exclusions) {
    if (entry.trimmed().isEmpty()) break;  // the table ends at its first empty entry
    if (sameText(entry, e.fullname)) return true;
  }
  return false;
}

// A blank marked position marks nobody: a settings file saved without a
// position must not star everyone whose position is blank too.
bool holdsMarkedPosition(const EmployeeRow& e, const QString& marked) {
  return !compareKey(marked).isEmpty() && sameText(e.position, marked);
}

// The listings of one employee on one day in one block, in the order printed.
void place(const EmployeeRow& e, int day, const QString& time, const PrintState& state,
           QVector<Listing>& cell) {
  const EmployeeDay& d = e.days[day];
  const QString t = compareKey(time);
  const QString main = compareKey(mainRange(d));
  const bool marked = holdsMarkedPosition(e, state.markedPosition);
  auto list = [&](Placement p) { cell.push_back({e.fullname, p, marked}); };

  // The first rule that holds wins.
  if (t == main && worksHere(state.area, d.mainArea)) list(Placement::MainShift);
  else if (t == compareKey(splitRange(d)) && worksHere(state.area, d.splitArea))
    list(Placement::SplitShift);
  else if (t == "SPECIAL" && compareKey(d.special) == "YES" && worksHere(state.area, d.firstArea))
    list(Placement::Special);

  // A long weekend day also covers the late shift, whatever listed it above.
  const bool weekend = day == 5 || day == 6;
  if (weekend && t == kWeekendLateShift && main == kWeekendLongDay &&
      worksHere(state.area, d.mainArea))
    list(Placement::WeekendDouble);
}
}  // namespace

QString Listing::printed() const {
  if (!marked) return name;
  return placement == Placement::MainShift ? name + " *" : "* " + name;
}

QString mainRange(const EmployeeDay& day) { return range(day.start, day.stop); }
QString splitRange(const EmployeeDay& day) { return range(day.splitStart, day.splitStop); }

EmployeeRow employeeFromRecord(const RecordSet& records) {
  using fields::DayField;
  auto text = [&](const QString& field) { return records.text(field).trimmed(); };
  EmployeeRow e;
  e.fullname = text(fields::Fullname);
  e.position = text(fields::Position);
  e.areas = {text(fields::Area), text(fields::Area2), text(fields::Area3), text(fields::Area4)};
  for (int d = 0; d < fields::DaysInWeek; ++d) {
    EmployeeDay& day = e.days[d];
    day.start = text(fields::dayField(d, DayField::Start));
    day.stop = text(fields::dayField(d, DayField::Stop));
    day.splitStart = text(fields::dayField(d, DayField::SplitStart));
    day.splitStop = text(fields::dayField(d, DayField::SplitStop));
    day.special = text(fields::dayField(d, DayField::Special));
    day.firstArea = text(fields::dayField(d, DayField::Bldg));
    day.mainArea = text(fields::dayField(d, DayField::Bldg1));
    day.splitArea = text(fields::dayField(d, DayField::Bldg2));
  }
  return e;
}

QVector<EmployeeRow> readEmployees(RecordSet& records) {
  QVector<EmployeeRow> staff;
  // An empty table gives an empty schedule, not an error.
  if (records.RecordCount() == 0) return staff;
  staff.reserve(records.RecordCount());
  records.MoveFirst();
  while (!records.isEOF()) {
    staff.push_back(employeeFromRecord(records));
    records.MoveNext();
  }
  records.MoveFirst();
  return staff;
}

ScheduleSelection selectSchedule(const PrintState& state, const QVector<EmployeeRow>& staff) {
  ScheduleSelection s;
  const QVector<int> days = coveredDays(state);
  for (const EmployeeRow& e : staff) {
    // Excluded staff still count: they belong to the area, they are only off.
    if (isAllAreas(state.area) || sameText(e.areas[0], state.area)) ++s.staffCount;
    if (!inArea(e, state.area) || isExcluded(e, state.exclusions)) continue;
    for (int k = 0; k < 4; ++k)
      for (int d : days) place(e, d, state.times[k], state, s.cells[k][d]);
  }
  return s;
}
