#pragma once
// Ends an action of the program part way through, as a crash or a power cut
// would, at every file step it takes in turn, and checks what the next
// start-up makes of the folder.
//
// The action runs in a child process: this test program started again,
// with every file step counted (the database engine's own page writes,
// flushes and deletes too) and the process killed (SIGKILL) right before
// step N, for N = 1, 2, ... until the action completes. After each kill the
// program's start-up runs in the folder, and then:
// - employee.mdb is there and holds every record in the old state or in the
//   new one (which is numbered 1..n), never a mix; a damaged or an Access
//   file that the action was to replace may also still be there unchanged;
// - every other file holds its old content or its new content, whole, and
//   no file is left that neither state has.
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// Offers `work` as an action that a child process runs with its file steps
// counted and killed at the step its parent names. For a static
// registration in the test program.
bool registerCrashAction(const QString& name, std::function<void()> work);

// What employee.mdb is before the action.
enum class LiveBefore { Sound, Damaged, Access };

// One kill point and what the start-up made of it.
struct KillPoint {
  int step = 0;
  QString killedBefore;  // the step the child was killed before ("flush compact.mdb")
  bool liveIsNew = false;
  QStringList newFiles;  // the other files the action changes that hold their new content
  QStringList restored;  // what the start-up said it put back
};

// Runs the action in the current directory, whose files are the state
// before it, once to the end and then killed at each step in turn. Every
// check is an EXPECT, naming the kill point.
std::vector<KillPoint> sweepKills(const QString& action, LiveBefore live);
