#include "export/ExportRun.h"

#include <QDir>
#include <QFileInfo>
#include <QVector>

#include "db/Repair.h"
#include "export/CalendarFile.h"
#include "export/WeekPlan.h"
#include "lists/ListFile.h"
#include "platform/Clock.h"
#include "platform/FileOps.h"
#include "platform/RecordSet.h"

namespace {
struct OutputFile {
  QString name;
  QByteArray bytes;
};

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
                                 .arg(QDir::toNativeSeparators(QDir::currentPath()))
                           : unreadable)
                          .toStdString());
  }
}

QString makeFolder(const QString& folder) {
  const QString path = QDir::cleanPath(QDir::current().absoluteFilePath(folder));
  if (!QDir().mkpath(path) || !QFileInfo(path).isDir())
    throw ExportError(QString("The folder %1 could not be made; nothing was exported.")
                          .arg(QDir::toNativeSeparators(path))
                          .toStdString());
  return path;
}

QString partName(const QString& path) { return path + ".part"; }

// Every file goes in under a temporary name first; only when all are there
// are they renamed into place, so a full disk leaves the folder as it was.
void writeAll(const QDir& folder, const QVector<OutputFile>& files) {
  QStringList staged;
  auto dropStaged = [&] {
    for (const QString& part : staged) fileops::remove(part);
  };
  for (const OutputFile& f : files) {
    QString why;
    const QString part = partName(folder.filePath(f.name));
    if (!fileops::writeAtomically(part, f.bytes, &why)) {
      dropStaged();
      why.replace(part, f.name);  // the name the user knows, not the temporary one
      throw ExportError(QString("Nothing was exported to %1.  %2")
                            .arg(QDir::toNativeSeparators(folder.path()), why)
                            .toStdString());
    }
    staged << part;
  }
  for (int i = 0; i < files.size(); ++i) {
    const QString target = folder.filePath(files[i].name);
    if (!fileops::remove(target) || !fileops::rename(staged[i], target)) {
      staged = staged.mid(i);
      dropStaged();
      throw ExportError(QString("The export to %1 stopped at %2, which could not be replaced; "
                                "the files before it are new, the others were left as they were.")
                            .arg(QDir::toNativeSeparators(folder.path()), files[i].name)
                            .toStdString());
    }
  }
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
                     .arg(clock_::shortDate(monday), QDir::toNativeSeparators(folder))
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

  QVector<OutputFile> files;
  const QDateTime stamp = clock_::now();
  for (const PlannedEmployee& e : plan.staff) {
    const QByteArray calendar = calendarFile(e, stamp);
    if (!calendar.isEmpty()) files.push_back({e.calendarFile, calendar});
  }
  report.calendars = int(files.size());
  files.push_back({"week.xlsx", weekWorkbook(plan)});
  files.push_back({"week.csv", weekCsv(plan)});
  writeAll(QDir(report.folder), files);
  return report;
}
