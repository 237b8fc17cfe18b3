// "Print Employee &Roster" from the main menu, on the recording printer and on
// a real PDF, over a real employee.mdb.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include "app/Frmemployee1.h"
#include "data/DataControl.h"
#include "data/PgEngine.h"
#include "data/ServerAddress.h"
#include "platform/Clock.h"
#include "platform/CommonDialog.h"
#include "platform/Pointer.h"
#include "platform/Printer.h"
#include "print/Roster.h"
#include "support/PdfText.h"
#include "support/ServerDatabase.h"
#include "support/TestSupport.h"

namespace {
const QString kDone = "Employee data has been processed and sent to printer.";
const QString kFailed = "Please check your printer and try again.";

struct Row {
  QString area, name, position;
  double areaX, nameX, positionX;
};
struct Section {
  QVector<Row> rows;
  int count = -1;
};
struct Roster {
  QVector<Section> sections;
  int total = -1;
  QVector<RecordingTarget::Entry> entries;
};

// Reads the recorded roster back into its sections: rows of (area, name,
// position) on one line, each section closed by its staff count.
Roster parse(const QVector<RecordingTarget::Entry>& entries) {
  Roster r;
  r.entries = entries;
  Section current;
  static const QRegularExpression count(R"(^Staff count for this area \( (\d+)\)$)");
  static const QRegularExpression total(R"(^ToTal Staff count for these areas \( (\d+)\)$)");
  for (int i = 0; i < entries.size(); ++i) {
    const PrintedText& t = entries[i].text;
    if (auto m = count.match(t.text); m.hasMatch()) {
      current.count = m.captured(1).toInt();
      r.sections.push_back(current);
      current = {};
    } else if (auto m = total.match(t.text); m.hasMatch()) {
      r.total = m.captured(1).toInt();
    } else if (t.x == 0 && t.text.size() == 30 && !t.bold && i + 2 < entries.size()) {
      const PrintedText& name = entries[i + 1].text;
      const PrintedText& position = entries[i + 2].text;
      EXPECT_EQ(name.y, t.y);
      EXPECT_EQ(position.y, t.y);
      current.rows.push_back({t.text, name.text, position.text, t.x, name.x, position.x});
      i += 2;
    }
  }
  return r;
}

class RosterTest : public ::testing::Test {
 protected:
  RosterTest() {
    folder.install("employee.mdb");
    clock_::fixNow(QDateTime(QDate(2025, 3, 14), QTime(9, 30)));
  }
  ~RosterTest() override {
    clock_::release();
    deleteAllWindows();
  }

  // Adds employees straight into the table, as earlier sessions left them.
  void add(const QVector<std::tuple<QString, QString, QVariant>>& staff) {
    // A folder that names a server keeps the table there.
    if (const auto server = db::serverFor(folder.file("employee.mdb"))) {
      db::ServerConnection c(*server);
      for (const auto& [name, position, area] : staff)
        c.run("INSERT INTO \"Employees\" (\"Number\", \"Fullname\", position, area) VALUES (?, ?, ?, ?)",
              {++number_, name, position, area.isNull() ? QVariant(QMetaType(QMetaType::QString)) : area});
      return;
    }
    {
      QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "roster-writer");
      db.setDatabaseName(folder.file("employee.mdb"));
      ASSERT_TRUE(db.open());
      db.transaction();
      QSqlQuery q(db);
      q.prepare("INSERT INTO Employees (Number, Fullname, position, area) VALUES (?, ?, ?, ?)");
      for (const auto& [name, position, area] : staff) {
        q.addBindValue(++number_);
        q.addBindValue(name);
        q.addBindValue(position);
        q.addBindValue(area);
        ASSERT_TRUE(q.exec()) << q.lastError().text().toStdString();
      }
      db.commit();
    }
    QSqlDatabase::removeDatabase("roster-writer");
  }
  void areas(const QByteArray& bytes) { folder.write("AREAS.IGH", bytes); }

  // Clicks "Print Employee &Roster" with the recording printer picked.
  Roster run() {
    Frmemployee1 main;
    auto choice = PrinterChoice::recording(target);
    main.roster_Click();
    EXPECT_EQ(choice->timesShown, 1);
    EXPECT_EQ(choice->lastTitle, "Print Employee Roster");
    EXPECT_EQ(mousePointer(&main), pointer::Default);
    EXPECT_FALSE(main.data1()->isEnabled());
    return parse(target->entries());
  }

