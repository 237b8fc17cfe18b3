// The printed schedule on the recording printer: who is listed where, the
// asterisks, the rows and blocks, the counts and the foot.
#include <QFile>

#include "ScheduleTestSupport.h"
#include "db/EmployeeFields.h"
#include "print/AreaSettings.h"
#include "print/ScheduleLayout.h"

namespace {
const QString kRule = QString(127, '_');
}

TEST_F(ScheduleTest, LongSundayIsListedUnderTheLateShiftTooWhileMondayIsNot) {
  EmployeeRow ann = staffMember("Ann Lee", "Cook", {"Kitchen"});
  works(ann, day::Mon, "9A.M.", "11P.M.", "Kitchen");
  works(ann, day::Sun, "9A.M.", "11P.M.", "Kitchen");
  works(ann, day::Sat, "9a.m.", "11p.m.", "kitchen ");  // case and blanks do not matter
  EmployeeRow bob = staffMember("Bob Stone", "Porter", {"Kitchen"});
  works(bob, day::Sun, "9A.M.", "11P.M.", "Bar");  // the long day worked elsewhere
  staff = {ann, bob};
  handOver({"Kitchen", "Cook", "Weekly", {"9A.M. - 11P.M.", "3P.M. - 11P.M."}, {"Long", "Late"}});
  EXPECT_EQ(print(), 1);

  const RecordedSchedule r = recorded();
  const double late = r.one("Late").y;
  // Block 1: the main shift, with the asterisk behind the name.
  EXPECT_EQ(r.column(day::Mon, 0, late), QStringList{"Ann Lee *"});
  EXPECT_EQ(r.column(day::Sun, 0, late), QStringList{"Ann Lee *"});
  // Block 2: only the weekend days list the long day again, starred in front.
  EXPECT_TRUE(r.column(day::Mon, late, 1e9).isEmpty());
  EXPECT_EQ(r.column(day::Sat, late, 1e9), QStringList{"* Ann Lee"});
  EXPECT_EQ(r.column(day::Sun, late, 1e9), QStringList{"* Ann Lee"});
  EXPECT_FALSE(r.has("Bob Stone"));
  EXPECT_FALSE(r.has("* Bob Stone"));
}

TEST_F(ScheduleTest, MainShiftWinsOverSplitAndSpecialAndEachRuleUsesItsOwnArea) {
  EmployeeRow cara = staffMember("Cara Diaz", "Chef", {"Kitchen"});
  works(cara, day::Tue, "7A.M.", "3P.M.", "Kitchen");
  splitShift(cara, day::Tue, "7A.M.", "3P.M.", "Kitchen");
  special(cara, day::Tue, "Kitchen");
  EmployeeRow dan = staffMember("Dan Wu", "Chef", {"Bar", "Kitchen"});
  works(dan, day::Tue, "7A.M.", "3P.M.", "Bar");             // main shift elsewhere
  splitShift(dan, day::Tue, "7A.M.", "3P.M.", "Kitchen");    // split shift here
  EmployeeRow eve = staffMember("Eve Park", "Chef", {"Kitchen"});
  special(eve, day::Tue, "Kitchen");
  EmployeeRow finn = staffMember("Finn Ross", "Chef", {"Kitchen"});
  special(finn, day::Tue, "Bar");  // special elsewhere: not here
  staff = {cara, dan, eve, finn};
  handOver({"Kitchen", "Chef", "Weekly", {"7A.M. - 3P.M.", "SPECIAL"}, {"Days", "On call"}});
  print();

  const RecordedSchedule r = recorded();
  const double onCall = r.one("On call").y;
  EXPECT_EQ(r.column(day::Tue, 0, onCall), QStringList({"Cara Diaz *", "* Dan Wu"}));
  // Cara is on the special list as well: a later block tests her again.
  EXPECT_EQ(r.column(day::Tue, onCall, 1e9), QStringList({"* Cara Diaz", "* Eve Park"}));
}

