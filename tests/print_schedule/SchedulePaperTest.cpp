// What a new manager sees on the printed week and around it: rules that span
// all seven columns on any paper, the name a print to a file is offered
// under, and the preview's lists in the order of the user's language.
#include <QListWidget>
#include <QPointer>
#include <QPushButton>

#include "ScheduleTestSupport.h"
#include "platform/CommonDialog.h"
#include "platform/Forms.h"
#include "platform/MessageBox.h"
#include "print/FrmPrintItBaby.h"
#include "print/ScheduleLayout.h"

namespace {
const QString kRule = QString(127, u'_');

// Sunday's column runs to the right edge of the printable area.
EmployeeRow sundayWorker(int i) {
  EmployeeRow e = staffMember(QString("Sunday Worker %1").arg(i, 3, 10, QChar('0')), "Cook",
                              {"Kitchen"});
  works(e, day::Sun, "7A.M.", "3P.M.", "Kitchen");
  return e;
}
}  // namespace

TEST_F(ScheduleTest, RulesSpanAllSevenColumnsOnEveryPageWhateverThePaper) {
  struct Paper {
    const char* what;
    QSizeF printable;  // twips
  };
  const Paper papers[] = {
      {"Letter, quarter-inch margins", {11520, 15120}},
      {"A4, quarter-inch margins", {11186, 16118}},
      {"A4, half-inch margins", {10466, 15398}},
  };
  for (int i = 0; i < 120; ++i) staff << sundayWorker(i);
  handOver({"Kitchen", "NOTHING", "Weekly", {"7A.M. - 3P.M.", "3P.M. - 11P.M."}, {"Days", "Late"}});
  for (const Paper& paper : papers) {
    SCOPED_TRACE(paper.what);
    target = std::make_shared<RecordingTarget>(paper.printable);
    print();
    const RecordedSchedule r = recorded();
    ASSERT_GE(target->documents()[0].pages.size(), 2);
    QSet<int> pagesWithRules;
    Printer measure(target);
    for (const Placed& p : r.all(kRule)) {
      measure.FontName = p.text.fontName;
      measure.FontSize = p.text.fontSize;
      measure.FontBold = p.text.bold;
      const double right = p.text.x + measure.TextWidth(kRule);
      EXPECT_GE(right, paper.printable.width() - 100) << "page " << p.page;
      EXPECT_LE(right, paper.printable.width() + 1) << "page " << p.page;
      pagesWithRules.insert(p.page);
    }
    EXPECT_EQ(pagesWithRules.size(), target->documents()[0].pages.size());
  }
}

class PrintWindowPaper : public ScheduleTest {
 protected:
  PrintWindowPaper() {
    folder.install("employee.mdb");
    folder.install("clouds.bmp");
  }
  ~PrintWindowPaper() override { deleteAllWindows(); }
  FrmPrintItBaby* open() { return window = showForm<FrmPrintItBaby>(); }
  void click(const char* name) const { window->findChild<QPushButton*>(name)->click(); }

  MessageBoxQueue boxes;
  QPointer<FrmPrintItBaby> window;
};

TEST_F(PrintWindowPaper, APrintToAFileIsOfferedUnderTheAreaAndTheDateAndNeverOverAnother) {
  struct Case {
    const char* area;
    QString offered;
  };
  const Case cases[] = {
      {"Kitchen", "Kitchen schedule 2025-03-14.pdf"},
      {"Bar/Grill: Main", "Bar_Grill_ Main schedule 2025-03-14.pdf"},
      {"All_Areas", "All areas schedule 2025-03-14.pdf"},
  };
  writeStaffTable(folder.file("employee.mdb"), {});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.area);
    handOver({c.area, "NOTHING", "Weekly", {"7A.M. - 3P.M."}, {"Days"}});
    open();
    auto choice = PrinterChoice::recording(target);
    boxes.answer(msg::No);
    click("Command4");
    EXPECT_EQ(choice->lastFileName, folder.file(c.offered));
  }
  // A second print of the day does not offer the first one's file.
  folder.write("Kitchen schedule 2025-03-14.pdf", "the morning's print");
  folder.write("Kitchen schedule 2025-03-14 (2).pdf", "the noon print");
  handOver({"Kitchen", "NOTHING", "Weekly", {"7A.M. - 3P.M."}, {"Days"}});
  auto choice = PrinterChoice::recording(target);
  boxes.answer(msg::No);
  click("Command4");
  EXPECT_EQ(choice->lastFileName, folder.file("Kitchen schedule 2025-03-14 (3).pdf"));
}

TEST_F(PrintWindowPaper, ThePreviewsListsSortInTheUsersLanguage) {
  const EnglishLocale english;
  QVector<EmployeeRow> people;
  for (const char* name : {"Smith, Ann", "Łukasz, Jan", "adams, Zoe", "Émile, Roy", "zoë, Kim"}) {
    EmployeeRow e = staffMember(name, "Cook", {"Kitchen"});
    works(e, day::Mon, "7A.M.", "3P.M.", "Kitchen");
    people << e;
  }
  writeStaffTable(folder.file("employee.mdb"), people);
  handOver({"Kitchen", "NOTHING", "Weekly", {"7A.M. - 3P.M."}, {"Days"}});
  open();
  click("Command3");
  QStringList shown;
  QListWidget* monday = window->gridBox(day::Mon, 0);
  for (int i = 0; i < monday->count(); ++i) shown << monday->item(i)->text();
  EXPECT_EQ(shown, QStringList({"adams, Zoe", "Émile, Roy", "Łukasz, Jan", "Smith, Ann", "zoë, Kim"}));
}
