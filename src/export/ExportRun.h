#pragma once
// "E&xport calendars and spreadsheet" and `rotawise --export`: one calendar
// file per employee, week.xlsx and week.csv, written into a folder.
#include <QDate>
#include <QString>
#include <QStringList>

#include "export/Spreadsheet.h"  // ExportError

struct ExportReport {
  QString folder;               // absolute
  QDate monday;                 // the week the calendars start in
  int calendars = 0;            // .ics files written
  QStringList unreadable;       // shifts left out, one line each
  QStringList withoutCalendar;  // employees with nothing to put in a calendar
  int cancelledEvents = 0;      // events of the last export written again as cancelled
  QStringList filesOfGone;      // calendar files of employees no longer in the table
  // What was written and what was left out. Each list shows at most
  // `listLimit` lines and says how many more there are (0: no limit).
  QString summary(int listLimit = 0) const;
};

// Reads employee.mdb and AREAS.IGH in the data folder (the current directory)
// and writes the files into `folder` (made when missing, private). All files are
// written under temporary names first and only then renamed into place, so
// a folder that cannot be written keeps what it had. Throws ExportError with
// the words for the user.
ExportReport exportWeek(const QString& folder);