  DataFolder folder;
  MessageBoxQueue boxes;
  std::shared_ptr<RecordingTarget> target = std::make_shared<RecordingTarget>();
  int number_ = 0;
};

QStringList names(const Section& s) {
  QStringList out;
  for (const Row& r : s.rows) out << r.name;
  return out;
}
}  // namespace

// The roster reads the table on a server as it reads the file.
class RosterHomes : public OnBothHomes<RosterTest> {};
ROTAWISE_BOTH_HOMES(RosterHomes);

TEST_P(RosterHomes, OneSectionPerAreaWithHeadingZonesCountsTotalAndTheClosingMessage) {
  areas("Kitchen\r\nFront Desk\r\nHousekeeping");  // no line end after the last entry
  add({{"Ann Lee", "Cook", "Kitchen"},
       {"Bob Stone", "Clerk", "Front Desk"},
       {"Cara Diaz", "Chef", "Kitchen"},
       {"Dan Wu", "Porter", "Garage"},  // in no listed area: not printed, not counted
       {"Matthew Lewis", "Bartender", "Front Desk"}});
  const Roster r = run();

  ASSERT_EQ(r.sections.size(), 3);
  EXPECT_EQ(names(r.sections[0]), QStringList({"Ann Lee", "Cara Diaz"}));
  EXPECT_EQ(r.sections[0].count, 2);
  EXPECT_EQ(names(r.sections[1]), QStringList({"Bob Stone", "Matthew Lewis"}));
  EXPECT_TRUE(r.sections[2].rows.isEmpty());
  EXPECT_EQ(r.sections[2].count, 0);
  EXPECT_EQ(r.total, 4);
  ASSERT_EQ(target->documents().size(), 1);

  Printer measure(target);
  const double col = measure.columnWidth();
  const Row& ann = r.sections[0].rows[0];
  EXPECT_EQ(ann.area, QString("Kitchen").leftJustified(30));
  EXPECT_EQ(ann.position, "Cook");
  EXPECT_NEAR(ann.nameX, 42 * col, 1e-6);
  EXPECT_NEAR(ann.positionX, 56 * col, 1e-6);
  // Thirteen letters end one blank before column 56: the position moves on a
  // zone rather than run into the name.
  EXPECT_NEAR(r.sections[1].rows[1].positionX, 70 * col, 1e-6);

  // The heading: bold and underlined, at columns 0, 28, 56 and 70.
  QHash<QString, PrintedText> byText;
  for (const auto& e : r.entries) byText.insert(e.text.text, e.text);
  const QString date = clock_::shortDate(QDate(2025, 3, 14));
  ASSERT_TRUE(byText.contains("Area") && byText.contains(date));
  EXPECT_NEAR(byText["Name"].x, 28 * col, 1e-6);
  EXPECT_NEAR(byText["Position"].x, 56 * col, 1e-6);
  EXPECT_NEAR(byText[date].x, 70 * col, 1e-6);
  EXPECT_TRUE(byText["Position"].bold && byText["Position"].underline);
  EXPECT_EQ(byText["Position"].y, byText["Area"].y);
  EXPECT_FALSE(byText[QString(127, '_')].underline);
  EXPECT_TRUE(byText[QString(127, '_')].bold);
  EXPECT_FALSE(byText["Ann Lee"].bold);

  // Every section ends with an empty line, its count and the rule.
  int rules = 0;
  for (int i = 0; i < r.entries.size(); ++i)
    if (r.entries[i].text.text.startsWith("Staff count")) {
      ASSERT_LT(i + 1, r.entries.size());
      EXPECT_EQ(r.entries[i + 1].text.text, QString(127, '_'));
      EXPECT_TRUE(r.entries[i].text.bold);
      ++rules;
    }
  EXPECT_EQ(rules, 3);
  ASSERT_EQ(boxes.shown().size(), 1);
  EXPECT_EQ(boxes.shown()[0].text, kDone);
  EXPECT_EQ(boxes.shown()[0].title, "Ok!");
  EXPECT_EQ(boxes.shown()[0].code, 48);
}

