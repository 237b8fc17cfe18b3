#include "export/WeekTable.h"

#include "db/EmployeeFields.h"
#include "export/WeekPlan.h"
#include "print/PrintState.h"

namespace {
TimeCell timeCell(const std::optional<int>& minutes, const QString& text) {
  return minutes ? TimeCell{minutes, {}} : TimeCell{std::nullopt, text};
}

void fillShift(const std::optional<PlannedShift>& shift, TimeCell& start, TimeCell& stop,
               QString& area) {
  if (!shift) return;
  start = timeCell(shift->start, shift->startText);
  stop = timeCell(shift->stop, shift->stopText);
  area = shift->area;
}
}  // namespace

QVector<WeekRow> weekRows(const WeekPlan& plan) {
  QVector<WeekRow> rows;
  rows.reserve(plan.staff.size() * 6);
  for (const PlannedEmployee& e : plan.staff) {
    for (const PlannedDay& d : e.days) {
      WeekRow r;
      r.name = e.name;
      r.position = e.position;
      r.day = fields::weekdays[d.weekday].name;
      fillShift(d.main, r.start, r.stop, r.area);
      fillShift(d.split, r.splitStart, r.splitStop, r.splitArea);
      if (d.special) r.special = "Yes";
      if (d.hasHours()) r.hours = d.hours();
      rows.push_back(r);
    }
    WeekRow total;
    total.name = e.name;
    total.position = e.position;
    total.day = "Total";
    total.isTotal = true;
    total.hours = e.hours();
    total.totalOfRows = int(e.days.size());
    rows.push_back(total);
  }
  return rows;
}

std::array<QStringList, 7> areaStaff(const WeekPlan& plan, const QString& area) {
  std::array<QStringList, 7> days;
  const QString key = compareKey(area);
  auto here = [&](const QString& a) { return !a.isEmpty() && compareKey(a) == key; };
  for (const PlannedEmployee& e : plan.staff) {
    for (const PlannedDay& d : e.days) {
      QStringList& cell = days[d.weekday];
      if (d.main && here(d.main->area)) cell << QString("%1 (%2)").arg(e.name, d.main->rangeText());
      if (d.split && here(d.split->area))
        cell << QString("%1 (%2 split)").arg(e.name, d.split->rangeText());
      if (d.special && here(d.thirdArea)) cell << QString("%1 (special)").arg(e.name);
    }
  }
  return days;
}
