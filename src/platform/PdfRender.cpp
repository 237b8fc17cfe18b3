#include "platform/PdfRender.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include "platform/TextShaping.h"

namespace {
constexpr double kTwipsPerInch = 1440;
constexpr int kPdfResolution = 1200;
const QString kTitle = "Employees Rotawise";

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
}  // namespace

QPageLayout pdfFileLayout() {
  return QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(18, 18, 18, 18),
                     QPageLayout::Point);
}

bool paintDocuments(QPagedPaintDevice& device, int resolution,
                    const QVector<PrintedDocument>& documents) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  bool first = true;
  for (const PrintedDocument& doc : documents) {
    for (const PrintedPage& page : doc.pages) {
      if (!first && !device.newPage()) return false;
      first = false;
      drawPage(painter, page, resolution);
    }
  }
  return painter.end();
}

std::optional<QVector<DrawnPage>> drawnPages(const QVector<PrintedDocument>& documents) {
  QVector<DrawnPage> pages;
  // Texts mostly share their font with the one before.
  const PrintedText* last = nullptr;
  std::shared_ptr<TextShaper> shaper;
  for (const PrintedDocument& doc : documents)
    for (const PrintedPage& page : doc.pages) {
      // The page's own texts (shared, not copied); a text printed without its
      // shaping gets it here.
      DrawnPage drawn = page.texts;
      for (qsizetype i = 0; i < page.texts.size(); ++i) {
        const PrintedText& t = page.texts[i];
        const ShapedText* shaped = t.shaped.get();
        if (!shaped) {
          if (!last || t.fontName != last->fontName || t.fontSize != last->fontSize ||
              t.bold != last->bold)
            shaper = shaperFor(t.fontName, t.fontSize, t.bold);
          last = &t;
          drawn[i].shaped = shaper->shape(t.text);
          shaped = drawn[i].shaped.get();
        }
        if (!shaped->drawable) return std::nullopt;
      }
      pages.push_back(std::move(drawn));
    }
  return pages;
}

PdfPaper pdfPaper(const QPageLayout& layout) {
  PdfPaper paper;
  paper.pagePoints = layout.fullRect(QPageLayout::Point).size();
  paper.originPoints = layout.paintRect(QPageLayout::Point).topLeft();
  paper.resolution = kPdfResolution;
  paper.title = kTitle;
  return paper;
}

QByteArray writerPdf(const QVector<DrawnPage>& pages, const QPageLayout& layout,
                     const PackedPages& early) {
  return writeTextPdf(pages, pdfPaper(layout), early);
}

QByteArray qtEnginePdf(const QVector<PrintedDocument>& documents, const QPageLayout& layout) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setResolution(kPdfResolution);
    writer.setPageLayout(layout);
    writer.setTitle(kTitle);
    writer.setCreator(kTitle);
    if (!paintDocuments(writer, writer.resolution(), documents))
      throw PrinterError("the PDF could not be made");
  }
  return buffer.data();
}
