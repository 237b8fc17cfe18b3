// The print setup window: loading its lists, the load check, choosing an
// area, the exclusion list and the buttons.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include "data/DataControl.h"
#include "db/EmployeeFields.h"
#include "db/Repair.h"
#include "lists/ListFile.h"
#include "platform/CommonDialog.h"
#include "platform/Forms.h"
#include "platform/MessageBox.h"
#include "platform/Pictures.h"
#include "platform/Pointer.h"
#include "platform/StatusBar.h"
#include "print/FrmPrintFull.h"
#include "print/FrmPrintItBaby.h"
#include "print/PrintSetup.h"

namespace {
const QString kOpps = "Opps!";
constexpr int kExclamation = msg::OkOnly + msg::Exclamation;
}  // namespace

// ---- Load -------------------------------------------------------------------

void FrmPrintFull::Form_Load() {
  setMousePointer(this, pointer::Hourglass);
  setBackgroundPicture(this, "clouds.bmp");
  show();
  doEvents();
  setMousePointer(this, pointer::Hourglass);
  LoadErrorFlag = 0;

  // Each step goes on after a failure; the load check tells the user later.
  txtfindAreas->addItem("All_Areas");
  loadChoices("AREAS.IGH", {txtfindAreas});
  loadChoices("POSITION.IGH", {txtFindPosition});
  loadChoices("AREATIME.IGH", {txtFindTimes[0], txtFindTimes[1], txtFindTimes[2], txtFindTimes[3]});
  loadChoices("WEEKDAYS.IGH", {txtDayorWeek});
  loadStaffNames();
  // The boxes start empty: a choice is made by the user or read back per area.
  for (QComboBox* box : findChildren<QComboBox*>()) box->setEditText(QString());

  setMousePointer(this, pointer::Default);
}

void FrmPrintFull::loadChoices(const QString& fileName, const QList<QComboBox*>& boxes) {
  bool ok = false;
  const QStringList choices = readChoices(fileName, &ok);
  if (!ok) LoadErrorFlag = 1;
  for (QComboBox* box : boxes) box->addItems(choices);
}

void FrmPrintFull::loadStaffNames() {
  try {
    Data1->setDatabaseName("Employee.MDB");
    Data1->setRecordSource("Employees");
    Data1->Refresh();
    RecordSet& records = Data1->Recordset();
    QStringList names;
    for (const QStringList& texts : records.allTexts({fields::Fullname}))
      names << exclusionEntry(texts.front());
    if (records.RecordCount() > 0) records.MoveFirst();
    sortEntries(names);
    txtStaffVacation->addItems(names);
  } catch (const std::exception& e) {
    // One that is there but cannot be read is said so at once, in its own
    // words; the list of staff to exclude stays empty.
    const QString unreadable = unreadableDatabaseMessage(
        QString::fromUtf8(e.what()),
        "Nothing has been changed; the staff list is empty until the file is repaired or "
        "restored from BACKUP.MDB.");
    // A missing database is an unfinished set-up: the load check reports it.
    if (unreadable.isEmpty()) {
      LoadErrorFlag = 1;
      return;
    }
    setMousePointer(this, pointer::Default);
    msgBox(unreadable, kExclamation, kOpps);
  }
}

void FrmPrintFull::Form_KeyPress() { loadCheck(); }
void FrmPrintFull::Form_MouseMove() { loadCheck(); }

void FrmPrintFull::loadCheck() {
  if (leaving_) return;
  if (LoadErrorFlag == 1) {
    leaving_ = true;
    msgBox("You have not set up either your Job Discriptions or Bld/Dept areas.  These screens must "
           "be completed first before you can setup to print a schedule.  Please see help section "
           "'Getting Started' for more information.",
           kExclamation, kOpps);
    setMousePointer(this, pointer::Default);
    unloadForm(this);
    showMainWindow();
    return;
  }
  setMousePointer(this, pointer::Default);
}

// ---- The choices on screen --------------------------------------------------

AreaSettings FrmPrintFull::choicesOnScreen() const {
  AreaSettings s;
  s.area = txtfindAreas->currentText();
  s.position = txtFindPosition->currentText();
  s.dayOrWeek = txtDayorWeek->currentText();
  for (int k = 0; k < 4; ++k) {
    s.times[k] = txtFindTimes[k]->currentText();
    s.labels[k] = txtLabel[k]->text();
  }
  return s;
}