TEST_F(ScheduleTest, NothingMarksNobodyButAnEmployeeWhosePositionIsLiterallyNothing) {
  EmployeeRow ann = staffMember("Ann Lee", "Cook", {"Kitchen"});
  works(ann, day::Mon, "7A.M.", "3P.M.", "Kitchen");
  EmployeeRow odd = staffMember("Odd Job", "nothing", {"Kitchen"});
  works(odd, day::Mon, "7A.M.", "3P.M.", "Kitchen");
  EmployeeRow blank = staffMember("No Title", "", {"Kitchen"});
  works(blank, day::Mon, "7A.M.", "3P.M.", "Kitchen");
  staff = {ann, odd, blank};
  handOver({"Kitchen", "NOTHING", "Weekly", {"7A.M. - 3P.M."}, {"Days"}});
  print();
  EXPECT_EQ(recorded().column(day::Mon, 0, 1e9), QStringList({"Ann Lee", "Odd Job *", "No Title"}));

  // A settings file saved with no position at all marks nobody either.
  target = std::make_shared<RecordingTarget>();
  handOver({"Kitchen", "", "Weekly", {"7A.M. - 3P.M."}, {"Days"}});
  print();
  EXPECT_EQ(recorded().column(day::Mon, 0, 1e9), QStringList({"Ann Lee", "Odd Job", "No Title"}));
}

TEST_F(ScheduleTest, PageHeadBlocksThreeRowsApartEmptyBlockStillDrawnAndTheFoot) {
  auto monday = [](const QString& name, const QString& start, const QString& stop) {
    EmployeeRow e = staffMember(name, "Cook", {"Kitchen"});
    return works(e, day::Mon, start, stop, "Kitchen");
  };
  EmployeeRow tue = staffMember("Tia Tue", "Cook", {"Kitchen"});
  works(tue, day::Tue, "7A.M.", "3P.M.", "Kitchen");
  staff = {monday("A One", "7A.M.", "3P.M."), monday("B Two", "7A.M.", "3P.M."),
           monday("C Three", "7A.M.", "3P.M."), tue, monday("D Four", "11P.M.", "7A.M.")};
  // Block 2 has no time: it lists nobody but keeps its rule and label.
  // The Ok button writes a blank time as no line at all; here the file keeps
  // the empty line so that block 2 really has no time.
  folder.write("Kitchen.IGH", "Kitchen\r\nNOTHING\r\nWeekly\r\n\r\n7A.M. - 3P.M.\r\nDays\r\n\r\n"
                              "Evenings\r\n11P.M. - 7A.M.\r\nNights\r\nSPECIAL\r\nSpecial\r\n");
  ASSERT_TRUE(writePrintFile("Kitchen.IGH"));
  ASSERT_TRUE(writeExemptFile({}));
  print();

  const RecordedSchedule r = recorded();
  const double lh = bodyLine();
  const PrintedText title = r.one("Kitchen Schedule for week of " + clock_::shortDate(QDate(2025, 3, 14)));
  EXPECT_EQ(title.x, 0);
  EXPECT_TRUE(title.bold && title.underline);
  for (int d = 0; d < 7; ++d) {
    const PrintedText h = r.one(QString(fields::weekdays[d].name));
    EXPECT_EQ(h.x, kDayColumnX[d]);
    EXPECT_EQ(h.y, y(4));
    EXPECT_TRUE(h.bold && h.underline);
  }
  const QVector<Placed> rules = r.all(kRule);
  ASSERT_EQ(rules.size(), 5);  // four blocks and the foot
  for (const Placed& p : rules) EXPECT_TRUE(p.text.x == 0 && p.text.bold && !p.text.underline);

  // Block 1: rule under the headings, label, names from row 7 down.
  EXPECT_DOUBLE_EQ(rules[0].text.y, y(4) + lh);
  EXPECT_DOUBLE_EQ(r.one("Days").y, y(4) + lh + ruleLine());
  EXPECT_TRUE(r.one("Days").bold);
  EXPECT_EQ(r.one("A One").y, y(7));
  EXPECT_EQ(r.one("B Two").y, y(8));
  EXPECT_EQ(r.one("C Three").y, y(9));
  EXPECT_EQ(r.one("Tia Tue").y, y(7));  // every day has its own rows
  EXPECT_EQ(r.one("Tia Tue").x, kDayColumnX[day::Tue]);
  EXPECT_FALSE(r.one("A One").bold);
  // Block 2 (empty): rule one row under the deepest row 10, its names would start at 13.
  EXPECT_EQ(rules[1].text.y, y(11));
  EXPECT_DOUBLE_EQ(r.one("Evenings").y, y(11) + ruleLine());
  // Block 3 starts three rows under block 2's first row, never on top of it.
  EXPECT_EQ(rules[2].text.y, y(14));
  EXPECT_EQ(r.one("D Four").y, y(16));
  // Block 4 lists nobody; the foot follows its rule.
  EXPECT_EQ(rules[3].text.y, y(18));
  EXPECT_EQ(rules[4].text.y, y(21));
  const PrintedText area = r.one("BlDg/Dept                                     Kitchen");
  EXPECT_DOUBLE_EQ(area.y, y(21) + ruleLine() + lh);
  EXPECT_TRUE(area.bold);
  EXPECT_DOUBLE_EQ(r.one("Total staffing for this Schedule (5)").y, y(21) + ruleLine() + 2 * lh);
  // The rules reach across the page, to the Sunday column and no further.
  Printer measure(target);
  measure.FontName = rules[0].text.fontName;
  measure.FontSize = rules[0].text.fontSize;
  measure.FontBold = true;
  EXPECT_GT(measure.TextWidth(kRule), kDayColumnX[day::Sun] + 1000);
  EXPECT_LE(measure.TextWidth(kRule), measure.ScaleWidth());
  EXPECT_EQ(target->documents().size(), 1);
  EXPECT_EQ(target->documents()[0].pages.size(), 1);
}

