#pragma once
// Which employee lands in which weekday and time block of a schedule. The
// printed schedule and the on-screen preview both list exactly what this
// selection says, so the two never disagree.
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <optional>

#include "print/PrintState.h"

class RecordSet;

// One weekday of an employee's record, every value trimmed.
struct EmployeeDay {
  QString start, stop;            // main shift
  QString splitStart, splitStop;  // split shift
  QString special;                // "Yes" when on the special list that day
  QString firstArea;              // "MonBldg": the area of the special listing
  QString mainArea;               // "MonBldg1": where the main shift is worked
  QString splitArea;              // "MonBldg2": where the split shift is worked
};

// What the placement rules compare of one weekday (compareKey of its
// ranges and areas, and whether it is worked), independent of the schedule.
struct EmployeeDayKeys {
  bool mainShift = false, splitShift = false, special = false;
  QString main, split;                      // the ranges
  QString firstArea, mainArea, splitArea;
};

struct EmployeeRow {
  QString key;  // fields::Key, where the table has it
  QString fullname;
  QString position;
  std::array<QString, 4> areas;  // area, Area2, Area3, Area4
  std::array<EmployeeDay, 7> days;
  // The areas as the selection compares them (compareKey), worked out once
  // when the row is read from the table, because an all-areas run compares
  // every row with every area. Empty: the selection works them out itself.
  std::optional<std::array<QString, 4>> areaKeys;
  // The days as the selection compares them, likewise worked out once.
  std::optional<std::array<EmployeeDayKeys, 7>> dayKeys;
  // The name as an exclusion is compared with it, and the position as the
  // marked position is, likewise.
  std::optional<QString> nameKey;
  std::optional<QString> positionKey;
};

std::array<QString, 4> areaKeysOf(const EmployeeRow& e);
std::array<EmployeeDayKeys, 7> dayKeysOf(const EmployeeRow& e);

// Every record from the first to the last, in table order; the record set is
// left on its first record. Errors of the record set (DbError) pass through.
QVector<EmployeeRow> readEmployees(RecordSet& records);

// Why a name is listed in a block.
enum class Placement { MainShift, SplitShift, Special, WeekendDouble };

struct Listing {
  QString name;     // fullname as stored, trimmed
  Placement placement;
  bool marked = false;  // the employee holds the marked position
  // The name as the printed schedule shows it: "Ann Lee *" for a marked main
  // shift, "* Ann Lee" for any other marked listing.
  QString printed() const;
};

// A shift worked in the area on a covered day that none of the four times
// lists: the paper leaves it out, so the user is told.
struct UnlistedShift {
  QString area;   // the schedule's area, as chosen
  QString name;   // fullname as stored, trimmed
  int day = 0;    // 0 = Monday
  QString hours;  // start + " - " + stop, as the employee's day holds them
};

struct ScheduleSelection {
  // cells[block][day], each in table order.
  std::array<std::array<QVector<Listing>, 7>, 4> cells;
  int staffCount = 0;  // employees whose first area is the area (or all, for every area)
  QVector<UnlistedShift> unlisted;  // in table order, day by day
};

// The time ranges an employee's day offers: start + " - " + stop, cut to 30
// characters (and likewise for the split shift).
QString mainRange(const EmployeeDay& day);
QString splitRange(const EmployeeDay& day);

ScheduleSelection selectSchedule(const PrintState& state, const QVector<EmployeeRow>& staff);
