#include "platform/Printer.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <algorithm>
#include <cmath>
#include <future>
#include <map>
#include <tuple>
#include <optional>
#include <thread>
#include <vector>

#include "platform/FileOps.h"
#include "platform/PdfMerge.h"

namespace {
constexpr double kTwipsPerPoint = 20;
constexpr double kTwipsPerInch = 1440;
constexpr int kPdfResolution = 1200;
// Letter paper with quarter-inch margins: the width of a schedule's seven
// columns (Sunday starts 10360 twips in) needs nearly all of the page.
const QPageLayout kPdfLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                             QMarginsF(18, 18, 18, 18), QPageLayout::Point);

// Fonts are sized in twips (pixel size = twips), so measuring them is the same
// on every device and on none: what the recording target keeps is exactly what
// the paper gets.
QFont twipsFont(const QString& name, double points, bool bold, bool underline, bool strike) {
  QFont font(name);
  font.setPixelSize(std::max(1, int(std::lround(points * kTwipsPerPoint))));
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setBold(bold);
  font.setUnderline(underline);
  font.setStrikeOut(strike);
  return font;
}

QSizeF paintSizeTwips(const QPageLayout& layout) {
  return layout.paintRect(QPageLayout::Point).size() * kTwipsPerPoint;
}

// Draws one page with the painter's origin at the top left of the printable
// area, `resolution` device pixels to the inch.
void drawPage(QPainter& painter, const PrintedPage& page, int resolution) {
  painter.save();
  painter.scale(resolution / kTwipsPerInch, resolution / kTwipsPerInch);
  painter.setPen(Qt::black);
  const PrintedText* last = nullptr;  // texts mostly share their font with the one before
  double ascent = 0;
  for (const PrintedText& t : page.texts) {
    if (!last || t.fontName != last->fontName || t.fontSize != last->fontSize ||
        t.bold != last->bold || t.underline != last->underline || t.strikethru != last->strikethru) {
      const QFont font = twipsFont(t.fontName, t.fontSize, t.bold, t.underline, t.strikethru);
      painter.setFont(font);
      ascent = QFontMetricsF(font).ascent();
    }
    last = &t;
    painter.drawText(QPointF(t.x, t.y + ascent), t.text);
  }
  painter.restore();
}

// Paints documents onto any paint device that pages like a printer.
template <typename Device>
bool paintDocuments(Device& device, const QVector<PrintedDocument>& documents) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  bool first = true;
  for (const PrintedDocument& doc : documents) {
    for (const PrintedPage& page : doc.pages) {
      if (!first && !device.newPage()) return false;
      first = false;
      drawPage(painter, page, device.resolution());
    }
  }
  return painter.end();
}

// A PDF file holding every document of the run. Each new document is drawn
// once, into a PDF of its own; the file is those joined, made again under a
// temporary name and renamed over the old one, so the file on disk is always
// complete and no document is drawn twice.
class PdfFileTarget : public PrintTarget {
 public:
  PdfFileTarget(QString path, QPageLayout layout) : path_(std::move(path)), layout_(layout) {}

  QSizeF printableSizeTwips() const override { return paintSizeTwips(layout_); }
  QString description() const override { return path_; }

  void printDocument(const PrintedDocument& document) override {
    if (holding_) {
      held_.push_back(document);
      return;
    }
    write({document});
  }

  void holdDocuments() override { holding_ = true; }

  void releaseDocuments() override {
    holding_ = false;
    QVector<PrintedDocument> held;
    std::swap(held, held_);
    if (!held.isEmpty()) write(held);
  }

 private:
  // Adds the documents, drawn together, to the file.
  void write(const QVector<PrintedDocument>& documents) {
    QVector<PrintedDocument> all = documents_ + documents;
    QList<QByteArray> parts = parts_ + renderSideBySide(documents);
    QByteArray file = parts.size() == 1 ? parts.front() : joinPdfFiles(parts);
    if (file.isEmpty()) file = render(all);  // parts that would not join: draw them together
    QString error;
    if (!fileops::writeAtomically(path_, file, &error))
      throw PrinterError(("cannot write " + path_ + ": " + error).toStdString());
    documents_ = std::move(all);
    parts_ = std::move(parts);
  }

