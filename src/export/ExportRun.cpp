#include "export/ExportRun.h"

#include <QDir>
#include <QFileInfo>
#include <QVector>
#include <algorithm>

#include "data/RecordSet.h"
#include "db/EmployeeKeys.h"
#include "db/Repair.h"
#include "export/CalendarFile.h"
#include "export/CalendarLedger.h"
#include "export/StagedFiles.h"
#include "export/WeekPlan.h"
#include "lists/ListFile.h"
#include "platform/Clock.h"
#include "platform/FileOps.h"

namespace {
QString native(const QString& path) { return QDir::toNativeSeparators(path); }

QVector<EmployeeRow> readStaff() {
  try {
    RecordSet records;
    records.open("Employee.MDB", "Employees");  // says at once when the table cannot be reached
    // A table of an earlier version gets its keys first, so its calendars'
    // events keep their names from now on; a read-only one is read as it is.
    records.close();
    db::keyEveryEmployee();
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
  if (!fileops::makeFolder(path))
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
  if (cancelledEvents > 0)
    text += QString("\n\n%1 shift%2 exported here before %3 gone; %4 in the calendar files "
                    "as cancelled, so a calendar that imports them again drops %5.")
                .arg(cancelledEvents)
                .arg(cancelledEvents == 1 ? "" : "s", cancelledEvents == 1 ? "is" : "are",
                     cancelledEvents == 1 ? "it is" : "they are", cancelledEvents == 1 ? "it" : "them");
  if (!filesOfGone.isEmpty())
    text += "\n\nThese calendar files are of employees no longer in the table; they cancel "
            "their shifts and go at the next export:\n" +
            listed(filesOfGone, listLimit);
  if (!withoutCalendar.isEmpty())
    text +=
        "\n\nNo calendar file for these employees, who have no shift or special day to "
        "put in one:\n" +
        listed(withoutCalendar, listLimit);
  return text;
}

ExportReport exportWeek(const QString& folder) {
  const QVector<EmployeeRow> staff = readStaff();
  WeekPlan plan = planWeek(staff, readChoices("AREAS.IGH"), clock_::today());
  ExportReport report;
  report.folder = makeFolder(folder);
  report.monday = plan.monday;
  report.unreadable = plan.unreadable;
  report.withoutCalendar = plan.withoutWorkingDay;

  // Each calendar goes to the folder as soon as it is made, so a large
  // business is never held in memory all at once.
  StagedFiles files(report.folder);
  const QDateTime stamp = clock_::now();
  CalendarLedger ledger = CalendarLedger::read(QDir(report.folder));
  keepCalendarFiles(plan, ledger);
  QSet<QString> present;
  for (const PlannedEmployee& e : plan.staff) {
    for (const QString& key : e.keys()) present.insert(key);
    const QVector<IssuedEvent> events = ledger.issue(e.keys(), e.calendarFile, shiftEvents(e));
    if (events.isEmpty()) continue;
    files.add(e.calendarFile, calendarFile(events, stamp));
    if (std::any_of(events.begin(), events.end(), [](const IssuedEvent& i) { return !i.cancelled; }))
      ++report.calendars;
  }
  const QMap<QString, QVector<IssuedEvent>> gone = ledger.cancelGone(present);
  for (auto it = gone.cbegin(); it != gone.cend(); ++it) files.add(it.key(), calendarFile(*it, stamp));
  report.cancelledEvents = ledger.cancelledCount();
  report.filesOfGone = gone.keys();
  files.add("week.xlsx", weekWorkbook(plan));
  files.add("week.csv", weekCsv(plan));
  files.add(kLedgerName, ledger.bytes());  // last: it tells what the files above hold
  files.commit();
  // Calendar files of the last export that have nothing left to say.
  for (const QString& name : ledger.leftBehind()) fileops::remove(QDir(report.folder).filePath(name));
  return report;
}
