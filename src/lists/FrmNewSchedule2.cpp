#include "lists/FrmNewSchedule2.h"

#include <QPushButton>

namespace {
ListWindowDesign design() {
  ListWindowDesign d{};
  d.objectName = "FrmNewSchedule2";
  d.caption = "Employee's Rotawise Job discriptions.";
  d.fileName = "POSITION.IGH";
  d.leftColumnLeft = 120;
  d.leftColumnWidth = 2055;
  d.rightColumnLeft = 2280;
  d.rightColumnWidth = 1695;
  d.firstTop = 360;
  d.step = 600;
  d.label = QRect(4200, 1560, 5295, 1935);
  d.labelBold = false;
  d.instructions =
      "Enter up to twenty different job discriptions or employee status markers.  These should be "
      "short one word descriptions like 'supervisor' or 'secretary'.  You can change and edit them "
      "as many time as you wish.  Please remember to use the save button to save your list before "
      "you exit this screen.  The next time you enter the screen your previous choices will be "
      "listed. ";
  d.boxName = "Job description";
  d.boxDescription =
      "A short one-word job description or status marker, such as supervisor or secretary.";
  d.windowHelp = 800;
  d.boxHelp = 801;
  for (int box : {1, 2, 3, 4, 11, 12}) d.boxHasHelp[box - 1] = true;
  d.clientWidth = 9735;
  d.clientHeight = 6375;
  return d;
}
}  // namespace

FrmNewSchedule2::FrmNewSchedule2(QWidget* parent) : ListWindow(design(), parent) {
  Command1 = addButton("Command1", "&Cancel", 5160, 4320, 1215, 495);
  Command2 = addButton("Command2", "&Save", 6960, 4320, 1215, 495);
  Command3 = addButton("Command3", "&Help", 6120, 5280, 1215, 495);
  connect(Command1, &QPushButton::clicked, this, &FrmNewSchedule2::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &FrmNewSchedule2::Command2_Click);
  connect(Command3, &QPushButton::clicked, this, &FrmNewSchedule2::Command3_Click);
  setButtonTabOrder({Command1, Command2, Command3});
  Form_Load();
}

void FrmNewSchedule2::Command1_Click() { cancelList(); }
void FrmNewSchedule2::Command2_Click() { saveList(); }
void FrmNewSchedule2::Command3_Click() { showHelp(); }
