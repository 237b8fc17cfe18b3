#include "CrashSweep.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <cstdio>
#include <cstdlib>
#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <csignal>
#include <unistd.h>
#endif

#include "app/DataFolder.h"
#include "app/StartUpChecks.h"
#include "data/Connections.h"
#include "db/EmployeeFields.h"
#include "platform/DatabaseFileSteps.h"
#include "platform/FileOps.h"
#include "platform/MessageBox.h"
#include "support/ChildProcess.h"
#include "support/FolderState.h"

namespace {
const char* const kKillAt = "ROTAWISE_KILL_AT_STEP";

// Ends the child at once, as a crash or a power cut would: nothing is
// flushed or closed on the way out.
[[noreturn]] void dieNow() {
#ifdef Q_OS_WIN
  TerminateProcess(GetCurrentProcess(), 0xC0000409);  // read as a crash
#else
  ::kill(::getpid(), SIGKILL);
#endif
  std::abort();
}

// The child: counts the file steps, and is killed right before step N.
int runKillable(const std::function<void()>& work) {
  fileops::routeDatabaseStepsThroughSeam();
  const int killAt = qEnvironmentVariableIntValue(kKillAt);
  int steps = 0;
  fileops::setFaultInjector([&](FileStep step, const QString& path) {
    if (++steps == killAt) {
      std::fprintf(stderr, "killed before: %s %s\n", stepName(step),
                   qPrintable(QFileInfo(path).fileName()));
      std::fflush(stderr);
      dieNow();
    }
    return false;
  });
  // Every question is answered as a user who goes ahead would.
  setMessageBoxHandler([](const QString&, int code, const QString&) {
    return (code & 0x7) == msg::YesNo ? msg::Yes : msg::Ok;
  });
  work();
  std::printf("file steps: %d\n", steps);
  return 0;
}

struct ChildRun {
  bool killed = false;
  int steps = -1;  // when it ran to the end
  QString killedBefore;
  QString output;
};

ChildRun runChild(const QString& action, int killAt) {
  QProcess child;
  QProcessEnvironment env = childEnvironment(action);
  env.insert(kKillAt, QString::number(killAt));
  child.setProcessEnvironment(env);
  child.setWorkingDirectory(QDir::currentPath());
  child.start(QCoreApplication::applicationFilePath(), {});
  child.waitForFinished(120000);
  ChildRun run;
  run.output = QString::fromLocal8Bit(child.readAllStandardOutput() + child.readAllStandardError());
  run.killed = child.exitStatus() == QProcess::CrashExit;
  const auto steps = QRegularExpression("file steps: (\\d+)").match(run.output);
  if (steps.hasMatch()) run.steps = steps.captured(1).toInt();
  const auto before = QRegularExpression("killed before: ([^\n]*)").match(run.output);
  if (before.hasMatch()) run.killedBefore = before.captured(1);
  return run;
}

// The start-up of the program, with a user who declines a conversion (so
// what is checked is what the crash left, not a new conversion).
QStringList startUp() {
  QStringList restored;
  setMessageBoxHandler([&](const QString& text, int, const QString& title) {
    if (title == "Warning question") return msg::Cancel;
    restored << text;
    return msg::Ok;
  });
  QStringList finished;
  if (datafolder::enter(QDir::currentPath(), &finished)) runStartUpChecks(finished);
  setMessageBoxHandler({});
  return restored;
}

struct Table {
  bool sound = false;  // opens, passes the engine's check, holds Employees
  QList<QStringList> rows;
  int keyColumn = -1;
  // An Access file has no keys: each conversion of it makes new ones, so
  // two conversions hold the same records with other keys.
  Table withoutKeys() const {
    Table t = *this;
    if (keyColumn >= 0)
      for (QStringList& row : t.rows) row.removeAt(keyColumn);
    return t;
  }
};

// Every record as the program would see it after a start: the connection
// rolls back what a crash left unfinished, as the program's does.
Table tableOf(const QString& path) {
  Table t;
  if (!QFileInfo(path).isFile()) return t;
  try {
    db::PrivateConnection c(path);
    QSqlQuery q(c.database());
    if (!q.exec("PRAGMA integrity_check") || !q.next() || q.value(0).toString() != "ok") return t;
    if (!q.exec("SELECT * FROM Employees ORDER BY rowid")) return t;
    t.keyColumn = q.record().indexOf(fields::Key);
    while (q.next()) {
      QStringList row;
      for (int i = 0; i < q.record().count(); ++i) row << q.value(i).toString();
      t.rows << row;
    }
    t.sound = !q.lastError().isValid();
  } catch (const DbError&) {
  }
  return t;
}

bool numberedOneToN(const Table& t) {
  for (int k = 0; k < t.rows.size(); ++k)
    if (t.rows[k].value(0) != QString::number(k + 1)) return false;
  return true;
}

// The same content: the same bytes, or for a database the same records.
bool sameContent(const QString& name, const QByteArray& now, const QByteArray& then,
                 const Table& thenTable) {
  if (now == then) return true;
  if (!name.endsWith(".mdb", Qt::CaseInsensitive) || !thenTable.sound) return false;
  const Table t = tableOf(name);
  return t.sound && t.rows == thenTable.rows;
}

// The records of every database in the current directory.
QMap<QString, Table> tablesHere() {
  QMap<QString, Table> out;
  for (const QString& name : QDir::current().entryList({"*.mdb"}, QDir::Files))
    out[name] = tableOf(name);
  return out;
}
}  // namespace

