#pragma once
// extras.txt: the fixed text every printed schedule carries - a label or name
// with one entry per weekday, and up to five sentences for the bottom. Thirteen
// lines, CR LF, read with the list-file reader; "NOTHING" marks a value left
// blank.
#include <QString>
#include <QStringList>
#include <array>

#include "lists/SaveResult.h"

constexpr int kExtrasLineCount = 13;
inline const QString kNothing = QStringLiteral("NOTHING");

// One line of the file: the box of the extras window that holds it, what the
// user calls it, and the most characters the box takes.
struct ExtrasLine {
  const char* box;
  const char* name;
  int maxLength;
};
// In file order: Label/Name, Monday to Sunday, sentences 1 to 5.
const std::array<ExtrasLine, kExtrasLineCount>& extrasLines();
// File lines (0-based) of the weekday entries and of the sentences.
constexpr int kExtrasLabelLine = 0;
constexpr int kExtrasFirstDayLine = 1;
constexpr int kExtrasFirstSentenceLine = 8;

// The file in the current directory: an existing extras.txt in any case of
// its name (the printing side asks for "EXTRAS.TXT"), else "extras.txt".
QString extrasFileName();
// True for an item that stands for an empty value.
bool isNothing(const QString& item);

// The thirteen items in file order, as read: the placeholder is kept, leading
// blanks are gone (the reader drops them), a short file leaves the rest empty.
// `ok` false when the file is missing or unreadable.
QStringList readExtrasItems(bool* ok = nullptr);
// The same, with every placeholder as empty text (what the schedule prints).
QStringList readExtrasValues(bool* ok = nullptr);

// The thirteen lines for the values in file order: a value exactly as typed
// (even only blanks), an empty value as "NOTHING". When a value cannot be
// stored, `badLine` gets its file line (1 to 13) and the result is empty.
QStringList extrasFileLines(const QStringList& values, int* badLine);
// Writes extras.txt from the values as one new file; nothing is written when
// a value is refused, and a failed write leaves the old file as it was.
SaveResult saveExtras(const QStringList& values);
