#pragma once
// The help module the splash window uses: HelpStart remembers the owner window
// and points the application help file at the program's supplied files
// (share/rotawise beside it); HelpQuit sends the help engine its quit command.
#include <QString>
#include <QVariant>

void HelpStart(const QVariant& ownerWindow);
int HelpQuit();

// The program folder, trimmed, followed by EMPLOYEE.HLP with exactly one
// separator between them ("C:\" gives "C:\EMPLOYEE.HLP", "/opt/r" gives
// "/opt/r/EMPLOYEE.HLP").
QString helpFileInFolder(const QString& programFolder);
