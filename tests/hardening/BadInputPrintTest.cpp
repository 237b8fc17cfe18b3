// Hostile texts through the printing: the print setup saves and reads back
// areas, positions, labels and exclusions with them, in files whose names
// stay in the data folder; the schedule (a real PDF read back with pdftotext)
// and its preview list the employees so named, and leave the excluded ones
// off; the roster prints them under areas so named.
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <memory>

#include "BadInput.h"
#include "app/Frmemployee1.h"
#include "lists/ListFile.h"
#include "platform/Clock.h"
#include "platform/CommonDialog.h"
#include "platform/Forms.h"
#include "platform/MessageBox.h"
#include "print/AreaSettings.h"
#include "print/FrmPrintFull.h"
#include "print/FrmPrintItBaby.h"
#include "print/PrintSetup.h"
#include "support/PdfText.h"
#include "support/ScheduleData.h"
#include "support/TestSupport.h"

using namespace badinput;

namespace {
const QString kTime = "7A.M. - 3P.M.";

// A list file as the list windows write it.
void writeList(const QString& file, const QStringList& entries) {
  QStringList lines;
  for (const QString& e : entries) {
    QString line;
    if (encodeListLine(e, &line)) lines << line;
  }
  ASSERT_TRUE(writeListLines(file, lines));
}

QStringList hostileNames() {
  QStringList out;
  for (const Hostile& h : hostileTexts()) out << h.text;
  return out;
}

// pdftotext shows a tab as blanks; every other letter must be there as typed.
bool pdfShows(const QString& pdfText, const QString& name) {
  QString pattern = QRegularExpression::escape(name);
  pattern.replace("\\\t", "\\s+").replace("\t", "\\s+");
  return QRegularExpression(pattern).match(pdfText).hasMatch();
}

class BadInputPrint : public ::testing::Test {
 protected:
  BadInputPrint() {
    folder.installAll();
    clock_::fixNow(QDateTime(QDate(2025, 3, 14), QTime(9, 30)));
  }
  ~BadInputPrint() override {
    clock_::release();
    deleteAllWindows();
  }
  // Every hostile name works Monday's early shift in the kitchen.
  void hostileStaff(const QString& position = "Cook") {
    QVector<EmployeeRow> staff;
    for (const QString& name : hostileNames()) {
      EmployeeRow e = staffMember(name, position, {"Kitchen"});
      works(e, day::Mon, "7A.M.", "3P.M.", "Kitchen");
      staff << e;
    }
    writeStaffTable(folder.file("employee.mdb"), staff);
  }
  DataFolder folder;
  MessageBoxQueue boxes;
};
}  // namespace

TEST_F(BadInputPrint, PrintSetupSavesAndReadsBackEveryTextInFilesThatStayInTheFolder) {
  writeList("AREAS.IGH", hostileNames());
  writeList("POSITION.IGH", hostileNames());
  hostileStaff();
  for (const Hostile& h : hostileTexts()) {
    SCOPED_TRACE(h.what);
    const QString label = h.text.isEmpty() ? QString("Days") : h.text;
    const QString settingsFile = areaSettingsFileName(h.text);
    // The print setup filled in with the hostile text as area and position.
    auto filledIn = [&] {
      auto* setup = showForm<FrmPrintFull>();
      setShown(setup, "txtfindAreas", h.text);
      setShown(setup, "txtFindPosition", h.text);
      setShown(setup, "txtDayorWeek", "Weekly");
      setShown(setup, "txtFindTimes1", kTime);
      setShown(setup, "txtLabel1", label);
      return setup;
    };
    {
      auto* setup = filledIn();
      ASSERT_TRUE(choose(setup, "txtStaffVacation", exclusionEntry(h.text)));
      boxes.clear();
      click(setup, "Command4");  // "&Save Info"
      if (h.text.isEmpty()) {
        EXPECT_TRUE(boxes.shown().empty());  // no area, nothing to save
      } else {
        ASSERT_EQ(boxes.shown().size(), 1u);
        EXPECT_EQ(boxes.shown()[0].title, "Saved") << boxes.shown()[0].text.toStdString();
        EXPECT_TRUE(isBareFileName(settingsFile)) << settingsFile.toStdString();
        EXPECT_TRUE(folder.exists(settingsFile)) << settingsFile.toStdString();
      }
      unloadForm(setup);
    }
    if (!h.text.isEmpty()) {
      auto* setup = showForm<FrmPrintFull>();
      setShown(setup, "txtfindAreas", h.text);
      setup->txtfindAreas_Click();
      EXPECT_EQ(shown(setup, "txtFindPosition"), h.text);
      EXPECT_EQ(shown(setup, "txtFindTimes1"), kTime);
      EXPECT_EQ(shown(setup, "txtLabel1"), label);
      unloadForm(setup);
    }
    {
      auto* setup = filledIn();
      ASSERT_TRUE(choose(setup, "txtStaffVacation", exclusionEntry(h.text)));
      boxes.clear();
      click(setup, "Command3");  // "&Ok I'm ready to &Print"
      // A nameless employee cannot be left off: the blank line ends the list.
      EXPECT_EQ(readExemptFile(), h.text.isEmpty() ? QStringList() : QStringList{h.text});
      if (h.text.isEmpty()) {
        ASSERT_EQ(boxes.shown().size(), 1u);
        EXPECT_EQ(boxes.shown()[0].text, "You Must choose an AREA to print schedule!");
        unloadForm(setup);
      } else {
        EXPECT_TRUE(boxes.shown().empty()) << boxes.texts().join(" | ").toStdString();
        EXPECT_EQ(readPrintFile(), settingsFile);
        const AreaSettings s = readAreaSettings(settingsFile);
        EXPECT_EQ(s.area, h.text);
        EXPECT_EQ(s.position, h.text);
        EXPECT_EQ(s.labels[0], label);
      }
    }
    deleteAllWindows();
  }
  // Nothing was written outside the folder, nor in a folder of its own.
  EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
}

