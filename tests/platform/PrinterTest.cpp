// The printer object: where lines, zones and explicit positions land, how
// pages flow, what a document is, and the printer dialog's seam; once through
// a real PDF read back with poppler.
#include <gtest/gtest.h>

#include <QFile>

#include "platform/CommonDialog.h"
#include "platform/FileOps.h"
#include "platform/Geometry.h"
#include "platform/Printer.h"
#include "support/PdfText.h"
#include "support/TestSupport.h"

namespace {
using Entry = RecordingTarget::Entry;

const Entry* find(const QVector<Entry>& entries, const QString& text) {
  for (const Entry& e : entries)
    if (e.text.text == text) return &e;
  return nullptr;
}

struct Recorded {
  std::shared_ptr<RecordingTarget> target = std::make_shared<RecordingTarget>();
  Printer printer{target};
};
}  // namespace

TEST(Printer, DefaultFontIsTenPointCourierNewOrItsLikeWithFourteenColumnZones) {
  Recorded r;
  EXPECT_EQ(r.printer.FontName, mapFontFamily("Courier New"));
  EXPECT_EQ(r.printer.FontSize, 10);
  // A column is the real character width of that font (0.6 em at 200 twips).
  EXPECT_NEAR(r.printer.columnWidth(), 120, 0.5);
  EXPECT_NEAR(r.printer.TextWidth("Kitchen   "), 10 * r.printer.columnWidth(), 1e-6);
  EXPECT_DOUBLE_EQ(r.printer.zoneWidth(), 14 * r.printer.columnWidth());
  // Letter paper less quarter-inch margins.
  EXPECT_DOUBLE_EQ(r.printer.ScaleWidth(), 8 * 1440);
  EXPECT_DOUBLE_EQ(r.printer.ScaleHeight(), 10.5 * 1440);
}

TEST(Printer, LinesFollowOneAnotherAndExplicitPositionsAreKept) {
  Recorded r;
  Printer& p = r.printer;
  const double line = p.TextHeight();
  p.Print("first");
  p.Print();
  p.FontBold = true;
  p.Print("third");
  p.FontBold = false;
  p.CurrentX = 1700;
  p.CurrentY = 4 * 150;
  p.Print("Monday");
  EXPECT_EQ(p.CurrentX, 0);  // an ended line goes back to the left edge
  EXPECT_DOUBLE_EQ(p.CurrentY, 600 + line);
  p.PrintQuality = 600;  // accepted
  p.Zoom = 100;
  p.EndDoc();

  const auto e = r.target->entries();
  ASSERT_EQ(e.size(), 3);
  EXPECT_EQ(e[0].text.y, 0);
  EXPECT_DOUBLE_EQ(e[1].text.y, 2 * line);
  EXPECT_TRUE(e[1].text.bold);
  EXPECT_FALSE(e[0].text.bold);
  EXPECT_EQ(e[2].text.x, 1700);
  EXPECT_EQ(e[2].text.y, 600);
}

TEST(Printer, ZonesStartEveryFourteenColumnsAndJoinsPutItemsSideBySide) {
  Recorded r;
  Printer& p = r.printer;
  const double col = p.columnWidth();
  p.FontBold = true;
  p.FontUnderline = true;
  p.Print({"Area", Printer::Zone, Printer::Zone, "Name", Printer::Zone, Printer::Zone, "Position",
           Printer::Zone, "1/2/2025"});
  p.FontUnderline = false;
  p.FontBold = false;
  // A 30-character item runs past the second zone's start: the next item
  // goes to the zone after it, column 42.
  const QString area = QString("Kitchen").leftJustified(30, ' ');
  p.Print({area, Printer::Zone, "Ann Lee", Printer::Zone, "Cook"});
  p.Print({"Staff count for this area (", Printer::Join, " ", Printer::Join, "5", Printer::Join,
           ")"});
  // A line ending in a separator stays open; the next Print carries on.
  p.Print({"left", Printer::Zone});
  p.Print("right");
  p.EndDoc();

  const auto e = r.target->entries();
  auto x = [&](const char* t) { return find(e, t) ? find(e, t)->text.x : -1; };
  EXPECT_NEAR(x("Area"), 0, 1e-6);
  EXPECT_NEAR(x("Name"), 28 * col, 1e-6);
  EXPECT_NEAR(x("Position"), 56 * col, 1e-6);
  EXPECT_NEAR(x("1/2/2025"), 70 * col, 1e-6);
  EXPECT_TRUE(find(e, "Name")->text.bold && find(e, "Name")->text.underline);
  EXPECT_NEAR(x("Ann Lee"), 42 * col, 1e-6);
  EXPECT_GT(x("Cook"), 42 * col);
  EXPECT_NEAR(std::fmod(x("Cook"), 14 * col), 0, 1e-6);
  EXPECT_FALSE(find(e, "Cook")->text.bold);

  const Entry* open = find(e, "Staff count for this area (");
  const Entry* five = find(e, "5");
  ASSERT_TRUE(open && five);
  EXPECT_EQ(five->text.y, open->text.y);
  EXPECT_GT(five->text.x, open->text.x + p.TextWidth("Staff count for this area (") - 1);
  EXPECT_NEAR(x(")"), five->text.x + p.TextWidth("5"), 1e-6);

  EXPECT_NEAR(x("right"), 14 * col, 1e-6);
  EXPECT_EQ(find(e, "right")->text.y, find(e, "left")->text.y);
}

