#include "print/FrmPrintItBaby.h"

FrmPrintItBaby::FrmPrintItBaby(QWidget* parent) : QWidget(parent) {
  setObjectName("FrmPrintItBaby");
  setWindowTitle("Print Preview");
}
