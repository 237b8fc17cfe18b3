// Printing: opening the print setup (the staff names into the exclusion
// list), the weekly schedule of one area and of every area to a PDF file,
// the preview, and the employee roster to a PDF file, each pressed on the
// real window with the printer dialog choosing the file.
#include <QAction>
#include <QComboBox>
#include <QListWidget>

#include "app/Frmemployee1.h"
#include "platform/CommonDialog.h"
#include "print/FrmPrintFull.h"
#include "print/FrmPrintItBaby.h"
#include "support/BenchMain.h"
#include "support/Workspace.h"

using namespace bench;

namespace {
const QString kPrinted = "Data compiled successfully and sent to printer.";
const QString kRosterPrinted = "Employee data has been processed and sent to printer.";

// Prints through the window's "&Print" with a fresh PDF file each time;
// checks the file holds at least `minimumPages` pages.
void printSchedules(benchmark::State& state, const QString& area, int minimumPages) {
  Workspace ws(int(state.range(0)));
  ws.handOverArea(area);
  Answers answers;
  auto* w = new FrmPrintItBaby();
  int pages = 0;
  for (auto _ : state) {
    state.PauseTiming();
    answers.clear();
    const QString pdf = ws.file("schedule.pdf");
    auto choice = printToPdf(pdf);
    state.ResumeTiming();
    press(w, "Command4");
    state.PauseTiming();
    pages = pdfPages(pdf);
    if (!answers.saw(kPrinted) || pages < minimumPages) {
      state.SkipWithError(("the schedule was not printed: " + answers.texts.join(" | "))
                              .toStdString().c_str());
      break;
    }
    state.ResumeTiming();
  }
  state.counters["pages"] = pages;
  closeWindow(w);
}
}  // namespace

static void OpenPrintSetup(benchmark::State& state) {
  const int n = int(state.range(0));
  Workspace ws(n);
  Answers answers;
  for (auto _ : state) {
    auto* w = new FrmPrintFull();
    state.PauseTiming();
    const bool ok = w->LoadErrorFlag == 0 &&
                    w->findChild<QComboBox*>("txtStaffVacation")->count() == n;
    closeWindow(w);
    if (!ok) {
      state.SkipWithError("the print setup did not list every employee");
      break;
    }
    state.ResumeTiming();
  }
}
ROTAWISE_ACTION(OpenPrintSetup, 8, 2);

static void ScheduleOneAreaToPdf(benchmark::State& state) {
  printSchedules(state, businessFacts(int(state.range(0))).printedArea, 1);
}
ROTAWISE_ACTION(ScheduleOneAreaToPdf, 8, 2);

static void ScheduleAllAreasToPdf(benchmark::State& state) {
  printSchedules(state, "All_Areas", 20);
}
ROTAWISE_ACTION(ScheduleAllAreasToPdf, 4, 1);

static void PreviewOneArea(benchmark::State& state) {
  Workspace ws(int(state.range(0)));
  ws.handOverArea(ws.facts().printedArea);
  Answers answers;
  auto* w = new FrmPrintItBaby();
  for (auto _ : state) press(w, "Command3");
  int listed = 0;
  for (int d = 0; d < 7; ++d)
    for (int k = 0; k < 4; ++k) listed += w->gridBox(d, k)->count();
  state.counters["names"] = listed;
  if (listed == 0 || !answers.texts.isEmpty())
    state.SkipWithError(("the preview is empty: " + answers.texts.join(" | ")).toStdString().c_str());
  closeWindow(w);
}
ROTAWISE_ACTION(PreviewOneArea, 8, 2);

static void RosterToPdf(benchmark::State& state) {
  Workspace ws(int(state.range(0)));
  Answers answers;
  auto* main = new Frmemployee1();
  QAction* roster = main->menuItem("roster");
  if (!roster) state.SkipWithError("the main menu has no roster item");
  int pages = 0;
  for (auto _ : state) {
    state.PauseTiming();
    answers.clear();
    const QString pdf = ws.file("roster.pdf");
    auto choice = printToPdf(pdf);
    state.ResumeTiming();
    if (roster) roster->trigger();
    state.PauseTiming();
    pages = pdfPages(pdf);
    if (!answers.saw(kRosterPrinted) || pages < 1) {
      state.SkipWithError(("the roster was not printed: " + answers.texts.join(" | "))
                              .toStdString().c_str());
      break;
    }
    state.ResumeTiming();
  }
  state.counters["pages"] = pages;
  closeWindow(main);
}
ROTAWISE_ACTION(RosterToPdf, 8, 2);
