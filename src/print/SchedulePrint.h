#pragma once
// "&Print" of the print window, apart from the window: the run that reads the
// hand-over files, selects, lays out and ends one document per area.
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

#include "print/PrintState.h"
#include "print/ScheduleLayout.h"
#include "print/ScheduleSelection.h"

class Printer;

struct ScheduleRun {
  Printer* printer = nullptr;
  // Opens the employee table afresh and reads every record (once per run: an
  // all-areas run chooses every area from the same records).
  std::function<QVector<EmployeeRow>()> readStaff;
  double rowUnit = 0;  // twips
  QString date;        // today's date as the title shows it
  // When given, collects the shifts of every printed area that no time lists.
  QVector<UnlistedShift>* unlisted = nullptr;
  // When given, an all-areas run passes over an area that has no saved
  // choices (no settings file) and collects its name, instead of ending.
  QStringList* unsetAreas = nullptr;
  // When given, told after each area of an all-areas run how many of its
  // areas are done (a long run shows its progress).
  std::function<void(int done, int areas)> areaDone;
};

// The sheet of one area from the state and the selection; reads extras.txt
// when the user wants the extras.
ScheduleSheet makeScheduleSheet(const PrintState& state, const ScheduleSelection& selection,
                                const QString& date);

// Prints the schedule PRINT.IGH names, or with "ALL_AREA.IGH" one schedule for
// every area of AREAS.IGH (blank and one-letter items skipped), each with that
// area's own settings file, ended as its own document. Returns the
// number of documents ended. Any failure throws (ScheduleError, DbError,
// PrinterError); documents ended before it stay printed, the one in progress
// is dropped.
int printSchedules(const ScheduleRun& run, PrintState& state);
// One area from its settings file (a bare name); ends its document.
void printAreaSchedule(const ScheduleRun& run, PrintState& state, const QString& settingsFileName);

// One unlisted shift as the user reads it: "Smith, John: Monday 9A.M. - 5P.M.".
QString unlistedShiftText(const UnlistedShift& shift);
// The shifts grouped by area (in the order printed), then by weekday and name.
QVector<UnlistedShift> sortedUnlisted(QVector<UnlistedShift> shifts);
// What the closing message adds after a print: empty when every shift worked
// in a printed area is on the paper, else the shifts (at most `shown`, the
// rest counted), each with its area.
QString unlistedNotice(const QVector<UnlistedShift>& shifts, int shown = 15);
// What the closing message adds for the areas an all-areas run passed over.
QString unsetAreasNotice(const QStringList& areas);

// True when PRINT.IGH asks for every area.
bool isAllAreasSettingsFile(const QString& settingsFileName);
