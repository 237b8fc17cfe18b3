#pragma once
// One employee's week as an iCalendar file (RFC 5545), made with libical:
// each shift a weekly repeating event in local (floating) time from its day
// in the week of the export, a shift past midnight ending the next day, a
// special listing an all-day event.
#include <QByteArray>
#include <QDateTime>

struct PlannedEmployee;

// Empty when the employee has nothing to put in a calendar (no shift that
// could be read and no special listing): a calendar must hold an event.
QByteArray calendarFile(const PlannedEmployee& employee, const QDateTime& stamp);
