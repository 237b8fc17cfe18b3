#pragma once
// The printer object the printing code talks to, with the classic operations
// and meanings:
//
//   printer.FontBold = true;
//   printer.CurrentX = 1700; printer.CurrentY = 4 * row;   // twips
//   printer.Print("Monday");                               // one item, ends the line
//   printer.Print({"Area", Printer::Zone, Printer::Zone, "Name"});  // Print "Area", , "Name"
//   printer.Print({"Staff count (", Printer::Join, " 5", Printer::Join, ")"});
//   printer.EndDoc();
//
// Coordinates are twips (1440 to the inch) from the top left corner of the
// printable area. A printed item's top edge sits at CurrentY, its left edge at
// CurrentX; after it CurrentX stands at its right end. A line that ends
// (its last item is text, not a separator) returns CurrentX to 0 and moves
// CurrentY down by one line of the printer font (TextHeight()). A line whose
// last item is a separator leaves the position where it stands, so the next
// Print carries on in the same line.
//
// Print zones: a zone starts every 14 character columns from the left edge of
// the printable area, a column being the average character width of the
// printer font at regular weight (so bold and plain lines share their zones).
// `Zone` moves CurrentX to the start of the next zone to the right of it;
// `Join` puts the next item directly after the last.
//
// Font: the printer's default font is Courier New (Liberation Mono where
// Windows' fonts are missing) at 10 pt (120 twips a character, so a zone is
// 1680 twips and a line about 227 twips). A fixed pitch makes print zones
// line up as columns of characters: a 30-character item
// followed by a zone separator puts the next item at column 42 whatever its
// letters. FontName and FontSize may be changed like the classic properties;
// FontBold, FontUnderline and FontStrikethru switch the face.
//
// Pages: text that would reach below the printable area (ScaleHeight) starts a
// new page first and is printed at the top of it, CurrentY = 0, whether it came
// by flowing lines (the roster) or by an explicit CurrentY. Nothing is ever
// dropped. A caller that wants its own page layout (headings repeated on the
// next page) compares its rows with ScaleHeight() and calls NewPage() itself.
//
// Documents and the run: a Printer is one print run on one chosen printer.
// Everything printed since the last EndDoc() is the document in progress; it is
// held until EndDoc() hands it, whole, to the target. So:
//   - a real (CUPS) printer gets one print job per EndDoc();
//   - a PDF file receives every ended document of the run, in order, one after
//     the other in that single file: after each EndDoc() the file is written
//     again, complete and valid, holding all documents ended so far (an
//     all-areas schedule that ends one document per area gives one file with
//     every area's pages in area order);
//   - the recording target keeps every ended document for tests.
// A run that ends many documents in a row may hold them (holdDocuments() ...
// releaseDocuments()): a PDF file then gets every document ended meanwhile at
// the release, drawn together, because each separate drawing of a document
// embeds its fonts again. A long run is drawn in pieces at the same time, one
// a processor, and joined. A PDF's pages are written by the program's own PDF
// writer from the texts as measured (PdfRender.h); a text it cannot draw sends
// its pages through Qt's PDF engine, which gives the same paper.
// A real printer and the recording target take each document at its EndDoc()
// as always.
// A document that is never ended (an error in the middle) is never printed,
// and documents already ended stay printed. EndDoc() with nothing printed
// sends nothing; blank pages made by NewPage() between texts are kept.
// Destroying the Printer ends the run; there is nothing to close.
//
// Errors (the target refused the document: no such printer, the PDF could not
// be written, the disk is full) throw PrinterError from EndDoc(), or for held
// documents from releaseDocuments().
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QVector>
#include <initializer_list>
#include <memory>
#include <stdexcept>

#include "platform/Geometry.h"

class PrinterError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One piece of text as it stands on a page.
struct PrintedText {
  double x = 0;  // twips from the left of the printable area
  double y = 0;  // twips from the top of the printable area (top edge of the text)
  QString text;
  bool bold = false;
  bool underline = false;
  bool strikethru = false;
  QString fontName;
  double fontSize = 0;  // points
  // The text as it was measured when printed, for the PDF writer to draw
  // without shaping it again; may be empty (it is then shaped on the way).
  std::shared_ptr<const struct ShapedText> shaped;
};

struct PrintedPage {
  QVector<PrintedText> texts;  // in the order printed
};

struct PrintedDocument {
  QVector<PrintedPage> pages;
  quint64 number = 0;  // the printer object's count of its documents
};

// Where ended documents go. Implementations: a QPrinter (real printer),
// a PDF file, and the recording target for tests.
class PrintTarget {
 public:
  virtual ~PrintTarget() = default;
  // The printable area of a page, in twips.
  virtual QSizeF printableSizeTwips() const = 0;
  // Receives one ended document. Throws PrinterError when it cannot be printed.
  virtual void printDocument(const PrintedDocument& document) = 0;
  // Between these, a target may keep the documents it receives and print
  // them together at the release (which then throws PrinterError for them).
  virtual void holdDocuments() {}
  virtual void releaseDocuments() {}
  // The pages before `finished` of the document in progress are done (the
  // next text goes on a later page): a target may start drawing them. The
  // document is ended under the same number with these pages as they are,
  // or not at all (killed, or the run failed).
  virtual void pagesFinished(const PrintedDocument& document, int finished) {
    (void)document;
    (void)finished;
  }
  // Words for the user or a test (a printer name, a file name).
  virtual QString description() const = 0;
};

