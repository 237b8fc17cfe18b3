#pragma once
// Drawing ended documents: onto a paint device through QPainter (a real
// printer, or Qt's own PDF engine), or as PDF bytes from the PDF writer.
//
// A PDF is made by the writer (PdfWriter.h) whenever every text of it can be
// drawn so, and through Qt's engine otherwise (a character from a fallback
// font, a ligature, a mark placed on a letter): the two give the same paper.
#include <QByteArray>
#include <QPageLayout>
#include <QVector>
#include <optional>

#include "platform/PdfWriter.h"
#include "platform/Printer.h"

class QPagedPaintDevice;

// The paper of a PDF file the program writes: Letter with quarter-inch
// margins (a schedule's seven columns need nearly all of its width).
QPageLayout pdfFileLayout();

// Paints the documents page after page onto the device, its origin at the
// top left of the printable area, `resolution` device pixels to the inch.
// False when the device refuses a page.
bool paintDocuments(QPagedPaintDevice& device, int resolution,
                    const QVector<PrintedDocument>& documents);

// The pages of the documents as the PDF writer draws them, their texts
// shaped (GUI thread); nothing when a text needs Qt's engine.
std::optional<QVector<DrawnPage>> drawnPages(const QVector<PrintedDocument>& documents);

// The paper the writer draws on for a page layout.
PdfPaper pdfPaper(const QPageLayout& layout);
// A PDF of the pages from the writer, the first of them made ahead
// (PdfWriter.h); any thread.
QByteArray writerPdf(const QVector<DrawnPage>& pages, const QPageLayout& layout,
                     const PackedPages& early = {});
// A PDF of the documents through Qt's engine; any thread. Throws PrinterError.
QByteArray qtEnginePdf(const QVector<PrintedDocument>& documents, const QPageLayout& layout);
