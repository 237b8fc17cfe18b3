#pragma once
// Joins PDF files that Qt's PDF writer made into one file whose pages are
// every page of the first file, then of the second, and so on.
//
// The print run keeps one PDF file complete after every document it ends:
// each document is drawn once, into its own PDF, and the run's file is these
// joined, so ending the twentieth document of an all-areas run does not draw
// the nineteen before it again. Each part keeps its own fonts and resources;
// only the object numbers, the page tree and the cross-reference table are
// made anew.
#include <QByteArray>
#include <QList>

// The joined file, or an empty array when a part is not laid out as the
// writer lays out its files (the caller then draws the documents together).
QByteArray joinPdfFiles(const QList<QByteArray>& parts);
