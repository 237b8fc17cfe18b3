#include "data/SqliteBusy.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QHash>
#include <QThread>
#include <QTimer>
#include <functional>
#include <memory>
#include <sqlite3.h>

namespace db {
namespace {
constexpr int kDefaultWaitMs = 6000;
constexpr int kPauseMs = 25;  // between two tries, while the windows paint
const char* const kInUse = "is in use by another program";

int& waitLimit() {
  static int ms = kDefaultWaitMs;
  return ms;
}

// The busy pointer goes up at the first try that finds the file held and
// comes down once control is back in the event loop, after the statement.
bool pointerShown = false;
bool waiting = false;

void showPointerUntilIdle() {
  if (pointerShown || !qobject_cast<QApplication*>(QCoreApplication::instance())) return;
  pointerShown = true;
  QApplication::setOverrideCursor(Qt::BusyCursor);
  // Posted now, run when the event loop is idle again; a run inside the
  // wait itself (which lets events through) only tries again later.
  auto restore = std::make_shared<std::function<void()>>();
  *restore = [restore] {
    if (waiting) {
      QTimer::singleShot(kPauseMs, *restore);
      return;
    }
    pointerShown = false;
    QApplication::restoreOverrideCursor();
  };
  QTimer::singleShot(0, *restore);
}

// How long each connection has been waiting: a statement of another
// connection may wait inside the wait of the first.
QHash<void*, QElapsedTimer>& clocks() {
  static QHash<void*, QElapsedTimer> byConnection;
  return byConnection;
}

bool onWindowsThread() {
  const QCoreApplication* app = QCoreApplication::instance();
  return app && QThread::currentThread() == app->thread();
}

int onBusy(void* connection, int tries) {
  // A walk stepped on a thread of its own (the file is already open for it)
  // only waits: the clocks, the pointer and the painting belong to the windows.
  if (!onWindowsThread()) {
    if (tries * kPauseMs >= waitLimit()) return 0;
    QThread::msleep(kPauseMs);
    return 1;
  }
  QElapsedTimer& clock = clocks()[connection];
  if (tries == 0) clock.start();
  if (clock.elapsed() >= waitLimit()) return 0;  // SQLite reports the file busy
  showPointerUntilIdle();
  waiting = true;
  // Paint only: no click or key may start other work on the held file.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                  QEventLoop::ExcludeSocketNotifiers);
  waiting = false;
  QThread::msleep(kPauseMs);
  return 1;
}
}  // namespace

void waitOutOtherPrograms(sqlite3* handle) { sqlite3_busy_handler(handle, onBusy, handle); }

bool isBusy(const QString& why) {
  return why.contains("database is locked") || why.contains("database table is locked") ||
         why.contains(kInUse);
}

QString inUseMessage(const QString& fileName) {
  return QString("The database %1 %2 at the moment (a second copy of Rotawise, a backup or a "
                 "file sync tool, for example).  Nothing has been changed; please try again in a "
                 "little while.")
      .arg(fileName, kInUse);
}

int busyWaitMilliseconds() { return waitLimit(); }

BusyWaitForTests::BusyWaitForTests(int milliseconds) : previous_(waitLimit()) {
  waitLimit() = milliseconds;
}
BusyWaitForTests::~BusyWaitForTests() { waitLimit() = previous_; }
}  // namespace db
