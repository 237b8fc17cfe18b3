// The employee window's controls, placed in twips as designed.
#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include "data/DataControl.h"
#include "employee/ComboLists.h"
#include "employee/FrmNewEmployee.h"
#include "platform/CommonDialog.h"
#include "platform/Geometry.h"
#include "platform/Help.h"
#include "platform/Pictures.h"
#include "platform/PressableLabel.h"

namespace {
const QColor kGrey = rgb(192, 192, 192);
const QColor kBlue = rgb(0, 0, 255);
const QColor kGreen = rgb(0, 255, 0);
const QColor kCyan = rgb(0, 255, 255);
const QColor kWhite = rgb(255, 255, 255);
const QColor kPaleYellow = rgb(255, 255, 192);

QFont windowFont(double points = 8.25, bool bold = false) {
  return designFont("MS Sans Serif", points, bold);
}

template <class W>
W* place(W* w, const char* name, int left, int top, int width, int height) {
  w->setObjectName(name);
  placeTwips(w, left, top, width, height);
  return w;
}

// Labels are opaque, in the window's grey unless they have colours of their own.
QLabel* label(QWidget* parent, const char* name, const QString& caption, int left, int top,
              int width, int height, const QColor& back = kGrey, const QColor& text = QColor()) {
  auto* l = place(new QLabel(caption, parent), name, left, top, width, height);
  setColours(l, back, text);
  return l;
}

QComboBox* list(QWidget* parent, const char* name, const QString& text, int left, int top,
                int width, int height) {
  auto* c = place(new QComboBox(parent), name, left, top, width, height);
  c->setEditable(true);
  c->setInsertPolicy(QComboBox::NoInsert);  // typing a text never adds it to the choices
  c->setMaxVisibleItems(20);
  c->setEditText(text);
  showTextFromStart(c);
  return c;
}

QComboBox* blueList(QWidget* parent, const char* name, const QString& text, int left, int top,
                    int width, int height, const QColor& textColour) {
  QComboBox* c = list(parent, name, text, left, top, width, height);
  setColours(c, kBlue, textColour);
  return c;
}

// A frame that opens over other controls needs an edge that shows where it
// begins: a raised border, its caption inside the top edge.
QGroupBox* frame(QWidget* parent, const char* name, const QString& caption, int left, int top,
                 int width, int height) {
  auto* g = place(new QGroupBox(caption, parent), name, left, top, width, height);
  g->setFont(designFont("MS Sans Serif", 9.75, true));
  g->setStyleSheet(
      QString("QGroupBox#%1 { background-color: rgb(192,192,192); border: 2px outset "
              "rgb(235,235,235); margin: 0px; }"
              "QGroupBox#%1::title { subcontrol-origin: border; left: 6px; top: 2px; }")
          .arg(name));
  return g;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, int left, int top,
                    int width, int height) {
  auto* b = place(new QPushButton(caption, parent), name, left, top, width, height);
  b->setFont(buttonFont());
  b->setAutoDefault(false);
  return b;
}

// The columns of the week grid: the field of the day block, the heading
// (designer name and caption), the left edge and the width.
struct GridColumn {
  fields::DayField field;
  const char* heading;
  const char* caption;
  int left;
  int width;
};
constexpr std::array<GridColumn, fields::FieldsPerDay> kColumns = {{
    {fields::DayField::Flag, "Label5", "Week Day", 600, 615},
    {fields::DayField::Start, "Label6", "Start Hours", 1320, 855},
    {fields::DayField::Stop, "Label7", "End Hours", 2280, 855},
    {fields::DayField::Bldg1, "Label23", "Bldg/Area", 3240, 1095},
    {fields::DayField::SplitStart, "Label17", "Split Start", 4440, 855},
    {fields::DayField::SplitStop, "Label16", "Split End", 5400, 855},
    {fields::DayField::Bldg2, "Label24", "Bldg/Area", 6360, 1095},
    {fields::DayField::Special, "Label18", "Special", 7560, 735},
    {fields::DayField::Bldg, "Label22", "Bldg/Area", 8400, 1095},
}};
// "Week Day" takes the free space up to the next column, so its caption fits.
int headingWidth(int column) {
  return column == 0 ? kColumns[1].left - kColumns[0].left - 15 : kColumns[column].width;
}
// The weekday headings, Monday first.
constexpr std::array<const char*, fields::DaysInWeek> kDayLabels = {
    "Label4", "Label8", "Label9", "Label10", "Label11", "Label12", "Label13"};
constexpr int kGridTop = 3240;
constexpr int kRowStep = 480;
constexpr int kHeadingTop = 2880;

// The bound control of a day field is "txt" + the field name, except the day
// flags, which the form names in lower case throughout (txttuesday).
QString cellName(int day, fields::DayField f) {
  if (f == fields::DayField::Flag) return "txt" + QString(fields::weekdays[day].name).toLower();
  return "txt" + fields::dayField(day, f);
}
}  // namespace