TEST_F(ScheduleTest, AnEmptyFirstBlockLeavesTheNextStartingAtRowTen) {
  EmployeeRow e = staffMember("Late Larry", "Cook", {"Kitchen"});
  works(e, day::Wed, "3P.M.", "11P.M.", "Kitchen");
  staff = {e};
  handOver({"Kitchen", "NOTHING", "Weekly", {"7A.M. - 3P.M.", "3P.M. - 11P.M."}, {"Days", "Late"}});
  print();
  const RecordedSchedule r = recorded();
  EXPECT_EQ(r.all(kRule)[1].text.y, y(8));
  EXPECT_EQ(r.one("Late Larry").y, y(10));
}

TEST_F(ScheduleTest, CountsFirstAreasOnlyIncludingExcludedStaffAndListsEveryArea) {
  auto morning = [](const QString& name, const QStringList& areas) {
    EmployeeRow e = staffMember(name, "Cook", areas);
    return works(e, day::Thu, "7A.M.", "3P.M.", "Kitchen");
  };
  staff = {morning("Ann Lee", {"Kitchen"}),
           morning("Off Olga", {"Kitchen"}),              // excluded: counted, not listed
           morning("Second Sam", {"Bar", "kitchen"}),     // second area: listed, not counted
           morning("Fourth Fay", {"Bar", "No", "No", "Kitchen"}),
           morning("Other Otto", {"Bar"})};               // not in the area at all
  handOver({"Kitchen", "NOTHING", "Weekly", {"7A.M. - 3P.M."}, {"Days"}}, {"off olga"});
  print();
  const RecordedSchedule r = recorded();
  EXPECT_EQ(r.column(day::Thu, 0, 1e9), QStringList({"Ann Lee", "Second Sam", "Fourth Fay"}));
  EXPECT_TRUE(r.has("Total staffing for this Schedule (2)"));
  EXPECT_FALSE(r.has("Off Olga"));
}