  // A long run is drawn in pieces at the same time, one piece a processor,
  // and the pieces are joined: the PDF writer's time grows with the pages
  // (shaping, writing and compressing every text), and a piece embeds its
  // fonts once. A short run is one piece.
  QList<QByteArray> renderSideBySide(const QVector<PrintedDocument>& documents) const {
    constexpr int kPagesPerPiece = 12;  // fewer would spend more on fonts than it saves
    int pages = 0;
    for (const PrintedDocument& d : documents) pages += int(d.pages.size());
    const int processors = int(std::max(1u, std::thread::hardware_concurrency()));
    const int pieces = std::min({processors, pages / kPagesPerPiece, 8});
    if (pieces < 2) return {render(documents)};
    // Pages in order, shared out evenly; a piece is one run of pages.
    QVector<PrintedDocument> piece(pieces);
    const int perPiece = (pages + pieces - 1) / pieces;
    int page = 0;
    for (const PrintedDocument& d : documents)
      for (const PrintedPage& p : d.pages) piece[page++ / perPiece].pages.push_back(p);
    std::vector<std::future<QByteArray>> drawn;
    for (const PrintedDocument& p : piece)
      drawn.push_back(std::async(std::launch::async, [this, &p] { return render({p}); }));
    QList<QByteArray> parts;
    for (auto& d : drawn) parts.push_back(d.get());  // a piece that failed throws here
    return parts;
  }

  QByteArray render(const QVector<PrintedDocument>& documents) const {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
      QPdfWriter writer(&buffer);
      writer.setResolution(kPdfResolution);
      writer.setPageLayout(layout_);
      writer.setTitle("Employees Rotawise");
      writer.setCreator("Employees Rotawise");
      if (!paintDocuments(writer, documents)) throw PrinterError("the PDF could not be made");
    }
    return buffer.data();
  }

  QString path_;
  QPageLayout layout_;
  QVector<PrintedDocument> documents_;
  QList<QByteArray> parts_;  // each document (or each run of held ones) as a PDF of its own
  bool holding_ = false;
  QVector<PrintedDocument> held_;
};

// A printer chosen in the printer dialog: one job per document.
class QPrinterTarget : public PrintTarget {
 public:
  explicit QPrinterTarget(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {
    if (printer_->outputFormat() == QPrinter::PdfFormat)
      pdf_ = std::make_unique<PdfFileTarget>(printer_->outputFileName(), printer_->pageLayout());
  }

  QSizeF printableSizeTwips() const override { return paintSizeTwips(printer_->pageLayout()); }
  QString description() const override {
    return pdf_ ? pdf_->description() : printer_->printerName();
  }

  void holdDocuments() override {
    if (pdf_) pdf_->holdDocuments();
  }
  void releaseDocuments() override {
    if (pdf_) pdf_->releaseDocuments();
  }

  void printDocument(const PrintedDocument& document) override {
    if (pdf_) return pdf_->printDocument(document);
    if (!paintDocuments(*printer_, {document}))
      throw PrinterError(("the printer " + printer_->printerName() + " did not take the document")
                             .toStdString());
  }

 private:
  std::unique_ptr<QPrinter> printer_;
  std::unique_ptr<PdfFileTarget> pdf_;
};
}  // namespace

const Printer::Item Printer::Zone{Printer::Item::ZoneSeparator};
const Printer::Item Printer::Join{Printer::Item::JoinSeparator};

Printer::Printer(std::shared_ptr<PrintTarget> target) : target_(std::move(target)) {}
Printer::~Printer() = default;

double Printer::ScaleWidth() const { return target_->printableSizeTwips().width(); }
double Printer::ScaleHeight() const { return target_->printableSizeTwips().height(); }

// The metrics of every font measured in the run, and the widths of the texts
// measured in each: a schedule measures the same names again and again, in
// the few sizes it tries while fitting them, and shaping a text costs far
// more than looking its width up.
struct Printer::FontMeasures {
  explicit FontMeasures(const QFont& font) : metrics(font) {}
  QFontMetricsF metrics;
  QHash<QString, double> widths;
};

struct Printer::Measures {
  // The font last asked for, compared field by field before any lookup.
  QString name;
  double size = -1;
  bool bold = false;
  FontMeasures* current = nullptr;
  // The print-zone column of the font name and size last asked for.
  QString columnName;
  double columnSize = -1;
  double column = 0;
  std::map<std::tuple<QString, double, bool>, std::unique_ptr<FontMeasures>> fonts;
};

