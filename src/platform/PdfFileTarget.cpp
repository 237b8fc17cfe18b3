#include "platform/PdfFileTarget.h"

#include <QCoreApplication>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <future>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include "platform/FileOps.h"
#include "platform/PdfMerge.h"
#include "platform/PdfRender.h"
#include "platform/Pointer.h"

namespace {
constexpr double kTwipsPerPoint = 20;

// While pieces are drawn on other threads, the windows go on painting (the
// hourglass, a progress bar); the user's input waits, as the print's buttons
// are disabled until it ends.
template <typename T>
void waitFor(std::future<T>& piece) {
  const bool guiThread = QCoreApplication::instance() &&
                         QThread::currentThread() == QCoreApplication::instance()->thread();
  while (piece.wait_for(std::chrono::milliseconds(guiThread ? 15 : 1000)) !=
         std::future_status::ready)
    if (guiThread) repaintWindows();
}
}  // namespace

PdfFileTarget::PdfFileTarget(QString path, QPageLayout layout)
    : path_(std::move(path)),
      layout_(layout),
      printable_(layout.paintRect(QPageLayout::Point).size() * kTwipsPerPoint) {}

// The pages of a long run take a while to let go of (every text of them):
// another thread does it, so the window answers once the file is written.
PdfFileTarget::~PdfFileTarget() {
  if (!documents_.isEmpty()) std::thread([documents = std::move(documents_)] {}).detach();
}

QSizeF PdfFileTarget::printableSizeTwips() const { return printable_; }

void PdfFileTarget::printDocument(const PrintedDocument& document) {
  if (!holding_) {
    if (std::optional<QByteArray> drawn = drawnWithEarlyPages(document))
      return write({document}, {*drawn});
    return write({document}, renderSideBySide({document}));
  }
  held_.push_back(document);
  startHeldPiece();
}

void PdfFileTarget::pagesFinished(const PrintedDocument& document, int finished) {
  constexpr int kPagesPerEarlyRun = 24;
  if (holding_) return;  // held documents are written in pieces of their own
  if (early_.document != document.number) {
    *early_.ended = true;  // a document that never ended: its runs stop
    early_ = EarlyPages{document.number};
  }
  if (early_.failed || finished - early_.pages < kPagesPerEarlyRun) return;
  // One run at a time: the layout needs the other processor too.
  if (!early_.runs.empty() &&
      early_.runs.back().wait_for(std::chrono::seconds(0)) != std::future_status::ready)
    return;
  startEarlyRun(document, finished);
}

// Shapes the pages finished since the last run (here, on the thread that owns
// the fonts) and packs them on a thread of their own.
void PdfFileTarget::startEarlyRun(const PrintedDocument& document, int finished) {
  QVector<PrintedDocument> run(1);
  run.front().pages = document.pages.mid(early_.pages, finished - early_.pages);
  std::optional<QVector<DrawnPage>> pages = drawnPages(run);
  if (!pages) {
    early_.failed = true;
    return;
  }
  const PrintFont* last = nullptr;
  for (const DrawnPage& page : *pages)
    for (const DrawnText& t : page)
      if (t.shaped->font != last && !early_.fonts.contains(last = t.shaped->font))
        early_.fonts << last;
  early_.runs.push_back(std::async(
      std::launch::async, [pages = std::move(*pages), fonts = early_.fonts,
                           paper = pdfPaper(layout_), ended = early_.ended] {
        QVector<QByteArray> packed;
        for (const DrawnPage& page : pages) {
          if (*ended) break;
          packed << packedPage(page, fonts, paper);
        }
        return packed;
      }));
  early_.runPages.push_back(finished - early_.pages);
  early_.pages = finished;
}

// The document with the pages packed while it was laid out; nothing when
// there are none (or they are of another document).
std::optional<QByteArray> PdfFileTarget::drawnWithEarlyPages(const PrintedDocument& document) {
  EarlyPages early = std::exchange(early_, {});
  *early.ended = true;
  if (early.document != document.number || early.failed || early.runs.empty()) return {};
  PackedPages packed;
  packed.fonts = early.fonts;
  bool whole = true;  // pages after a run that stopped short would not follow on
  for (size_t r = 0; r < early.runs.size(); ++r) {
    waitFor(early.runs[r]);
    const QVector<QByteArray> pages = early.runs[r].get();
    if (whole) packed.pages += pages;
    whole = whole && pages.size() == early.runPages[r];
  }
  const std::optional<QVector<DrawnPage>> pages = drawnPages({document});
  if (!pages) return {};
  return writerPdf(*pages, layout_, packed);
}

