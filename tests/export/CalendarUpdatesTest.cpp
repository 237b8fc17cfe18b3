// Exporting into the same folder week after week: an event keeps its UID
// while its employee and shift exist (namesakes deleted, names changed), a
// changed shift comes with a higher SEQUENCE, and a shift or an employee that
// is gone is written once more as cancelled, so a calendar that imports the
// files again updates and drops events instead of doubling or keeping them.
#include <gtest/gtest.h>

#include <QDir>
#include <QSqlQuery>

#include "ExportReaders.h"
#include "data/Connections.h"
#include "export/ExportRun.h"
#include "platform/Clock.h"
#include "platform/DatabaseFileSteps.h"
#include "platform/FileOps.h"
#include "support/ScheduleData.h"
#include "support/TestSupport.h"

namespace {
struct Seen {
  QString uid, start;
  int sequence;
  bool cancelled;
  bool operator==(const Seen&) const = default;
};
void PrintTo(const Seen& s, std::ostream* os) {
  *os << s.uid.left(8).toStdString() << " " << s.start.toStdString() << " seq " << s.sequence
      << (s.cancelled ? " cancelled" : "");
}

class CalendarUpdates : public ::testing::Test {
 protected:
  void SetUp() override {
    clock_::fixNow(QDateTime(QDate(2024, 6, 5), QTime(10, 0)));
    folder.install("employee.mdb");
  }
  void TearDown() override {
    fileops::setFaultInjector({});
    clock_::release();
  }
  // The events of an exported file, as a calendar reads them; every file
  // must be one libical takes without a fault.
  QVector<Seen> events(const QString& file) {
    const Calendar cal = readCalendar(folder.read("out/" + file));
    EXPECT_TRUE(cal.parsed && cal.errors == 0 && cal.restrictionsMet) << file.toStdString();
    QVector<Seen> out;
    for (const CalendarEvent& e : cal.events) out.push_back({e.uid, e.start, e.sequence, e.cancelled});
    return out;
  }
  QStringList calendars() const {
    return QDir(folder.file("out")).entryList({"*.ics"}, QDir::Files, QDir::Name);
  }
  void sql(const QString& statement) {
    db::PrivateConnection c(folder.file("employee.mdb"));
    QSqlQuery q(c.database());
    ASSERT_TRUE(q.exec(statement)) << statement.toStdString();
  }
  DataFolder folder;
};

EmployeeRow cook(const QString& name, int day, const QString& start = "9A.M.") {
  EmployeeRow e = staffMember(name, "Cook", {"Kitchen"});
  return works(e, day, start, "5P.M.", "Kitchen");
}
}  // namespace

TEST_F(CalendarUpdates, UidsStayWhenANamesakeIsDeletedAndAnEmployeeRenamed) {
  writeStaffTable(folder.file("employee.mdb"),
                  {cook("Lee, Ann", day::Mon), cook("Lee, Ann", day::Tue), cook("Ray, Ben", day::Wed)});
  exportWeek("out");
  ASSERT_EQ(calendars(), (QStringList{"Lee, Ann (2).ics", "Lee, Ann.ics", "Ray, Ben.ics"}));
  const QVector<Seen> first = events("Lee, Ann.ics"), second = events("Lee, Ann (2).ics"),
                      ben = events("Ray, Ben.ics");
  ASSERT_EQ(first.size(), 1);
  EXPECT_EQ(first[0].sequence, 0);
  EXPECT_NE(first[0].uid, second[0].uid);

  // The first Ann leaves, Ben changes his name.
  sql("DELETE FROM Employees WHERE rowid = 1");
  sql("UPDATE Employees SET Fullname = 'Ray, Benjamin' WHERE Fullname = 'Ray, Ben'");
  ExportReport report = exportWeek("out");
  EXPECT_EQ(events("Lee, Ann (2).ics"), second) << "the other Ann keeps her file and her events";
  EXPECT_EQ(events("Ray, Benjamin.ics"), ben) << "Ben's events move with him, unchanged";
  Seen gone = first[0];
  gone.sequence = 1;
  gone.cancelled = true;
  EXPECT_EQ(events("Lee, Ann.ics"), QVector<Seen>{gone}) << "the leaver's shift is cancelled";
  EXPECT_EQ(calendars(), (QStringList{"Lee, Ann (2).ics", "Lee, Ann.ics", "Ray, Benjamin.ics"}));
  EXPECT_EQ(report.calendars, 2);
  EXPECT_EQ(report.cancelledEvents, 1);
  EXPECT_EQ(report.filesOfGone, QStringList{"Lee, Ann.ics"});
  EXPECT_TRUE(report.summary().contains("1 shift exported here before is gone")) << report.summary().toStdString();
  EXPECT_TRUE(report.summary().contains("no longer in the table")) << report.summary().toStdString();

  // The export after: the leaver's file has said what it had to say.
  report = exportWeek("out");
  EXPECT_EQ(calendars(), (QStringList{"Lee, Ann (2).ics", "Ray, Benjamin.ics"}));
  EXPECT_EQ(events("Lee, Ann (2).ics"), second);
  EXPECT_EQ(report.cancelledEvents, 0);
  EXPECT_FALSE(report.summary().contains("cancel")) << report.summary().toStdString();
}

