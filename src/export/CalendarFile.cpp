#include "export/CalendarFile.h"

#include <libical/ical.h>

#include <QUuid>
#include <memory>

#include "export/WeekPlan.h"

namespace {
struct ComponentFree {
  void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

icaltimetype floatingTime(const QDate& date, int minutes) {
  icaltimetype t = icaltime_null_time();
  t.year = date.year();
  t.month = date.month();
  t.day = date.day();
  t.hour = minutes / 60;
  t.minute = minutes % 60;
  return t;
}

icaltimetype allDay(const QDate& date) {
  icaltimetype t = icaltime_null_date();
  t.year = date.year();
  t.month = date.month();
  t.day = date.day();
  return t;
}

// "Kitchen - Cook": the parts that are there.
QString summaryOf(const QString& area, const QString& position, const QString& what) {
  QStringList parts;
  if (!area.isEmpty()) parts << area;
  if (!position.isEmpty()) parts << position;
  QString s = parts.isEmpty() ? QStringLiteral("Shift") : parts.join(" - ");
  return what.isEmpty() ? s : s + " (" + what + ")";
}

// Stable identities, so a calendar that imports next week's file again
// updates its events instead of doubling them.
QByteArray uidOf(const QString& employeeKey, int weekday, const char* kind) {
  static const QUuid space =
      QUuid::fromString(QStringLiteral("6c1f6a52-5f0e-4f4e-9a7e-3b0d2f1c8a41"));
  const QString key = QString("employee:%1/%2/%3").arg(employeeKey).arg(weekday).arg(kind);
  return (QUuid::createUuidV5(space, key).toString(QUuid::WithoutBraces) + "@rotawise").toUtf8();
}

QByteArray textOf(icalcomponent* component) {
  char* text = icalcomponent_as_ical_string_r(component);
  QByteArray bytes(text);
  icalmemory_free_buffer(text);
  return bytes;
}

ShiftEvent event(const QByteArray& uid, const icaltimetype& start, const icaltimetype& end,
                 const QString& summary, const QString& thirdArea) {
  SharedComponent e(icalcomponent_new(ICAL_VEVENT_COMPONENT), icalcomponent_free);
  icalcomponent_add_property(e.get(), icalproperty_new_uid(uid.constData()));
  icalcomponent_add_property(e.get(), icalproperty_new_dtstart(start));
  icalcomponent_add_property(e.get(), icalproperty_new_dtend(end));
  icalrecurrencetype weekly;
  icalrecurrencetype_clear(&weekly);
  weekly.freq = ICAL_WEEKLY_RECURRENCE;
  icalcomponent_add_property(e.get(), icalproperty_new_rrule(weekly));
  icalcomponent_add_property(e.get(), icalproperty_new_summary(summary.toUtf8().constData()));
  if (!thirdArea.isEmpty())
    icalcomponent_add_property(
        e.get(), icalproperty_new_description(("Bldg/Area: " + thirdArea).toUtf8().constData()));
  icalcomponent_add_property(e.get(), icalproperty_new_transp(ICAL_TRANSP_OPAQUE));
  return {uid, textOf(e.get()), e};
}

void addShift(QVector<ShiftEvent>& out, const PlannedEmployee& e, const PlannedDay& day,
              const PlannedShift& shift, const char* kind, const QString& what) {
  if (!shift.readable()) return;  // reported with the week's unreadable times
  const bool nextDay = *shift.stop <= *shift.start;
  out << event(uidOf(e.key, day.weekday, kind), floatingTime(day.date, *shift.start),
               floatingTime(nextDay ? day.date.addDays(1) : day.date, *shift.stop),
               summaryOf(shift.area, e.position, what), day.thirdArea);
}
}  // namespace

QVector<ShiftEvent> shiftEvents(const PlannedEmployee& employee) {
  QVector<ShiftEvent> out;
  for (const PlannedDay& day : employee.days) {
    if (day.main) addShift(out, employee, day, *day.main, "shift", {});
    if (day.split) addShift(out, employee, day, *day.split, "split", "split shift");
    if (day.special)
      out << event(uidOf(employee.key, day.weekday, "special"), allDay(day.date),
                   allDay(day.date.addDays(1)),
                   summaryOf(day.thirdArea, employee.position, "special"), day.thirdArea);
  }
  return out;
}

QByteArray calendarFile(const QVector<IssuedEvent>& events, const QDateTime& stamp) {
  if (events.isEmpty()) return {};
  Component calendar(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
  icalcomponent_add_property(calendar.get(), icalproperty_new_prodid("-//Rotawise//Rotawise//EN"));
  icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
  icalcomponent_add_property(calendar.get(), icalproperty_new_calscale("GREGORIAN"));
  const icaltimetype utcStamp =
      icaltime_from_timet_with_zone(stamp.toSecsSinceEpoch(), 0, icaltimezone_get_utc_timezone());
  for (const IssuedEvent& issued : events) {
    icalcomponent* e = issued.component ? icalcomponent_new_clone(issued.component.get())
                                        : icalcomponent_new_from_string(issued.text.constData());
    if (!e) continue;  // only texts this program wrote come here
    icalcomponent_add_property(e, icalproperty_new_dtstamp(utcStamp));
    icalcomponent_add_property(e, icalproperty_new_sequence(issued.sequence));
    if (issued.cancelled) icalcomponent_add_property(e, icalproperty_new_status(ICAL_STATUS_CANCELLED));
    icalcomponent_add_component(calendar.get(), e);
  }
  if (icalcomponent_count_components(calendar.get(), ICAL_VEVENT_COMPONENT) == 0) return {};
  return textOf(calendar.get());
}