Printer::FontMeasures& Printer::currentMeasures() const {
  if (!measures_) measures_ = std::make_unique<Measures>();
  Measures& m = *measures_;
  if (!m.current || m.name != FontName || m.size != FontSize || m.bold != FontBold) {
    m.name = FontName;
    m.size = FontSize;
    m.bold = FontBold;
    std::unique_ptr<FontMeasures>& font = m.fonts[{FontName, FontSize, FontBold}];
    if (!font)
      font = std::make_unique<FontMeasures>(twipsFont(FontName, FontSize, FontBold, false, false));
    m.current = font.get();
  }
  return *m.current;
}

const QFontMetricsF& Printer::metrics() const { return currentMeasures().metrics; }

double Printer::TextWidth(const QString& text) const {
  FontMeasures& font = currentMeasures();
  if (auto it = font.widths.constFind(text); it != font.widths.cend()) return *it;
  if (font.widths.size() > 50000) font.widths.clear();
  return *font.widths.insert(text, font.metrics.horizontalAdvance(text));
}

double Printer::TextHeight(const QString&) const { return metrics().lineSpacing(); }

double Printer::columnWidth() const {
  currentMeasures();  // makes sure the measures exist
  Measures& m = *measures_;
  // Asked for at every zone separator: worked out once per name and size.
  if (m.columnName != FontName || m.columnSize != FontSize) {
    m.columnName = FontName;
    m.columnSize = FontSize;
    m.column = QFontMetricsF(twipsFont(FontName, FontSize, false, false, false)).averageCharWidth();
  }
  return m.column;
}

double Printer::nextZone(double x) const {
  const double zone = zoneWidth();
  return (std::floor(x / zone + 1e-9) + 1) * zone;
}

int Printer::Page() const { return page_ + 1; }

void Printer::printText(const QString& text) {
  // Text that would reach below the printable area goes on to a new page.
  if (CurrentY > 0 && CurrentY + TextHeight() > ScaleHeight()) {
    const double x = CurrentX;
    NewPage();
    CurrentX = x;
  }
  if (document_.pages.size() <= page_) document_.pages.resize(page_ + 1);
  document_.pages[page_].texts.push_back(
      {CurrentX, CurrentY, text, FontBold, FontUnderline, FontStrikethru, FontName, FontSize});
  CurrentX += TextWidth(text);
}

void Printer::endLine() {
  CurrentX = 0;
  CurrentY += TextHeight();
}

void Printer::Print(std::initializer_list<Item> items) {
  bool lineEnds = true;
  for (const Item& item : items) {
    switch (item.kind) {
      case Item::Text:
        printText(item.text);
        lineEnds = true;
        break;
      case Item::ZoneSeparator:
        CurrentX = nextZone(CurrentX);
        lineEnds = false;
        break;
      case Item::JoinSeparator:
        lineEnds = false;
        break;
    }
  }
  if (lineEnds) endLine();
}

void Printer::Print(const QString& text) { Print({Item(text)}); }
void Printer::Print() { endLine(); }

void Printer::NewPage() {
  ++page_;
  CurrentX = 0;
  CurrentY = 0;
}

void Printer::EndDoc() {
  PrintedDocument doc;
  std::swap(doc, document_);
  page_ = 0;
  CurrentX = 0;
  CurrentY = 0;
  if (doc.pages.isEmpty()) return;  // nothing printed, nothing sent
  target_->printDocument(doc);
}

void Printer::holdDocuments() { target_->holdDocuments(); }
void Printer::releaseDocuments() { target_->releaseDocuments(); }

void Printer::KillDoc() {
  document_ = {};
  page_ = 0;
  CurrentX = 0;
  CurrentY = 0;
}

std::shared_ptr<PrintTarget> makeQPrinterTarget(std::unique_ptr<QPrinter> printer) {
  return std::make_shared<QPrinterTarget>(std::move(printer));
}

std::shared_ptr<PrintTarget> makePdfTarget(const QString& path) {
  return std::make_shared<PdfFileTarget>(path, kPdfLayout);
}

RecordingTarget::RecordingTarget() : size_(paintSizeTwips(kPdfLayout)) {}

void RecordingTarget::printDocument(const PrintedDocument& document) {
  if (failNext) {
    failNext = false;
    throw PrinterError("the recording printer was told to fail");
  }
  documents_.push_back(document);
}

QVector<RecordingTarget::Entry> RecordingTarget::entries() const {
  QVector<Entry> out;
  for (int d = 0; d < documents_.size(); ++d)
    for (int p = 0; p < documents_[d].pages.size(); ++p)
      for (const PrintedText& t : documents_[d].pages[p].texts) out.push_back({d, p, t});
  return out;
}
