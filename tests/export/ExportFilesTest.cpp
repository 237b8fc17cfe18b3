// The week exported for a small business and read back: every calendar
// through libical's parser, the workbook unpacked, the CSV file parsed.
#include <gtest/gtest.h>

#include <QDir>
#include <QSet>

#include "ExportReaders.h"
#include "export/ExportRun.h"
#include "export/Spreadsheet.h"
#include "export/WeekPlan.h"
#include "lists/ListFile.h"
#include "platform/Clock.h"
#include "support/ScheduleData.h"
#include "support/TestSupport.h"

namespace {
struct Event {
  QString summary, start, end, description;
};
struct Case {
  const char* title;
  QVector<EmployeeRow> staff;
  QMap<QString, QVector<Event>> calendars;  // file name -> its events
  QVector<QStringList> rows;                // the employees' rows of the sheet "Week"
  QStringList unreadable;
};

EmployeeRow person(const QString& name, const QString& position) {
  return staffMember(name, position, {"Kitchen"});
}
QStringList row(const QString& name, const QString& position, const QString& day,
                const QStringList& shift, const QString& special, const QString& hours) {
  QStringList r{name, position, day};
  r << shift;
  while (r.size() < 9) r << "";
  return r << special << hours;
}
QStringList total(const QString& name, const QString& position, const QString& hours) {
  return row(name, position, "Total", {}, "", hours);
}

// The week of Wednesday 5 June 2024 starts on Monday 3 June.
QVector<Case> cases() {
  QVector<Case> out;
  {
    EmployeeRow e = person("Ann Lee", "Cook");
    works(e, day::Mon, "9A.M.", "5P.M.", "Kitchen");
    out.push_back(
        {"plain shift",
         {e},
         {{"Ann Lee.ics",
           {{"Kitchen - Cook", "20240603T090000", "20240603T170000", "Bldg/Area: Kitchen"}}}},
         {row("Ann Lee", "Cook", "Monday", {"09:00", "17:00", "Kitchen"}, "", "8.00"),
          total("Ann Lee", "Cook", "8.00")}});
  }
  {
    EmployeeRow e = person("Ben Ray", "Server");
    works(e, day::Tue, "7A.M.", "11A.M.", "Bar/Grill");
    splitShift(e, day::Tue, "5p.m.", "9 P.M.", "Kitchen");
    out.push_back(
        {"split shift",
         {e},
         {{"Ben Ray.ics",
           {{"Bar/Grill - Server", "20240604T070000", "20240604T110000", "Bldg/Area: Bar/Grill"},
            {"Kitchen - Server (split shift)", "20240604T170000", "20240604T210000",
             "Bldg/Area: Bar/Grill"}}}},
         {row("Ben Ray", "Server", "Tuesday",
              {"07:00", "11:00", "Bar/Grill", "17:00", "21:00", "Kitchen"}, "", "8.00"),
          total("Ben Ray", "Server", "8.00")}});
  }
  {
    EmployeeRow e = person("Cy Dee", "Night Auditor");
    works(e, day::Wed, "11P.M.", "7A.M.", "Front Desk");
    out.push_back(
        {"past midnight",
         {e},
         {{"Cy Dee.ics",
           {{"Front Desk - Night Auditor", "20240605T230000", "20240606T070000",
             "Bldg/Area: Front Desk"}}}},
         {row("Cy Dee", "Night Auditor", "Wednesday", {"23:00", "07:00", "Front Desk"}, "", "8.00"),
          total("Cy Dee", "Night Auditor", "8.00")}});
  }
  {
    EmployeeRow e = person("Di Eck", "Dishwasher");
    special(e, day::Thu, "Kitchen");
    out.push_back(
        {"special",
         {e},
         {{"Di Eck.ics",
           {{"Kitchen - Dishwasher (special)", "20240606", "20240607", "Bldg/Area: Kitchen"}}}},
         {row("Di Eck", "Dishwasher", "Thursday", {}, "Yes", ""),
          total("Di Eck", "Dishwasher", "0.00")}});
  }
  {
    EmployeeRow e = person("Ed Fox", "Bartender");
    works(e, day::Sat, "9 a.m.", "11p.m.", "Bar/Grill");
    works(e, day::Sun, "12:30P.M.", "8:30 PM", "Bar/Grill");
    out.push_back(
        {"weekend",
         {e},
         {{"Ed Fox.ics",
           {{"Bar/Grill - Bartender", "20240608T090000", "20240608T230000", "Bldg/Area: Bar/Grill"},
            {"Bar/Grill - Bartender", "20240609T123000", "20240609T203000",
             "Bldg/Area: Bar/Grill"}}}},
         {row("Ed Fox", "Bartender", "Saturday", {"09:00", "23:00", "Bar/Grill"}, "", "14.00"),
          row("Ed Fox", "Bartender", "Sunday", {"12:30", "20:30", "Bar/Grill"}, "", "8.00"),
          total("Ed Fox", "Bartender", "22.00")}});
  }
  {
    EmployeeRow e = person("Flo Gil", "Cook");
    works(e, day::Mon, "9A.M.", "25P.M.", "Kitchen");
    works(e, day::Tue, "9A.M.", "5P.M.", "Kitchen");
    out.push_back(
        {"unreadable time",
         {e},
         {{"Flo Gil.ics",
           {{"Kitchen - Cook", "20240604T090000", "20240604T170000", "Bldg/Area: Kitchen"}}}},
         {row("Flo Gil", "Cook", "Monday", {"09:00", "25P.M.", "Kitchen"}, "", ""),
          row("Flo Gil", "Cook", "Tuesday", {"09:00", "17:00", "Kitchen"}, "", "8.00"),
          total("Flo Gil", "Cook", "8.00")},
         {"Flo Gil, Monday: shift \"9A.M.\" - \"25P.M.\""}});
  }
  {
    EmployeeRow cook = person("Sam Cole", "Cook"), server = person("Sam Cole", "Server");
    works(cook, day::Mon, "7A.M.", "3P.M.", "Kitchen");
    works(server, day::Fri, "3P.M.", "11P.M.", "Bar/Grill");
    out.push_back(
        {"two equal names",
         {cook, server},
         {{"Sam Cole.ics",
           {{"Kitchen - Cook", "20240603T070000", "20240603T150000", "Bldg/Area: Kitchen"}}},
          {"Sam Cole (2).ics",
           {{"Bar/Grill - Server", "20240607T150000", "20240607T230000", "Bldg/Area: Bar/Grill"}}}},
         {row("Sam Cole", "Cook", "Monday", {"07:00", "15:00", "Kitchen"}, "", "8.00"),
          total("Sam Cole", "Cook", "8.00"),
          row("Sam Cole", "Server", "Friday", {"15:00", "23:00", "Bar/Grill"}, "", "8.00"),
          total("Sam Cole", "Server", "8.00")}});
  }
  {
    EmployeeRow e = person("Lee/Night, O'Hara", "Porter");
    works(e, day::Fri, "6A.M.", "2P.M.", "Front Desk");
    out.push_back({"a name with a slash",
                   {e},
                   {{"Lee_Night, O'Hara.ics",
                     {{"Front Desk - Porter", "20240607T060000", "20240607T140000",
                       "Bldg/Area: Front Desk"}}}},
                   {row("Lee/Night, O'Hara", "Porter", "Friday", {"06:00", "14:00", "Front Desk"},
                        "", "8.00"),
                    total("Lee/Night, O'Hara", "Porter", "8.00")}});
  }
  return out;
}

QVector<QStringList> rowsOf(const QVector<QStringList>& rows, const QStringList& names) {
  QVector<QStringList> out;
  for (const QStringList& r : rows)
    if (!r.isEmpty() && names.contains(r[0])) out << r;
  return out;
}

// Staff per weekday as the area sheets list them (Monday first).
const QMap<QString, std::array<QStringList, 7>> kAreaSheets = {
    {"Kitchen",
     {QStringList{"Ann Lee (9A.M. - 5P.M.)", "Flo Gil (9A.M. - 25P.M.)",
                  "Sam Cole (7A.M. - 3P.M.)"},
      {"Ben Ray (5p.m. - 9 P.M. split)", "Flo Gil (9A.M. - 5P.M.)"},
      {},
      {"Di Eck (special)"},
      {},
      {},
      {}}},
    {"Bar_Grill",
     {QStringList{},
      {"Ben Ray (7A.M. - 11A.M.)"},
      {},
      {},
      {"Sam Cole (3P.M. - 11P.M.)"},
      {"Ed Fox (9 a.m. - 11p.m.)"},
      {"Ed Fox (12:30P.M. - 8:30 PM)"}}},
    {"Front Desk",
     {QStringList{},
      {},
      {"Cy Dee (11P.M. - 7A.M.)"},
      {},
      {"Lee/Night, O'Hara (6A.M. - 2P.M.)"},
      {},
      {}}},
};

class ExportFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    clock_::fixNow(QDateTime(QDate(2024, 6, 5), QTime(10, 0)));
    folder.install("employee.mdb");
    QVector<EmployeeRow> staff;
    for (const Case& c : cases()) staff += c.staff;
    writeStaffTable(folder.file("employee.mdb"), staff);
    ASSERT_TRUE(writeListLines("AREAS.IGH", {"Kitchen", "Bar/Grill", "Front Desk"}));
  }
  void TearDown() override { clock_::release(); }
  DataFolder folder;
};
}  // namespace

