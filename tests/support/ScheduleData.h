#pragma once
// Schedule test data: employees as plain rows, written into employee.mdb as the
// employee window saves them, and the hand-over files the print setup leaves
// (PRINT.IGH, an area's settings file, EXEMPT.IGH, extras.txt).
#include <QString>
#include <QStringList>
#include <QVector>

#include "print/ScheduleSelection.h"

namespace day {
constexpr int Mon = 0, Tue = 1, Wed = 2, Thu = 3, Fri = 4, Sat = 5, Sun = 6;
}

EmployeeRow staffMember(const QString& name, const QString& position, const QStringList& areas);
// The main shift of a day, worked in `area` (the day's first area too).
EmployeeRow& works(EmployeeRow& e, int day, const QString& start, const QString& stop,
                   const QString& area);
EmployeeRow& splitShift(EmployeeRow& e, int day, const QString& start, const QString& stop,
                        const QString& area);
// On the special list that day, in `area` (the day's first area).
EmployeeRow& special(EmployeeRow& e, int day, const QString& area);

// Inserts the rows into the Employees table of the file, numbered 1..n.
void writeStaffTable(const QString& databasePath, const QVector<EmployeeRow>& staff);

struct ScheduleChoices {
  QString area;
  QString position = "NOTHING";
  QString dayOrWeek = "Weekly";
  QStringList times;   // up to four
  QStringList labels;  // one per time
};
// The files the Ok button of the print setup writes for these choices:
// the settings file, PRINT.IGH naming it and EXEMPT.IGH.
void handOver(const ScheduleChoices& choices, const QStringList& excluded = {});
// Only the area's settings file (as "&Save Info" leaves it for an all-areas run).
void saveAreaChoices(const ScheduleChoices& choices);
// extras.txt with thirteen lines (label, Monday..Sunday, five sentences).
void writeExtras(const QStringList& lines);

// A realistic week: three areas (Kitchen, Restaurant Bar, Front Desk), twenty
// employees with split shifts, weekend doubles and specials, each area's saved
// choices, AREAS.IGH, extras.txt, and PRINT.IGH for every area at once.
QVector<EmployeeRow> sampleWeek();
void handOverSampleWeek(const QString& databasePath);
