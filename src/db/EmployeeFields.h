#pragma once
// The fields of the Employees table and the day blocks, named exactly as the
// table and the employee window name them.
#include <QString>
#include <QStringList>
#include <array>

namespace fields {
inline const QString Number = "Number";
inline const QString Fullname = "Fullname";
inline const QString Position = "position";
inline const QString Area = "area";
inline const QString Area2 = "Area2";
inline const QString Area3 = "Area3";
inline const QString Area4 = "Area4";
// Each employee's lasting identity, which no window shows: the calendar
// export names the employee's events by it. The database gives every new
// record one (32 hex digits).
inline const QString Key = "EmployeeKey";

constexpr int DaysInWeek = 7;
constexpr int FieldsPerDay = 9;

// The weekdays, Monday first: the prefix of the day's fields ("Mon"), the name
// of its day-flag field ("monday", "Tuesday", ...), and its name in capitals
// ("MONDAY") as the schedule and the day copy write it.
struct Weekday {
  const char* prefix;
  const char* flagField;
  const char* upperName;
  const char* name;
};
inline constexpr std::array<Weekday, DaysInWeek> weekdays = {{
    {"Mon", "monday", "MONDAY", "Monday"},
    {"Tue", "Tuesday", "TUESDAY", "Tuesday"},
    {"Wed", "wednesday", "WEDNESDAY", "Wednesday"},
    {"Thu", "thursday", "THURSDAY", "Thursday"},
    {"Fri", "friday", "FRIDAY", "Friday"},
    {"Sat", "saturday", "SATURDAY", "Saturday"},
    {"Sun", "sunday", "SUNDAY", "Sunday"},
}};

// The nine fields of a day block, in screen order (the order every copy uses).
enum class DayField { Flag, Start, Stop, Bldg1, SplitStart, SplitStop, Bldg2, Special, Bldg };

inline QString dayField(int day, DayField f) {
  const QString p = weekdays[day].prefix;
  switch (f) {
    case DayField::Flag: return weekdays[day].flagField;
    case DayField::Start: return p.toLower() + "start";
    case DayField::Stop: return p.toLower() + "stop";
    case DayField::Bldg1: return p + "Bldg1";
    case DayField::SplitStart: return p + "SplitStart";
    case DayField::SplitStop: return p + "SplitStop";
    case DayField::Bldg2: return p + "Bldg2";
    case DayField::Special: return p + "Special";
    case DayField::Bldg: return p + "Bldg";
  }
  return {};
}

// The nine field names of one day block, in screen order.
inline QStringList dayBlock(int day) {
  QStringList out;
  for (int k = 0; k < FieldsPerDay; ++k) out << dayField(day, DayField(k));
  return out;
}

// All 63 day fields, day block by day block from Monday to Sunday.
inline QStringList allDayFields() {
  QStringList out;
  for (int d = 0; d < DaysInWeek; ++d) out << dayBlock(d);
  return out;
}

// Every field of the table in table order: Number, name, position, four
// areas, 63 day fields, the key.
inline QStringList allFields() {
  return QStringList{Number, Fullname, Position, Area, Area2, Area3, Area4} + allDayFields() +
         QStringList{Key};
}
}  // namespace fields