void FrmNewEmployee::buildHeader() {
  setFont(windowFont());
  // Only the window's own face is grey; entry fields keep their white.
  QPalette face = palette();
  face.setColor(QPalette::Window, kGrey);
  setPalette(face);
  setAutoFillBackground(true);
  setWindowIcon(QIcon(programIcon()));

  Label1 = label(this, "Label1", "Rec #", 0, 0, 735, 375, kBlue, kWhite);
  Label1->setFont(windowFont(9.75));
  Text1 = place(new QLineEdit(this), "Text1", 720, 0, 735, 375);
  Text1->setFont(windowFont(8.25, true));
  setColours(Text1, kPaleYellow);

  Data1 = place(new DataControl("Data1", this), "Data1", 1440, 0, 3135, 375);
  Data1->Connect = "Access";
  Data1->setDatabaseName("employee.mdb");
  Data1->setRecordSource("employees");
  Data1->setCaption("<Back      Forward>");
  Data1->setFont(designFont("System", 9.75, true));
  setColours(Data1, kGreen);
  // Arrow buttons as narrow as the classic bar's, so the caption has the room.
  for (const char* move : {"MoveFirst", "MovePrevious", "MoveNext", "MoveLast"})
    if (auto* arrow = Data1->findChild<QWidget*>(move)) arrow->setFixedWidth(twipsToPixels(300));
  if (auto* caption = Data1->findChild<QLabel*>("Caption")) {
    caption->setFixedWidth(twipsToPixels(3135 - 4 * 300));
    fitCaption(caption);
  }

  Lblfullname = label(this, "Lblfullname", "Employee", 120, 480, 1215, 255);
  Lblfullname->setFont(windowFont(9.75, true));
  txtFullName = place(new QLineEdit("Press Enter Employee to begin", this), "txtFullName", 1440,
                      360, 3135, 375);
  txtFullName->setFont(windowFont(9.75));
  setColours(txtFullName, kBlue, kWhite);

  Label14 = label(this, "Label14", "Position", 120, 840, 1215, 255);
  txtPosition =
      blueList(this, "txtPosition", "Enter Employee Position", 1440, 720, 3135, 360, kCyan);
  Label2 = label(this, "Label2", "Bldg/Dept", 120, 1200, 1215, 255);
  txtArea = blueList(this, "txtArea", "No", 1440, 1080, 3135, 360, kWhite);
  Label19 = label(this, "Label19", "Bldg/Dept 2", 120, 1560, 1215, 255);
  Label20 = label(this, "Label20", "Bldg/Dept 3", 120, 1920, 1215, 255);
  Label21 = label(this, "Label21", "Bldg/Dept 4", 120, 2280, 1215, 255);
  txtArea2 = blueList(this, "txtArea2", "No", 1440, 1440, 3135, 360, kWhite);
  txtArea3 = blueList(this, "txtArea3", "No", 1440, 1800, 3135, 360, kWhite);
  txtArea4 = blueList(this, "txtArea4", "No", 1440, 2160, 3135, 360, kWhite);

  Data1->bind(Text1, fields::Number);
  Data1->bind(txtFullName, fields::Fullname);
  Data1->bind(txtPosition, fields::Position);
  Data1->bind(txtArea, fields::Area);
  Data1->bind(txtArea2, fields::Area2);
  Data1->bind(txtArea3, fields::Area3);
  Data1->bind(txtArea4, fields::Area4);

  Lable34 =
      label(this, "Lable34", "     &Find/Search Employee Name", 7080, 1200, 2415, 255, kGreen);
  txtFind = blueList(this, "txtFind", QString(), 7080, 1440, 2415, 315, kCyan);
  txtFind->setProperty("Sorted", true);
  Lable34->setBuddy(txtFind);

  Image1 = place(new QLabel(this), "Image1", 7920, 120, 540, 540);
  Image1->setPixmap(programIcon());
  Image1->setScaledContents(true);

  Label3 = label(this, "Label3", "        Work Days/Hours:", 1560, 2520, 2295, 255);
  ProgressBar1 = place(new QProgressBar(this), "ProgressBar1", 120, 2520, 4455, 255);
  ProgressBar1->setTextVisible(false);

  CommonDialog1 = new CommonDialog("CommonDialog1", this);
  CommonDialog1->HelpFile = "employee.hlp";
}