TEST_F(BadInputPrint, ScheduleAndPreviewListEveryNameAndLeaveTheExcludedOff) {
  hostileStaff();
  const QStringList excluded = {"O'Brien", QString::fromUtf8("Ωμέγα Δέλτα")};
  handOver({"Kitchen", "NOTHING", "Weekly", {kTime}, {"Days"}}, excluded);
  QStringList listed;
  for (const QString& name : hostileNames())
    if (!excluded.contains(name) && !name.isEmpty()) listed << name;

  auto* window = showForm<FrmPrintItBaby>();
  const QString pdf = folder.file("schedule.pdf");
  {
    auto choice = PrinterChoice::pdfFile(pdf);
    boxes.answer(msg::No);  // no extras
    click(window, "Command4");
  }
  ASSERT_EQ(boxes.texts().last(), "Data compiled successfully and sent to printer.");
  const QString text = pdfLayoutText(pdf);
  ASSERT_FALSE(text.isEmpty());
  for (const QString& name : listed) {
    // A name longer than its day column is printed smaller, then cut with an
    // ellipsis at the column's edge, so the cut shows.
    if (name.size() > 100)
      EXPECT_TRUE(text.contains(QRegularExpression(name.left(12) + "w*\u2026"))) << text.toStdString();
    else
      EXPECT_TRUE(pdfShows(text, name)) << name.toStdString();
  }
  for (const QString& name : excluded) EXPECT_FALSE(pdfShows(text, name)) << name.toStdString();
  // Excluded staff still count.
  EXPECT_TRUE(text.contains(
      QString("Total staffing for this Schedule (%1)").arg(hostileTexts().size())))
      << text.toStdString();

  click(window, "Command3");  // "Process &Data Preview"
  QStringList previewed;
  QListWidget* monday = window->gridBox(day::Mon, 0);
  for (int i = 0; i < monday->count(); ++i) previewed << monday->item(i)->text();
  for (const QString& name : listed) EXPECT_TRUE(previewed.contains(name)) << name.toStdString();
  for (const QString& name : excluded) EXPECT_FALSE(previewed.contains(name)) << name.toStdString();
}

TEST_F(BadInputPrint, RosterPrintsEveryNameUnderItsArea) {
  QStringList areas;
  for (const QString& t : hostileNames())
    if (!t.isEmpty() && !hasDoubleQuote(t)) areas << t;
  writeList("AREAS.IGH", areas);
  QVector<EmployeeRow> staff;
  for (const QString& area : areas) staff << staffMember(area, area, {area});
  staff << staffMember("Say \"Hi\"", "Cook", {"O'Brien"});
  writeStaffTable(folder.file("employee.mdb"), staff);

  Frmemployee1 main;
  const QString pdf = folder.file("roster.pdf");
  {
    auto choice = PrinterChoice::pdfFile(pdf);
    main.roster_Click();
  }
  ASSERT_EQ(boxes.texts().last(), "Employee data has been processed and sent to printer.");
  const QString text = pdfLayoutText(pdf);
  ASSERT_FALSE(text.isEmpty());
  for (const QString& area : areas) {
    SCOPED_TRACE(area.toStdString());
    // The area heads its rows (cut after thirty characters); name and position follow whole.
    EXPECT_TRUE(pdfShows(text, area.left(30)));
  }
  // Names and positions are printed whole, a long one over several lines.
  const QString joined = QString(text).remove(QRegularExpression("\\s*\\n\\s*"));
  for (const QString& name : areas)
    EXPECT_TRUE(pdfShows(text, name) || joined.contains(name)) << text.toStdString();
  EXPECT_TRUE(pdfShows(text, "Say \"Hi\""));
  EXPECT_TRUE(text.contains(QString("ToTal Staff count for these areas ( %1)").arg(staff.size())))
      << text.toStdString();
}
