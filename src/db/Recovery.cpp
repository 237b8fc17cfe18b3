#include "db/Recovery.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include "data/Connections.h"
#include "db/EmployeeDatabase.h"
#include "db/JetReader.h"
#include "db/LegacyImport.h"
#include "db/Repair.h"
#include "platform/FileOps.h"

namespace recovery {
namespace {
const QString kLive = "employee.mdb";
const QString kCompact = "compact.mdb";
const QString kBackup = "Backup.mdb";
const QString kNewBackup = "Backup.mdb.new";            // the compaction's second name of the old file
const QString kPreviousBackup = "Backup.mdb.previous";  // left by earlier versions
const QString kRebuilt = "repair.mdb";

enum class State { Missing, Sound, Damaged, Access };

// A file an interrupted action leaves holding the records whole.
struct Candidate {
  QString name;
  QString action;  // what was interrupted
  QString what;    // what the file is
};

QString found(const QDir& folder, const QString& name) { return db::findFile(folder.filePath(name)); }

QString employeesText(int n) {
  return n == 1 ? QString("1 employee") : QString("%1 employees").arg(n);
}

State stateOf(const QString& live, int* count) {
  if (live.isEmpty() || !QFileInfo(live).exists()) return State::Missing;
  if (jet::formatOf(live) != jet::Format::NotJet) return State::Access;
  QString problem;
  *count = db::checkedEmployeeCount(live, db::Check::Thorough, &problem);
  return *count >= 0 ? State::Sound : State::Damaged;
}

// The two names lead to the same file (a hard link) or, where the disk has
// no links, to copies with the same bytes.
bool holdsSameBytes(const QString& a, const QString& b) {
  if (fileops::sameFile(a, b)) return true;
  if (QFileInfo(a).size() != QFileInfo(b).size()) return false;
  QFile fa(a), fb(b);
  if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly)) return false;
  while (!fa.atEnd()) {
    if (fa.read(1 << 20) != fb.read(1 << 20)) return false;
  }
  return true;
}

QStringList filesMatching(const QDir& folder, const QString& pattern) {
  return folder.entryList({pattern}, QDir::Files | QDir::Hidden | QDir::System);
}

// A journal left behind with no database beside it would be played back
// into the file put in its place and spoil it; it is set aside instead.
void setAsideOrphanJournal(const QDir& folder) {
  const QString journal = folder.filePath(kLive + "-journal");
  if (QFileInfo::exists(journal)) fileops::replace(journal, journal + ".orphaned");
}

// Keeps a damaged employee.mdb under a name of its own before anything
// takes its place; returns that name (empty when it cannot be kept).
QString keepDamaged(const QDir& folder, const QString& live) {
  for (const QString& name : filesMatching(folder, "Damaged*.mdb"))
    if (fileops::sameFile(folder.filePath(name), live)) return name;
  const QString name = freeDamagedName(folder);
  return fileops::keepAs(live, folder.filePath(name)) ? name : QString();
}

QString putBack(const QDir& folder, QString& live, State state, const QList<Candidate>& candidates) {
  for (const Candidate& c : candidates) {
    const QString path = found(folder, c.name);
    if (path.isEmpty()) continue;
    QString problem;
    const int count = db::checkedEmployeeCount(path, db::Check::Thorough, &problem);
    // A copy without records never takes the place of a damaged file that may
    // still hold some.
    if (count < 0 || (state == State::Damaged && count == 0)) continue;
    QString kept;
    if (state == State::Damaged) {
      kept = keepDamaged(folder, live);
      if (kept.isEmpty()) return {};
    } else {
      setAsideOrphanJournal(folder);
      live = folder.filePath(kLive);
    }
    if (!fileops::replace(path, live)) continue;
    QString text = QString("%1 was %2: %3 had been interrupted.  It has been restored from %4, %5, "
                           "with %6.")
                       .arg(QFileInfo(live).fileName(),
                            state == State::Damaged ? QString("damaged") : QString("missing"),
                            c.action, c.name, c.what, employeesText(count));
    if (state == State::Damaged) text += QString("  The damaged file is kept as %1.").arg(kept);
    return text;
  }
  return {};
}

void removeWithJournal(const QString& path) {
  if (path.isEmpty()) return;
  fileops::remove(path + "-journal");
  fileops::remove(path);
}