TEST(Printer, FlowingLinesContinueOnANewPageAndNothingIsLost) {
  Recorded r;
  Printer& p = r.printer;
  const int perPage = int(p.ScaleHeight() / p.TextHeight());
  const int lines = perPage * 2 + 5;
  for (int i = 0; i < lines; ++i) p.Print(QString("line %1").arg(i));
  EXPECT_EQ(p.Page(), 3);
  p.EndDoc();

  ASSERT_EQ(r.target->documents().size(), 1);
  const auto& pages = r.target->documents()[0].pages;
  ASSERT_EQ(pages.size(), 3);
  EXPECT_EQ(pages[0].texts.size(), perPage);
  EXPECT_EQ(pages[1].texts.front().text, QString("line %1").arg(perPage));
  EXPECT_EQ(pages[1].texts.front().y, 0);
  const auto e = r.target->entries();
  ASSERT_EQ(e.size(), lines);
  for (const Entry& entry : e) {
    EXPECT_GE(entry.text.y, 0);
    EXPECT_LE(entry.text.y + p.TextHeight(), p.ScaleHeight());
  }
}

TEST(Printer, TextPlacedBelowThePageGoesOnTheNextPageAndNewPageStartsOneAtTheTop) {
  Recorded r;
  Printer& p = r.printer;
  p.Print("head");
  p.CurrentX = 3140;
  p.CurrentY = p.ScaleHeight() - 10;  // would end below the printable area
  p.Print("late name");
  p.NewPage();
  p.NewPage();  // an empty page in between stays a page
  p.Print("after");
  p.EndDoc();

  const auto e = r.target->entries();
  ASSERT_EQ(e.size(), 3);
  EXPECT_EQ(e[1].page, 1);
  EXPECT_EQ(e[1].text.x, 3140);  // same column, top of the new page
  EXPECT_EQ(e[1].text.y, 0);
  EXPECT_EQ(e[2].page, 3);
  EXPECT_TRUE(r.target->documents()[0].pages[2].texts.isEmpty());
}

TEST(Printer, EndDocSendsEachDocumentWholeAndOnlyOnce) {
  Recorded r;
  Printer& p = r.printer;
  p.EndDoc();  // nothing printed: nothing sent
  EXPECT_TRUE(r.target->documents().isEmpty());
  p.Print("Kitchen");
  p.EndDoc();
  p.EndDoc();  // the second EndDoc of the schedule's foot sends nothing more
  p.CurrentY = 2000;
  p.Print("Bar");
  p.KillDoc();  // a document given up is never printed
  p.Print("Office");
  EXPECT_EQ(r.target->documents().size(), 1);  // held until it is ended
  p.EndDoc();
  ASSERT_EQ(r.target->documents().size(), 2);
  const auto e = r.target->entries();
  ASSERT_EQ(e.size(), 2);
  EXPECT_EQ(e[1].document, 1);
  EXPECT_EQ(e[1].text.text, "Office");
  EXPECT_EQ(e[1].text.y, 0);  // a new document starts at the top of its first page

  r.target->failNext = true;
  p.Print("lost to the printer");
  EXPECT_THROW(p.EndDoc(), PrinterError);
  EXPECT_EQ(r.target->documents().size(), 2);
}

