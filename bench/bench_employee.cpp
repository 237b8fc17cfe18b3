// The employee window: opening it, Enter New Employee, Save New Employee,
// Update, Delete (with its compaction), Find, and Load/Update search lists,
// each pressed on the real window over a real employee.mdb.
#include <QComboBox>
#include <QFile>
#include <QLineEdit>

#include "data/DataControl.h"
#include "employee/FrmNewEmployee.h"
#include "support/BenchMain.h"
#include "support/Workspace.h"

using namespace bench;

namespace {
QString shown(FrmNewEmployee* w, const char* control) {
  if (auto* e = w->findChild<QLineEdit*>(control, Qt::FindDirectChildrenOnly)) return e->text();
  if (auto* c = w->findChild<QComboBox*>(control)) return c->currentText();
  return {};
}

int records(FrmNewEmployee* w) { return w->data1()->Recordset().RecordCount(); }

// Fails the benchmark when the window said something went wrong.
bool finished(benchmark::State& state, const Answers& answers, const QString& what) {
  for (const QString& text : answers.texts) {
    if (text.contains("could not") || text.contains("cannot") || text.startsWith("Can't")) {
      state.SkipWithError((what + ": " + text).toStdString().c_str());
      return false;
    }
  }
  return true;
}
}  // namespace

static void OpenEmployeeWindow(benchmark::State& state) {
  Workspace ws(int(state.range(0)));
  Answers answers;
  for (auto _ : state) {
    auto* w = new FrmNewEmployee();
    state.PauseTiming();
    const bool ok = w->loadErrorFlag() == 0 && shown(w, "Text1") == "1";
    closeWindow(w);
    if (!ok) {
      state.SkipWithError("the window did not open on the first record");
      break;
    }
    state.ResumeTiming();
  }
  finished(state, answers, "open");
}
ROTAWISE_ACTION(OpenEmployeeWindow, 8, 2);

static void EnterNewEmployee(benchmark::State& state) {
  const int n = int(state.range(0));
  Workspace ws(n);
  ws.restoreDatabase("save-base.mdb");
  Answers answers;
  for (auto _ : state) {
    state.PauseTiming();
    auto* w = new FrmNewEmployee();
    state.ResumeTiming();
    press(w, "CmdAddRecord");
    state.PauseTiming();
    const bool ok = shown(w, "Text1") == QString::number(n);
    closeWindow(w);  // the new record is dropped: nothing was typed in
    if (!ok) {
      state.SkipWithError("Enter New Employee did not offer the next number");
      break;
    }
    state.ResumeTiming();
  }
  finished(state, answers, "enter new");
}
ROTAWISE_ACTION(EnterNewEmployee, 8, 2);

static void SaveNewEmployee(benchmark::State& state) {
  const int n = int(state.range(0));
  Workspace ws(n);
  Answers answers;
  for (auto _ : state) {
    state.PauseTiming();
    ws.restoreDatabase("save-base.mdb");  // one short of the size measured
    auto* w = new FrmNewEmployee();
    press(w, "CmdAddRecord");
    w->findChild<QLineEdit*>("txtFullName")->setText(kNewcomerName);
    w->findChild<QComboBox*>("txtPosition")->setEditText("Cook");
    w->findChild<QComboBox*>("txtArea")->setEditText("Kitchen");
    w->dayCell(0, fields::DayField::Flag)->setEditText("Yes");
    w->dayCell(0, fields::DayField::Start)->setEditText("6A.M.");
    w->dayCell(0, fields::DayField::Stop)->setEditText("2P.M.");
    w->dayCell(0, fields::DayField::Bldg1)->setEditText("Kitchen");
    state.ResumeTiming();
    press(w, "CmdSaveData");
    state.PauseTiming();
    const bool ok = records(w) == n && shown(w, "Text1") == QString::number(n) &&
                    shown(w, "txtFullName") == kNewcomerName;
    closeWindow(w);
    if (!ok) {
      state.SkipWithError("Save New Employee did not store the new employee last");
      break;
    }
    state.ResumeTiming();
  }
  finished(state, answers, "save");
}
ROTAWISE_ACTION(SaveNewEmployee, 8, 2);

static void UpdateEmployee(benchmark::State& state) {
  const int n = int(state.range(0));
  Workspace ws(n);
  Answers answers;
  auto* w = new FrmNewEmployee();
  int round = 0;
  for (auto _ : state) {
    state.PauseTiming();
    // An edit of the record on screen (the last one, as Update leaves it).
    w->findChild<QComboBox*>("txtPosition")->setEditText(++round % 2 ? "Supervisor" : "Cook");
    state.ResumeTiming();
    press(w, "CmdUpdate");
  }
  const bool ok = w->findChild<QComboBox*>("txtFind")->count() == n;
  closeWindow(w);
  if (!ok) state.SkipWithError("Update did not fill the search list");
  finished(state, answers, "update");
}
ROTAWISE_ACTION(UpdateEmployee, 8, 2);

static void DeleteEmployee(benchmark::State& state) {
  const int n = int(state.range(0));
  Workspace ws(n);
  Answers answers;
  for (auto _ : state) {
    state.PauseTiming();
    ws.restoreDatabase();
    auto* w = new FrmNewEmployee();
    w->data1()->Recordset().moveTo(ws.facts().deletePosition);
    w->data1()->showCurrent();
    const QString gone = shown(w, "txtFullName");
    state.ResumeTiming();
    press(w, "CmdDelete");  // answered Yes; compacts and renumbers
    state.PauseTiming();
    const bool ok = records(w) == n - 1 && shown(w, "Text1") == "1" &&
                    QFile::exists(ws.file("Backup.mdb")) && !gone.isEmpty();
    closeWindow(w);
    if (!ok) {
      state.SkipWithError("Delete did not remove the employee, compact and renumber");
      break;
    }
    state.ResumeTiming();
  }
  finished(state, answers, "delete");
}
ROTAWISE_ACTION(DeleteEmployee, 6, 2);

static void FindEmployee(benchmark::State& state) {
  Workspace ws(int(state.range(0)));
  Answers answers;
  auto* w = new FrmNewEmployee();
  press(w, "CmdSearch");  // the search list the user picks from
  auto* find = w->findChild<QComboBox*>("txtFind");
  const int at = find->findText(ws.facts().findName, Qt::MatchFixedString | Qt::MatchCaseSensitive);
  if (at < 0) state.SkipWithError("the name is not in the search list");
  for (auto _ : state) {
    find->setCurrentIndex(at);
    emit find->activated(at);  // txtFind_Click
    state.PauseTiming();
    const bool ok = shown(w, "txtFullName") == ws.facts().findName;
    if (!ok) {
      state.SkipWithError("Find did not show the employee");
      break;
    }
    w->data1()->MoveFirst();  // the next find starts where a user would be
    state.ResumeTiming();
  }
  closeWindow(w);
  finished(state, answers, "find");
}
ROTAWISE_ACTION(FindEmployee, 8, 3);

static void LoadSearchLists(benchmark::State& state) {
  const int n = int(state.range(0));
  Workspace ws(n);
  Answers answers;
  auto* w = new FrmNewEmployee();
  for (auto _ : state) press(w, "CmdSearch");
  const bool ok = w->findChild<QComboBox*>("txtFind")->count() == n &&
                  w->findChild<QComboBox*>("Choose")->count() == n;
  closeWindow(w);
  if (!ok) state.SkipWithError("the search lists do not hold every employee");
  finished(state, answers, "search lists");
}
ROTAWISE_ACTION(LoadSearchLists, 8, 2);