bool registerCrashAction(const QString& name, std::function<void()> work) {
  return registerChildAction(name, [work] { return runKillable(work); });
}

std::vector<KillPoint> sweepKills(const QString& action, LiveBefore live) {
  const FolderState before = folderState(QDir::currentPath());
  const QMap<QString, Table> oldTables = tablesHere();
  setFolder(before);
  const ChildRun clean = runChild(action, 0);
  EXPECT_FALSE(clean.killed) << clean.output.toStdString();
  EXPECT_GT(clean.steps, 0) << "the action took no file step: " << clean.output.toStdString();
  const FolderState after = folderState(QDir::currentPath());
  const QMap<QString, Table> newTables = tablesHere();
  const Table newLive = newTables.value("employee.mdb");
  EXPECT_TRUE(newLive.sound) << "the action does not end with a sound employee.mdb";
  // A repair keeps the numbers it reads (a compaction renumbers afterwards).
  if (live != LiveBefore::Damaged)
    EXPECT_TRUE(numberedOneToN(newLive)) << "the action does not end with numbers 1..n";

  std::vector<KillPoint> points;
  for (int n = 1; n <= clean.steps; ++n) {
    setFolder(before);
    const ChildRun run = runChild(action, n);
    KillPoint point{n, run.killedBefore, false, {}, {}};
    const std::string where = "killed before step " + std::to_string(n) + " (" +
                              run.killedBefore.toStdString() + ")";
    EXPECT_TRUE(run.killed) << where << " was not killed: " << run.output.toStdString();
    point.restored = startUp();

    const FolderState now = folderState(QDir::currentPath());
    const Table liveNow = tableOf("employee.mdb");
    point.liveIsNew = liveNow.sound && (live == LiveBefore::Access
                                            ? liveNow.withoutKeys().rows == newLive.withoutKeys().rows
                                            : liveNow.rows == newLive.rows);
    const bool liveIsOld = live == LiveBefore::Sound
                               ? liveNow.sound && liveNow.rows == oldTables.value("employee.mdb").rows
                               : now.value("employee.mdb") == before.value("employee.mdb");
    EXPECT_TRUE(now.contains("employee.mdb")) << "employee.mdb is gone, " << where;
    EXPECT_TRUE(liveIsOld || point.liveIsNew)
        << "employee.mdb holds neither the old nor the new records, " << where;

    for (auto it = now.cbegin(); it != now.cend(); ++it) {
      if (it.key() == "employee.mdb") continue;
      // A journal the engine no longer needs (a crash came before it was
      // whole) is the engine's own: it is cleared by the next write.
      if (it.key().endsWith("-journal") && liveNow.sound) continue;
      const bool old = before.contains(it.key()) &&
                       sameContent(it.key(), it.value(), before[it.key()], oldTables.value(it.key()));
      const bool fresh = after.contains(it.key()) &&
                         sameContent(it.key(), it.value(), after[it.key()], newTables.value(it.key()));
      EXPECT_TRUE(old || fresh) << it.key().toStdString() << " is neither as it was nor as the "
                                << "action leaves it (half written, or left behind), " << where;
      if (fresh && !old) point.newFiles << it.key();
    }
    for (const QString& name : before.keys())
      if (after.contains(name))
        EXPECT_TRUE(now.contains(name)) << name.toStdString() << " is gone, " << where;
    points.push_back(point);
  }
  setFolder(after);
  return points;
}