TEST_F(ScheduleTest, SingleDayScheduleListsOnlyThatDayUnderAllSevenHeadings) {
  EmployeeRow e = staffMember("Ann Lee", "Cook", {"Kitchen"});
  for (int d = 0; d < 7; ++d) works(e, d, "7A.M.", "3P.M.", "Kitchen");
  staff = {e};
  handOver({"Kitchen", "NOTHING", "tuesday", {"7A.M. - 3P.M."}, {"Days"}});
  print();
  const RecordedSchedule r = recorded();
  ASSERT_EQ(r.all("Ann Lee").size(), 1);
  EXPECT_EQ(r.one("Ann Lee").x, kDayColumnX[day::Tue]);
  EXPECT_TRUE(r.has("Sunday") && r.has("Monday"));

  // A day choice that names no day prints nothing rather than an empty week.
  handOver({"Kitchen", "NOTHING", "Funday", {"7A.M. - 3P.M."}, {"Days"}});
  EXPECT_THROW(print(), ScheduleError);
  EXPECT_EQ(target->documents().size(), 1);
}

TEST_F(ScheduleTest, ExtrasPrintUnderTheBlocksSkippingNothingAndOnlyWhenWanted) {
  EmployeeRow e = staffMember("Ann Lee", "Cook", {"Kitchen"});
  works(e, day::Mon, "7A.M.", "3P.M.", "Kitchen");
  staff = {e};
  handOver({"Kitchen", "NOTHING", "Weekly", {"7A.M. - 3P.M."}, {"Days"}});
  writeExtras({"On call", "Ann", "NOTHING", "Bob", "NOTHING", "NOTHING", "NOTHING", "  Cara  ",
               "Staff meeting Friday at 3.", "NOTHING", "Keep the walk-in closed.", "NOTHING",
               "nothing"});
  print();
  RecordedSchedule r = recorded();
  const double lh = bodyLine();
  const double footRule = r.all(kRule).last().text.y;
  const int d = int(footRule / kRow) - 1;  // the deepest row of the last block
  const PrintedText label = r.one("On call");
  EXPECT_EQ(label.x, 0);
  EXPECT_EQ(label.y, y(d + 3));
  EXPECT_TRUE(label.bold);
  EXPECT_EQ(r.one("Ann").x, kDayColumnX[day::Mon]);
  EXPECT_EQ(r.one("Bob").x, kDayColumnX[day::Wed]);
  EXPECT_EQ(r.one("Cara").x, kDayColumnX[day::Sun]);
  EXPECT_EQ(r.one("Cara").y, y(d + 3));
  EXPECT_FALSE(r.one("Bob").bold);
  const PrintedText first = r.one("Staff meeting Friday at 3.");
  EXPECT_DOUBLE_EQ(first.y, y(d + 3) + 2 * lh);  // after the day row and an empty line
  EXPECT_TRUE(first.bold);
  EXPECT_DOUBLE_EQ(r.one("Keep the walk-in closed.").y, first.y + lh);
  EXPECT_FALSE(r.has("NOTHING") || r.has("nothing"));
  EXPECT_DOUBLE_EQ(r.one("Total staffing for this Schedule (1)").y, first.y + 4 * lh);

  // Declined: the foot follows its rule directly.
  target = std::make_shared<RecordingTarget>();
  print(false);
  r = recorded();
  EXPECT_FALSE(r.has("On call") || r.has("Staff meeting Friday at 3."));
  EXPECT_DOUBLE_EQ(r.one("Total staffing for this Schedule (1)").y,
                   r.all(kRule).last().text.y + ruleLine() + 2 * lh);

  // A short file prints what it has; a missing one nothing.
  target = std::make_shared<RecordingTarget>();
  folder.write("extras.txt", "Duty\r\nAnn\r\n");
  print();
  r = recorded();
  EXPECT_TRUE(r.has("Duty") && r.has("Ann"));
  QFile::remove("extras.txt");
  target = std::make_shared<RecordingTarget>();
  EXPECT_EQ(print(), 1);
  EXPECT_TRUE(recorded().has("Total staffing for this Schedule (1)"));
}

