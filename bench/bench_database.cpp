// Database maintenance: "&Compact database" from the main menu (compaction
// into compact.mdb, the old file kept as Backup.mdb, then renumbering), and
// the renumbering alone as every save and delete runs it.
#include <QAction>
#include <QFile>

#include "app/Frmemployee1.h"
#include "data/RecordSet.h"
#include "db/Numbering.h"
#include "support/BenchMain.h"
#include "support/Workspace.h"

using namespace bench;

namespace {
const QString kCompacted =
    "Database has been compacted and renumbered.  Old database renamed as BACKUP.MDB";
}

static void CompactFromMenu(benchmark::State& state) {
  Workspace ws(int(state.range(0)));
  Answers answers;
  auto* main = new Frmemployee1();
  QAction* compact = main->menuItem("MnuCompact");
  for (auto _ : state) {
    state.PauseTiming();
    answers.clear();
    ws.restoreDatabase();
    state.ResumeTiming();
    compact->trigger();
    state.PauseTiming();
    if (!answers.saw(kCompacted) || !QFile::exists(ws.file("Backup.mdb"))) {
      state.SkipWithError(("not compacted: " + answers.texts.join(" | ")).toStdString().c_str());
      break;
    }
    state.ResumeTiming();
  }
  closeWindow(main);
}
ROTAWISE_ACTION(CompactFromMenu, 6, 2);

// Number = 1..n after a delete from the middle, so half the numbers change.
static void RenumberAfterDelete(benchmark::State& state) {
  const int n = int(state.range(0));
  Workspace ws(n);
  for (auto _ : state) {
    state.PauseTiming();
    ws.restoreDatabase();
    {
      RecordSet records;
      records.open("employee.mdb", "Employees");
      records.moveTo(ws.facts().deletePosition);
      records.Delete();
      state.ResumeTiming();
      numbering::renumber(records);
      state.PauseTiming();
      records.MoveLast();
      if (records.Field("Number").toInt() != n - 1) {
        state.SkipWithError("not renumbered");
        break;
      }
    }
    state.ResumeTiming();
  }
}
ROTAWISE_ACTION(RenumberAfterDelete, 8, 3);
