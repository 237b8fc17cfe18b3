#pragma once
// The PDF file target of the printer object (see Printer.h): every ended
// document of the run in one file, written again after each document, or
// after a run of held ones.
#include <QByteArray>
#include <QList>
#include <QPageLayout>
#include <QString>
#include <QVector>
#include <atomic>
#include <future>
#include <memory>
#include <optional>
#include <vector>

#include "platform/PdfWriter.h"
#include "platform/Printer.h"

class PdfFileTarget : public PrintTarget {
 public:
  PdfFileTarget(QString path, QPageLayout layout);
  ~PdfFileTarget() override;

  QSizeF printableSizeTwips() const override;
  QString description() const override { return path_; }
  void printDocument(const PrintedDocument& document) override;
  void holdDocuments() override { holding_ = true; }
  void releaseDocuments() override;
  void pagesFinished(const PrintedDocument& document, int finished) override;

 private:
  void write(const QVector<PrintedDocument>& documents, const QList<QByteArray>& drawn);
  QList<QByteArray> renderSideBySide(const QVector<PrintedDocument>& documents) const;
  void startHeldPiece();
  std::future<QByteArray> startPiece(const QVector<PrintedDocument>& piece) const;

  QString path_;
  QPageLayout layout_;
  QSizeF printable_;  // asked for at every line: worked out once
  QVector<PrintedDocument> documents_;
  QList<QByteArray> parts_;  // each document (or each run of held ones) as a PDF of its own
  bool holding_ = false;
  QVector<PrintedDocument> held_;
  // While documents are held, the pages already ended are written on another
  // processor as the next ones are laid out: the pieces started, in order,
  // and how many held documents they cover.
  std::vector<std::future<QByteArray>> heldPieces_;
  qsizetype heldInPieces_ = 0;
  // While a document is laid out, its finished pages are drawn on another
  // processor, a run at a time, one run after another.
  struct EarlyPages {
    quint64 document = 0;
    int pages = 0;      // the pages given to the runs
    bool failed = false;  // a page needs Qt's engine: the document is drawn at its end
    QVector<const PrintFont*> fonts;  // numbered by first use
    std::vector<std::future<QVector<QByteArray>>> runs;
    std::vector<qsizetype> runPages;  // how many pages each run was given
    // Set when the document ends: a run stops after the page it is packing,
    // and the pages it leaves are packed on every processor with the rest.
    std::shared_ptr<std::atomic<bool>> ended = std::make_shared<std::atomic<bool>>(false);
  };
  EarlyPages early_;
  void startEarlyRun(const PrintedDocument& document, int finished);
  std::optional<QByteArray> drawnWithEarlyPages(const PrintedDocument& document);
};
