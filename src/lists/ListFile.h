#pragma once
// List files (AREAS.IGH, POSITION.IGH and the other .IGH files, extras.txt):
// one entry per line, CR LF, the Windows code page. This is the one reader
// every part of the program uses.
//
// Reading follows the list-input rules: leading blanks are skipped; an
// unquoted item ends at a comma or at the end of the line; an item that starts
// with a double quote ends at the next double quote; an empty line gives an
// empty item.
#include <QString>
#include <QStringList>

struct ListRead {
  QStringList items;  // every item, in file order
  bool ok = false;    // false when the file is missing or could not be read
};

// The data files came from a system whose file names ignore case, so an old
// "Areas.igh" is the same file as "AREAS.IGH": returns the name of the file in
// the current directory that matches `bareName` without regard to case (the
// exact name first), or `bareName` itself when there is none.
QString resolveDataFileName(const QString& bareName);

// The most entries the area list (AREAS.IGH) and the job list (POSITION.IGH)
// hold: their windows show and save this many, and every reader of the two
// files takes no more, however long a hand-edited file is.
constexpr int kListEntryLimit = 20;

// Splits the text of a list file into its items (at most `maxItems`, when
// that is not negative).
QStringList parseListItems(const QString& text, int maxItems = -1);
// Reads a file (bare name, current directory, any case) into its items; of
// AREAS.IGH and POSITION.IGH the first kListEntryLimit.
ListRead readListFile(const QString& fileName);
// The choices a list offers: every item whose trimmed, upper-cased text is not
// "EMPTY", unchanged. `ok` false when the file could not be read.
QStringList readChoices(const QString& fileName, bool* ok = nullptr);

// Makes one line that reads back as exactly `value` under the rules above
// (a value with a comma goes inside double quotes, so it stays one item).
// Leading blanks are written as given; the reader drops them, as it always
// has, so callers that want them gone trim first. Returns false for a value
// that cannot be written safely (one that holds a double quote or a line
// break): the file format has no way to escape a quote.
bool encodeListLine(const QString& value, QString* line);
// Writes the lines (already encoded) as a whole new file, CR LF after each,
// in code page 1252 where it fits and reads back the same (else UTF-8), beside and renamed over the
// old file (the existing file of that name in any case, else `fileName`). On failure the old file is untouched and `error` says why.
bool writeListLines(const QString& fileName, const QStringList& lines, QString* error = nullptr);
