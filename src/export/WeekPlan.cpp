#include "export/WeekPlan.h"

#include <QHash>
#include <QSet>

#include "db/EmployeeFields.h"
#include "export/ShiftTime.h"
#include "print/PrintState.h"
#include "print/WorkingDay.h"

namespace {
// An area field that names an area: not blank and not "No".
QString areaOrNone(const QString& field) {
  const QString area = field.trimmed();
  return compareKey(area) == "NO" ? QString() : area;
}

PlannedShift shiftOf(const QString& start, const QString& stop, const QString& area) {
  PlannedShift s;
  s.startText = start.trimmed();
  s.stopText = stop.trimmed();
  s.start = minutesOfDay(s.startText);
  s.stop = minutesOfDay(s.stopText);
  s.area = areaOrNone(area);
  return s;
}

QString quoted(const QString& text) { return "\"" + text + "\""; }

void noteUnreadable(const QString& name, int weekday, const QString& kind, const PlannedShift& s,
                    QStringList& out) {
  if (s.readable()) return;
  out << QString("%1, %2: %3 %4 - %5")
             .arg(name, fields::weekdays[weekday].name, kind, quoted(s.startText),
                  quoted(s.stopText));
}

void addArea(const QString& area, QStringList& areas, QSet<QString>& seen) {
  const QString key = compareKey(area);
  if (key.isEmpty() || key == "NO" || seen.contains(key)) return;
  seen.insert(key);
  areas << area.trimmed();
}
}  // namespace

QString uniqueCalendarFile(const QString& name, QSet<QString>& taken) {
  const QString stem = safeFileStem(name);
  QString file = stem + ".ics";
  for (int n = 2; taken.contains(file.toCaseFolded()); ++n)
    file = QString("%1 (%2).ics").arg(stem).arg(n);
  taken.insert(file.toCaseFolded());
  return file;
}

double PlannedShift::hours() const { return readable() ? shiftHours(*start, *stop) : 0.0; }

double PlannedDay::hours() const {
  double h = 0;
  if (main) h += main->hours();
  if (split) h += split->hours();
  return h;
}

bool PlannedDay::hasHours() const {
  return (main && main->readable()) || (split && split->readable());
}

double PlannedEmployee::hours() const {
  double h = 0;
  for (const PlannedDay& d : days) h += d.hours();
  return h;
}

QDate mondayOf(const QDate& day) { return day.addDays(1 - day.dayOfWeek()); }

QString safeFileStem(const QString& name) {
  QString stem;
  for (const QChar c : name.trimmed())
    stem += (c.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(c)) ? QChar('_') : c;
  // Long names are cut, keeping room for " (2).ics" within common limits.
  stem = stem.left(120);
  while (!stem.isEmpty() && (stem.back() == '.' || stem.back().isSpace())) stem.chop(1);
  static const QStringList devices = {
      "CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7",
      "COM8", "COM9", "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9"};
  if (devices.contains(stem.section('.', 0, 0).toUpper())) stem += "_";
  return stem.isEmpty() ? QStringLiteral("employee") : stem;
}

WeekPlan planWeek(const QVector<EmployeeRow>& staff, const QStringList& areaList,
                  const QDate& today) {
  WeekPlan plan;
  plan.monday = mondayOf(today);
  QSet<QString> files, areasSeen;
  QHash<QString, int> namesakes;
  for (const QString& area : areaList) addArea(area, plan.areas, areasSeen);
  for (const EmployeeRow& e : staff) {
    PlannedEmployee p;
    p.name = e.fullname.trimmed();
    const int namesake = ++namesakes[p.name];
    p.nameKey = QString("name:%1#%2").arg(p.name).arg(namesake);
    p.key = e.key.isEmpty() ? p.nameKey : e.key;
    p.position = e.position.trimmed();
    p.calendarFile = uniqueCalendarFile(p.name, files);
    for (int d = 0; d < fields::DaysInWeek; ++d) {
      const EmployeeDay& day = e.days[d];
      const WorkingDay worked = workingDay(day);
      if (!worked.any()) continue;
      PlannedDay pd;
      pd.weekday = d;
      pd.date = plan.monday.addDays(d);
      pd.special = worked.special;
      pd.thirdArea = areaOrNone(day.firstArea);
      if (worked.mainShift) {
        pd.main = shiftOf(day.start, day.stop, day.mainArea);
        noteUnreadable(p.name, d, "shift", *pd.main, plan.unreadable);
        addArea(pd.main->area, plan.areas, areasSeen);
      }
      if (worked.splitShift) {
        pd.split = shiftOf(day.splitStart, day.splitStop, day.splitArea);
        noteUnreadable(p.name, d, "split shift", *pd.split, plan.unreadable);
        addArea(pd.split->area, plan.areas, areasSeen);
      }
      if (pd.special) addArea(pd.thirdArea, plan.areas, areasSeen);
      p.days.push_back(pd);
    }
    const bool anyEvent = std::any_of(p.days.begin(), p.days.end(), [](const PlannedDay& d) {
      return d.special || d.hasHours();
    });
    if (!anyEvent) plan.withoutWorkingDay << p.name;
    plan.staff.push_back(p);
  }
  return plan;
}