void FrmNewEmployee::buildButtons() {
  CmdAddRecord = button(this, "CmdAddRecord", "&Enter New Employee", 4800, 0, 2055, 495);
  CmdSaveData = button(this, "CmdSaveData", "&Save New Employee", 4800, 720, 2055, 495);
  CmdCopy = button(this, "CmdCopy", "&Copy Employee's data", 4800, 1440, 2055, 495);
  CmdUpdate = button(this, "CmdUpdate", "&Update", 4800, 2160, 975, 495);
  CmdDelete = button(this, "CmdDelete", "&Delete", 5880, 2160, 975, 495);
  CmdCancel = button(this, "CmdCancel", "e&Xit", 7320, 2160, 975, 495);
  CmdHelp = button(this, "CmdHelp", "&Help", 8400, 2160, 975, 495);
  CmdSearch = button(this, "CmdSearch", "&Load/Update search lists", 7080, 720, 2415, 375);
}

void FrmNewEmployee::buildWeekGrid() {
  for (int c = 0; c < fields::FieldsPerDay; ++c) {
    const GridColumn& col = kColumns[c];
    columnLabels_[c] =
        label(this, col.heading, col.caption, col.left, kHeadingTop, headingWidth(c), 255, kGreen);
    columnLabels_[c]->setFont(windowFont(8.25, true));
  }
  for (int day = 0; day < fields::DaysInWeek; ++day) {
    const int top = kGridTop + day * kRowStep;
    // A click, or Enter or Space once Tab has reached it, starts the day copy.
    auto* heading = place(new PressableLabel(fields::weekdays[day].prefix, this), kDayLabels[day],
                          0, top, 495, 375);
    setColours(heading, kBlue, kWhite);
    heading->setFont(windowFont(9.75, true));
    connect(heading, &PressableLabel::clicked, this, [this, day] { DayLabel_Click(day); });
    dayLabels_[day] = heading;
    for (const GridColumn& col : kColumns) {
      const QString name = cellName(day, col.field);
      QComboBox* cell = list(this, "", "No", col.left, top, col.width, 315);
      cell->setObjectName(name);
      makeCompact(cell);
      dayCells_[day][static_cast<int>(col.field)] = cell;
      Data1->bind(cell, fields::dayField(day, col.field));
    }
  }
  Label26 = label(this, "Label26",
                  "    ^---- (Short Cut)  Click on any of the blue Mon - Fri abbreviations above "
                  "to copy information from one day to another.",
                  0, 6600, 9615, 375);
}

