#pragma once
// What the print setup decides, apart from its window: the checks before a
// schedule may be printed, how an employee's name enters the exclusion list,
// and the order of the window's sorted lists.
#include <QString>
#include <QStringList>

#include "print/AreaSettings.h"

// The checks of "&Ok I'm ready to &Print", in the order the user meets them:
// the message of the first that fails, or an empty text when all pass.
QString printChoicesProblem(const AreaSettings& choices);
// The check that "&Save Info" makes too: every time has its label and every
// label its time, since a half-filled pair moves the values after it.
QString timesAndLabelsProblem(const AreaSettings& choices);

// The settings written by "&Save Info" (number line "1") and by the Ok button
// (an empty number line, "NOTHING" for a blank position).
AreaSettings settingsForSaveInfo(AreaSettings choices);
AreaSettings settingsForPrint(AreaSettings choices);

// An employee's name as the exclusion list carries it: padded with blanks to
// 30 characters. A longer name stays whole, so the printing, which compares
// whole names, really leaves that employee off.
QString exclusionEntry(const QString& fullName);

// The order of the sorted lists (names of the exclusion choice and list, the
// preview's grid): that of platform/NameOrder.h.
bool sortsBefore(const QString& a, const QString& b);
void sortEntries(QStringList& entries);
// Where a new entry goes: after every entry that does not sort after it.
int sortedInsertIndex(const QStringList& entries, const QString& entry);
