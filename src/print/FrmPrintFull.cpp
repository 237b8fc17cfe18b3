#include "print/FrmPrintFull.h"

FrmPrintFull::FrmPrintFull(QWidget* parent) : QWidget(parent) {
  setObjectName("FrmPrintFull");
  setWindowTitle("Schedule Printing Setup");
}
