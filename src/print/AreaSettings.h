#pragma once
// The files the print setup hands over to the print window: the settings file
// of an area, PRINT.IGH (the name of the settings file to print) and
// EXEMPT.IGH (the staff left off the schedule).
#include <QString>
#include <QStringList>
#include <array>

// The settings file of an area in the data folder: the first eight characters
// of the area text as they stand, plus ".IGH" - except that a character no
// file name may hold on Linux or Windows (path separators, < > : " | ? *,
// control characters) becomes "_", so no file is ever written outside the
// data folder. Areas that start with the same eight characters would share
// that name, so a file whose first line names another area is not this
// area's: the area then has the first of "Restaura~2.IGH", "Restaura~3.IGH"
// ... that is its own or free. "All_Area.IGH" is kept for "All_Areas" alone.
// Names are matched in the folder without regard to case. Every writer and
// reader of settings files finds an area's file through this one function.
QString areaSettingsFileName(const QString& area);
// True for a bare file name that stays in the data folder (no separator, not
// "." or "..", no character a file name may not hold).
bool isBareFileName(const QString& name);

struct AreaSettings {
  QString area;        // line 1
  QString position;    // line 2 (the marked position; "NOTHING" marks nobody)
  QString dayOrWeek;   // line 3
  QString number;      // line 4 ("1" from Save Info, empty from Ok)
  std::array<QString, 4> times;   // lines 5, 7, 9, 11
  std::array<QString, 4> labels;  // lines 6, 8, 10, 12
  int lineCount = 0;  // lines the file held (set by reading; writing ignores it)
};

// Reads a settings file line by line (whole lines, so a comma stays inside its
// value) and assigns by line number, each value trimmed; lines after the
// twelfth are ignored. `ok` false when the file cannot be opened or read, or
// the name is not a bare file name.
AreaSettings readAreaSettings(const QString& fileName, bool* ok = nullptr);
// A time or label counts as given when it holds more than blanks.
bool isFilled(const QString& value);
// Lines of a settings file: area, position, day or week, the number line, then
// each given time and label in the order time 1, label 1, ... label 4. A time
// and label both left empty before a later one are two empty lines, so every
// time keeps its place; after the last one given nothing follows. Only a box
// left blank in a half-filled pair shifts the later values up, as stored
// files always did; the print setup therefore saves times and labels in pairs.
QStringList areaSettingsLines(const AreaSettings& s);
// Writes the file whole (beside it, then renamed over it). False, with `error`
// in words a user understands, when it cannot be created or the name is not
// a bare file name; the old file is then left as it was.
bool writeAreaSettings(const QString& fileName, const AreaSettings& s, QString* error = nullptr);

// PRINT.IGH: one line, the settings file name. Reading gives that line with
// trailing blanks removed (leading blanks can belong to the name); compare it
// trimmed and upper-cased with "ALL_AREA.IGH" to recognise an all-areas run.
bool writePrintFile(const QString& settingsFileName, QString* error = nullptr);
QString readPrintFile(bool* ok = nullptr);

// EXEMPT.IGH: one line per excluded name (as given: padded names keep their
// padding, longer names stay whole), then one empty line.
bool writeExemptFile(const QStringList& names, QString* error = nullptr);
// The exclusion table: entries in file order up to (not including) the first
// entry that is empty after trimming, each trimmed. Whole lines, so a name
// with a comma or a quote stays one name.
QStringList readExemptFile(bool* ok = nullptr);
