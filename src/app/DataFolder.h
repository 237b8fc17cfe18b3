#pragma once
// The data folder the program works in: FOLDER from the command line, else
// $ROTAWISE_DATA, else ~/Rotawise. A folder that is not there yet is made and
// given the supplied files it lacks (in any letter case), the empty
// employee.mdb last; a file already there is never replaced, and a folder
// that already holds an employee.mdb is used as it is.
#include <QString>
#include <QStringList>

namespace datafolder {
// The folder to work in, as an absolute path.
QString chosen(const QString& fromCommandLine);

// The files a new data folder is given, employee.mdb last.
QStringList suppliedNames();

struct Preparation {
  bool usable = false;   // the folder is there and can be worked in
  QStringList added;     // supplied files copied in
  QStringList notAdded;  // supplied files that could not be copied in
  QStringList restored;  // what was put back of work a crash interrupted
  QString message;       // why it is not usable, or what is missing; empty when all went well
};

// Makes `folder` ready: first the work a crash interrupted there is finished
// or undone, then the files in `suppliedFolder` it lacks are added (when that
// has no employee.mdb, an empty one is made from the schema the program
// carries).
Preparation prepare(const QString& folder, const QString& suppliedFolder);

// The start-up step: the chosen folder prepared and made the current
// directory. What was put back after a crash goes into `restored` when one
// is given (to be told with the rest of start-up's news in one box), else an
// "Ok!" box tells it now; a problem is shown under "Opps!" (and on the
// terminal); returns false when the program cannot work there.
bool enter(const QString& fromCommandLine, QStringList* restored = nullptr);
}  // namespace datafolder
