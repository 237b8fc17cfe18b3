#include "print/PrintState.h"

#include <algorithm>

#include "db/EmployeeFields.h"
#include "print/AreaSettings.h"

QString compareKey(const QString& value) { return value.trimmed().toUpper(); }
bool sameText(const QString& a, const QString& b) { return compareKey(a) == compareKey(b); }
bool isAllAreas(const QString& area) { return compareKey(area) == "ALL_AREAS"; }

void loadAreaChoices(PrintState& state, const QString& settingsFileName) {
  state.times = {};
  state.labels = {};
  // Only a bare name in the data folder is ever opened: a hand-edited
  // PRINT.IGH must not reach files elsewhere.
  if (!isBareFileName(settingsFileName))
    throw ScheduleError("not a file name of the data folder: " + settingsFileName.toStdString());
  bool ok = false;
  const AreaSettings s = readAreaSettings(settingsFileName, &ok);
  if (!ok) throw ScheduleError("no settings file " + settingsFileName.toStdString());
  state.area = s.area;
  state.markedPosition = s.position;
  state.dayOrWeek = s.dayOrWeek;
  state.copies = numberFieldValue(s.number);
  state.times = s.times;
  state.labels = s.labels;
}

void loadExclusions(PrintState& state) {
  bool ok = false;
  state.exclusions = readExemptFile(&ok);
  if (!ok) throw ScheduleError("EXEMPT.IGH cannot be read");
}

QVector<int> coveredDays(const PrintState& state) {
  const QString choice = compareKey(state.dayOrWeek);
  if (choice == "WEEKLY") return {0, 1, 2, 3, 4, 5, 6};
  for (int d = 0; d < fields::DaysInWeek; ++d)
    if (choice == fields::weekdays[d].upperName) return {d};
  throw ScheduleError("the day choice names no day: " + state.dayOrWeek.toStdString());
}

qint16 numberFieldValue(const QString& line) {
  const QString t = line.trimmed();
  qsizetype i = 0;
  bool negative = false;
  if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) negative = t[i++] == u'-';
  qint64 value = 0;
  for (; i < t.size() && t[i].isDigit() && t[i].unicode() < 128; ++i) {
    value = value * 10 + (t[i].unicode() - '0');
    if (value > 32768) break;
  }
  if (negative) value = -value;
  return qint16(std::clamp<qint64>(value, -32768, 32767));
}