TEST(PrinterPdf, EveryDocumentOfARunLandsInOneFileInOrderAtTheRightPlace) {
  DataFolder folder;
  const QString path = folder.file("run.pdf");
  Printer p(makePdfTarget(path));
  p.FontBold = true;
  p.Print({"Area", Printer::Zone, Printer::Zone, "Name"});
  p.FontBold = false;
  p.CurrentX = 1440;  // one inch in, one inch down: 72 + 18 points from the paper's corner
  p.CurrentY = 1440;
  p.Print(QString::fromUtf8("Zoë O'Brien-Łukasz"));
  p.EndDoc();
  EXPECT_EQ(pdfPageCount(path), 1);  // the file is complete after every document

  for (int i = 0; i < 80; ++i) p.Print(QString("Bar staff %1").arg(i));  // two pages
  p.EndDoc();
  p.Print("Office");
  p.EndDoc();

  EXPECT_EQ(pdfPageCount(path), 4);
  const QString text = pdfLayoutText(path);
  const QStringList pages = text.split('\f');
  ASSERT_GE(pages.size(), 4);
  EXPECT_TRUE(pages[0].contains(QString::fromUtf8("Zoë O'Brien-Łukasz")));
  EXPECT_TRUE(pages[1].contains("Bar staff 0"));
  EXPECT_TRUE(pages[2].contains("Bar staff 79"));
  EXPECT_TRUE(pages[3].contains("Office"));
  EXPECT_FALSE(pages[3].contains("Bar staff"));

  const auto words = pdfWords(path);
  const PdfWord* zoe = nullptr;
  const PdfWord* name = nullptr;
  for (const PdfWord& w : words) {
    if (w.text == QString::fromUtf8("Zoë")) zoe = &w;
    if (w.text == "Name") name = &w;
  }
  ASSERT_TRUE(zoe && name);
  EXPECT_NEAR(zoe->xMin, 90, 1.0);
  EXPECT_NEAR(zoe->yMin, 90, 3.0);  // the top of the text cell, less the font's inner spacing
  EXPECT_NEAR(name->xMin, 18 + 28 * p.columnWidth() / 20, 1.0);
}

TEST(PrinterPdf, ALongRunKeepsEveryPageInOrderAfterTheDocumentsBefore) {
  DataFolder folder;
  const QString path = folder.file("run.pdf");
  Printer p(makePdfTarget(path));
  p.Print("Opening page");
  p.EndDoc();
  // Long enough to be drawn in pieces side by side on a machine with several
  // processors; the file must not show where the pieces meet.
  p.holdDocuments();
  for (int doc = 0; doc < 3; ++doc) {
    for (int page = 0; page < 25; ++page) {
      if (page > 0) p.NewPage();
      p.Print(QString::fromUtf8("Doc %1 page %2 Łódź").arg(doc).arg(page));
    }
    p.EndDoc();
  }
  p.releaseDocuments();
  ASSERT_EQ(pdfPageCount(path), 76);
  const QStringList pages = pdfLayoutText(path).split('\f');
  ASSERT_GE(pages.size(), 76);
  EXPECT_TRUE(pages[0].contains("Opening page"));
  for (int doc = 0; doc < 3; ++doc)
    for (int page = 0; page < 25; ++page)
      EXPECT_TRUE(pages[1 + doc * 25 + page].contains(
          QString::fromUtf8("Doc %1 page %2 Łódź").arg(doc).arg(page)))
          << doc << "/" << page;
}

TEST(PrinterPdf, AFileThatCannotBeWrittenIsAPrinterErrorAndKeepsTheDocumentsBefore) {
  DataFolder folder;
  const QString path = folder.file("run.pdf");
  Printer p(makePdfTarget(path));
  p.Print("Kitchen");
  p.EndDoc();
  fileops::setFaultInjector([](FileStep step, const QString&) { return step == FileStep::Write; });
  p.Print("Bar");
  EXPECT_THROW(p.EndDoc(), PrinterError);
  fileops::setFaultInjector({});
  EXPECT_EQ(pdfPageCount(path), 1);
  EXPECT_TRUE(pdfLayoutText(path).contains("Kitchen"));
  // The run goes on: the next document joins the one that printed.
  p.Print("Office");
  p.EndDoc();
  EXPECT_EQ(pdfPageCount(path), 2);
  EXPECT_FALSE(pdfLayoutText(path).contains("Bar"));
}