class Printer {
 public:
  // One line item: text, or a separator.
  struct Item {
    enum Kind { Text, ZoneSeparator, JoinSeparator };
    Kind kind = Text;
    QString text;
    Item(const QString& t) : kind(Text), text(t) {}  // NOLINT: implicit on purpose
    Item(const char* t) : kind(Text), text(QString::fromUtf8(t)) {}  // NOLINT
    explicit Item(Kind k) : kind(k) {}
  };
  static const Item Zone;  // the classic ","
  static const Item Join;  // the classic ";"

  explicit Printer(std::shared_ptr<PrintTarget> target);
  ~Printer();
  Printer(const Printer&) = delete;
  Printer& operator=(const Printer&) = delete;

  // Classic properties.
  double CurrentX = 0;  // twips
  double CurrentY = 0;  // twips
  bool FontBold = false;
  bool FontUnderline = false;
  bool FontStrikethru = false;
  QString FontName = mapFontFamily("Courier New");
  double FontSize = 10;   // points
  int PrintQuality = 0;   // accepted; the target prints at its own resolution
  int Zoom = 0;           // accepted; pages print at 100 %
  int Copies = 1;         // as the printer dialog left it

  // Print a line of items (see the top of this file).
  void Print(std::initializer_list<Item> items);
  void Print(const QString& text);  // one item, ends the line
  void Print();                     // an empty line

  // Ends the current page; the next text goes on a fresh page.
  void NewPage();
  // Hands the document in progress to the target (see above).
  void EndDoc();
  // Drops the document in progress without printing it.
  void KillDoc();
  // Documents ended from here until releaseDocuments() may reach the target
  // together, at the release (see the top of this file). Every document held
  // is printed at the release, also when the run stopped half-way.
  void holdDocuments();
  void releaseDocuments();

  // The printable area in twips.
  double ScaleWidth() const;
  double ScaleHeight() const;
  // Size of a text in the current font, in twips; TextHeight() is one line.
  double TextWidth(const QString& text) const;
  double TextHeight(const QString& text = QStringLiteral("W")) const;
  // Measures the texts ahead in the current font, shared out over the
  // processors (the names of a roster or a schedule): measuring and printing
  // them in this order then finds each one measured.
  void prepareTexts(const QStringList& texts) const;
  // Width of one print-zone column and of one whole zone, in twips.
  double columnWidth() const;
  double zoneWidth() const { return 14 * columnWidth(); }
  // Where a Zone separator moves to from x: the next zone to the right (the
  // one after, when x stands right on the start of a zone).
  double nextZone(double x) const;

  // The page the next text lands on, from 1, within the document in progress.
  int Page() const;
  PrintTarget& target() const { return *target_; }

 private:
  void printText(const QString& text);
  void endLine();
  struct FontMeasures;
  FontMeasures& currentMeasures() const;  // kept for every font of the run
  // In the current font; valid until the next text is measured.
  const std::shared_ptr<const ShapedText>& shapedText(const QString& text) const;

  struct Measures;
  mutable std::unique_ptr<Measures> measures_;
  std::shared_ptr<PrintTarget> target_;
  PrintedDocument document_;
  int page_ = 0;  // index of the page the next text lands on; pages fill in lazily
};

// Prints on a QPrinter set up by the printer dialog: a real printer gets one
// job per document; when the QPrinter writes PDF (Qt's print to file) the
// documents go into its one output file as described above.
class QPrinter;
std::shared_ptr<PrintTarget> makeQPrinterTarget(std::unique_ptr<QPrinter> printer);
// Writes every ended document of the run into one PDF file (Letter, margins of
// a quarter inch).
std::shared_ptr<PrintTarget> makePdfTarget(const QString& path);

// Keeps every ended document, for tests.
class RecordingTarget : public PrintTarget {
 public:
  // Letter paper with quarter-inch margins, as the PDF target prints.
  RecordingTarget();
  explicit RecordingTarget(QSizeF printableTwips) : size_(printableTwips) {}

  QSizeF printableSizeTwips() const override { return size_; }
  void printDocument(const PrintedDocument& document) override;
  QString description() const override { return "recording"; }

  const QVector<PrintedDocument>& documents() const { return documents_; }
  // Every text of every ended document, with its document and page (from 0).
  struct Entry {
    int document;
    int page;
    PrintedText text;
  };
  QVector<Entry> entries() const;
  // Test seam: the next printDocument() throws PrinterError.
  bool failNext = false;

 private:
  QSizeF size_;
  QVector<PrintedDocument> documents_;
};