TEST_F(ExportFilesTest, EveryEventAndCellOfTheSmallBusinessReadsBack) {
  const ExportReport report = exportWeek("out");
  const QDir out(folder.file("out"));
  EXPECT_EQ(report.folder, out.absolutePath());
  EXPECT_EQ(report.monday, QDate(2024, 6, 3));
  EXPECT_EQ(report.calendars, 9);
  EXPECT_TRUE(report.withoutCalendar.isEmpty());

  QStringList expectedFiles{"week.csv", "week.xlsx"};
  QStringList unreadable;
  for (const Case& c : cases()) expectedFiles += c.calendars.keys(), unreadable += c.unreadable;
  EXPECT_EQ(report.unreadable, unreadable);
  expectedFiles.sort();
  EXPECT_EQ(out.entryList(QDir::Files, QDir::Name), expectedFiles);

  const QVector<Sheet> book = readWorkbook(out.filePath("week.xlsx"));
  QStringList sheetNames;
  for (const Sheet& s : book) sheetNames << s.name;
  ASSERT_EQ(sheetNames, QStringList({"Week", "Kitchen", "Bar_Grill", "Front Desk"}));
  bool csvWellFormed = false;
  const QVector<QStringList> csv = readCsv(folder.read("out/week.csv"), &csvWellFormed);
  EXPECT_TRUE(csvWellFormed);
  const QStringList headings{"Name",        "Position",  "Day",        "Start",   "End",  "Area",
                             "Split start", "Split end", "Split area", "Special", "Hours"};
  ASSERT_FALSE(csv.isEmpty());
  EXPECT_EQ(csv[0], headings);
  EXPECT_EQ(book[0].rows().value(0), headings);

  QSet<QString> uids;
  for (const Case& c : cases()) {
    SCOPED_TRACE(c.title);
    for (auto it = c.calendars.begin(); it != c.calendars.end(); ++it) {
      SCOPED_TRACE(it.key().toStdString());
      const Calendar cal = readCalendar(folder.read("out/" + it.key()));
      ASSERT_TRUE(cal.parsed);
      EXPECT_EQ(cal.errors, 0);
      EXPECT_TRUE(cal.restrictionsMet);
      EXPECT_TRUE(cal.lines.contains("VERSION:2.0"));
      ASSERT_EQ(cal.events.size(), it->size());
      for (int i = 0; i < it->size(); ++i) {
        const CalendarEvent& got = cal.events[i];
        const Event& want = (*it)[i];
        EXPECT_EQ(got.summary, want.summary);
        EXPECT_EQ(got.start, want.start);
        EXPECT_EQ(got.end, want.end);
        EXPECT_EQ(got.description, want.description);
        EXPECT_EQ(got.rrule, "FREQ=WEEKLY");
        EXPECT_EQ(got.stamp, clock_::now().toUTC().toString("yyyyMMdd'T'HHmmss'Z'"));
        EXPECT_EQ(got.allDay, want.start.size() == 8);
        EXPECT_EQ(got.floating, !got.allDay);
        EXPECT_FALSE(uids.contains(got.uid)) << "every event has its own identity";
        uids.insert(got.uid);
      }
    }
    QStringList names;
    for (const EmployeeRow& e : c.staff) names << e.fullname;
    EXPECT_EQ(rowsOf(csv, names), c.rows);
    EXPECT_EQ(rowsOf(book[0].rows(), names), c.rows);
  }

  // Each total adds up the employee's days above it.
  const QVector<QStringList> week = book[0].rows();
  for (int r = 1, firstDay = 1; r < week.size(); ++r) {
    if (week[r].value(2) != "Total") continue;
    const QString cell = QString("K%1").arg(r + 1);
    if (r > firstDay)
      EXPECT_EQ(book[0].cells.value(cell).formula, QString("SUM(K%1:K%2)").arg(firstDay + 1).arg(r))
          << cell.toStdString();
    firstDay = r + 1;
  }

  for (int s = 1; s < book.size(); ++s) {
    SCOPED_TRACE(book[s].name.toStdString());
    ASSERT_TRUE(kAreaSheets.contains(book[s].name));
    const QVector<QStringList> rows = book[s].rows();
    EXPECT_EQ(rows.value(0), QStringList({"Monday", "Tuesday", "Wednesday", "Thursday", "Friday",
                                          "Saturday", "Sunday"}));
    for (int d = 0; d < 7; ++d) {
      QStringList column;
      for (int r = 1; r < rows.size(); ++r)
        if (!rows[r].value(d).isEmpty()) column << rows[r][d];
      EXPECT_EQ(column, kAreaSheets[book[s].name][d]) << "day " << d;
    }
  }
}

