#pragma once
// Makes every file step of a save fail in turn and checks what is left: each
// file holds either its old or its new content (never a mix, never missing
// when it was there), nothing else is left in the folder, a save never
// reports a failure without a refused step, and a save that reports success
// despite a refused step (tidying up) has still written every file.
#include <QMap>
#include <QString>
#include <functional>
#include <vector>

#include "platform/FileOps.h"
#include "support/FolderState.h"


struct SaveUnderTest {
  FolderState before;            // what the folder holds when the save starts
  std::function<bool()> save;    // runs the save; true when it says it saved
  // Files that must hold all of their old or all of their new content. The
  // new content is whatever a save without faults writes.
  QStringList watched;
  // Files a save may leave behind when tidying up after itself was refused
  // (they cost space, never data).
  QStringList mayRemain = {};
  // Further checks after every fault (the records a database still holds).
  std::function<void(const std::string& where)> verify = {};
};

// One injected fault and what came of it.
struct FaultOutcome {
  FileStep step;
  int occurrence;  // the step's n-th request in the save (1 = the first)
  QString path;    // the file the refused step was for
  bool saveSaidSaved;
  QStringList filesOld, filesNew;  // watched files left with old / new content
};


// Runs the save once without faults (to learn the new contents and how many
// requests each step gets), then once for every request of every step with
// that request refused. Returns one outcome per injected fault; every check
// is made with gtest's EXPECT so a broken save shows which fault broke it.
std::vector<FaultOutcome> sweepFaults(const SaveUnderTest& save);
