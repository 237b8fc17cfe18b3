#pragma once
// The two ways to export the week: the main menu's "E&xport calendars and
// spreadsheet" and the command `rotawise --export FOLDER [DATAFOLDER]`.
class QWidget;

// Asks for the folder (the data folder's "export" to begin with), writes the
// files there and says in an "Ok!" box what it wrote, or in an "Opps!" box
// why it could not.
void exportFromMenu(QWidget* window);

// True when the command line asks for an export (its first argument is
// "--export"); the program then runs no window.
bool isExportCommand(int argc, char** argv);
// Exports into FOLDER (relative to where the command runs) from the data
// folder DATAFOLDER; without one, from the current directory when it holds an
// employee.mdb, else from the folder the program starts in. Prints what it
// wrote and exits 0, or prints why not and exits 1 (2 for a wrong command
// line).
int exportFromCommandLine(int argc, char** argv);
