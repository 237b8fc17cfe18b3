#pragma once
// The print window: "&Print" sends the schedule of the chosen area (or of
// every area) to the printer; "Process &Data Preview" shows one area's week in
// a grid of 28 list boxes, one per weekday and time block.
#include <QWidget>
#include <array>

#include "print/PrintState.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class CommonDialog;
class DataControl;
struct ScheduleSelection;

class FrmPrintItBaby : public QWidget {
  Q_OBJECT
 public:
  explicit FrmPrintItBaby(QWidget* parent = nullptr);

  // Handlers, named as the designer named the controls and events.
  void Form_Load();
  void Form_Activate();
  void Command1_Click();  // "&Exit"
  void Command2_Click();  // "&Return to previous screen"
  void Command3_Click();  // "Process &Data Preview"
  void Command4_Click();  // "&Print"

  // The grid's list box of a weekday (0 = Monday) and time block (0 to 3).
  QListWidget* gridBox(int day, int block) const { return grid_[day][block]; }
  // Under the grid: the shifts worked in the area that no time of the preview lists.
  QListWidget* unlistedBox() const { return lstUnlisted; }
  DataControl* data1() const { return Data1; }
  const PrintState& printState() const { return state_; }
  // The row unit of the printed schedule: the height of "WpgyG" in this
  // window's own font, in twips.
  double rowUnit() const;

 protected:
  bool event(QEvent* e) override;

 private:
  void buildControls();
  void nameControls();  // names, tab order and Escape, for the keyboard and screen readers
  void nameGrid();      // each grid box by its day and its block's label
  QPushButton* addButton(const QString& name, const QString& caption, int left, int width,
                         const QColor& colour, void (FrmPrintItBaby::*handler)());
  void enableButtons(bool enabled);
  void clearGrid();
  void showPreview(const ScheduleSelection& selection);
  void printFailed();

  std::array<std::array<QListWidget*, 4>, 7> grid_{};
  std::array<QLabel*, 4> txtTime{};
  QLabel* Label12 = nullptr;
  QLineEdit* LblWhatArea = nullptr;
  QLabel* InfoLabel = nullptr;
  QLabel* lblUnlisted = nullptr;
  QListWidget* lstUnlisted = nullptr;
  QProgressBar* ProgressBar1 = nullptr;
  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;
  QPushButton* Command3 = nullptr;
  QPushButton* Command4 = nullptr;
  DataControl* Data1 = nullptr;
  CommonDialog* CommonDialog1 = nullptr;

  PrintState state_;
  bool resetOnActivate_ = true;
  // A button's work is under way: an activation that arrives meanwhile (the
  // window's first, or the end of its own dialogs) must not empty what it fills.
  bool busy_ = false;
};