// employee.mdb is sound: what the interrupted actions left is finished or
// removed.
QStringList tidy(const QDir& folder, const QString& live, bool compactionUnfinished) {
  QStringList done;
  // compact.mdb is a copy of employee.mdb that did not take its place, and
  // Backup.mdb.new then a second name (or copy) of employee.mdb itself.
  removeWithJournal(found(folder, kCompact));
  if (const QString newBackup = found(folder, kNewBackup); !newBackup.isEmpty()) {
    if (compactionUnfinished || fileops::sameFile(newBackup, live)) {
      fileops::remove(newBackup);
    } else {
      const QString backup = found(folder, kBackup);
      if (fileops::replace(newBackup, backup.isEmpty() ? folder.filePath(kBackup) : backup))
        done << QString("A compaction had been interrupted after employee.mdb was compacted; the "
                        "database as it was has now been given the name %1.")
                    .arg(kBackup);
    }
  }
  if (const QString previous = found(folder, kPreviousBackup); !previous.isEmpty()) {
    if (!found(folder, kBackup).isEmpty()) {
      fileops::remove(previous);  // an older backup the compaction was replacing
    } else if (fileops::rename(previous, folder.filePath(kBackup))) {
      done << QString("%1 has been put back from %2.").arg(kBackup, kPreviousBackup);
    }
  }
  // An unfinished conversion whose Access original is kept: its records are
  // all in employee.mdb or the kept file.
  removeWithJournal(found(folder, legacy::kConvertingName));
  return done;
}

// employee.mdb is still the Access original: a conversion that was cut short
// is undone (it is offered again), and a second name of the original that
// it made goes.
void undoConversion(const QDir& folder, const QString& live) {
  removeWithJournal(found(folder, legacy::kConvertingName));
  for (const QString& name : filesMatching(folder, "employee-access*.mdb"))
    if (holdsSameBytes(folder.filePath(name), live)) fileops::remove(folder.filePath(name));
}

// Saves cut short (of a list or settings file, or of the rebuilt file of a
// repair) leave the file they were to replace as it was, and an unfinished
// copy beside it.
QString unfinishedPattern() { return QString("*") + fileops::kTemporarySuffix; }

void removeUnfinishedSaves(const QDir& folder) {
  for (const QString& pattern : {unfinishedPattern(), unfinishedPattern() + "-journal"})
    for (const QString& name : filesMatching(folder, pattern)) fileops::remove(folder.filePath(name));
}

bool anyLeftover(const QDir& folder) {
  for (const QString& name : {kCompact, kNewBackup, kPreviousBackup, kRebuilt,
                              legacy::kConvertingName, kLive + "-journal"})
    if (!found(folder, name).isEmpty()) return true;
  return !filesMatching(folder, unfinishedPattern()).isEmpty() ||
         !filesMatching(folder, unfinishedPattern() + "-journal").isEmpty();
}
}  // namespace

QStringList finishInterruptedWork(const QDir& folder) {
  QString live = found(folder, kLive);
  // The usual start: nothing was interrupted, nothing is read.
  if (!live.isEmpty() && !anyLeftover(folder)) return {};

  int count = 0;
  State state = stateOf(live, &count);
  const bool compactionUnfinished = !found(folder, kCompact).isEmpty();
  QStringList done;
  if (state == State::Missing || state == State::Damaged) {
    const QList<Candidate> candidates =
        state == State::Missing
            ? QList<Candidate>{{kCompact, "a compaction", "the compacted copy"},
                               {kRebuilt, "a repair", "the repaired copy"},
                               {legacy::kConvertingName, "the conversion of the old Access database",
                                "the converted copy"},
                               {kNewBackup, "a compaction", "the database as it was"}}
            : QList<Candidate>{{kRebuilt, "a repair", "the repaired copy"}};
    if (const QString restored = putBack(folder, live, state, candidates); !restored.isEmpty()) {
      done << restored;
      state = State::Sound;
    }
  }
  if (state == State::Sound) done << tidy(folder, live, compactionUnfinished);
  if (state == State::Access) undoConversion(folder, live);
  removeUnfinishedSaves(folder);
  return done;
}

QString reportText(const QStringList& sentences) {
  return "The program was stopped last time before it had finished its work (a crash or a power "
         "cut), and it has now finished it:\n\n" +
         sentences.join("\n\n");
}
}  // namespace recovery
