#pragma once
// Reads the exported files back: calendars through libical's parser, the
// workbook unpacked with unzip and its sheet XML read cell by cell.
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>

struct CalendarEvent {
  QString uid, stamp, summary, description, start, end, rrule;  // times as iCalendar writes them
  bool allDay = false;
  bool floating = false;  // no time zone and not UTC
  int sequence = -1;      // -1: none written
  bool cancelled = false;
};

struct Calendar {
  bool parsed = false;
  int errors = 0;                // problems libical's parser marked in the file
  bool restrictionsMet = false;  // libical's check of required and allowed properties
  QStringList lines;             // the file's content lines, unfolded
  QVector<CalendarEvent> events;
};
Calendar readCalendar(const QByteArray& bytes);

struct SheetCell {
  QString text;     // times as "HH:mm", other numbers with two decimals
  QString formula;  // without "="
};
struct Sheet {
  QString name;
  QMap<QString, SheetCell> cells;     // by reference, "A1"
  QVector<QStringList> rows() const;  // row by row from the first, "" for a missing cell
};
// Empty when the file cannot be unpacked.
QVector<Sheet> readWorkbook(const QString& path);

// The rows of an RFC 4180 file (quoted fields, CR LF), after its byte order mark.
QVector<QStringList> readCsv(const QByteArray& bytes, bool* wellFormed);
