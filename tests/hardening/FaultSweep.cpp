#include "FaultSweep.h"

#include <gtest/gtest.h>

#include <QDir>
#include <cstdlib>
#include <iostream>
#include <QFile>
#include <QFileInfo>

namespace {
constexpr FileStep kSteps[] = {FileStep::Create, FileStep::Write,  FileStep::Flush, FileStep::Link,
                               FileStep::Rename, FileStep::Delete, FileStep::Copy};
}  // namespace

std::vector<FaultOutcome> sweepFaults(const SaveUnderTest& s) {
  // A clean run: the new contents, and how often each step is asked for.
  setFolder(s.before);
  QMap<FileStep, int> requests;
  fileops::setFaultInjector([&](FileStep step, const QString&) {
    ++requests[step];
    return false;
  });
  const bool cleanSaved = s.save();
  fileops::setFaultInjector({});
  EXPECT_TRUE(cleanSaved) << "the save fails even without a fault";
  const FolderState after = folderState(QDir::currentPath());
  for (const QString& name : s.watched)
    EXPECT_TRUE(after.contains(name)) << name.toStdString() << " not written by a clean save";

  std::vector<FaultOutcome> outcomes;
  for (FileStep step : kSteps) {
    // A step the save never takes is still tried once: refusing it must change nothing.
    const int times = std::max(1, requests.value(step));
    for (int n = 1; n <= times; ++n) {
      setFolder(s.before);
      int seen = 0;
      QString refusedPath;
      fileops::setFaultInjector([&](FileStep asked, const QString& path) {
        if (asked != step || ++seen != n) return false;
        refusedPath = path;
        return true;
      });
      const bool saved = s.save();
      fileops::setFaultInjector({});

      FaultOutcome o{step, n, refusedPath, saved, {}, {}};
      const std::string where = std::string(stepName(step)) + " #" + std::to_string(n) + " (" +
                                refusedPath.toStdString() + ")";
      const FolderState now = folderState(QDir::currentPath());
      for (const QString& name : s.watched) {
        const bool isOld = now.value(name) == s.before.value(name) &&
                           now.contains(name) == s.before.contains(name);
        const bool isNew = now.contains(name) && now.value(name) == after.value(name);
        EXPECT_TRUE(isOld || isNew) << name.toStdString() << " holds a mix after " << where;
        (isNew ? o.filesNew : o.filesOld) << name;
      }
      // Nothing but the watched files and those that were there: no temporary files left.
      for (const QString& name : now.keys())
        EXPECT_TRUE(s.watched.contains(name) || s.before.contains(name) ||
                    s.mayRemain.contains(name))
            << name.toStdString() << " left behind after " << where;
      // No failure without a cause; a success despite a refusal wrote everything.
      if (!saved) EXPECT_FALSE(refusedPath.isEmpty()) << "failed without a fault: " << where;
      if (saved) EXPECT_TRUE(o.filesOld.isEmpty() || s.watched.isEmpty())
          << "reported saved, but files were not written, after " << where;
      if (s.verify) s.verify(where);
      if (std::getenv("ROTAWISE_FAULT_REPORT"))
        std::cout << "  " << where << " refused -> "
                  << (saved ? "reported saved" : "reported failure") << "; old: "
                  << o.filesOld.join(", ").toStdString()
                  << "; new: " << o.filesNew.join(", ").toStdString() << "\n";
      outcomes.push_back(o);
    }
  }
  return outcomes;
}
