#include "lists/FrmExtras.h"

FrmExtras::FrmExtras(QWidget* parent) : QWidget(parent) {
  setObjectName("FrmExtras");
  setWindowTitle("Schedule Extras");
}
