// Enter New Employee, Save New Employee, Update and Delete.
#include <QComboBox>
#include <QLineEdit>

#include "data/Connections.h"
#include "data/DataControl.h"
#include "db/EmployeeDatabase.h"
#include "db/Numbering.h"
#include "employee/ComboLists.h"
#include "employee/EmployeeTable.h"
#include "employee/FrmNewEmployee.h"
#include "platform/MessageBox.h"
#include "platform/Pointer.h"

void FrmNewEmployee::renumberTable() {
  numbering::renumber(Data1->Recordset());
  // The numbers changed under the record on screen: show them, so that the
  // old number is not taken for an edit and written back.
  Data1->showCurrent();
}

void FrmNewEmployee::CmdAddRecord_Click() {
  guarded([&] {
    // Opening the table again writes what the screen shows, a pending new
    // record included, so the new number follows every written record.
    db::reopenEmployees(*Data1);
    // A 32,768th employee is refused with its message.
    const int number = numbering::nextNumber(Data1->Recordset());
    Data1->AddNew();
    txtFullName->setFocus();
    txtArea->setEditText(kNewAreaPrompt);
    for (QComboBox* area : {txtArea2, txtArea3, txtArea4}) area->setEditText("No");
    txtPosition->setEditText(kNewPositionPrompt);
    txtFullName->setText(kNewNamePrompt);
    Text1->setText(QString::number(number));
    txtFullName->selectAll();  // the name typed replaces the prompt
    if (!hintShown_) {
      hintShown_ = true;
      notice(
          "After entering new employee data, please use Save Changes to enter new info into "
          "database.  The update button is strictly for editing an exsisting employee");
    }
  });
}

void FrmNewEmployee::CmdSaveData_Click() {
  if (!hasCurrentRecord()) {
    notice("Can't use this command now.  You must use Enter New Employee first!");
    return;
  }
  if (refuseUntypedNewRecord()) return;
  PointerGuard hourglass(this);
  guarded([&] {
    // The new record and the numbers it brings reach the file together: a
    // crash half way leaves the table as it was before the save.
    db::Transaction saving(Data1->Recordset().databasePath());
    Data1->MoveFirst();
    Data1->MoveLast();  // leaving the record on screen writes it
    RecordSet& records = Data1->Recordset();
    const int count = records.RecordCount();
    if (count > 1) {
      const QString name = records.text(fields::Fullname).trimmed();
      db::reopenEmployees(*Data1);
      ProgressShow progress(ProgressBar1, count);
      renumberTable();
      progress.setDone(count);
      saving.commit();
      if (txtFind->findText(name, Qt::MatchFixedString | Qt::MatchCaseSensitive) < 0)
        addSorted(txtFind, name);
    } else {
      renumberTable();  // the only record is number 1
      saving.commit();
    }
    Data1->Refresh();
    Data1->MoveLast();
    if (Text1->text().toInt() < 1) Text1->setText("1");
  });
}

void FrmNewEmployee::CmdUpdate_Click() {
  if (!hasCurrentRecord()) {
    notice("There is no one to update yet?");
    return;
  }
  PointerGuard hourglass(this);
  guarded([&] {
    Data1->MoveLast();  // writes the edits of the record on screen
    db::reopenEmployees(*Data1);
    reloadNameLists(false);
    Data1->Refresh();
    if (Data1->Recordset().RecordCount() > 0) Data1->MoveFirst();
  });
}

void FrmNewEmployee::CmdDelete_Click() {
  if (!hasCurrentRecord()) {
    notice("There is no one to delete?");
    return;
  }
  PointerGuard hourglass(this);
  if (msgBox("Are you sure you want to delete this employee from database?",
             msg::YesNo + msg::Question, "Warning question") == msg::No)
    return;
  guarded([&] {
    // A new employee left with its prompts was never written: leaving it
    // drops it, and there is nothing more to delete (the record shown
    // before it must not go in its place).
    if (Data1->newRecordPending() && newRecordHoldsOnlyPrompts()) {
      Data1->MoveLast();
      return;
    }
    {
      // The delete and the numbers that close its gap reach the file
      // together: a crash half way leaves the table as it was.
      db::Transaction deleting(Data1->Recordset().databasePath());
      // A new employee not written yet is the one on screen: write it, so
      // that it (and not the record shown before it) is the one deleted.
      if (Data1->newRecordPending()) Data1->MoveLast();
      Data1->Recordset().Delete();
      numbering::renumber(Data1->Recordset());
      deleting.commit();
    }
    // The table is closed while its files are compacted and moved.
    Data1->closeRecordset();
    txtFullName->clear();
    compactAfterDelete();
    db::reopenEmployees(*Data1);  // shows the first record, or nothing when none is left
  });
}
