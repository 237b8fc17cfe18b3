#pragma once
// When a weekday of an employee's record counts as worked. The schedule lists
// a shift only when it has its times, and a special listing only when the
// marker says yes; the "Week Day" flag plays no part. The schedule and the
// export of calendars and spreadsheets both ask here, so the two never differ.
#include <QString>

struct EmployeeDay;

// A time field counts when it is not blank; "No", what the employee window
// shows in a day list where nothing was chosen, is blank too.
struct WorkingDay {
  bool mainShift = false;   // start or stop filled in
  bool splitShift = false;  // split start or split stop filled in
  bool special = false;     // the special marker says yes
  bool any() const { return mainShift || splitShift || special; }
};

WorkingDay workingDay(const EmployeeDay& day);
