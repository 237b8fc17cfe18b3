#include "print/WorkingDay.h"

#include "print/PrintState.h"
#include "print/ScheduleSelection.h"

namespace {
bool holdsTime(const QString& timeField) {
  const QString key = compareKey(timeField);
  return !key.isEmpty() && key != "NO";
}
}  // namespace

WorkingDay workingDay(const EmployeeDay& day) {
  WorkingDay w;
  w.mainShift = holdsTime(day.start) || holdsTime(day.stop);
  w.splitShift = holdsTime(day.splitStart) || holdsTime(day.splitStop);
  w.special = compareKey(day.special) == "YES";
  return w;
}