TEST_F(CalendarUpdates, AChangedShiftGoesUpInSequenceAndARemovedOneIsCancelledOnce) {
  EmployeeRow ann = cook("Lee, Ann", day::Mon);
  works(ann, day::Tue, "9A.M.", "5P.M.", "Kitchen");
  special(ann, day::Wed, "Kitchen");
  writeStaffTable(folder.file("employee.mdb"), {ann});
  exportWeek("out");
  const QVector<Seen> week = events("Lee, Ann.ics");
  ASSERT_EQ(week.size(), 3);
  for (const Seen& e : week) EXPECT_EQ(e.sequence, 0);

  // Monday starts an hour later, Tuesday is off.
  sql("UPDATE Employees SET monstart = '10A.M.', Tuesday = 'No', tuestart = '', tuestop = ''");
  exportWeek("out");
  QVector<Seen> expected{{week[0].uid, "20240603T100000", 1, false}, week[2],
                         {week[1].uid, week[1].start, 1, true}};
  EXPECT_EQ(events("Lee, Ann.ics"), expected);

  // Nothing changed: nothing goes up, and the cancellation is not repeated.
  exportWeek("out");
  expected.removeLast();
  EXPECT_EQ(events("Lee, Ann.ics"), expected);

  // Tuesday back: above the cancellation, so calendars take it again.
  sql("UPDATE Employees SET Tuesday = 'Yes', tuestart = '9A.M.', tuestop = '5P.M.'");
  exportWeek("out");
  expected.insert(1, {week[1].uid, week[1].start, 2, false});
  EXPECT_EQ(events("Lee, Ann.ics"), expected);

  // Another folder knows nothing of these exports.
  exportWeek("elsewhere");
  const Calendar fresh = readCalendar(folder.read("elsewhere/Lee, Ann.ics"));
  ASSERT_EQ(fresh.events.size(), 3);
  for (const CalendarEvent& e : fresh.events) EXPECT_TRUE(e.sequence == 0 && !e.cancelled);
}

TEST_F(CalendarUpdates, EventsOfAnEarlierVersionAndOfATableWithoutKeysAreCancelledNotDoubled) {
  writeStaffTable(folder.file("employee.mdb"), {cook("Ann Lee", day::Mon)});
  // The folder as an earlier version left it: its own file for Ann (events
  // named another way, no ledger) and a calendar of another program.
  QDir().mkpath(folder.file("out"));
  const QByteArray earlier =
      "BEGIN:VCALENDAR\r\nPRODID:-//Rotawise//Rotawise//EN\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\n"
      "UID:earlier@rotawise\r\nDTSTAMP:20240527T080000Z\r\nDTSTART:20240527T090000\r\n"
      "DTEND:20240527T170000\r\nRRULE:FREQ=WEEKLY\r\nSUMMARY:Kitchen - Cook\r\nEND:VEVENT\r\n"
      "END:VCALENDAR\r\n";
  const QByteArray foreign = QByteArray(earlier).replace("Rotawise//Rotawise", "Other//Tool");
  folder.write("out/Ann Lee.ics", earlier);
  folder.write("out/Other.ics", foreign);
  // The table of an earlier version, in a folder that takes no new file (so
  // no change can be made to the table): it gets no keys, and the names
  // stand in for them.
  sql("DROP TRIGGER EmployeesKey");
  sql("ALTER TABLE Employees DROP COLUMN EmployeeKey");
  fileops::routeDatabaseStepsThroughSeam();
  fileops::setFaultInjector([&](FileStep step, const QString& path) {
    return step == FileStep::Create && path.endsWith("employee.mdb-journal");
  });
  const QByteArray table = folder.read("employee.mdb");
  exportWeek("out");
  EXPECT_EQ(folder.read("employee.mdb"), table);
  const QVector<Seen> byName = events("Ann Lee.ics");
  ASSERT_EQ(byName.size(), 2);
  EXPECT_FALSE(byName[0].cancelled);
  EXPECT_EQ(byName[1], (Seen{"earlier@rotawise", "20240527T090000", 1, true}));
  EXPECT_EQ(folder.read("out/Other.ics"), foreign) << "another program's file is left alone";

  // Once the file takes keys, Ann's events are named by hers: the ones
  // named by her name are cancelled in the same file.
  fileops::setFaultInjector({});
  exportWeek("out");
  const QVector<Seen> byKey = events("Ann Lee.ics");
  ASSERT_EQ(byKey.size(), 2);
  EXPECT_FALSE(byKey[0].cancelled);
  EXPECT_NE(byKey[0].uid, byName[0].uid);
  EXPECT_EQ(byKey[1], (Seen{byName[0].uid, byName[0].start, 1, true}));
  EXPECT_EQ(calendars(), (QStringList{"Ann Lee.ics", "Other.ics"}));
}
