#pragma once
// What the program does in its data folder before any window reads the
// table, once the folder has been entered (which finished the work a crash
// or a power cut interrupted there, `restored`): it tidies the backup
// folder, says in one "Ok!" box what was put back, makes the table on a
// database server the folder names, and offers to convert an employee.mdb
// of an earlier installation.
#include <QStringList>

void runStartUpChecks(const QStringList& restored);
