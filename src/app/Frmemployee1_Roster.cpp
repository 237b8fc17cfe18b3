// "Print Employee &Roster": staff by area with counts and a total.
#include "app/Frmemployee1.h"
#include "data/DataControl.h"
#include "data/RecordSet.h"
#include "db/EmployeeDatabase.h"
#include "db/Repair.h"
#include "platform/Clock.h"
#include "platform/CommonDialog.h"
#include "platform/MessageBox.h"
#include "platform/Pointer.h"
#include "platform/Printer.h"
#include "print/Roster.h"

void Frmemployee1::roster_Click() {
  PointerGuard hourglass(this);
  Data1->setEnabled(true);
  try {
    CommonDialog1->CancelError = true;
    // The dialog's stored title belongs to help; the printer dialog says what it prints.
    CommonDialog1->DialogTitle = "Print Employee Roster";
    std::unique_ptr<Printer> printer = CommonDialog1->ShowPrinter();
    const QVector<RosterArea> areas = readRosterAreas();
    db::reopenEmployees(*Data1);
    printRoster(*printer, areas, Data1->Recordset(), clock_::shortDate(clock_::today()));
  } catch (...) {
    // Cancel, no area list, a missing database or the printer: one message
    // for all; an employee.mdb that is there but cannot be read is named.
    setMousePointer(this, pointer::Default);
    Data1->setEnabled(false);
    QString message = "Please check your printer and try again.";
    try {
      throw;
    } catch (const DbError& e) {
      const QString unreadable = unreadableDatabaseMessage(
          QString::fromUtf8(e.what()),
          "Nothing was printed; please repair the file or restore it from BACKUP.MDB.");
      if (!unreadable.isEmpty()) message = unreadable;
    } catch (...) {
    }
    msgBox(message, msg::Exclamation, "Opps!");
    return;
  }
  setMousePointer(this, pointer::Default);
  Data1->setEnabled(false);
  msgBox("Employee data has been processed and sent to printer.", msg::Exclamation, "Ok!");
}