// Starts writing the held documents not yet in a piece, once they are enough
// pages to be worth a piece of their own (each piece embeds its fonts).
void PdfFileTarget::startHeldPiece() {
  constexpr int kPagesPerHeldPiece = 40;
  QVector<PrintedDocument> piece(1);
  for (qsizetype d = heldInPieces_; d < held_.size(); ++d)
    piece.front().pages += held_[d].pages;
  if (piece.front().pages.size() < kPagesPerHeldPiece) return;
  heldInPieces_ = held_.size();
  heldPieces_.push_back(startPiece(piece));
}

void PdfFileTarget::releaseDocuments() {
  holding_ = false;
  QVector<PrintedDocument> held;
  std::swap(held, held_);
  std::vector<std::future<QByteArray>> started;
  std::swap(started, heldPieces_);
  const qsizetype inPieces = std::exchange(heldInPieces_, 0);
  QList<QByteArray> drawn;
  for (auto& piece : started) {
    waitFor(piece);
    drawn.push_back(piece.get());  // a piece that failed throws here
  }
  if (held.isEmpty()) return;
  if (inPieces < held.size()) drawn += renderSideBySide(held.mid(inPieces));
  write(held, drawn);
}

// Adds the documents, drawn together into `drawn`, to the file. Each document
// is drawn once, into a PDF of its own; the file is those joined, made again
// under a temporary name and renamed over the old one, so the file on disk is
// always complete and no document is drawn twice.
void PdfFileTarget::write(const QVector<PrintedDocument>& documents,
                          const QList<QByteArray>& drawn) {
  QVector<PrintedDocument> all = documents_ + documents;
  QList<QByteArray> parts = parts_ + drawn;
  QByteArray file = parts.size() == 1 ? parts.front() : joinPdfFiles(parts);
  if (file.isEmpty()) file = qtEnginePdf(all, layout_);  // parts that would not join: draw them together
  QString error;
  if (!fileops::writeAtomically(path_, file, &error))
    throw PrinterError(("cannot write " + path_ + ": " + error).toStdString());
  documents_ = std::move(all);
  parts_ = std::move(parts);
}

// Starts writing one piece on a thread of its own. The texts are shaped here,
// on the thread that owns the fonts; the piece's thread only writes.
std::future<QByteArray> PdfFileTarget::startPiece(const QVector<PrintedDocument>& piece) const {
  std::optional<QVector<DrawnPage>> shaped = drawnPages(piece);
  const QPageLayout layout = layout_;
  if (shaped)
    return std::async(std::launch::async, [pages = std::move(*shaped), layout] {
      return writerPdf(pages, layout);
    });
  return std::async(std::launch::async, [piece, layout] { return qtEnginePdf(piece, layout); });
}

// A run the writer draws is one piece. One that needs Qt's engine is drawn
// in pieces at the same time, one piece a processor, when it is long.
QList<QByteArray> PdfFileTarget::renderSideBySide(const QVector<PrintedDocument>& documents) const {
  // The writer shares out the pages of one piece itself.
  if (const std::optional<QVector<DrawnPage>> pages = drawnPages(documents))
    return {writerPdf(*pages, layout_)};
  constexpr int kPagesPerPiece = 12;  // fewer would spend more on fonts than it saves
  int pages = 0;
  for (const PrintedDocument& d : documents) pages += int(d.pages.size());
  const int processors = int(std::max(1u, std::thread::hardware_concurrency()));
  const int pieces = std::max(1, std::min({processors, pages / kPagesPerPiece, 8}));
  // Pages in order, shared out evenly; a piece is one run of pages.
  QVector<QVector<PrintedDocument>> piece(pieces, QVector<PrintedDocument>(1));
  const int perPiece = (pages + pieces - 1) / pieces;
  int page = 0;
  for (const PrintedDocument& d : documents)
    for (const PrintedPage& p : d.pages) piece[page++ / perPiece].front().pages.push_back(p);

  std::vector<std::future<QByteArray>> drawn;
  for (const QVector<PrintedDocument>& p : piece) drawn.push_back(startPiece(p));
  QList<QByteArray> parts;
  for (auto& d : drawn) {
    waitFor(d);
    parts.push_back(d.get());  // a piece that failed throws here
  }
  return parts;
}