TEST_F(RosterTest, AreaListRulesBlankLinesSpecialAndAllAreasSkippedEveryAreaPrinted) {
  areas("Kitchen\r\n Special \r\nBar\r\n all_areas \r\nOffice\r\n\r\nGarage\r\n");
  add({{"Ann Lee", "Cook", "Kitchen"},
       {"Sam Fox", "Any", "Special"},
       {"Gail Ross", "Mechanic", "Garage"},
       {"Olga Finn", "Clerk", "Office"}});
  const Roster r = run();
  // Kitchen, Bar, Office, Garage: a blank line (a cleared box) ends nothing.
  ASSERT_EQ(r.sections.size(), 4);
  EXPECT_EQ(names(r.sections[0]), QStringList({"Ann Lee"}));
  EXPECT_TRUE(r.sections[1].rows.isEmpty());
  EXPECT_EQ(names(r.sections[2]), QStringList({"Olga Finn"}));
  EXPECT_EQ(names(r.sections[3]), QStringList({"Gail Ross"}));
  EXPECT_EQ(r.total, 3);

  // A hand-edited list with more than twenty areas prints them all.
  QStringList many;
  for (int i = 1; i <= 23; ++i) many << QString("Area %1").arg(i);
  const auto list = rosterAreas(QStringList{"Special"} + many);
  ASSERT_EQ(list.size(), 23);
  EXPECT_EQ(list.back().key, "AREA 23");
  EXPECT_EQ(rosterAreas({"", "Kitchen"}).size(), 1);
  EXPECT_EQ(rosterAreas({"", "Kitchen"})[0].key, "KITCHEN");
  EXPECT_EQ(rosterAreas({"", "  "}).size(), 1);  // no area at all: the blank section
  EXPECT_EQ(rosterAreas({"", "  "})[0].key, "");
}

TEST_F(RosterTest, AreasMatchWithoutCaseOrBlanksAndALongAreaByItsWholeText) {
  const QString longArea = "Maintenance and Facilities Department North";  // 43 characters
  areas(QString("  kitchen  \r\n%1\r\nMaintenance and Facilities Department South\r\n")
            .arg(longArea)
            .toUtf8());
  add({{"Ann Lee", "Cook", "KITCHEN "},
       {"Bob Stone", "Cook", " Kitchen"},
       {"Mia North", "Electrician", longArea.toUpper()},
       {"Sol South", "Plumber", "Maintenance and Facilities Department South"},
       {"Ned Nobody", "Clerk", QVariant()}});  // no area at all: blank, no failure
  const Roster r = run();
  ASSERT_EQ(r.sections.size(), 3);
  EXPECT_EQ(names(r.sections[0]), QStringList({"Ann Lee", "Bob Stone"}));
  // The list reader drops the leading blanks; the entry prints as read.
  EXPECT_EQ(r.sections[0].rows[0].area, QString("kitchen").leftJustified(30));
  EXPECT_EQ(names(r.sections[1]), QStringList({"Mia North"}));
  EXPECT_EQ(r.sections[1].rows[0].area, longArea.left(30));
  EXPECT_EQ(names(r.sections[2]), QStringList({"Sol South"}));
  EXPECT_EQ(r.total, 4);
  int sum = 0;
  for (const Section& s : r.sections) sum += s.count;
  EXPECT_EQ(r.total, sum);
  EXPECT_EQ(boxes.texts(), QStringList({kDone}));
}

TEST_F(RosterTest, AnEmptyListGivesOneSectionForStaffWithoutAnArea) {
  areas("");
  add({{"Ann Lee", "Cook", "Kitchen"},
       {"Ned Nobody", "Clerk", QVariant()},
       {"Bea Blank", "Clerk", "   "},
       {"Eve Empty", "Clerk", ""}});
  const Roster r = run();
  ASSERT_EQ(r.sections.size(), 1);
  EXPECT_EQ(names(r.sections[0]), QStringList({"Ned Nobody", "Bea Blank", "Eve Empty"}));
  EXPECT_EQ(r.total, 3);
  EXPECT_EQ(boxes.texts(), QStringList({kDone}));
}

