#pragma once
// Another program may hold employee.mdb for a moment: a second copy of this
// program compacting it, a backup or a file sync tool. Every connection to
// the file waits such a hold out for a few seconds, with the busy pointer up
// and the windows still painting; a hold that lasts longer is told as what it
// is (the file is in use), never as a damaged file to repair or restore.
#include <QString>

struct sqlite3;

namespace db {
// Installs the wait on an open SQLite connection.
void waitOutOtherPrograms(sqlite3* handle);

// True when the engine's words, or a message made of them, say that another
// program holds the file.
bool isBusy(const QString& why);
// What the user is told then, naming the file ("employee.mdb").
QString inUseMessage(const QString& fileName);

// How long a hold is waited out, in milliseconds.
int busyWaitMilliseconds();
// Tests shorten the wait for as long as this lives.
class BusyWaitForTests {
 public:
  explicit BusyWaitForTests(int milliseconds);
  ~BusyWaitForTests();
  BusyWaitForTests(const BusyWaitForTests&) = delete;
  BusyWaitForTests& operator=(const BusyWaitForTests&) = delete;

 private:
  int previous_;
};
}  // namespace db
