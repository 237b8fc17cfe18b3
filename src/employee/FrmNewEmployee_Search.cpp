// The search list (Load/Update search lists, Find) and the main-area fill.
#include <QComboBox>
#include <QLineEdit>

#include "data/DataControl.h"
#include "db/EmployeeDatabase.h"
#include "employee/ComboLists.h"
#include "employee/EmployeeTable.h"
#include "employee/FrmNewEmployee.h"
#include "platform/Pointer.h"

void FrmNewEmployee::reloadNameLists(bool alsoCopyList) {
  RecordSet& records = Data1->Recordset();
  ProgressShow progress(ProgressBar1, records.RecordCount());
  const QStringList names = employees::sortedForList(
      employees::names(records, [&](int done) { progress.setDone(done); }));
  setItemsInOrder(txtFind, names);
  if (alsoCopyList) setItemsInOrder(Choose, names);
}

bool FrmNewEmployee::showEmployee(const QString& name) {
  const bool found = employees::find(Data1->Recordset(), name);
  Data1->showCurrent();  // the record set moved under the data control
  return found;
}

void FrmNewEmployee::CmdSearch_Click() {
  if (!hasCurrentRecord()) {
    notice("There is no one in the database to list yet!");
    return;
  }
  guarded([&] {
    Data1->MoveLast();
    if (Data1->Recordset().RecordCount() < 2) {
      notice("You need at least two (2) people in the database to make a list!");
      return;
    }
    PointerGuard hourglass(this);
    db::reopenEmployees(*Data1);
    reloadNameLists(true);
    Data1->Refresh();
    Data1->MoveFirst();
  });
}

void FrmNewEmployee::txtFind_Click() {
  const QString name = txtFind->currentText();
  guarded([&] {
    db::reopenEmployees(*Data1);
    // A name that is no longer there leaves the first record on screen.
    showEmployee(name);
  });
  setMousePointer(this, pointer::Default);
}

void FrmNewEmployee::txtArea_Change() {
  DayTexts texts = dayTextsShown();
  if (!fillUnsetThirdAreas(texts, txtArea->currentText()).isEmpty()) showDayTexts(texts);
}
