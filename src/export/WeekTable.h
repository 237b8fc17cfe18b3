#pragma once
// The week as rows and columns, the same for the spreadsheet and the CSV
// file: a row per employee and working day with a total row after each
// employee, and for each area its staff per day.
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <optional>

struct WeekPlan;

// A time cell: a time of day when it could be read, else the text as stored
// (so nothing the user typed is lost), or empty.
struct TimeCell {
  std::optional<int> minutes;
  QString text;
};

struct WeekRow {
  QString name, position, day;
  TimeCell start, stop;
  QString area;
  TimeCell splitStart, splitStop;
  QString splitArea, special;
  std::optional<double> hours;  // none when no shift of the day could be read
  bool isTotal = false;         // the employee's total, after the days
  int totalOfRows = 0;          // the days above a total row
};

inline const QStringList kWeekHeadings = {"Name",       "Position", "Day",         "Start",
                                          "End",        "Area",     "Split start", "Split end",
                                          "Split area", "Special",  "Hours"};

QVector<WeekRow> weekRows(const WeekPlan& plan);

// The staff of one area, one list per weekday (Monday first), in table
// order: "Ann Lee (9A.M. - 5P.M.)", "... split)" and "Ann Lee (special)".
std::array<QStringList, 7> areaStaff(const WeekPlan& plan, const QString& area);