TEST_F(ExportFilesTest, AHugeHandEditedAreaListGivesTheTwentyAreasTheListHolds) {
  QStringList areas{"Kitchen"};
  for (int i = 2; i <= 5000; ++i) areas << QString("Area %1").arg(i);
  ASSERT_TRUE(writeListLines("AREAS.IGH", areas));
  exportWeek("out");
  QStringList sheets;
  for (const Sheet& s : readWorkbook(folder.file("out/week.xlsx"))) sheets << s.name;
  // "Week", a sheet for each of the list's twenty areas, then the areas only
  // the days name.
  EXPECT_EQ(sheets.mid(1, 20), areas.mid(0, 20));
  EXPECT_FALSE(sheets.contains("Area 21"));
  EXPECT_LE(sheets.size(), 1 + 20 + 2);
}

TEST(WeekCsv, TextsASpreadsheetWouldRunAsFormulasGetAnApostropheNumbersStayNumbers) {
  const struct {
    QString name, position, start;
    QString nameCell, positionCell, startCell;
  } cases[] = {
      {"=HYPERLINK(\"http://x.test\";\"Open rota\")", "Cook", "9A.M.",
       "'=HYPERLINK(\"http://x.test\";\"Open rota\")", "Cook", "09:00"},
      {"=1+2", "+Cook", "9A.M.", "'=1+2", "'+Cook", "09:00"},
      {"-Lee, Ann", "@Chef", "-5", "'-Lee, Ann", "'@Chef", "'-5"},
      {"<tab>Lee", "<cr>Cook", "9A.M.", "'\tLee", "'\rCook", "09:00"},
      {"Lee = Ann", "Cook-Chef", "+9", "Lee = Ann", "Cook-Chef", "'+9"},
  };
  QVector<EmployeeRow> staff;
  for (const auto& c : cases) {
    EmployeeRow e = staffMember(c.name, c.position, {"Kitchen"});
    staff << works(e, day::Mon, c.start, "5P.M.", "Kitchen");
  }
  WeekPlan plan = planWeek(staff, {}, QDate(2024, 6, 5));
  // The table's texts come trimmed; a tab or a carriage return can lead only
  // inside a text.
  for (PlannedEmployee& e : plan.staff) e.name.replace("<tab>", "\t"), e.position.replace("<cr>", "\r");
  bool wellFormed = false;
  const QVector<QStringList> csv = readCsv(weekCsv(plan), &wellFormed);
  EXPECT_TRUE(wellFormed);
  ASSERT_EQ(csv.size(), 1 + 2 * int(std::size(cases)));  // headings, then a day and a total row each
  for (int k = 0; k < int(std::size(cases)); ++k) {
    SCOPED_TRACE(cases[k].name.toStdString());
    const QStringList& day = csv[1 + 2 * k];
    EXPECT_EQ(day.value(0), cases[k].nameCell);
    EXPECT_EQ(day.value(1), cases[k].positionCell);
    EXPECT_EQ(day.value(3), cases[k].startCell);
    EXPECT_EQ(day.value(10), cases[k].startCell == "09:00" ? "8.00" : "") << "hours as a number";
    EXPECT_EQ(csv[2 + 2 * k].value(0), cases[k].nameCell) << "the total row too";
  }
}
