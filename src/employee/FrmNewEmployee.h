#pragma once
// The employee window: enter, browse, find, save, update and delete employees,
// and copy one day's or one employee's day data. The controls carry their
// designer names; the handlers (control_event) are thin and call the plain
// functions of EmployeeTable.h, DayBlocks.h and EmployeeChoices.h.
#include <QWidget>
#include <array>
#include <exception>
#include <functional>

#include "db/EmployeeFields.h"
#include "employee/DayBlocks.h"

class CommonDialog;
class DataControl;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
struct EmployeeChoices;

// What Enter New Employee shows in a new record until the user types.
inline const QString kNewNamePrompt = "Enter last name First";
inline const QString kNewPositionPrompt = "Job discription";
inline const QString kNewAreaPrompt = "Add at least one";

class FrmNewEmployee : public QWidget {
  Q_OBJECT
 public:
  explicit FrmNewEmployee(QWidget* parent = nullptr);
  ~FrmNewEmployee() override;

  // Handlers, named as the designer's controls and events.
  void Form_Load();
  void Form_KeyPress();
  void Form_MouseMove();
  void CmdAddRecord_Click();
  void CmdSaveData_Click();
  void CmdUpdate_Click();
  void CmdDelete_Click();
  void CmdSearch_Click();
  void CmdHelp_Click();
  void CmdCancel_Click();
  void txtFind_Click();
  void txtArea_Change();         // the same code serves txtArea_Click
  void DayLabel_Click(int day);  // Label4_Click (Monday) ... Label13_Click (Sunday)
  void Ok_Click();
  void Quiter_Click();
  void CmdCopy_Click();
  void Choose_Click();
  void CmdQuitter_Click();

  DataControl* data1() const { return Data1; }
  QComboBox* dayCell(int day, fields::DayField field) const {
    return dayCells_[day][static_cast<int>(field)];
  }
  int loadErrorFlag() const { return LoadErrorFlag; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mouseMoveEvent(class QMouseEvent* event) override;
  void closeEvent(class QCloseEvent* event) override;

 private:
  // Layout (FrmNewEmployee_Layout.cpp).
  void buildHeader();
  void buildButtons();
  void buildWeekGrid();
  void buildDayCopyFrame();
  void buildEmployeeCopyFrame();
  void setHelpContexts();
  void connectHandlers();
  // Names for screen readers, the tab order and Escape (FrmNewEmployee_Keyboard.cpp).
  void setUpKeyboardAndNames();
  void nameWeekGrid();
  void setTabOrderAsShown();
  void Form_Escape();
  void hideDayCopyFrame();
  void hideEmployeeCopyFrame();
  void sizeToControls();

  // Form load pieces.
  void fillChoiceLists(const EmployeeChoices& choices);
  void openTableAtLoad();

  // Shared steps.
  bool hasCurrentRecord() const;     // Text1 shows a record number
  void notice(const QString& text);  // "Ok!" with the exclamation icon
  void oops(const QString& text);    // "Opps!" with the exclamation icon
  void reportError(const std::exception& e);
  // Runs a step of a handler; an error shows its message instead of leaving
  // the handler. Returns false when the step failed.
  bool guarded(const std::function<void()>& step);
  // Walks the table into the sorted search list (and the copy list too),
  // with the progress bar.
  void reloadNameLists(bool alsoCopyList);
  void closeAndShowMainMenu();
  // Numbers the records 1..n in table order, in one transaction.
  void renumberTable();
  // Makes the first employee of that name current and shows it; false (the
  // first record shown) when there is none.
  bool showEmployee(const QString& name);
  // After a delete: the table (closed by the caller) is compacted into a new
  // employee.mdb, the old one kept as Backup.mdb. A failed step leaves the
  // live database as it was; the delete stands either way.
  void compactAfterDelete();

  // A new record that still shows only what Enter New Employee put there:
  // leaving it drops it, rather than writing a junk employee.
  bool newRecordHoldsOnlyPrompts() const;
  // Save New Employee and the employee copy on such a record: a message, and
  // true (the caller stops); the record stays on screen to be typed into.
  bool refuseUntypedNewRecord();
  // The main area typed into txtArea fills the days once the typing is done.
  void finishAreaTyping();

  // The 63 day fields as texts, and back.
  DayTexts dayTextsShown() const;
  void showDayTexts(const DayTexts& texts);

  // Header.
  QLabel* Label1 = nullptr;
  QLineEdit* Text1 = nullptr;
  DataControl* Data1 = nullptr;
  QLabel* Lblfullname = nullptr;
  QLineEdit* txtFullName = nullptr;
  QLabel* Label14 = nullptr;
  QComboBox* txtPosition = nullptr;
  QLabel* Label2 = nullptr;
  QComboBox* txtArea = nullptr;
  QLabel* Label19 = nullptr;
  QLabel* Label20 = nullptr;
  QLabel* Label21 = nullptr;
  QComboBox* txtArea2 = nullptr;
  QComboBox* txtArea3 = nullptr;
  QComboBox* txtArea4 = nullptr;
  QPushButton* CmdAddRecord = nullptr;
  QPushButton* CmdSaveData = nullptr;
  QPushButton* CmdCopy = nullptr;
  QPushButton* CmdUpdate = nullptr;
  QPushButton* CmdDelete = nullptr;
  QPushButton* CmdCancel = nullptr;
  QPushButton* CmdHelp = nullptr;
  QPushButton* CmdSearch = nullptr;
  QLabel* Lable34 = nullptr;
  QComboBox* txtFind = nullptr;
  QLabel* Image1 = nullptr;
  QLabel* Label3 = nullptr;
  QProgressBar* ProgressBar1 = nullptr;
  CommonDialog* CommonDialog1 = nullptr;

  // Week grid: the day headings (Label4, Label8 ... Label13), the column
  // headings, the 63 day fields and the hint row below.
  std::array<QLabel*, fields::DaysInWeek> dayLabels_{};
  std::array<QLabel*, fields::FieldsPerDay> columnLabels_{};
  std::array<std::array<QComboBox*, fields::FieldsPerDay>, fields::DaysInWeek> dayCells_{};
  QLabel* Label26 = nullptr;

  // Day copy frame.
  QGroupBox* Frame1 = nullptr;
  QLabel* Label15 = nullptr;
  std::array<QRadioButton*, fields::DaysInWeek> options_{};  // Option1 ... Option7
  QPushButton* Ok = nullptr;
  QPushButton* Quiter = nullptr;

  // Employee copy frame.
  QGroupBox* Frame2 = nullptr;
  QLabel* Label25 = nullptr;
  QComboBox* Choose = nullptr;
  QPushButton* CmdQuitter = nullptr;

  // Form state.
  int LoadErrorFlag = 0;
  bool hintShown_ = false;      // the Enter New Employee hint, once per opening
  bool copyListBuilt_ = false;  // Choose was filled by "&Copy Employee's data"
  QString rememberedName_;      // the name shown when the employee copy began
  qint64 rememberedRecord_ = -1;   // and that record's bookmark (-1: none)
  int rememberedReplacements_ = 0; // the record set's file replacements then
  bool areaTyped_ = false;      // txtArea was typed into since its last fill
  bool loaded_ = false;         // the load-failure guard listens only after load
  bool leaving_ = false;        // the window is on its way back to the main menu
  int dayCopyTarget_ = -1;      // the weekday heading that opened "Choose day?"
};