void FrmPrintFull::clearChoicesAfterArea(bool position) {
  if (position) txtFindPosition->setEditText(QString());
  txtDayorWeek->setEditText(QString());
  for (int k = 0; k < 4; ++k) {
    txtFindTimes[k]->setEditText(QString());
    txtLabel[k]->clear();
  }
}

void FrmPrintFull::txtfindAreas_Click() {
  clearChoicesAfterArea(false);
  const QString fileName = areaSettingsFileName(txtfindAreas->currentText());
  bool ok = false;
  const AreaSettings saved = readAreaSettings(fileName, &ok);
  if (!ok) {
    clearChoicesAfterArea(true);
    StatusBar1->setPanelText(1, QString("No choices saved yet for this area (%1).").arg(fileName));
    return;
  }
  // Values go by line number; a file shorter than twelve lines leaves the
  // boxes of the missing lines empty, and the area and position as they were.
  if (saved.lineCount >= 1) txtfindAreas->setEditText(saved.area);
  if (saved.lineCount >= 2) txtFindPosition->setEditText(saved.position);
  txtDayorWeek->setEditText(saved.dayOrWeek);
  for (int k = 0; k < 4; ++k) {
    txtFindTimes[k]->setEditText(saved.times[k]);
    txtLabel[k]->setText(saved.labels[k]);
  }
  StatusBar1->setPanelText(1, QString("Choices read from %1.").arg(fileName));
}

// ---- Exclusions -------------------------------------------------------------

QStringList FrmPrintFull::exclusionList() const {
  QStringList entries;
  for (int i = 0; i < txtStaffVacationList->count(); ++i)
    entries << txtStaffVacationList->item(i)->text();
  return entries;
}

void FrmPrintFull::addExclusion(const QString& entry) {
  txtStaffVacationList->insertItem(sortedInsertIndex(exclusionList(), entry), entry);
}

void FrmPrintFull::txtStaffVacation_Click() {
  const int index = txtStaffVacation->currentIndex();
  if (index >= 0) addExclusion(txtStaffVacation->itemText(index));
}

void FrmPrintFull::txtStaffVacationList_DblClick() {
  const int row = txtStaffVacationList->currentRow();
  if (row >= 0) delete txtStaffVacationList->takeItem(row);
}

// ---- Buttons ----------------------------------------------------------------

void FrmPrintFull::fail(const QString& message) {
  msgBox(message, kExclamation, kOpps);
  setMousePointer(this, pointer::Default);
}

void FrmPrintFull::Command1_Click() {
  unloadForm(this);
  showMainWindow();
}

void FrmPrintFull::Command2_Click() {
  txtfindAreas->setEditText(QString());
  clearChoicesAfterArea(true);
  txtStaffVacationList->clear();
}

void FrmPrintFull::Command3_Click() {
  setMousePointer(this, pointer::Hourglass);
  QString error;
  // The exclusions are written first, whatever the checks say next.
  if (!writeExemptFile(exclusionList(), &error))
    return fail("The list of excluded staff could not be saved, so the schedule cannot be "
                "printed.  " + error);
  if (const QString problem = printChoicesProblem(choicesOnScreen()); !problem.isEmpty())
    return fail(problem);

  setMousePointer(this, pointer::Hourglass);
  const QString fileName = areaSettingsFileName(txtfindAreas->currentText());
  if (!writePrintFile(fileName, &error))
    return fail("The choices could not be handed over to the printing.  " + error);
  if (txtFindPosition->currentText().trimmed().isEmpty()) txtFindPosition->setEditText("NOTHING");
  if (!writeAreaSettings(fileName, settingsForPrint(choicesOnScreen()), &error))
    return fail("The choices for this area could not be saved in [" + fileName +
                "], so the schedule cannot be printed.  " + error);

  setMousePointer(this, pointer::Hourglass);
  unloadForm(this);
  showForm<FrmPrintItBaby>();
}

void FrmPrintFull::Command4_Click() {
  if (txtfindAreas->currentText().trimmed().isEmpty()) return;
  if (const QString problem = timesAndLabelsProblem(choicesOnScreen()); !problem.isEmpty())
    return fail(problem);
  const QString fileName = areaSettingsFileName(txtfindAreas->currentText());
  QString error;
  if (!writeAreaSettings(fileName, settingsForSaveInfo(choicesOnScreen()), &error))
    return fail("The file [" + fileName + "] could not be saved.  " + error);
  msgBox("Ok The file [" + fileName + "] has been saved.", kExclamation, "Saved");
}

void FrmPrintFull::Command5_Click() { showHelpContents(*CommonDialog1); }
