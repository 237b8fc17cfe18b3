#pragma once
// "&Print" of the print window, apart from the window: the run that reads the
// hand-over files, selects, lays out and ends one document per area.
#include <QString>
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
};

// The sheet of one area from the state and the selection; reads extras.txt
// when the user wants the extras.
ScheduleSheet makeScheduleSheet(const PrintState& state, const ScheduleSelection& selection,
                                const QString& date);

// Prints the schedule PRINT.IGH names, or with "ALL_AREA.IGH" one schedule for
// every area of AREAS.IGH (up to the first blank or one-letter item), each
// with that area's own settings file, ended as its own document. Returns the
// number of documents ended. Any failure throws (ScheduleError, DbError,
// PrinterError); documents ended before it stay printed, the one in progress
// is dropped.
int printSchedules(const ScheduleRun& run, PrintState& state);
// One area from its settings file (a bare name); ends its document.
void printAreaSchedule(const ScheduleRun& run, PrintState& state, const QString& settingsFileName);

// True when PRINT.IGH asks for every area.
bool isAllAreasSettingsFile(const QString& settingsFileName);
