#pragma once
// The list of job descriptions or employee status markers (POSITION.IGH).
#include "lists/ListWindow.h"

class FrmNewSchedule2 : public ListWindow {
  Q_OBJECT
 public:
  explicit FrmNewSchedule2(QWidget* parent = nullptr);

  void Command1_Click();  // Cancel
  void Command2_Click();  // Save
  void Command3_Click();  // Help

  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;
  QPushButton* Command3 = nullptr;
};
