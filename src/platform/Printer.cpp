#include "platform/Printer.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPrinter>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <map>
#include <thread>
#include <tuple>

#include "platform/PdfFileTarget.h"
#include "platform/PdfRender.h"
#include "platform/TextShaping.h"

namespace {
constexpr double kTwipsPerPoint = 20;
const QPageLayout kPdfLayout = pdfFileLayout();

QSizeF paintSizeTwips(const QPageLayout& layout) {
  return layout.paintRect(QPageLayout::Point).size() * kTwipsPerPoint;
}

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
  void pagesFinished(const PrintedDocument& document, int finished) override {
    if (pdf_) pdf_->pagesFinished(document, finished);
  }

  void printDocument(const PrintedDocument& document) override {
    if (pdf_) return pdf_->printDocument(document);
    if (!paintDocuments(*printer_, printer_->resolution(), {document}))
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

namespace {
// Documents are numbered across every printer object of the process, so a
// target never takes one for another.
quint64 nextDocumentNumber() {
  static std::atomic<quint64> last{0};
  return ++last;
}
}  // namespace

Printer::Printer(std::shared_ptr<PrintTarget> target) : target_(std::move(target)) {
  document_.number = nextDocumentNumber();
}

double Printer::ScaleWidth() const { return target_->printableSizeTwips().width(); }
double Printer::ScaleHeight() const { return target_->printableSizeTwips().height(); }

// The line height of every font measured in the run, and its shaper: a
// schedule measures the same names again and again, in the few sizes it
// tries while fitting them, and shaping a text costs far more than looking
// it up.
struct Printer::FontMeasures {
  FontMeasures(const QString& name, double size, bool bold)
      : lineSpacing(QFontMetricsF(twipsFont(name, size, bold, false, false)).lineSpacing()),
        shaper(shaperFor(name, size, bold)) {}
  double lineSpacing;  // asked for at every line
  std::shared_ptr<TextShaper> shaper;
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
  // The text last measured: a line measures a text, then prints it. One of
  // the texts prepared is named by its place, so no copy of it is made.
  const FontMeasures* lastFont = nullptr;
  qsizetype lastPrepared = -1;
  QString lastText;  // when it is not one of them
  std::shared_ptr<const ShapedText> lastShaped;  // likewise
  const std::shared_ptr<const ShapedText>* last = nullptr;  // of either
  // The texts prepared last, in the order they are printed: each is looked
  // for where the one before was found, not in the whole run's texts.
  const FontMeasures* preparedFont = nullptr;
  QStringList prepared;
  QVector<std::shared_ptr<const ShapedText>> preparedShaped;
  qsizetype nextPrepared = 0;
};

// The texts shaped in the run are let go with it (a document held by a
// target keeps what it uses); the many measured at once, on another thread,
// as letting go of each takes a while.
Printer::~Printer() {
  if (measures_ && !measures_->preparedShaped.isEmpty())
    std::thread([texts = std::move(measures_->prepared),
                 shaped = std::move(measures_->preparedShaped)] {}).detach();
  forgetShapedTexts();
}

Printer::FontMeasures& Printer::currentMeasures() const {
  if (!measures_) measures_ = std::make_unique<Measures>();
  Measures& m = *measures_;
  if (!m.current || m.name != FontName || m.size != FontSize || m.bold != FontBold) {
    m.name = FontName;
    m.size = FontSize;
    m.bold = FontBold;
    std::unique_ptr<FontMeasures>& font = m.fonts[{FontName, FontSize, FontBold}];
    if (!font) font = std::make_unique<FontMeasures>(FontName, FontSize, FontBold);
    m.current = font.get();
  }
  return *m.current;
}

const std::shared_ptr<const ShapedText>& Printer::shapedText(const QString& text) const {
  FontMeasures& font = currentMeasures();
  Measures& m = *measures_;
  if (m.lastFont == &font &&
      (m.lastPrepared >= 0 ? m.prepared.at(m.lastPrepared) == text : m.lastText == text))
    return *m.last;
  if (m.preparedFont == &font) {
    // A line measures its texts before it prints them, a text printed in
    // pieces skips a few, and a text asked again right away (a name on every
    // day of a row) is answered without moving on: the texts just before and
    // a row's worth after are looked at.
    constexpr qsizetype kBehind = 2, kAhead = 32;
    const qsizetype end = std::min(m.nextPrepared + kAhead, m.prepared.size());
    for (qsizetype i = std::max<qsizetype>(0, m.nextPrepared - kBehind); i < end; ++i)
      if (m.prepared.at(i) == text) {
        m.lastFont = &font;
        m.lastPrepared = i;
        m.last = &m.preparedShaped.at(i);
        m.nextPrepared = std::max(m.nextPrepared, i + 1);
        return *m.last;
      }
  }
  std::shared_ptr<const ShapedText> shaped = font.shaper->shape(text);
  m.lastFont = &font;
  m.lastPrepared = -1;
  m.lastShaped = std::move(shaped);
  m.lastText = text;
  m.last = &m.lastShaped;
  return *m.last;
}

double Printer::TextWidth(const QString& text) const { return shapedText(text)->width; }

void Printer::prepareTexts(const QStringList& texts) const {
  FontMeasures& font = currentMeasures();
  Measures& m = *measures_;
  m.preparedShaped = font.shaper->prepare(texts);
  m.prepared = texts;
  m.preparedFont = &font;
  m.nextPrepared = 0;
  m.lastFont = nullptr;  // the last text may have been one of those before
  m.lastPrepared = -1;
}

double Printer::TextHeight(const QString&) const { return currentMeasures().lineSpacing; }

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
  if (document_.pages.size() <= page_) {
    document_.pages.resize(page_ + 1);
    // Pages mostly hold as many texts as the one before.
    if (page_ > 0) document_.pages[page_].texts.reserve(document_.pages[page_ - 1].texts.size());
  }
  std::shared_ptr<const ShapedText> shaped = shapedText(text);
  const double width = shaped->width;
  document_.pages[page_].texts.push_back({CurrentX, CurrentY, text, FontBold, FontUnderline,
                                          FontStrikethru, FontName, FontSize, std::move(shaped)});
  CurrentX += width;
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
  target_->pagesFinished(document_, int(std::min<qsizetype>(page_, document_.pages.size())));
}

void Printer::EndDoc() {
  PrintedDocument doc;
  std::swap(doc, document_);
  document_.number = nextDocumentNumber();
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
  document_.number = nextDocumentNumber();
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
