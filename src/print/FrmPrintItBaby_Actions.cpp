// The print window's buttons: print, preview, back to the setup, exit; and
// the reset each time the user comes back to the window.
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <exception>

#include "data/DataControl.h"
#include "data/RecordSet.h"
#include "db/EmployeeDatabase.h"
#include "db/Repair.h"
#include "platform/Clock.h"
#include "platform/CommonDialog.h"
#include "platform/Forms.h"
#include "platform/LongList.h"
#include "platform/MessageBox.h"
#include "platform/Pictures.h"
#include "platform/Pointer.h"
#include "platform/Printer.h"
#include "print/AreaSettings.h"
#include "print/FrmPrintFull.h"
#include "print/FrmPrintItBaby.h"
#include "print/PrintSetup.h"
#include "print/SchedulePrint.h"

namespace {
constexpr int kExclamation = msg::OkOnly + msg::Exclamation;
const QString kPrintFailed = "Please check your printer and try again.";
const QString kPrinted = "Data compiled successfully and sent to printer.";
const QString kExtrasQuestion =
    "Would you like to add the sentences and extra label information you configured from the "
    "Extras screen for this printing?";
const QString kNoAllAreasPreview =
    "You cannot Preview ALL areas in the preview window.  Use the Print command button to send "
    "all of your areas directly to the printer.   You can preview individual areas by choosing "
    "that area on previous page.  This must be limited due to screen size.";

}  // namespace

void FrmPrintItBaby::Form_Load() {
  setBackgroundPicture(this, "clouds.bmp");
  show();
}

void FrmPrintItBaby::Form_Activate() {
  ProgressBar1->hide();
  setMousePointer(this, pointer::Default);
  for (QLabel* label : txtTime) label->clear();
  nameGrid();
  clearGrid();
}

void FrmPrintItBaby::clearGrid() {
  for (auto& column : grid_)
    for (QListWidget* box : column) box->clear();
  lstUnlisted->clear();
}

void FrmPrintItBaby::enableButtons(bool enabled) {
  for (QPushButton* b : {Command1, Command2, Command3, Command4}) b->setEnabled(enabled);
}

// Called while the error is being handled: an employee.mdb that is there but
// cannot be read (damaged, or of another kind) is named as the cause, rather
// than sending the user to check the printer.
void FrmPrintItBaby::printFailed() {
  setMousePointer(this, pointer::Default);
  ProgressBar1->hide();
  enableButtons(true);
  QString message = kPrintFailed;
  try {
    if (const std::exception_ptr error = std::current_exception()) std::rethrow_exception(error);
  } catch (const DbError& e) {
    const QString unreadable = unreadableDatabaseMessage(
        QString::fromUtf8(e.what()),
        "Nothing was printed or shown; please repair the file or restore it from BACKUP.MDB.");
    if (!unreadable.isEmpty()) message = unreadable;
  } catch (...) {
  }
  msgBox(message, kExclamation, "Opps!");
}

// ---- Print ------------------------------------------------------------------

