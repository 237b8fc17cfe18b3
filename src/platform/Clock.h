#pragma once
// "Today" and "now" come from here, so tests can fix them.
#include <QDateTime>

namespace clock_ {
QDate today();
QDateTime now();
// The system short date form of a date ("today's date" on printouts).
QString shortDate(const QDate& date);
void fixNow(const QDateTime& when);  // tests: freeze the clock
void release();                      // tests: back to the real clock
}  // namespace clock_