TEST_F(RosterTest, ALongRosterRunsOntoTheNextPagesWithNobodyLost) {
  areas("Kitchen\r\nFloor\r\n");
  QVector<std::tuple<QString, QString, QVariant>> staff;
  for (int i = 0; i < 200; ++i)
    staff.push_back({QString("Employee %1").arg(i, 3, 10, QChar('0')), "Server",
                     i % 2 ? "Floor" : "Kitchen"});
  add(staff);
  const Roster r = run();
  ASSERT_EQ(r.sections.size(), 2);
  EXPECT_EQ(r.sections[0].count + r.sections[1].count, 200);
  QStringList all = names(r.sections[0]) + names(r.sections[1]);
  EXPECT_EQ(all.size(), 200);
  all.sort();
  all.removeDuplicates();
  EXPECT_EQ(all.size(), 200);
  EXPECT_EQ(r.total, 200);

  ASSERT_EQ(target->documents().size(), 1);
  const auto& pages = target->documents()[0].pages;
  EXPECT_GE(pages.size(), 3);  // 200 rows and the section lines at about 65 lines a page
  const double bottom = target->printableSizeTwips().height();
  for (const auto& e : r.entries) EXPECT_LE(e.text.y + 200, bottom) << e.text.text.toStdString();
  EXPECT_EQ(r.entries.back().page, pages.size() - 1);
  EXPECT_TRUE(r.entries.back().text.text.startsWith("ToTal Staff count"));
}

TEST_F(RosterTest, CancelNoListAFailingPrinterOrNoDatabaseShowTheMessageAndPrintNothing) {
  areas("Kitchen\r\n");
  add({{"Ann Lee", "Cook", "Kitchen"}});
  {
    Frmemployee1 main;
    auto cancel = PrinterChoice::cancel();
    main.roster_Click();
    EXPECT_EQ(mousePointer(&main), pointer::Default);
    EXPECT_FALSE(main.data1()->isEnabled());
  }
  QFile::remove(folder.file("AREAS.IGH"));
  run();
  areas("Kitchen\r\n");
  target->failNext = true;
  run();
  QFile::remove(folder.file("employee.mdb"));  // the database is never created anew
  run();
  EXPECT_FALSE(folder.exists("employee.mdb"));
  EXPECT_TRUE(target->documents().isEmpty());
  ASSERT_EQ(boxes.shown().size(), 4);
  for (const ShownBox& b : boxes.shown()) {
    EXPECT_EQ(b.text, kFailed);
    EXPECT_EQ(b.title, "Opps!");
    EXPECT_EQ(b.code, 48);
  }
}

TEST_F(RosterTest, ARealPdfReadsBackAsAreaNameAndPositionOnEachLine) {
  areas("Kitchen\r\nFront Desk\r\n");
  add({{"Ann Lee", "Cook", "Kitchen"},
       {QString::fromUtf8("Zoë O'Brien"), "Night Clerk", "Front Desk"},
       {"Bob Stone", "Dishwasher", "Kitchen"}});
  const QString pdf = folder.file("roster.pdf");
  {
    Frmemployee1 main;
    auto choice = PrinterChoice::pdfFile(pdf);
    main.roster_Click();
  }
  EXPECT_EQ(boxes.texts(), QStringList({kDone}));
  EXPECT_EQ(pdfPageCount(pdf), 1);
  const QStringList lines = pdfLayoutText(pdf).split('\n');
  auto line = [&](const QString& name) {
    for (const QString& l : lines)
      if (l.contains(name)) return l.simplified();
    return QString();
  };
  EXPECT_EQ(line("Ann Lee"), "Kitchen Ann Lee Cook");
  EXPECT_EQ(line("Bob Stone"), "Kitchen Bob Stone Dishwasher");
  EXPECT_EQ(line(QString::fromUtf8("Zoë")), QString::fromUtf8("Front Desk Zoë O'Brien Night Clerk"));
  EXPECT_EQ(line("Staff count for this area ( 2)"), "Staff count for this area ( 2)");
  EXPECT_EQ(line("ToTal"), "ToTal Staff count for these areas ( 3)");
  EXPECT_TRUE(line("Position").startsWith("Area Name Position"));
}