TEST_F(ScheduleTest, AColumnPastThePageBottomGoesOnUnderRepeatedHeadingsLosingNobody) {
  for (int i = 0; i < 150; ++i) {
    EmployeeRow e = staffMember(QString("Staff %1").arg(i, 3, 10, QChar('0')), "Cook", {"Kitchen"});
    works(e, day::Mon, "7A.M.", "3P.M.", "Kitchen");
    if (i < 20) works(e, day::Fri, "3P.M.", "11P.M.", "Kitchen");
    staff << e;
  }
  handOver({"Kitchen", "NOTHING", "Weekly", {"7A.M. - 3P.M.", "3P.M. - 11P.M."}, {"Days", "Late"}});
  print();
  const RecordedSchedule r = recorded();
  ASSERT_EQ(target->documents().size(), 1);
  const int pages = target->documents()[0].pages.size();
  EXPECT_GE(pages, 2);
  const QString title = "Kitchen Schedule for week of " + clock_::shortDate(QDate(2025, 3, 14));
  EXPECT_EQ(r.all(title).size(), pages);
  EXPECT_EQ(r.all("Sunday").size(), pages);
  EXPECT_EQ(r.all("Days (continued)").size(), 1);
  const double bottom = target->printableSizeTwips().height();
  for (int i = 0; i < 150; ++i) {
    const QVector<Placed> at = r.all(QString("Staff %1").arg(i, 3, 10, QChar('0')));
    ASSERT_EQ(at.size(), i < 20 ? 2 : 1) << i;
    for (const Placed& p : at) EXPECT_LE(p.text.y + bodyLine(), bottom);
  }
  // Page 2 goes on at row 7 under its own headings, and later blocks follow there.
  const PrintedText next = r.all("Days (continued)").first().text;
  EXPECT_EQ(r.all("Days (continued)").first().page, 1);
  EXPECT_EQ(r.column(day::Mon, 0, 1e9, 0, 1).first(), QString("Staff %1").arg(
      r.column(day::Mon, 0, 1e9, 0, 0).size(), 3, 10, QChar('0')));
  EXPECT_GT(r.one("Late").y, next.y);
  EXPECT_TRUE(r.has("Total staffing for this Schedule (150)"));
}

TEST_F(ScheduleTest, LongNamesShrinkToTheirColumnInsteadOfRunningIntoTheNext) {
  const QString longName = "Christopher Abernathy";  // shrinks, stays whole
  const QString huge = "Maximiliana Konstantinopoulou-Rasmussen";  // too long even then
  EmployeeRow a = staffMember(longName, "Cook", {"Kitchen"});
  works(a, day::Mon, "7A.M.", "3P.M.", "Kitchen");
  works(a, day::Sun, "7A.M.", "3P.M.", "Kitchen");
  EmployeeRow b = staffMember(huge, "Cook", {"Kitchen"});
  works(b, day::Wed, "7A.M.", "3P.M.", "Kitchen");
  EmployeeRow s = staffMember("Al Bo", "Cook", {"Kitchen"});
  works(s, day::Tue, "7A.M.", "3P.M.", "Kitchen");
  // Marked: the name is cut, never the asterisk after or before it.
  EmployeeRow m = staffMember(huge, "Chef", {"Kitchen"});
  works(m, day::Thu, "7A.M.", "3P.M.", "Kitchen");
  splitShift(m, day::Fri, "7A.M.", "3P.M.", "Kitchen");
  staff = {a, b, s, m};
  handOver({"Kitchen", "Chef", "Weekly", {"7A.M. - 3P.M."}, {"Days"}});
  print();
  const RecordedSchedule r = recorded();
  Printer measure(target);
  auto fitsColumn = [&](const PrintedText& t) {
    measure.FontName = t.fontName;
    measure.FontSize = t.fontSize;
    measure.FontBold = t.bold;
    const double right = t.x == kDayColumnX[day::Sun] ? measure.ScaleWidth() : t.x + 1440;
    return t.x + measure.TextWidth(t.text) <= right;
  };
  ASSERT_EQ(r.all(longName).size(), 2);
  for (const Placed& p : r.all(longName)) EXPECT_TRUE(fitsColumn(p.text));
  // The Sunday column ends at the page edge, so there the name prints smaller.
  EXPECT_EQ(r.all(longName).last().text.x, kDayColumnX[day::Sun]);
  EXPECT_GT(r.one("Al Bo").fontSize, r.all(longName).last().text.fontSize);
  const QStringList wed = r.column(day::Wed, 0, 1e9);
  ASSERT_EQ(wed.size(), 1);
  EXPECT_TRUE(wed[0].startsWith("Maximiliana Konst") && wed[0].endsWith(u'\u2026'));
  for (const Placed& p : r.texts)
    if (p.text.x == kDayColumnX[day::Wed] && p.text.text == wed[0]) EXPECT_TRUE(fitsColumn(p.text));
  const QStringList thu = r.column(day::Thu, 0, 1e9), fri = r.column(day::Fri, 0, 1e9);
  ASSERT_EQ(thu.size(), 1);
  ASSERT_EQ(fri.size(), 1);
  EXPECT_TRUE(thu[0].startsWith("Maximiliana") && thu[0].endsWith(QString(u'\u2026') + " *"))
      << thu[0].toStdString();
  EXPECT_TRUE(fri[0].startsWith("* Maximiliana") && fri[0].endsWith(u'\u2026'));
  for (const Placed& p : r.texts)
    if (p.text.text == thu[0] || p.text.text == fri[0]) EXPECT_TRUE(fitsColumn(p.text));
}

