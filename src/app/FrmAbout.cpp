#include "app/FrmAbout.h"

FrmAbout::FrmAbout(QWidget* parent) : QWidget(parent) {
  setObjectName("FrmAbout");
  setWindowTitle("About Employees Rotawise");
}
