#pragma once
// The 63 day texts of one employee, day block by day block from Monday to
// Sunday, each block in screen order (see db/EmployeeFields.h), and the two
// edits the employee window makes on them: the day copy and the main-area fill.
#include <QString>
#include <array>

#include "db/EmployeeFields.h"

constexpr int DayFieldCount = fields::DaysInWeek * fields::FieldsPerDay;
using DayTexts = std::array<QString, DayFieldCount>;

inline int dayIndex(int day, fields::DayField f) {
  return day * fields::FieldsPerDay + static_cast<int>(f);
}

// Field k of the source block goes into field k of the target block, k = 1..9.
void copyDayBlock(DayTexts& texts, int fromDay, int toDay);

// Every day whose third area still shows "No" takes `area`; the others keep
// what they show. Returns the days that changed.
QList<int> fillUnsetThirdAreas(DayTexts& texts, const QString& area);

// The file that carries the clicked weekday from the heading click to "&Ok".
namespace daycopy {
inline const QString FileName = "DAYCOPY.IGH";
// Replaces the file with the weekday's name in capitals and CR LF.
bool writeTarget(int day, QString* error = nullptr);
// The weekday the file names (0 = Monday), or -1 when it names none or
// cannot be read.
int readTarget();
}  // namespace daycopy