TEST(PrinterPdf, HeldDocumentsJoinTheFileTogetherAtTheReleaseAfterTheOnesBefore) {
  DataFolder folder;
  const QString path = folder.file("run.pdf");
  Printer p(makePdfTarget(path));
  p.Print("Kitchen");
  p.EndDoc();

  p.holdDocuments();
  p.Print("Bar");
  p.EndDoc();
  p.Print(QString::fromUtf8("Café Terrasse"));
  p.NewPage();
  p.Print("Terrace page two");
  p.EndDoc();
  EXPECT_EQ(pdfPageCount(path), 1);  // held, not yet drawn
  p.releaseDocuments();

  ASSERT_EQ(pdfPageCount(path), 4);
  const QStringList pages = pdfLayoutText(path).split('\f');
  ASSERT_GE(pages.size(), 4);
  EXPECT_TRUE(pages[0].contains("Kitchen"));
  EXPECT_TRUE(pages[1].contains("Bar"));
  EXPECT_TRUE(pages[2].contains(QString::fromUtf8("Café Terrasse")));
  EXPECT_TRUE(pages[3].contains("Terrace page two"));

  // A held run that cannot be written fails at its release and leaves the
  // file as it was; the run goes on after it.
  p.holdDocuments();
  p.Print("Lost office");
  p.EndDoc();
  fileops::setFaultInjector([](FileStep step, const QString&) { return step == FileStep::Write; });
  EXPECT_THROW(p.releaseDocuments(), PrinterError);
  fileops::setFaultInjector({});
  EXPECT_EQ(pdfPageCount(path), 4);
  p.Print("Garden");
  p.EndDoc();
  EXPECT_EQ(pdfPageCount(path), 5);
  const QString text = pdfLayoutText(path);
  EXPECT_TRUE(text.contains("Garden"));
  EXPECT_FALSE(text.contains("Lost office"));
}

TEST(PrinterDialog, TheSeamPicksTheTargetReadsCopiesAndReportsCancel) {
  CommonDialog dialog("CommonDialog1");
  dialog.DialogTitle = "Choose Number of copies";
  auto target = std::make_shared<RecordingTarget>();
  {
    auto choice = PrinterChoice::recording(target, 3);
    std::unique_ptr<Printer> printer = dialog.ShowPrinter();
    ASSERT_TRUE(printer);
    EXPECT_EQ(dialog.Copies, 3);
    EXPECT_EQ(choice->timesShown, 1);
    EXPECT_EQ(choice->lastTitle, "Choose Number of copies");
    printer->Print("on the recording");
    printer->EndDoc();
    EXPECT_EQ(target->entries().size(), 1);
  }
  {
    auto choice = PrinterChoice::cancel();
    dialog.CancelError = true;
    EXPECT_THROW(dialog.ShowPrinter(), DialogCancelled);
    dialog.CancelError = false;
    EXPECT_EQ(dialog.ShowPrinter(), nullptr);
    EXPECT_EQ(choice->timesShown, 2);
  }
  {
    DataFolder folder;
    auto choice = PrinterChoice::pdfFile(folder.file("chosen.pdf"));
    auto printer = dialog.ShowPrinter();
    printer->Print("to the file");
    printer->EndDoc();
    EXPECT_TRUE(pdfLayoutText(folder.file("chosen.pdf")).contains("to the file"));
  }
}

// A long document's first pages are drawn while the rest is laid out: what
// lands in the file is still the document as it ended, whatever came after
// those first pages (another font, a text only Qt's engine draws) and
// whatever was killed before it. The brackets, the backslash and the letters
// whose glyph numbers are their codes are read back as they were printed.
TEST(PrinterPdf, PagesDrawnWhileTheDocumentGoesOnAreThePagesItEndsWith) {
  struct Case {
    const char* name;
    bool killedFirst;
    int boldFrom;      // the page a second font starts on (-1: none)
    int otherScriptAt; // the page of a name in another script (-1: none)
  };
  for (const Case& c : {Case{"plain", false, -1, -1}, Case{"after a killed one", true, -1, -1},
                        Case{"a font from page 40", false, 40, -1},
                        Case{"another script on page 50", false, -1, 50}}) {
    SCOPED_TRACE(c.name);
    DataFolder folder;
    const QString path = folder.file("long.pdf");
    Printer p(makePdfTarget(path));
    const auto line = [&](int page) {
      return page == c.otherScriptAt ? QString::fromUtf8("Page %1 王芳").arg(page)
                                     : QString("Page %1 of the (E/F) roster \\ *y").arg(page);
    };
    if (c.killedFirst) {
      for (int page = 0; page < 60; ++page) {
        if (page > 0) p.NewPage();
        p.Print("Killed page");
      }
      p.KillDoc();
    }
    for (int page = 0; page < 60; ++page) {
      if (page > 0) p.NewPage();
      p.FontBold = c.boldFrom >= 0 && page >= c.boldFrom;
      p.Print(line(page));
    }
    p.EndDoc();
    ASSERT_EQ(pdfPageCount(path), 60);
    const QStringList pages = pdfLayoutText(path).split('\f');
    for (int page = 0; page < 60; ++page)
      EXPECT_EQ(pages.value(page).trimmed(), line(page)) << page;
  }
}
