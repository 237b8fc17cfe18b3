// "Print Employee &Roster": staff by area with counts and a total.
#include "app/Frmemployee1.h"
#include "db/Database.h"
#include "platform/Clock.h"
#include "platform/CommonDialog.h"
#include "platform/DataControl.h"
#include "platform/MessageBox.h"
#include "platform/Pointer.h"
#include "platform/Printer.h"
#include "platform/RecordSet.h"
#include "print/Roster.h"

void Frmemployee1::roster_Click() {
  PointerGuard hourglass(this);
  Data1->setEnabled(true);
  try {
    CommonDialog1->CancelError = true;
    std::unique_ptr<Printer> printer = CommonDialog1->ShowPrinter();
    const QVector<RosterArea> areas = readRosterAreas();
    Data1->reopenEmployees();
    printRoster(*printer, areas, Data1->Recordset(), clock_::shortDate(clock_::today()));
  } catch (const DbError& e) {
    setMousePointer(this, pointer::Default);
    Data1->setEnabled(false);
    // An employee.mdb that is there but cannot be read is named as the cause;
    // a missing one is an unfinished set-up, like a missing list.
    if (db::findFile("employee.mdb").isEmpty())
      msgBox("Please check your printer and try again.", msg::Exclamation, "Opps!");
    else
      msgBox(QString("The employee database \"employee.mdb\" could not be read (%1).  Nothing was "
                     "printed; please repair the file or restore it from BACKUP.MDB.")
                 .arg(QString::fromUtf8(e.what())),
             msg::Exclamation, "Opps!");
    return;
  } catch (...) {
    // Cancel, no area list or the printer: one message for all.
    setMousePointer(this, pointer::Default);
    Data1->setEnabled(false);
    msgBox("Please check your printer and try again.", msg::Exclamation, "Opps!");
    return;
  }
  setMousePointer(this, pointer::Default);
  Data1->setEnabled(false);
  msgBox("Employee data has been processed and sent to printer.", msg::Exclamation, "Ok!");
}
