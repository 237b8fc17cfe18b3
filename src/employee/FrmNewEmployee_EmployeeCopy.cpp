// The employee copy: all seven day blocks of another employee into the one on
// screen. Name, position and the four areas are never copied.
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include "data/DataControl.h"
#include "db/EmployeeDatabase.h"
#include "employee/ComboLists.h"
#include "employee/EmployeeTable.h"
#include "employee/FrmNewEmployee.h"
#include "platform/MessageBox.h"
#include "platform/Pointer.h"

void FrmNewEmployee::CmdCopy_Click() {
  PointerGuard hourglass(this);
  rememberedName_ = txtFullName->text();
  if (!hasCurrentRecord()) {
    setMousePointer(this, pointer::Default);
    notice("There is no one in the database to list yet!");
    return;
  }
  if (refuseUntypedNewRecord()) return;
  guarded([&] {
    // The copy goes into this very record, whatever its name (two employees
    // may share one): it is written now, a new one too, and kept by bookmark.
    Data1->UpdateRecord();
    rememberedRecord_ = Data1->Recordset().Bookmark();
    Data1->MoveLast();
    if (Data1->Recordset().RecordCount() < 2) {
      setMousePointer(this, pointer::Default);
      notice("You need at least two (2) people in the database!");
      return;
    }
    if (!copyListBuilt_) {
      // The list is built once; "&Load/Update search lists" renews it later.
      db::reopenEmployees(*Data1);
      {
        RecordSet& records = Data1->Recordset();
        ProgressShow progress(ProgressBar1, records.RecordCount());
        setItemsInOrder(Choose, employees::sortedForList(employees::names(
                                    records, [&](int n) { progress.setDone(n); })));
      }
      copyListBuilt_ = true;
      Data1->Refresh();
    }
    // Back to the employee the user was on, so the list opens over them.
    RecordSet& records = Data1->Recordset();
    rememberedReplacements_ = records.fileReplacements();
    if (rememberedRecord_ >= 0) records.moveToBookmark(rememberedRecord_);
    Data1->showCurrent();
    Frame2->show();
    Frame2->raise();
    Choose->setFocus(Qt::OtherFocusReason);  // the keyboard goes on in the frame
  });
}

void FrmNewEmployee::Choose_Click() {
  const QString picked = Choose->currentText();
  PointerGuard hourglass(this);
  guarded([&] {
    Data1->MoveFirst();  // writes the edits on screen before records are read
    RecordSet& records = Data1->Recordset();
    if (!employees::find(records, picked)) {
      // Back on the employee the user was on.
      const qint64 target = records.translateBookmark(rememberedRecord_, rememberedReplacements_);
      if (target >= 0) records.moveToBookmark(target);
      Data1->showCurrent();
      setMousePointer(this, pointer::Default);
      oops(QString("\"%1\" is no longer in the database, so there is nothing to copy.  Press "
                   "\"Load/Update search lists\" to renew the list.")
               .arg(picked));
      return;
    }
    const DayTexts source = employees::dayTexts(records);
    const qint64 target = records.translateBookmark(rememberedRecord_, rememberedReplacements_);
    if (target < 0 || !records.moveToBookmark(target)) {
      // Copying now would overwrite whichever employee happens to be current.
      Data1->showCurrent();
      setMousePointer(this, pointer::Default);
      oops(QString("The employee you were on (\"%1\") is no longer in the database, so nothing "
                   "was copied.  Go to the employee and copy again.")
               .arg(rememberedName_));
      return;
    }
    Data1->showCurrent();
    showDayTexts(source);
  });
  hideEmployeeCopyFrame();
}

void FrmNewEmployee::CmdQuitter_Click() {
  hideEmployeeCopyFrame();
  setMousePointer(this, pointer::Default);
}

void FrmNewEmployee::hideEmployeeCopyFrame() {
  const bool hadFocus = Frame2->isAncestorOf(QApplication::focusWidget());
  Frame2->hide();
  if (hadFocus) CmdCopy->setFocus(Qt::OtherFocusReason);  // where the copy was started
}