void FrmPrintItBaby::Command4_Click() {
  const QScopedValueRollback<bool> working(busy_, true);
  setMousePointer(this, pointer::Hourglass);
  doEvents();
  enableButtons(false);
  QVector<UnlistedShift> unlisted;
  QStringList unsetAreas;
  try {
    CommonDialog1->CancelError = true;
    CommonDialog1->FileName = printFileName(scheduleSubject(), clock_::today());
    std::unique_ptr<Printer> printer = CommonDialog1->ShowPrinter();
    if (!printer) throw ScheduleError("no printer chosen");
    state_.copies = qint16(CommonDialog1->Copies);
    state_.extrasWanted =
        msgBox(kExtrasQuestion, msg::YesNo + msg::Question, "Warning question") != msg::No;
    ScheduleRun run;
    run.printer = printer.get();
    run.readStaff = [this] {
      db::reopenEmployees(*Data1);
      return readEmployees(Data1->Recordset());
    };
    run.rowUnit = rowUnit();
    run.date = clock_::shortDate(clock_::today());
    run.unlisted = &unlisted;
    run.unsetAreas = &unsetAreas;
    // An all-areas run shows how far it has come; the drawing of the pages
    // at its end lets the windows paint too. They are painted at most every
    // 40 ms: a small business's twenty areas pass in less time than twenty
    // paintings of every window would take. The bar takes every area's value,
    // and is painted with the windows (setting a bar's value paints it there
    // and then).
    QElapsedTimer sincePainted;
    run.areaDone = [this, &sincePainted](int done, int areas) {
      const bool paint = !sincePainted.isValid() || sincePainted.elapsed() >= 40;
      ProgressBar1->setUpdatesEnabled(paint);
      ProgressBar1->setRange(0, areas);
      ProgressBar1->setValue(done);
      ProgressBar1->show();
      ProgressBar1->setUpdatesEnabled(true);  // what was left unpainted waits for the next painting
      if (!paint) return;
      repaintWindows();
      sincePainted.start();
    };
    printSchedules(run, state_);
  } catch (...) {
    // Cancel, a missing or unsafe hand-over file, the database, the printer:
    // one message for all, and nothing reported as sent that was not.
    printFailed();
    return;
  }
  setMousePointer(this, pointer::Default);
  ProgressBar1->hide();
  enableButtons(true);
  // One closing message: the print was sent, and what is not on the paper.
  QStringList message{kPrinted};
  for (const QString& notice : {unsetAreasNotice(unsetAreas), unlistedNotice(unlisted)})
    if (!notice.isEmpty()) message << notice;
  msgBox(message.join("\n\n"), kExclamation, "Ok!");
}

// ---- Preview ----------------------------------------------------------------

void FrmPrintItBaby::Command3_Click() {
  const QScopedValueRollback<bool> working(busy_, true);
  setMousePointer(this, pointer::Hourglass);
  // The grid fills day by day while window events run: a second press (or
  // any other button) must wait until it is done.
  enableButtons(false);
  const auto enableAgain = qScopeGuard([this] { enableButtons(true); });
  try {
    bool ok = false;
    const QString settingsFile = readPrintFile(&ok);
    if (!ok) throw ScheduleError("PRINT.IGH cannot be read");
    loadAreaChoices(state_, settingsFile);
    setWindowTitle(compareKey(state_.area) + " Schedule");
    LblWhatArea->setText(state_.area);
    loadExclusions(state_);
    for (int k = 0; k < 4; ++k) txtTime[k]->setText(state_.labels[k]);
    nameGrid();
    if (isAllAreas(state_.area)) {
      // The grid keeps what it had.
      msgBox(kNoAllAreasPreview, kExclamation, "Ok!");
      setMousePointer(this, pointer::Default);
      ProgressBar1->hide();
      return;
    }
    // The bar is up (and painted) before the table is read.
    ProgressBar1->setRange(0, 7);
    ProgressBar1->setValue(1);
    ProgressBar1->show();
    ProgressBar1->repaint();
    db::reopenEmployees(*Data1);
    const QVector<EmployeeRow> staff = readEmployees(Data1->Recordset());
    showPreview(selectSchedule(state_, staff));
  } catch (...) {
    printFailed();
    return;
  }
  setMousePointer(this, pointer::Default);
  ProgressBar1->hide();
  InfoLabel->show();
}

// Fills the grid day by day, as the progress bar shows, from an empty grid:
// the names the printed schedule lists, without its asterisks.
void FrmPrintItBaby::showPreview(const ScheduleSelection& selection) {
  clearGrid();
  const QVector<int> days = coveredDays(state_);
  for (int d : days) {
    if (d != days.first()) ProgressBar1->setValue(d + 1);
    for (int k = 0; k < 4; ++k) {
      // The order the sorted box keeps, found once for the whole cell rather
      // than by a walk of the box for every name.
      QStringList names;
      for (const Listing& listing : selection.cells[k][d]) names << listing.name;
      sortEntries(names);
      fillLongList(grid_[d][k], names);
    }
    doEvents();
  }
  for (const UnlistedShift& shift : sortedUnlisted(selection.unlisted))
    lstUnlisted->addItem(unlistedShiftText(shift));
}

// ---- Leaving ----------------------------------------------------------------

void FrmPrintItBaby::Command2_Click() {
  unloadForm(this);
  showForm<FrmPrintFull>();
}

void FrmPrintItBaby::Command1_Click() {
  unloadForm(this);
  showMainWindow();
}
