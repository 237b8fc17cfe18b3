#include "lists/FrmNewSchedule.h"

#include <QPushButton>

#include "platform/Geometry.h"

namespace {
ListWindowDesign design() {
  ListWindowDesign d{};
  d.objectName = "FrmNewSchedule";
  d.caption = "Employee's Rotawise Department/Building Selection.";
  d.fileName = "AREAS.IGH";
  d.leftColumnLeft = 240;
  d.leftColumnWidth = 1815;
  d.rightColumnLeft = 2280;
  d.rightColumnWidth = 1695;
  d.firstTop = 480;
  d.step = 480;
  d.label = QRect(4320, 480, 5055, 2655);
  d.labelBold = true;
  d.instructions =
      "Enter up to 20 different Buildings or Departments you want to schedule.  The names can be "
      "anything you wish and can be as long or short as you wish.  For printing purposes, shorter "
      "names (under forty (40)) characters will show up best on the hard copy.  You can edit this "
      "list as many times as you need to.  Just remember to save it using the Save button before "
      "you exit this screeen.  The next time you enter this screen, your previous choices will be "
      "shown.";
  d.boxName = "Area";
  d.boxDescription =
      "Type the name of one building, department or work area, exactly as you want it printed "
      "at the top of its schedule.";
  d.windowHelp = 700;
  d.boxHelp = 701;
  for (int box : {1, 2, 3, 4, 5, 11, 12, 13, 14, 15}) d.boxHasHelp[box - 1] = true;
  d.clientWidth = 9615;
  d.clientHeight = 5415;
  return d;
}
}  // namespace

FrmNewSchedule::FrmNewSchedule(QWidget* parent) : ListWindow(design(), parent) {
  QPalette pal = palette();
  pal.setColor(QPalette::Window, rgb(192, 192, 192));  // shows where the picture does not
  setPalette(pal);
  setAutoFillBackground(true);

  Command1 = addButton("Command1", "&Save", 5040, 3720, 1215, 495);
  Command2 = addButton("Command2", "&Cancel", 6840, 3720, 1215, 495);
  Command3 = addButton("Command3", "&Help", 6000, 4560, 1215, 495);
  connect(Command1, &QPushButton::clicked, this, &FrmNewSchedule::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &FrmNewSchedule::Command2_Click);
  connect(Command3, &QPushButton::clicked, this, &FrmNewSchedule::Command3_Click);
  setButtonTabOrder({Command1, Command2, Command3});
  Form_Load();
}

void FrmNewSchedule::Command1_Click() { saveList(); }
void FrmNewSchedule::Command2_Click() { cancelList(); }
void FrmNewSchedule::Command3_Click() { showHelp(); }
