#include "lists/FrmNewSchedule2.h"

FrmNewSchedule2::FrmNewSchedule2(QWidget* parent) : QWidget(parent) {
  setObjectName("FrmNewSchedule2");
  setWindowTitle("Employee's Rotawise Job discriptions.");
}
