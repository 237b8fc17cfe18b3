#pragma once
// The program's command line: "rotawise [FOLDER]", "--help" and "--version".
// It is read before the window system starts, so help and version answer on
// a terminal that has no display.
#include <QString>
#include <QStringList>

struct CommandLine {
  QString dataFolder;    // FOLDER as given; empty when none was named
  bool finished = false; // answered on the terminal: the program ends here
  int exitCode = 0;
  QString answer;        // what the terminal is told (help, version or the mistake)
};

// Reads `arguments` (the program's name first). Qt's own options (-platform,
// -style, ...) are let through for QApplication.
CommandLine parseCommandLine(const QStringList& arguments);
// parseCommandLine on the real arguments, with its answer written to the
// terminal (a mistake to standard error).
CommandLine readCommandLine(int argc, char** argv);
