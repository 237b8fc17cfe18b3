#include "support/ScheduleData.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>

#include "data/PgEngine.h"
#include "data/ServerAddress.h"
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

namespace {
void insertStaff(QSqlDatabase db, const QVector<EmployeeRow>& staff) {
  QStringList names;
  // The key is the database's to give, as for a record the window adds.
  for (const QString& f : fields::allFields())
    if (f != fields::Key) names << '"' + f + '"';
  QStringList marks;
  for (int i = 0; i < names.size(); ++i) marks << "?";
  db.transaction();
  QSqlQuery q(db);
  q.prepare("INSERT INTO \"Employees\" (" + names.join(", ") + ") VALUES (" + marks.join(", ") + ")");
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
}  // namespace

// employee.mdb of a folder that names a server stands for the server's table.
void writeStaffTable(const QString& databasePath, const QVector<EmployeeRow>& staff) {
  if (const auto server = db::serverFor(databasePath)) {
    db::ServerConnection c(*server);
    insertStaff(c.database(), staff);
    return;
  }
  {
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "schedule-writer");
    db.setDatabaseName(databasePath);
    ASSERT_TRUE(db.open());
    insertStaff(db, staff);
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

QVector<EmployeeRow> sampleWeek() {
  QVector<EmployeeRow> staff;
  auto add = [&](const QString& name, const QString& position, const QStringList& areas) -> EmployeeRow& {
    staff.push_back(staffMember(name, position, areas));
    return staff.back();
  };
  const QString k = "Kitchen", b = "Restaurant Bar", f = "Front Desk";
  // Kitchen
  EmployeeRow* e = &add("Maria Gonzalez", "Chef", {k});
  for (int d = 0; d < 5; ++d) works(*e, d, "7A.M.", "3P.M.", k);
  works(*e, day::Sun, "9A.M.", "11P.M.", k);
  e = &add("James O'Connor", "Cook", {k, b});
  for (int d : {0, 1, 2, 5, 6}) works(*e, d, "3P.M.", "11P.M.", k);
  splitShift(*e, day::Wed, "11A.M.", "7P.M.", b);
  e = &add("Li Wei", "Cook", {k});
  for (int d : {2, 3, 4, 5}) works(*e, d, "7A.M.", "3P.M.", k);
  works(*e, day::Sat, "9A.M.", "11P.M.", k);
  e = &add("Fatima Al-Sayed", "Dishwasher", {k});
  for (int d : {0, 1, 3, 4}) works(*e, d, "3P.M.", "11P.M.", k);
  special(*e, day::Sat, k);
  e = &add("Tomasz Nowak", "Cook", {k});
  for (int d : {0, 1, 2, 3}) works(*e, d, "7A.M.", "3P.M.", k);
  splitShift(*e, day::Fri, "3P.M.", "11P.M.", k);
  e = &add("Chloé Dubois", "Pastry Chef", {k});
  for (int d : {1, 2, 3, 4, 5}) works(*e, d, "7A.M.", "3P.M.", k);
  e = &add("Samuel Okafor", "Dishwasher", {k});
  for (int d : {4, 5, 6}) works(*e, d, "3P.M.", "11P.M.", k);
  special(*e, day::Mon, k);
  special(*e, day::Tue, k);
  // Restaurant Bar
  e = &add("Rebecca Thompson", "Bartender", {b});
  for (int d : {2, 3, 4, 5, 6}) works(*e, d, "5P.M.", "11P.M.", b);
  e = &add("Diego Hernández", "Bartender", {b, k});
  for (int d : {0, 1, 4, 5}) works(*e, d, "11A.M.", "7P.M.", b);
  splitShift(*e, day::Sat, "5P.M.", "11P.M.", b);
  e = &add("Aisha Patel", "Server", {b});
  for (int d : {0, 1, 2, 3, 4}) works(*e, d, "11A.M.", "7P.M.", b);
  e = &add("Connor MacLeod", "Server", {b});
  for (int d : {3, 4, 5, 6}) works(*e, d, "5P.M.", "11P.M.", b);
  special(*e, day::Wed, b);
  e = &add("Yuki Tanaka", "Server", {b, f});
  for (int d : {0, 1, 2}) works(*e, d, "5P.M.", "11P.M.", b);
  for (int d : {5, 6}) works(*e, d, "7A.M.", "3P.M.", f);
  e = &add("Olivia Brown", "Bar Manager", {b});
  for (int d : {1, 2, 3, 4, 5}) works(*e, d, "11A.M.", "7P.M.", b);
  e = &add("Mehmet Yilmaz", "Barback", {b});
  for (int d : {4, 5, 6}) works(*e, d, "5P.M.", "11P.M.", b);
  splitShift(*e, day::Thu, "11A.M.", "7P.M.", b);
  // Front Desk
  e = &add("Sarah Johnson", "Receptionist", {f});
  for (int d : {0, 1, 2, 3, 4}) works(*e, d, "7A.M.", "3P.M.", f);
  e = &add("Ahmed Hassan", "Night Auditor", {f});
  for (int d : {0, 1, 2, 3, 6}) works(*e, d, "11P.M.", "7A.M.", f);
  e = &add("Emily Carter", "Receptionist", {f});
  for (int d : {2, 3, 4, 5, 6}) works(*e, d, "3P.M.", "11P.M.", f);
  e = &add("Lucas Silva", "Concierge", {f, b});
  for (int d : {0, 1, 4, 5}) works(*e, d, "3P.M.", "11P.M.", f);
  special(*e, day::Sun, f);
  e = &add("Grace Kim", "Receptionist", {f});
  for (int d : {4, 5}) works(*e, d, "11P.M.", "7A.M.", f);
  for (int d : {0, 1}) works(*e, d, "3P.M.", "11P.M.", f);
  e = &add("Robert Miller", "Front Desk Manager", {f});
  for (int d : {0, 1, 2, 3, 4}) works(*e, d, "7A.M.", "3P.M.", f);
  return staff;
}

void handOverSampleWeek(const QString& databasePath) {
  writeStaffTable(databasePath, sampleWeek());
  ASSERT_TRUE(writeListLines("AREAS.IGH", {"Kitchen", "Restaurant Bar", "Front Desk"}));
  saveAreaChoices({"Kitchen", "Chef", "Weekly",
                   {"7A.M. - 3P.M.", "3P.M. - 11P.M.", "SPECIAL", "9A.M. - 11P.M."},
                   {"Days", "Evenings", "On call", "Doubles"}});
  saveAreaChoices({"Restaurant Bar", "Bar Manager", "Weekly",
                   {"11A.M. - 7P.M.", "5P.M. - 11P.M.", "SPECIAL"}, {"Lunch", "Evening", "Events"}});
  saveAreaChoices({"Front Desk", "NOTHING", "Weekly",
                   {"7A.M. - 3P.M.", "3P.M. - 11P.M.", "11P.M. - 7A.M.", "SPECIAL"},
                   {"Mornings", "Evenings", "Nights", "On call"}});
  handOver({"All_Areas", "NOTHING", "Weekly", {"7A.M. - 3P.M."}, {"Days"}});
  writeExtras({"Manager on duty", "R. Miller", "O. Brown", "M. Gonzalez", "R. Miller", "O. Brown",
               "M. Gonzalez", "NOTHING", "Staff meeting Thursday at 2 P.M. in the banquet room.",
               "Uniforms are picked up from housekeeping on Mondays.", "NOTHING",
               "Swap a shift only with your manager's written approval.", "NOTHING"});
}
