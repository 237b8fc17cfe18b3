// The PDF writer prints the paper Qt's PDF engine printed before it: the same
// words in the same boxes (pdftotext -bbox), page for page, for the schedules
// of every area and the roster of a small and of a medium business. Both come
// from the same documents of the real printing code: Qt's engine is still the
// program's way for texts the writer cannot draw, so it is the old path itself,
// not a stored copy of what it once printed. Set ROTAWISE_SCREENSHOTS to a
// folder to keep both PDFs of each there.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <cmath>

#include "app/Frmemployee1.h"
#include "lists/ListFile.h"
#include "platform/Clock.h"
#include "platform/CommonDialog.h"
#include "platform/Forms.h"
#include "platform/PdfRender.h"
#include "print/FrmPrintItBaby.h"
#include "support/PdfText.h"
#include "support/ScheduleData.h"
#include "support/TestSupport.h"

namespace {
// A business of `employees` over eight areas, with names that kern ("AVA
// Tyler"), accents, long names a schedule shrinks or cuts, split shifts,
// weekend doubles and on-call days.
void handOverBusiness(const QString& databasePath, int employees) {
  const QStringList areas = {"Kitchen", "Restaurant Bar", "Front Desk", "Housekeeping",
                             "Laundry", "Spa & Pool", "Banquets", "Maintenance"};
  const QStringList first = {"Ava",   "Tyler", "Wanda",  "Yves",  "Zoë",      "Łukasz", "Ngozi",
                             "Björn", "Inés",  "Fatima", "Tomás", "Priyanka", "Te",     "LaVerne"};
  const QStringList last = {"Gonzalez", "O'Connor", "VanWyk",   "Dubois", "Al-Sayed",
                            "Kowalczyk", "Yates",   "Thompson", "Nguyen", "Fitzgerald-Worthington"};
  const QStringList positions = {"Chef", "Cook", "Bartender", "Night Auditor", "Housekeeper"};
  QVector<EmployeeRow> staff;
  for (int i = 0; i < employees; ++i) {
    const QString area = areas[i % areas.size()];
    const QString name = first[i % first.size()] + " " + last[(i / 3) % last.size()] +
                         (i % 7 == 0 ? " Jr." : "") + " " + QString::number(i);
    staff.push_back(staffMember(name, positions[i % positions.size()],
                                {area, areas[(i + 3) % areas.size()]}));
    EmployeeRow& e = staff.back();
    for (int d = 0; d < 7; ++d) {
      if ((i + d) % 5 == 4) continue;  // a day off
      if ((i + d) % 3 == 0) works(e, d, "7A.M.", "3P.M.", area);
      else if ((i + d) % 3 == 1) works(e, d, "3P.M.", "11P.M.", area);
      else works(e, d, "9A.M.", "11P.M.", area);
    }
    if (i % 4 == 0) splitShift(e, (i / 4) % 7, "11A.M.", "7P.M.", area);
    if (i % 6 == 0) special(e, (i / 6) % 7, area);
  }
  writeStaffTable(databasePath, staff);
  ASSERT_TRUE(writeListLines("AREAS.IGH", areas));
  for (const QString& area : areas)
    saveAreaChoices({area, "Cook", "Weekly",
                     {"7A.M. - 3P.M.", "3P.M. - 11P.M.", "SPECIAL", "9A.M. - 11P.M."},
                     {"Days", "Evenings", "On call", "Doubles"}});
  handOver({"All_Areas", "NOTHING", "Weekly", {"7A.M. - 3P.M."}, {"Days"}});
  writeExtras({"Manager on duty", "R. Miller", "NOTHING", "M. Gonzalez", "R. Miller", "O. Brown",
               "M. Gonzalez", "T. Nguyen", "Staff meeting Thursday at 2 P.M. in the banquet room.",
               "NOTHING", "Swap a shift only with your manager's written approval.", "NOTHING",
               "Thank you!"});
}

// The first difference between the words of two PDF files, or "".
QString differenceOfWords(const QString& expectedPdf, const QString& actualPdf) {
  const QVector<PdfWord> expected = pdfWords(expectedPdf), actual = pdfWords(actualPdf);
  if (expected.isEmpty()) return "Qt's engine printed no words";
  if (expected.size() != actual.size())
    return QString("%1 words instead of %2").arg(actual.size()).arg(expected.size());
  // Every word starts where it started, on the same line (pdftotext writes
  // six decimals). Its right end may differ by a hundredth of a point at most:
  // Qt's engine rounds each glyph's width in the font's width table to a
  // thousandth of the em, the writer states it as shaping found it.
  constexpr double kSame = 1e-5, kWidthRounding = 0.01;
  for (qsizetype i = 0; i < expected.size(); ++i) {
    const PdfWord& e = expected[i];
    const PdfWord& a = actual[i];
    const bool same = e.page == a.page && e.text == a.text && std::abs(e.xMin - a.xMin) < kSame &&
                      std::abs(e.yMin - a.yMin) < kSame && std::abs(e.yMax - a.yMax) < kSame &&
                      std::abs(e.xMax - a.xMax) < kWidthRounding;
    if (!same)
      return QString("word %1: \"%2\" on page %3 at %4,%5-%6,%7 instead of \"%8\" on page %9 at "
                     "%10,%11-%12,%13")
          .arg(i).arg(a.text).arg(a.page).arg(a.xMin).arg(a.yMin).arg(a.xMax).arg(a.yMax)
          .arg(e.text).arg(e.page).arg(e.xMin).arg(e.yMin).arg(e.xMax).arg(e.yMax);
  }
  return {};
}

void expectTheSamePaper(const DataFolder& folder, const RecordingTarget& printed,
                        const QString& name) {
  SCOPED_TRACE(name.toStdString());
  const std::optional<QVector<DrawnPage>> pages = drawnPages(printed.documents());
  ASSERT_TRUE(pages) << "a text of the documents needs Qt's engine";
  const QString byWriter = folder.file(name + "-writer.pdf"), byQt = folder.file(name + "-qt.pdf");
  {
    QFile file(byWriter);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(writerPdf(*pages, pdfFileLayout()));
  }
  {
    QFile file(byQt);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(qtEnginePdf(printed.documents(), pdfFileLayout()));
  }
  if (const QByteArray keep = qgetenv("ROTAWISE_SCREENSHOTS"); !keep.isEmpty())
    for (const QString& pdf : {byWriter, byQt}) {
      QFile::remove(QString(keep) + "/" + QFileInfo(pdf).fileName());
      QFile::copy(pdf, QString(keep) + "/" + QFileInfo(pdf).fileName());
    }
  EXPECT_EQ(pdfPageCount(byWriter), pdfPageCount(byQt));
  EXPECT_EQ(differenceOfWords(byQt, byWriter), "");
}
}  // namespace

