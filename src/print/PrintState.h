#pragma once
// The print state: the choices of the schedule being printed or previewed, as
// the print setup handed them over (an area's settings file and EXEMPT.IGH),
// plus what the user said in the print window (copies, extras). The print and
// the preview share it; every run rewrites it.
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <stdexcept>

// Any reason a schedule cannot be printed or previewed (a missing or unsafe
// hand-over file, a day choice that names no day). The window reports it with
// its one printing message.
class ScheduleError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct PrintState {
  QString area;            // settings line 1
  QString markedPosition;  // line 2; employees in this position get an asterisk
  QString dayOrWeek;       // line 3: "Weekly" or a weekday name
  qint16 copies = 0;       // from the printer dialog, then line 4; never applied
  std::array<QString, 4> times;   // lines 5, 7, 9, 11 (empty when absent)
  std::array<QString, 4> labels;  // lines 6, 8, 10, 12
  QStringList exclusions;         // EXEMPT.IGH up to its first empty entry
  bool extrasWanted = true;       // false once the user declined the extras
};

// Trimmed and in capitals: how choices and table values are compared.
QString compareKey(const QString& value);
bool sameText(const QString& a, const QString& b);

// True when the area stands for every area ("All_Areas" in any case).
bool isAllAreas(const QString& area);

// Reads an area's settings file (a bare name in the data folder) into the
// state: times and labels are emptied first, then lines go by number. Throws
// ScheduleError when the name carries a path or the file cannot be read.
void loadAreaChoices(PrintState& state, const QString& settingsFileName);
// Reads EXEMPT.IGH into the exclusion table; throws ScheduleError when missing.
void loadExclusions(PrintState& state);

// The weekdays (0 = Monday) the schedule covers: all seven for "Weekly",
// else the one day named. Throws ScheduleError for a choice that names no
// day, rather than print a schedule with nobody on it.
QVector<int> coveredDays(const PrintState& state);

// The numeric value of a line as the number field holds it: leading blanks,
// an optional sign and digits; 0 when there are none. Kept in 16 bits.
qint16 numberFieldValue(const QString& line);
