#include "lists/FrmNewSchedule.h"

FrmNewSchedule::FrmNewSchedule(QWidget* parent) : QWidget(parent) {
  setObjectName("FrmNewSchedule");
  setWindowTitle("Employee's Rotawise Department/Building Selection.");
}
