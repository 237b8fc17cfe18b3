#include "employee/FrmNewEmployee.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include "data/DataControl.h"
#include "db/EmployeeDatabase.h"
#include "employee/ComboLists.h"
#include "employee/EmployeeChoices.h"
#include "platform/CommonDialog.h"
#include "platform/Forms.h"
#include "platform/MessageBox.h"
#include "platform/Pictures.h"
#include "platform/Pointer.h"

FrmNewEmployee::FrmNewEmployee(QWidget* parent) : QWidget(parent) {
  setObjectName("FrmNewEmployee");
  setWindowTitle("Employee Data");
  // Fixed single border, no control box, no maximise button: the window is
  // left through e&Xit.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  buildHeader();
  buildButtons();
  buildWeekGrid();
  buildDayCopyFrame();
  buildEmployeeCopyFrame();
  setHelpContexts();
  sizeToControls();
  connectHandlers();
  setUpKeyboardAndNames();
  setMouseTracking(true);
  // The load-failure guard hears every key press in the window.
  for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
  Form_Load();
}

FrmNewEmployee::~FrmNewEmployee() {
  // The controls go before the data control: nothing may ask this window any more.
  Data1->setWriteHooks({}, {});
  disconnect(txtArea->lineEdit(), nullptr, this, nullptr);
}

void FrmNewEmployee::connectHandlers() {
  connect(CmdAddRecord, &QPushButton::clicked, this, &FrmNewEmployee::CmdAddRecord_Click);
  connect(CmdSaveData, &QPushButton::clicked, this, &FrmNewEmployee::CmdSaveData_Click);
  connect(CmdUpdate, &QPushButton::clicked, this, &FrmNewEmployee::CmdUpdate_Click);
  connect(CmdDelete, &QPushButton::clicked, this, &FrmNewEmployee::CmdDelete_Click);
  connect(CmdSearch, &QPushButton::clicked, this, &FrmNewEmployee::CmdSearch_Click);
  connect(CmdHelp, &QPushButton::clicked, this, &FrmNewEmployee::CmdHelp_Click);
  connect(CmdCancel, &QPushButton::clicked, this, &FrmNewEmployee::CmdCancel_Click);
  connect(CmdCopy, &QPushButton::clicked, this, &FrmNewEmployee::CmdCopy_Click);
  connect(CmdQuitter, &QPushButton::clicked, this, &FrmNewEmployee::CmdQuitter_Click);
  connect(Ok, &QPushButton::clicked, this, &FrmNewEmployee::Ok_Click);
  connect(Quiter, &QPushButton::clicked, this, &FrmNewEmployee::Quiter_Click);
  connect(txtFind, &QComboBox::activated, this, &FrmNewEmployee::txtFind_Click);
  connect(Choose, &QComboBox::activated, this, &FrmNewEmployee::Choose_Click);
  // The main area fills the days when the user picks an area, or once an
  // area typed is complete (Enter, leaving the field or the record), with the
  // whole text; showing a record does not count as a change.
  connect(txtArea, &QComboBox::activated, this, [this] {
    areaTyped_ = false;
    txtArea_Change();
  });
  connect(txtArea->lineEdit(), &QLineEdit::textEdited, this, [this] { areaTyped_ = true; });
  connect(txtArea->lineEdit(), &QLineEdit::editingFinished, this,
          &FrmNewEmployee::finishAreaTyping);
  connect(Data1, &DataControl::repositioned, this, [this] { areaTyped_ = false; });
  Data1->setWriteHooks([this] { finishAreaTyping(); },
                       [this] { return !newRecordHoldsOnlyPrompts(); });
}

void FrmNewEmployee::finishAreaTyping() {
  if (!areaTyped_) return;
  areaTyped_ = false;
  txtArea_Change();
}

bool FrmNewEmployee::refuseUntypedNewRecord() {
  if (!Data1->newRecordPending() || !newRecordHoldsOnlyPrompts()) return false;
  // Nothing typed yet: saving or copying would store the prompts as an employee.
  setMousePointer(this, pointer::Default);
  notice("Please type the new employee's name, position and area first.  A new employee that "
         "still shows \"" + kNewNamePrompt + "\" is not saved.");
  return true;
}

bool FrmNewEmployee::newRecordHoldsOnlyPrompts() const {
  if (txtFullName->text() != kNewNamePrompt || txtPosition->currentText() != kNewPositionPrompt ||
      txtArea->currentText() != kNewAreaPrompt)
    return false;
  auto untouched = [](const QString& text) { return text.isEmpty() || text == "No"; };
  for (QComboBox* area : {txtArea2, txtArea3, txtArea4})
    if (!untouched(area->currentText())) return false;
  for (const QString& text : dayTextsShown())
    if (!untouched(text)) return false;
  return true;
}

void FrmNewEmployee::Form_Load() {
  setBackgroundPicture(this, "clouds.bmp");
  LoadErrorFlag = 0;
  hintShown_ = false;
  loaded_ = false;

  setMousePointer(this, pointer::Hourglass);
  show();
  setMousePointer(this, pointer::Hourglass);
  doEvents();
  ProgressBar1->hide();
  txtFullName->setText("Press Enter Employee to begin");

  const EmployeeChoices choices = readEmployeeChoices();
  if (!choices.allRead) LoadErrorFlag = 1;
  fillChoiceLists(choices);

  openTableAtLoad();
  setMousePointer(this, pointer::Default);
  loaded_ = true;
}

