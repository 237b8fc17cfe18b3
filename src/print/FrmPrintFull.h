#pragma once
// The print setup window: the user chooses the area, the position to mark,
// a day or the week, up to four times with their labels and the staff to
// leave out; the choices are kept per area and handed over to the print
// window through PRINT.IGH, EXEMPT.IGH and the area's settings file.
#include <QWidget>
#include <array>

#include "print/AreaSettings.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class CommonDialog;
class DataControl;
class StatusBar;

class FrmPrintFull : public QWidget {
  Q_OBJECT
 public:
  explicit FrmPrintFull(QWidget* parent = nullptr);

  // 0 while loading went well, 1 once any step of loading failed.
  int LoadErrorFlag = 0;

  // Handlers, named as the designer named the controls and events.
  void Form_Load();
  void Form_KeyPress();
  void Form_MouseMove();
  void txtfindAreas_Click();
  void txtStaffVacation_Click();
  void txtStaffVacationList_DblClick();
  void Command1_Click();  // "&Exit"
  void Command2_Click();  // "Clear &Form"
  void Command3_Click();  // "&Ok I'm ready to &Print"
  void Command4_Click();  // "&Save Info"
  void Command5_Click();  // "&Help"

  DataControl* data1() const { return Data1; }
  CommonDialog* commonDialog1() const { return CommonDialog1; }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void buildControls();
  QLabel* addLabel(const QString& name, const QString& caption, int left, int top, int width,
                   int height);
  QComboBox* addChoiceBox(const QString& name, int left, int top, int width, int height);
  QPushButton* addButton(const QString& name, const QString& caption, int left, int top,
                         int width, int height, void (FrmPrintFull::*handler)());
  void assignHelpContexts();
  void nameControls();  // names for screen readers, and Escape

  // Loading, one list at a time; a failed step sets LoadErrorFlag.
  void loadChoices(const QString& fileName, const QList<QComboBox*>& boxes);
  void loadStaffNames();
  void loadCheck();

  AreaSettings choicesOnScreen() const;
  void clearChoicesAfterArea(bool position);
  QStringList exclusionList() const;
  void addExclusion(const QString& entry);
  void fail(const QString& message);

  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* Label6 = nullptr;
  QLabel* Label7a = nullptr;
  QLabel* Label8 = nullptr;
  QLabel* Label9 = nullptr;
  QLabel* txtFindtime = nullptr;
  DataControl* Data1 = nullptr;
  QComboBox* txtfindAreas = nullptr;
  QComboBox* txtFindPosition = nullptr;
  std::array<QComboBox*, 4> txtFindTimes{};  // txtFindTimes1..txtFindTimes4
  std::array<QLineEdit*, 4> txtLabel{};      // txtLabel1..txtLabel4
  QComboBox* txtDayorWeek = nullptr;
  QComboBox* txtStaffVacation = nullptr;
  QListWidget* txtStaffVacationList = nullptr;
  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;
  QPushButton* Command3 = nullptr;
  QPushButton* Command4 = nullptr;
  QPushButton* Command5 = nullptr;
  StatusBar* StatusBar1 = nullptr;
  CommonDialog* CommonDialog1 = nullptr;
  bool leaving_ = false;  // the load check is sending the user back
};