TEST_F(ScheduleTest, ShiftsWorkedInTheAreaThatNoTimeListsAreNamedAndTheRestAreNot) {
  // In the order they are named: by weekday, then by name.
  const struct {
    const char* name;
    int day;
    QStringList main;   // start, stop, area
    QStringList split;  // start, stop, area (empty: none)
    const char* named;  // nullptr: on the paper, off duty, elsewhere or excluded
  } cases[] = {
      {"Al Odd", day::Mon, {"9A.M.", "5P.M.", "Kitchen"}, {}, "Al Odd: Monday 9A.M. - 5P.M."},
      {"Cy Long", day::Mon, {"9A.M.", "11P.M.", "Kitchen"}, {}, "Cy Long: Monday 9A.M. - 11P.M."},
      {"Bo Split", day::Tue, {"7A.M.", "3P.M.", "Kitchen"}, {"5P.M.", "9P.M.", "Kitchen"},
       "Bo Split: Tuesday 5P.M. - 9P.M."},
      {"Gus Half", day::Wed, {"9A.M.", "", "Kitchen"}, {}, "Gus Half: Wednesday 9A.M. - "},
      {"Cat Long", day::Sun, {"9A.M.", "11P.M.", "Kitchen"}, {}, nullptr},  // under the late shift
      {"Di Bar", day::Mon, {"9A.M.", "5P.M.", "Bar"}, {}, nullptr},
      {"Ed Off", day::Mon, {"9A.M.", "5P.M.", "Kitchen"}, {}, nullptr},
      {"Flo Free", day::Mon, {"No", "No", "Kitchen"}, {"No", "No", "Kitchen"}, nullptr},
  };
  QStringList expected;
  for (const auto& c : cases) {
    EmployeeRow e = staffMember(c.name, "Cook", {"Kitchen"});
    works(e, c.day, c.main[0], c.main[1], c.main[2]);
    if (!c.split.isEmpty()) splitShift(e, c.day, c.split[0], c.split[1], c.split[2]);
    staff << e;
    if (c.named) expected << c.named;
  }
  state.area = "Kitchen";
  state.dayOrWeek = "Weekly";
  state.times = {"7A.M. - 3P.M.", "3P.M. - 11P.M.", "", ""};
  state.exclusions = {"Ed Off"};
  const ScheduleSelection s = selectSchedule(state, staff);
  QStringList named;
  for (const UnlistedShift& u : sortedUnlisted(s.unlisted)) {
    EXPECT_EQ(u.area, "Kitchen");
    named << unlistedShiftText(u);
  }
  EXPECT_EQ(named, expected);

  // After a print the closing message names them with their area; a long
  // list is cut short with a count.
  EXPECT_EQ(unlistedNotice({}), "");
  const QString notice = unlistedNotice(s.unlisted, 2);
  EXPECT_TRUE(notice.contains("\nAl Odd: Monday 9A.M. - 5P.M. (Kitchen)\nCy Long: "));
  EXPECT_TRUE(notice.endsWith("\n... and 2 more."));
}
