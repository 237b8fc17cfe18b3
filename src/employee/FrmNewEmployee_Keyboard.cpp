// The employee window for the keyboard and for screen readers: what each
// control is called, the order Tab takes, and what Escape does.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "data/DataControl.h"
#include "employee/FrmNewEmployee.h"
#include "platform/Accessible.h"

namespace {
using fields::DayField;

// How a week grid box is said, after its weekday: "Monday start time".
struct CellWords {
  DayField field;
  const char* name;
  const char* description;  // %1 is the weekday
};
constexpr CellWords kCellWords[] = {
    {DayField::Flag, "week day", "YES when the employee works on %1."},
    {DayField::Start, "start time", "When the shift begins on %1."},
    {DayField::Stop, "end time", "When the shift ends on %1."},
    {DayField::Bldg1, "area", "The building, department or area the %1 shift is worked in."},
    {DayField::SplitStart, "split start time",
     "When the second part of a split shift begins on %1."},
    {DayField::SplitStop, "split end time", "When the second part of a split shift ends on %1."},
    {DayField::Bldg2, "split shift area", "The area the second part of the %1 shift is worked in."},
    {DayField::Special, "special", "YES marks a special assignment on %1."},
    {DayField::Bldg, "special area",
     "The area of the special assignment on %1; the main Bldg/Dept fills it while it shows No."},
};
}  // namespace

void FrmNewEmployee::setUpKeyboardAndNames() {
  using accessible::setLabel;
  using accessible::setName;
  setLabel(Label1, Text1, "Record number");
  setLabel(Lblfullname, txtFullName, "Employee name",
           "Type the employee's name with the last name first.");
  setLabel(Label14, txtPosition, {}, "The employee's job description.");
  const QString areas =
      "An employee can belong to up to four buildings, departments or work areas.";
  setLabel(Label2, txtArea, "Building or department", "The main one.  " + areas);
  setLabel(Label19, txtArea2, "Building or department 2", areas);
  setLabel(Label20, txtArea3, "Building or department 3", areas);
  setLabel(Label21, txtArea4, "Building or department 4", areas);
  setLabel(Lable34, txtFind, {}, "Pick a name and that employee is shown.");
  nameWeekGrid();

  Frame1->setAccessibleDescription(Label15->text());
  Frame2->setAccessibleDescription(Label25->text());
  setName(Choose, "Employee to copy from", Label25->text());
  setTabOrderAsShown();
  accessible::onEscape(this, [this] { Form_Escape(); });
}

void FrmNewEmployee::nameWeekGrid() {
  for (int day = 0; day < fields::DaysInWeek; ++day) {
    const QString weekday = fields::weekdays[day].name;
    accessible::setName(dayLabels_[day], weekday,
                        "Copies the hours and areas of another day into " + weekday + ".");
    for (const CellWords& words : kCellWords)
      accessible::setName(dayCell(day, words.field), weekday + " " + words.name,
                          QString(words.description).arg(weekday));
  }
}

void FrmNewEmployee::setTabOrderAsShown() {
  // Down the details, down the commands, then the week a row at a time, each
  // row from its heading on; the copy frames last, as they open over the grid.
  QList<QWidget*> order = {Text1};
  for (const char* move : {"MoveFirst", "MovePrevious", "MoveNext", "MoveLast"})
    order << Data1->findChild<QWidget*>(move);
  order << txtFullName << txtPosition << txtArea << txtArea2 << txtArea3 << txtArea4
        << CmdAddRecord << CmdSaveData << CmdCopy << CmdUpdate << CmdDelete << CmdSearch
        << txtFind << CmdCancel << CmdHelp;
  for (int day = 0; day < fields::DaysInWeek; ++day) {
    order << dayLabels_[day];
    for (QComboBox* cell : dayCells_[day]) order << cell;
  }
  for (QRadioButton* option : options_) order << option;
  order << Ok << Quiter << Choose << CmdQuitter;
  for (int i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

void FrmNewEmployee::Form_Escape() {
  // A window opened without its lists answers Escape as any other key.
  if (LoadErrorFlag == 1) return Form_KeyPress();
  // An open copy frame is left as its "&Quit" leaves it; else the window, as e&Xit.
  if (Frame1->isVisible()) Quiter_Click();
  else if (Frame2->isVisible()) CmdQuitter_Click();
  else if (!leaving_) CmdCancel_Click();
}
