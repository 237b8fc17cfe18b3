#pragma once
// Reading back a PDF the program printed, with poppler's command-line tools.
#include <QString>
#include <QVector>

// `pdftotext -layout` of the whole file ("" when it cannot be read). Pages are
// separated by form feeds.
QString pdfLayoutText(const QString& pdfPath);
// Number of pages (`pdfinfo`), -1 when the file is no PDF.
int pdfPageCount(const QString& pdfPath);

// One word with its box in points from the top left of the paper (`pdftotext -bbox`).
struct PdfWord {
  int page;  // from 0
  double xMin, yMin, xMax, yMax;
  QString text;
};
QVector<PdfWord> pdfWords(const QString& pdfPath);
