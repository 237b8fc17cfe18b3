#pragma once
// Writes pages of printer text straight into a PDF file: the glyphs that
// shaping found, at the positions it found, in the fonts' own outlines
// (embedded once a file, only the glyphs used), with the text a reader copies
// out of it. It does what Qt's PDF engine does with the same texts, at a small
// part of the cost (that engine positions, writes and compresses every glyph
// on its own), and it touches no font or paint device, so any thread may run it.
//
// The file is laid out as joinPdfFiles() (PdfMerge.h) expects its parts.
#include <QByteArray>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QVector>
#include <memory>

#include "platform/Printer.h"
#include "platform/TextShaping.h"

// A page as the writer draws it: the printed texts, every one with its
// drawable shaping.
using DrawnText = PrintedText;
using DrawnPage = QVector<DrawnText>;

struct PdfPaper {
  QSizeF pagePoints;     // the whole sheet
  QPointF originPoints;  // the top left of the printable area, from the sheet's top left
  int resolution = 1200; // the device units the page's drawing is scaled through
  QString title;
};

// The first pages of a PDF made ahead (on another thread, while the next
// pages were laid out): each page's packed contents, and the fonts they use,
// numbered in the order of their first use.
struct PackedPages {
  QVector<QByteArray> pages;
  QVector<const PrintFont*> fonts;
};

// `early`: the first of the pages as packedPage() made them, with the
// fonts numbered as there.
QByteArray writeTextPdf(const QVector<DrawnPage>& pages, const PdfPaper& paper,
                        const PackedPages& early = {});
// One page's contents as a packed stream, its fonts numbered as in `fonts`
// (which holds every font the page uses); any thread.
QByteArray packedPage(const DrawnPage& page, const QVector<const PrintFont*>& fonts,
                      const PdfPaper& paper);

// A number to the digits Qt's PDF engine writes (nine at most after the
// first; trailing zeros left off), so the same position reads back as the
// same number.
QByteArray pdfNumber(double value);
void appendNumber(QByteArray& out, double value);
