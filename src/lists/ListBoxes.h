#pragma once
// The twenty boxes of the area and job description windows, and how they map
// to a list file. Plain functions, so they can be used without a window.
#include <QString>
#include <QStringList>

#include "lists/SaveResult.h"

constexpr int kListBoxCount = 20;
// What a box shows when the file holds no entry for it; a box showing it (in
// any case, with any blanks around it) is a free slot and is never stored.
inline const QString kEmptyBox = QStringLiteral("Empty");

bool isEmptyBox(const QString& text);
// The box texts for a file's items: the first twenty, then "Empty".
QStringList boxTextsFromItems(const QStringList& items);
// Reads a list file into twenty box texts; a missing file leaves all "Empty".
QStringList loadListBoxes(const QString& fileName);

// The lines the boxes store, in box order: each box trimmed, free slots left
// out, a blank box as an empty line. When a box cannot be stored, `badBox`
// gets its number (1 to 20) and the result is empty.
QStringList listLinesFromBoxes(const QStringList& boxes, int* badBox);
// Writes the list file from the boxes as one new file; nothing is written when
// a box is refused, and a failed write leaves the old file as it was.
SaveResult saveListBoxes(const QString& fileName, const QStringList& boxes);
