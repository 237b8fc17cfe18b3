#include "print/WorkingDay.h"

#include "print/PrintState.h"
#include "print/ScheduleSelection.h"

namespace {
// Compared as compareKey() would, without making an upper-case copy: every
// day of every record of a large table passes here.
bool sameKey(const QString& value, QStringView key) {
  return QStringView(value).trimmed().compare(key, Qt::CaseInsensitive) == 0;
}

bool holdsTime(const QString& timeField) {
  return !QStringView(timeField).trimmed().isEmpty() && !sameKey(timeField, u"NO");
}
}  // namespace

WorkingDay workingDay(const EmployeeDay& day) {
  WorkingDay w;
  w.mainShift = holdsTime(day.start) || holdsTime(day.stop);
  w.splitShift = holdsTime(day.splitStart) || holdsTime(day.splitStop);
  w.special = sameKey(day.special, u"YES");
  return w;
}
