#include "employee/FrmNewEmployee.h"

FrmNewEmployee::FrmNewEmployee(QWidget* parent) : QWidget(parent) {
  setObjectName("FrmNewEmployee");
  setWindowTitle("Employee Data");
}
