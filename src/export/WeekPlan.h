#pragma once
// The week as staff take it along: each employee's working days with their
// shifts read as times, ready for the calendar files and the spreadsheet.
// Built from the table's rows alone, so it needs no file and no window.
#include <QDate>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

#include "print/ScheduleSelection.h"

struct PlannedShift {
  QString startText, stopText;     // as stored, trimmed
  std::optional<int> start, stop;  // minutes after midnight, when readable
  QString area;                    // where it is worked; empty for none
  bool readable() const { return start.has_value() && stop.has_value(); }
  double hours() const;  // 0 when a time cannot be read
  QString rangeText() const { return startText + " - " + stopText; }
};

struct PlannedDay {
  int weekday = 0;  // 0 = Monday
  QDate date;       // that weekday in the week of the export
  std::optional<PlannedShift> main, split;
  bool special = false;
  QString thirdArea;      // the day's third area; empty for none
  double hours() const;   // of the shifts that could be read
  bool hasHours() const;  // at least one shift could be read
};

struct PlannedEmployee {
  // The employee's lasting identity: the table's key, or, in a table that
  // has none (a read-only file of an earlier version), `nameKey`: the name
  // and its place among namesakes.
  QString key, nameKey;
  QStringList keys() const { return key == nameKey ? QStringList{key} : QStringList{key, nameKey}; }
  QString name, position;
  QString calendarFile;      // "<name>.ics", safe as a file name and unique
  QVector<PlannedDay> days;  // working days only, Monday first
  double hours() const;
};

struct WeekPlan {
  QDate monday;                    // the week of the export
  QVector<PlannedEmployee> staff;  // table order
  QStringList areas;               // one sheet each: the area list, then areas only the days name
  // Shifts left out of the calendars and the hours because a time could not
  // be read, one line each: "Ann Lee, Monday: shift "9A.M." - "25P.M."".
  QStringList unreadable;
  QStringList withoutWorkingDay;  // names of employees who get no calendar
};

// The Monday of the week that holds `day`.
QDate mondayOf(const QDate& day);

// The area list (AREAS.IGH) gives the sheets their order; blank entries and
// "No" are skipped.
WeekPlan planWeek(const QVector<EmployeeRow>& staff, const QStringList& areaList,
                  const QDate& today);

// "Ann Lee.ics", or "Ann Lee (2).ics" and so on when a name of `taken`
// (compared without regard to case, as the file systems of Windows and macOS
// do) has it; the name found is added to `taken`.
QString uniqueCalendarFile(const QString& name, QSet<QString>& taken);

// A name made safe as a file name on any system (no slash, colon and the
// like, no trailing dot or blank, no device name such as "CON"); "employee"
// when nothing is left.
QString safeFileStem(const QString& name);
