#include "support/ScheduleData.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>

#include "db/EmployeeFields.h"
#include "lists/ListFile.h"
#include "print/AreaSettings.h"

EmployeeRow staffMember(const QString& name, const QString& position, const QStringList& areas) {
  EmployeeRow e;
  e.fullname = name;
  e.position = position;
  for (int i = 0; i < 4 && i < areas.size(); ++i) e.areas[i] = areas[i];
  return e;
}

EmployeeRow& works(EmployeeRow& e, int d, const QString& start, const QString& stop,
                   const QString& area) {
  e.days[d].start = start;
  e.days[d].stop = stop;
  e.days[d].mainArea = area;
  e.days[d].firstArea = area;
  return e;
}

EmployeeRow& splitShift(EmployeeRow& e, int d, const QString& start, const QString& stop,
                        const QString& area) {
  e.days[d].splitStart = start;
  e.days[d].splitStop = stop;
  e.days[d].splitArea = area;
  return e;
}

EmployeeRow& special(EmployeeRow& e, int d, const QString& area) {
  e.days[d].special = "Yes";
  e.days[d].firstArea = area;
  return e;
}

void writeStaffTable(const QString& databasePath, const QVector<EmployeeRow>& staff) {
  using fields::DayField;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "schedule-writer");
    db.setDatabaseName(databasePath);
    ASSERT_TRUE(db.open());
    QStringList names = fields::allFields();
    QStringList marks;
    for (int i = 0; i < names.size(); ++i) marks << "?";
    db.transaction();
    QSqlQuery q(db);
    q.prepare("INSERT INTO Employees (" + names.join(", ") + ") VALUES (" + marks.join(", ") + ")");
    int number = 0;
    for (const EmployeeRow& e : staff) {
      q.addBindValue(++number);
      q.addBindValue(e.fullname);
      q.addBindValue(e.position);
      for (const QString& a : e.areas) q.addBindValue(a.isEmpty() ? QString("No") : a);
      for (int d = 0; d < fields::DaysInWeek; ++d) {
        const EmployeeDay& x = e.days[d];
        q.addBindValue(x.start.isEmpty() ? "No" : "Yes");
        q.addBindValue(x.start);
        q.addBindValue(x.stop);
        q.addBindValue(x.mainArea);
        q.addBindValue(x.splitStart);
        q.addBindValue(x.splitStop);
        q.addBindValue(x.splitArea);
        q.addBindValue(x.special.isEmpty() ? QString("No") : x.special);
        q.addBindValue(x.firstArea);
      }
      ASSERT_TRUE(q.exec()) << q.lastError().text().toStdString();
    }
    db.commit();
  }
  QSqlDatabase::removeDatabase("schedule-writer");
}

namespace {
AreaSettings settingsOf(const ScheduleChoices& c) {
  AreaSettings s;
  s.area = c.area;
  s.position = c.position;
  s.dayOrWeek = c.dayOrWeek;
  for (int k = 0; k < 4 && k < c.times.size(); ++k) s.times[k] = c.times[k];
  for (int k = 0; k < 4 && k < c.labels.size(); ++k) s.labels[k] = c.labels[k];
  return s;
}
}  // namespace

void saveAreaChoices(const ScheduleChoices& choices) {
  ASSERT_TRUE(writeAreaSettings(areaSettingsFileName(choices.area), settingsOf(choices)));
}

void handOver(const ScheduleChoices& choices, const QStringList& excluded) {
  saveAreaChoices(choices);
  ASSERT_TRUE(writePrintFile(areaSettingsFileName(choices.area)));
  QStringList padded;
  for (const QString& n : excluded) padded << n.leftJustified(30);
  ASSERT_TRUE(writeExemptFile(padded));
}

void writeExtras(const QStringList& lines) {
  ASSERT_TRUE(writeListLines("extras.txt", lines));
}