void FrmNewEmployee::buildDayCopyFrame() {
  Frame1 = frame(this, "Frame1", "Choose day?", 600, 3360, 5415, 2655);
  Label15 = label(Frame1, "Label15",
                  "Choose which day you would like to copy the scheduling information FROM.  It "
                  "will be copied into the day you clicked on.  If you want to copy all days, use "
                  "the copy employee data command.",
                  120, 360, 3855, 855);
  Label15->setWordWrap(true);
  Label15->setFont(windowFont());
  // Left edges as designed; each button is as wide as the gap to its neighbour.
  struct OptionPlace {
    const char* name;
    int left, top, width;
  };
  constexpr std::array<OptionPlace, fields::DaysInWeek> places = {{
      {"Option1", 120, 1200, 1155},
      {"Option2", 1320, 1200, 1035},
      {"Option3", 2400, 1200, 1275},
      {"Option4", 3720, 1200, 1335},
      {"Option5", 120, 1800, 1155},
      {"Option6", 1320, 1800, 1035},
      {"Option7", 2400, 1800, 1035},
  }};
  for (int day = 0; day < fields::DaysInWeek; ++day) {
    const OptionPlace& p = places[day];
    options_[day] = place(new QRadioButton(fields::weekdays[day].name, Frame1), p.name, p.left,
                          p.top, p.width, 375);
    options_[day]->setFont(windowFont());
  }
  Ok = button(Frame1, "Ok", "&Ok", 3480, 1680, 735, 735);
  Quiter = button(Frame1, "Quiter", "&Quit", 4440, 1680, 855, 735);
  Frame1->hide();
}

void FrmNewEmployee::buildEmployeeCopyFrame() {
  Frame2 = frame(this, "Frame2", "Choose Employee", 720, 480, 4215, 1695);
  Label25 = label(Frame2, "Label25",
                  "Use the list box and choose the employee name you would like to copy data "
                  "from.  To update this list with new employee's use the Load/Update search list "
                  "command button.",
                  240, 240, 3735, 855);
  Label25->setWordWrap(true);
  Label25->setFont(windowFont());
  Choose = list(Frame2, "Choose", "Choose Employee", 120, 1200, 2535, 315);
  Choose->setFont(windowFont());
  Choose->setProperty("Sorted", true);
  CmdQuitter = button(Frame2, "CmdQuitter", "&Quit", 3120, 1080, 855, 495);
  Frame2->hide();
}

void FrmNewEmployee::setHelpContexts() {
  help::setHelpContext(this, 600);
  help::setHelpContext(Data1, 601);
  help::setHelpContext(txtFullName, 602);
  help::setHelpContext(txtPosition, 603);
  for (QWidget* area : {txtArea, txtArea2, txtArea3, txtArea4}) help::setHelpContext(area, 604);
  help::setHelpContext(CmdAddRecord, 605);
  help::setHelpContext(CmdSearch, 606);
  help::setHelpContext(CmdSaveData, 607);
  help::setHelpContext(CmdUpdate, 608);
  help::setHelpContext(CmdDelete, 609);
  help::setHelpContext(dayCell(0, fields::DayField::Flag), 610);
  help::setHelpContext(txtFind, 610);
  help::setHelpContext(CmdCopy, 617);
}

void FrmNewEmployee::sizeToControls() {
  for (QWidget* owner :
       {static_cast<QWidget*>(this), static_cast<QWidget*>(Frame1), static_cast<QWidget*>(Frame2)})
    for (QLabel* l : owner->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) fitCaption(l);
  // The design client area is smaller than the controls; the window shows
  // them all, with a small margin to the right and below.
  QRect all;
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (!child->isHidden() || child == ProgressBar1) all |= child->geometry();
  const int margin = twipsToPixels(120);
  setFixedSize(all.right() + 1 + margin, all.bottom() + 1 + margin);
}
