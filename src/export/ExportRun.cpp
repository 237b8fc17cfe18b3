#include "export/ExportRun.h"

#include <QDir>
#include <QFileInfo>
#include <QVector>

#include "data/RecordSet.h"
#include "db/Repair.h"
#include "export/CalendarFile.h"
#include "export/StagedFiles.h"
#include "export/WeekPlan.h"
#include "lists/ListFile.h"
#include "platform/Clock.h"

namespace {
QString native(const QString& path) { return QDir::toNativeSeparators(path); }

QVector<EmployeeRow> readStaff() {
  try {
    RecordSet records;
    records.open("Employee.MDB", "Employees");
    return readEmployees(records);
  } catch (const DbError& e) {
    const QString unreadable =
        unreadableDatabaseMessage(QString::fromUtf8(e.what()), "Nothing was exported.");
    throw ExportError((unreadable.isEmpty()
                           ? QString("There is no employee database (employee.mdb) in %1; "
                                     "nothing was exported.")
                                 .arg(native(QDir::currentPath()))
                           : unreadable)
                          .toStdString());
  }
}

QString makeFolder(const QString& folder) {
  const QString path = QDir::cleanPath(QDir::current().absoluteFilePath(folder));
  if (!QDir().mkpath(path) || !QFileInfo(path).isDir())
    throw ExportError(QString("The folder %1 could not be made; nothing was exported.")
                          .arg(native(path))
                          .toStdString());
  return path;
}

QString listed(const QStringList& lines, int limit) {
  if (limit <= 0 || lines.size() <= limit) return lines.join('\n');
  return (lines.mid(0, limit) + QStringList{QString("... and %1 more.").arg(lines.size() - limit)})
      .join('\n');
}
}  // namespace

QString ExportReport::summary(int listLimit) const {
  QString text = QString(
                     "The week of %1 was exported to %2:\n%3 calendar file%4, week.xlsx and "
                     "week.csv.")
                     .arg(clock_::shortDate(monday), native(folder))
                     .arg(calendars)
                     .arg(calendars == 1 ? "" : "s");
  if (!unreadable.isEmpty())
    text +=
        "\n\nThese shifts have a time that cannot be read; they were left out of the "
        "calendars and the hours:\n" +
        listed(unreadable, listLimit);
  if (!withoutCalendar.isEmpty())
    text +=
        "\n\nNo calendar file for these employees, who have no shift or special day to "
        "put in one:\n" +
        listed(withoutCalendar, listLimit);
  return text;
}

ExportReport exportWeek(const QString& folder) {
  const QVector<EmployeeRow> staff = readStaff();
  const WeekPlan plan = planWeek(staff, readChoices("AREAS.IGH"), clock_::today());
  ExportReport report;
  report.folder = makeFolder(folder);
  report.monday = plan.monday;
  report.unreadable = plan.unreadable;
  report.withoutCalendar = plan.withoutWorkingDay;

  // Each calendar goes to the folder as soon as it is made, so a large
  // business is never held in memory all at once.
  StagedFiles files(report.folder);
  const QDateTime stamp = clock_::now();
  for (const PlannedEmployee& e : plan.staff) {
    const QByteArray calendar = calendarFile(e, stamp);
    if (calendar.isEmpty()) continue;
    files.add(e.calendarFile, calendar);
    ++report.calendars;
  }
  files.add("week.xlsx", weekWorkbook(plan));
  files.add("week.csv", weekCsv(plan));
  files.commit();
  return report;
}
