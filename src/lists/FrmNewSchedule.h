#pragma once
// The list of buildings, departments or work areas (AREAS.IGH).
#include "lists/ListWindow.h"

class FrmNewSchedule : public ListWindow {
  Q_OBJECT
 public:
  explicit FrmNewSchedule(QWidget* parent = nullptr);

  void Command1_Click();  // Save
  void Command2_Click();  // Cancel
  void Command3_Click();  // Help

  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;
  QPushButton* Command3 = nullptr;
};