void FrmNewEmployee::fillChoiceLists(const EmployeeChoices& choices) {
  txtArea->setEditText("Enter Work area");
  for (QComboBox* area : {txtArea2, txtArea3, txtArea4, txtArea})
    addChoices(area, choices.mainAreas);
  addChoices(txtPosition, choices.positions);
  using fields::DayField;
  for (int day = 0; day < fields::DaysInWeek; ++day) {
    for (DayField f : {DayField::Bldg, DayField::Bldg1, DayField::Bldg2})
      addChoices(dayCell(day, f), choices.dayAreas);
    for (DayField f : {DayField::Flag, DayField::Special})
      addChoices(dayCell(day, f), choices.dayChoices);
    for (DayField f : {DayField::Start, DayField::Stop, DayField::SplitStart, DayField::SplitStop})
      addChoices(dayCell(day, f), choices.times);
  }
}

void FrmNewEmployee::openTableAtLoad() {
  bool empty = false;
  try {
    db::reopenEmployees(*Data1);
    empty = Data1->Recordset().RecordCount() == 0;
    if (!empty) Data1->MoveFirst();
  } catch (const std::exception& e) {
    // A database that cannot be opened is said so, and nothing is created in
    // its place; every command then answers with its message.
    setMousePointer(this, pointer::Default);
    oops(QString("The employee database \"employee.mdb\" could not be opened (%1).  Nothing "
                 "has been changed; please check the file, or restore it from BACKUP.MDB.")
             .arg(QString::fromUtf8(e.what())));
  }
  if (empty) {
    setMousePointer(this, pointer::Default);
    msgBox(
        "As this is an empty or new database, the first thing you need to do on this screen is "
        "press Enter New Employee.",
        msg::OkOnly + msg::Exclamation, "Information hint!");
  }
  // Only with no record to show: a record whose name is empty keeps it empty.
  if (!Data1->isOpen() || !Data1->Recordset().hasCurrent())
    txtFullName->setText("Press Enter Employee to begin");
}

// The guard against a window opened without its area and job lists: the first
// key press or mouse move sends the user back to the main menu.
void FrmNewEmployee::Form_KeyPress() {
  if (!loaded_ || leaving_) return;
  if (LoadErrorFlag == 1) {
    leaving_ = true;
    msgBox(
        "You have not set up either your Job Discriptions or Bld/Dept areas.  These screens "
        "must be completed first before you can enter Employee data.  Please see help section "
        "'Getting Started' for more information.",
        msg::OkOnly + msg::Exclamation, "Opps!");
    setMousePointer(this, pointer::Default);
    closeAndShowMainMenu();
    return;
  }
  setMousePointer(this, pointer::Default);
}

void FrmNewEmployee::Form_MouseMove() { Form_KeyPress(); }

bool FrmNewEmployee::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && LoadErrorFlag == 1 && loaded_) {
    Form_KeyPress();
    return true;  // the key does not reach a window that is closing
  }
  return QWidget::eventFilter(watched, event);
}

void FrmNewEmployee::mouseMoveEvent(QMouseEvent* event) {
  Form_MouseMove();
  QWidget::mouseMoveEvent(event);
}

void FrmNewEmployee::CmdHelp_Click() { showHelpContents(*CommonDialog1); }

void FrmNewEmployee::CmdCancel_Click() {
  // Leaving the window writes the record on screen, a new one included.
  guarded([&] {
    if (Data1->isOpen()) Data1->closeRecordset();
  });
  closeAndShowMainMenu();
}

void FrmNewEmployee::closeAndShowMainMenu() {
  leaving_ = true;
  unloadForm(this);
  showMainWindow();
}

void FrmNewEmployee::closeEvent(QCloseEvent* event) {
  // However the window goes, the edits on screen are not lost.
  guarded([&] {
    if (Data1->isOpen()) Data1->closeRecordset();
  });
  QWidget::closeEvent(event);
}

bool FrmNewEmployee::hasCurrentRecord() const { return !Text1->text().isEmpty(); }

void FrmNewEmployee::notice(const QString& text) {
  msgBox(text, msg::OkOnly + msg::Exclamation, "Ok!");
}

bool FrmNewEmployee::guarded(const std::function<void()>& step) {
  try {
    step();
    return true;
  } catch (const std::exception& e) {
    reportError(e);
  } catch (...) {
    reportError(std::runtime_error("unexpected error"));
  }
  return false;
}

void FrmNewEmployee::oops(const QString& text) {
  msgBox(text, msg::OkOnly + msg::Exclamation, "Opps!");
}

void FrmNewEmployee::reportError(const std::exception& e) {
  setMousePointer(this, pointer::Default);
  oops(QString::fromUtf8(e.what()));  // the database layer says what went wrong, in words
}

DayTexts FrmNewEmployee::dayTextsShown() const {
  DayTexts texts;
  for (int day = 0; day < fields::DaysInWeek; ++day)
    for (int k = 0; k < fields::FieldsPerDay; ++k)
      texts[dayIndex(day, fields::DayField(k))] = dayCells_[day][k]->currentText();
  return texts;
}

void FrmNewEmployee::showDayTexts(const DayTexts& texts) {
  for (int day = 0; day < fields::DaysInWeek; ++day)
    for (int k = 0; k < fields::FieldsPerDay; ++k) {
      QComboBox* cell = dayCells_[day][k];
      const QString& text = texts[dayIndex(day, fields::DayField(k))];
      if (cell->currentText() != text) cell->setEditText(text);
    }
}