TEST(PdfPaper, TheWriterPrintsTheWordsOfQtsEngineInTheirBoxesPageForPage) {
  clock_::fixNow(QDateTime(QDate(2025, 3, 14), QTime(9, 30)));
  for (int employees : {0, 600}) {
    SCOPED_TRACE(employees ? "a medium business" : "a small business");
    const QString business = employees ? "medium-" : "small-";
    DataFolder folder;
    folder.install("employee.mdb");
    folder.install("clouds.bmp");
    if (employees == 0) handOverSampleWeek(folder.file("employee.mdb"));
    else handOverBusiness(folder.file("employee.mdb"), employees);
    MessageBoxQueue boxes;  // Yes to the extras, OK to the closing messages

    auto schedules = std::make_shared<RecordingTarget>();
    auto* window = showForm<FrmPrintItBaby>();
    {
      auto choice = PrinterChoice::recording(schedules);
      window->findChild<QPushButton*>("Command4")->click();
    }
    ASSERT_EQ(boxes.texts().last().left(20), "Data compiled succes");
    expectTheSamePaper(folder, *schedules, business + "schedules");

    auto roster = std::make_shared<RecordingTarget>();
    {
      Frmemployee1 main;
      auto choice = PrinterChoice::recording(roster);
      main.roster_Click();
    }
    ASSERT_EQ(boxes.texts().last(), "Employee data has been processed and sent to printer.");
    expectTheSamePaper(folder, *roster, business + "roster");
    deleteAllWindows();
  }
  clock_::release();
}

// A name with a character of another font, or a letter with a mark put on it,
// is shaped in ways the writer does not draw: its pages go through Qt's engine,
// in the same file as the pages before and after them.
TEST(PdfPaper, TextsTheWriterCannotDrawArePrintedThroughQtsEngine) {
  DataFolder folder;
  const QString pdf = folder.file("mixed.pdf");
  const QStringList names = {"Ana Lima", QString::fromUtf8("王小明"), "Rene\u0301 Roy", "Bo Li"};
  {
    Printer printer(makePdfTarget(pdf));
    for (const QString& name : names) {
      printer.Print(name);
      printer.EndDoc();
    }
    RecordingTarget one;
    Printer recorder(std::shared_ptr<RecordingTarget>(&one, [](RecordingTarget*) {}));
    recorder.Print(names[1]);
    recorder.EndDoc();
    EXPECT_FALSE(drawnPages(one.documents()));
  }
  ASSERT_EQ(pdfPageCount(pdf), 4);
  const QStringList pages = pdfLayoutText(pdf).split('\f');
  for (int i = 0; i < names.size(); ++i)
    EXPECT_EQ(pages.value(i).trimmed(), names[i].normalized(QString::NormalizationForm_C));
}
