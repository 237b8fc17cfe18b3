#pragma once
// One employee's week as an iCalendar file (RFC 5545), made with libical:
// each shift a weekly repeating event in local (floating) time from its day
// in the week of the export, a shift past midnight ending the next day, a
// special listing an all-day event.
#include <QByteArray>
#include <QDateTime>
#include <QVector>
#include <memory>

struct PlannedEmployee;
struct icalcomponent_impl;  // libical's component
using SharedComponent = std::shared_ptr<icalcomponent_impl>;

// One event of the week, named by the employee's key, its weekday and its
// kind (shift, split shift, special), so its UID stays the same while the
// employee and that shift exist, whatever happens to names and files.
struct ShiftEvent {
  QByteArray uid;
  QByteArray text;  // the VEVENT as iCalendar text, without DTSTAMP and SEQUENCE
  SharedComponent component;  // the same, as libical made it
};
QVector<ShiftEvent> shiftEvents(const PlannedEmployee& employee);

// An event as it goes into a file: its revision, and whether it cancels one
// an earlier export wrote.
struct IssuedEvent {
  QByteArray text;  // as ShiftEvent::text
  int sequence = 0;
  bool cancelled = false;
  SharedComponent component;  // where there is one, else it is read from the text
};

// The calendar of these events, each stamped `stamp`; empty when there are
// none (a calendar must hold an event).
QByteArray calendarFile(const QVector<IssuedEvent>& events, const QDateTime& stamp);
