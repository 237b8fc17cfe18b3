#pragma once
// One area's printed schedule on the printer object: the page head (title
// with the date, the seven day headings), four time blocks each with its rule,
// label and the names under their days, the extra lines of extras.txt and the
// foot with the area and its staff count. Positions are twips; rows are whole
// multiples of the row unit.
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>

#include "platform/Geometry.h"

class Printer;

// The day columns: headings and names start at these x positions (twips).
inline constexpr std::array<int, 7> kDayColumnX = {1700, 3140, 4580, 6020, 7480, 8920, 10360};
inline const QString kScheduleRule = QString(127, u'_');
inline const QString kAreaFootLead = "BlDg/Dept" + QString(37, u' ');
// Rows of the page head: day headings on row 4, the first names on row 7.
constexpr int kHeadingRow = 4;
constexpr int kFirstNameRow = 7;

struct ScheduleSheet {
  QString area;
  QString date;  // today's date, as the title shows it
  std::array<QString, 4> labels;
  std::array<std::array<QStringList, 7>, 4> names;  // [block][day], as printed
  int staffCount = 0;
  // extras.txt items as read (at most thirteen); `extrasShown` false when the
  // user declined the extras or the file could not be read.
  bool extrasShown = false;
  QStringList extras;
};

// The font the schedule body prints in: the largest size whose letters fit
// one row with a little room, so names on consecutive rows never touch.
// Labels and the extras' label stay in the margin left of the Monday column.
// The rules print in a fixed-pitch face at the size that makes the 127
// underscores reach across the page, to its right margin.
struct ScheduleFonts {
  QString family = mapFontFamily("Arial");
  double titleSize = 10;
  double bodySize = 6;
  QString ruleFamily = mapFontFamily("Courier New");
  double ruleSize = 6;
};
ScheduleFonts scheduleFonts(Printer& printer, double rowUnit);

// Prints the sheet as one document in progress (the caller ends it). A block
// that runs past the page bottom goes on with its remaining names on a new
// page that repeats the title, the headings and the block's label; the foot
// moves to a new page when it does not fit under the last block.
void printScheduleSheet(Printer& printer, const ScheduleSheet& sheet, double rowUnit);
// Measures at once, on every processor, the names of many sheets that are
// laid out whole (those with letters beyond the Latin ones), so that printing
// the sheets one after the other finds them measured; each sheet puts the
// others together from their letters as it prints.
void prepareScheduleNames(Printer& printer, const QVector<const ScheduleSheet*>& sheets,
                          double rowUnit);
