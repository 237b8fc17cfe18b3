// The print setup window: its controls as designed, and where events land.
// What the buttons and lists do is in FrmPrintFull_Actions.cpp.
#include "print/FrmPrintFull.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

#include "data/DataControl.h"
#include "platform/Accessible.h"
#include "platform/CommonDialog.h"
#include "platform/Geometry.h"
#include "platform/Help.h"
#include "platform/Pictures.h"
#include "platform/StatusBar.h"

namespace {
// The designed client area above the status bar.
constexpr int kClientWidth = 9615;
constexpr int kClientHeight = 6480;

const QColor kBlue = rgb(0, 0, 255);
const QColor kCyan = rgb(0, 255, 255);
const QColor kGreen = rgb(0, 255, 0);
const QColor kWhite = rgb(255, 255, 255);
}  // namespace

FrmPrintFull::FrmPrintFull(QWidget* parent) : QWidget(parent) {
  setObjectName("FrmPrintFull");
  setWindowTitle("Schedule Printing Setup");
  setWindowIcon(programIcon());
  // A fixed single border and no control box: the window is left through its
  // own buttons, which always bring the main window back.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setFont(designFont("MS Sans Serif", 8.25, true));
  setColours(this, rgb(192, 192, 192));
  help::setHelpContext(this, 1000);
  buildControls();
  assignHelpContexts();
  nameControls();
  // The load check runs on a key press anywhere in the window and on a mouse
  // move over it, as the old window previewed every key.
  setMouseTracking(true);
  qApp->installEventFilter(this);
  Form_Load();
}

QLabel* FrmPrintFull::addLabel(const QString& name, const QString& caption, int left, int top,
                               int width, int height) {
  auto* label = new QLabel(caption, this);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setColours(label, kBlue, kWhite);
  placeTwips(label, left, top, width, height);
  return label;
}

QComboBox* FrmPrintFull::addChoiceBox(const QString& name, int left, int top, int width,
                                      int height) {
  auto* box = new QComboBox(this);
  box->setObjectName(name);
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);  // typing a text never adds a choice
  box->setMaxVisibleItems(12);
  setColours(box, kBlue, kCyan);
  placeTwips(box, left, top, width, height);
  return box;
}

QPushButton* FrmPrintFull::addButton(const QString& name, const QString& caption, int left,
                                     int top, int width, int height,
                                     void (FrmPrintFull::*handler)()) {
  auto* button = new QPushButton(caption, this);
  button->setObjectName(name);
  button->setFont(buttonFont());
  button->setAutoDefault(false);
  placeTwips(button, left, top, width, height);
  connect(button, &QPushButton::clicked, this, handler);
  return button;
}

void FrmPrintFull::buildControls() {
  Label1 = addLabel("Label1", "Employees Rotawise!   Print Schedule Setup Screen", 0, 0, 9615, 375);
  Label1->setFont(designFont("Arial", 9, true));
  Label1->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
  setColours(Label1, kGreen, Qt::black);

  Data1 = new DataControl("Data1", this);
  Data1->setCaption("Data1");
  Data1->setFont(designFont("MS Sans Serif", 8.25));  // the control's own regular font
  // The designed bar is narrow: slim arrows leave its caption room to show.
  for (QToolButton* arrow : Data1->findChildren<QToolButton*>()) arrow->setMaximumWidth(twipsToPixels(270));
  placeTwips(Data1, 0, 480, 1695, 300);

  Label2 = addLabel("Label2", "Choose Area    ->", 0, 840, 1575, 255);
  txtfindAreas = addChoiceBox("txtfindAreas", 1680, 840, 2535, 315);
  Label3 = addLabel("Label3", "Choose           -> Position to mark as special on printed schedule.",
                    0, 1440, 1575, 855);
  txtFindPosition = addChoiceBox("txtFindPosition", 1680, 1440, 2535, 315);
  Label9 = addLabel("Label9",
                    "<--You may leave this field blank if you choose not to mark any particular "
                    "postion on this schedule with an asterisk. (*)",
                    4320, 1440, 2295, 1095);

  txtFindtime = addLabel("txtFindtime", "Choose Times  -> Up to four per schedule.", 0, 2640, 1575,
                         735);
  const int timeTops[4] = {2640, 3120, 3600, 4080};
  for (int k = 0; k < 4; ++k) {
    txtFindTimes[k] = addChoiceBox(QString("txtFindTimes%1").arg(k + 1), 1680, timeTops[k], 2535, 315);
    auto* label = new QLineEdit(this);
    label->setObjectName(QString("txtLabel%1").arg(k + 1));
    setColours(label, kBlue, kGreen);
    placeTwips(label, 4320, timeTops[k], 1215, 375);
    txtLabel[k] = label;
  }
  Label4 = addLabel("Label4", "^-Label your time choices as you would like to see them on the schedule.",
                    4320, 4560, 2415, 735);

  Label5 = addLabel("Label5", "Print daily        -> or weekly schedule.", 0, 5400, 1575, 735);
  txtDayorWeek = addChoiceBox("txtDayorWeek", 1680, 5400, 1575, 315);

  Label6 = addLabel("Label6", "         Staff Exclusions", 6840, 480, 2535, 255);
  txtStaffVacation = addChoiceBox("txtStaffVacation", 6840, 840, 2655, 315);
  Label7a = addLabel("Label7a", "These staff will be excluded from this printing.", 6840, 1200,
                     2655, 495);
  txtStaffVacationList = new QListWidget(this);
  txtStaffVacationList->setObjectName("txtStaffVacationList");
  txtStaffVacationList->setProperty("Sorted", true);
  setColours(txtStaffVacationList, rgb(0, 0, 64), kGreen);
  placeTwips(txtStaffVacationList, 6840, 1680, 2655, 2790);
  Label8 = addLabel("Label8", "^--Double Click to remove name from list.", 6840, 4560, 2655, 735);
  txtStaffVacation->setProperty("Sorted", true);

  Command3 = addButton("Command3", "&Ok I'm ready to &Print", 3840, 5760, 2175, 375,
                       &FrmPrintFull::Command3_Click);
  Command2 = addButton("Command2", "Clear &Form", 6360, 5520, 1335, 375, &FrmPrintFull::Command2_Click);
  Command4 = addButton("Command4", "&Save Info", 6360, 6000, 1335, 375, &FrmPrintFull::Command4_Click);
  Command1 = addButton("Command1", "&Exit", 8040, 5520, 1215, 375, &FrmPrintFull::Command1_Click);
  Command5 = addButton("Command5", "&Help", 8040, 6000, 1215, 375, &FrmPrintFull::Command5_Click);

  connect(txtfindAreas, &QComboBox::activated, this, [this] { txtfindAreas_Click(); });
  connect(txtStaffVacation, &QComboBox::activated, this, [this] { txtStaffVacation_Click(); });
  connect(txtStaffVacationList, &QListWidget::itemDoubleClicked, this,
          [this] { txtStaffVacationList_DblClick(); });

  CommonDialog1 = new CommonDialog("CommonDialog1", this);

  // The status bar is docked below the designed area.
  StatusBar1 = new StatusBar("StatusBar1", this);
  StatusBar1->setFont(designFont("MS Sans Serif", 8.25));
  StatusBar1->addPanel(StatusBar::Panel::Text, 5000, 1);
  StatusBar1->addPanel(StatusBar::Panel::Date, 1400);
  StatusBar1->addPanel(StatusBar::Panel::Time, 1200);
  const int barHeight = StatusBar1->sizeHint().height();
  const QRect area = twipsRect(0, 0, kClientWidth, kClientHeight);
  StatusBar1->setGeometry(0, area.height(), area.width(), barHeight);
  setFixedSize(area.width(), area.height() + barHeight);
}

void FrmPrintFull::nameControls() {
  using accessible::setLabel;
  using accessible::setName;
  using accessible::spoken;
  setLabel(Label2, txtfindAreas, {},
           "The area this schedule is for; All_Areas prints one page for every area.");
  setLabel(Label3, txtFindPosition, "Position to mark", spoken(Label9->text()));
  setLabel(txtFindtime, txtFindTimes[0], "Time 1", spoken(txtFindtime->text()));
  for (int k = 1; k < 4; ++k)
    setName(txtFindTimes[k], QString("Time %1").arg(k + 1), spoken(txtFindtime->text()));
  for (int k = 0; k < 4; ++k)
    setName(txtLabel[k], QString("Label for time %1").arg(k + 1), spoken(Label4->text()));
  setLabel(Label5, txtDayorWeek);
  setLabel(Label6, txtStaffVacation, {}, "Pick a name to leave that employee off this printing.");
  setLabel(Label7a, txtStaffVacationList, "Excluded staff",
           Label7a->text() + "  Select a name and press Delete, or double-click it, to take it "
                             "off the list.");
  accessible::onEscape(this, [this] {
    if (!leaving_) Command1_Click();
  });
}

void FrmPrintFull::assignHelpContexts() {
  // One topic per group of the window, as the help file numbers them.
  help::setHelpContext(txtfindAreas, 1001);
  help::setHelpContext(txtFindPosition, 1002);
  for (QComboBox* box : txtFindTimes) help::setHelpContext(box, 1003);
  for (QLineEdit* box : txtLabel) help::setHelpContext(box, 1004);
  help::setHelpContext(txtDayorWeek, 1005);
  help::setHelpContext(txtStaffVacation, 1006);
  help::setHelpContext(txtStaffVacationList, 1006);
  help::setHelpContext(Command3, 1007);
  help::setHelpContext(Command2, 1008);
  help::setHelpContext(Command4, 1009);
  help::setHelpContext(Command1, 1010);
  help::setHelpContext(Command5, 1010);
}

bool FrmPrintFull::eventFilter(QObject* watched, QEvent* e) {
  const QEvent::Type type = e->type();
  if ((type == QEvent::KeyPress || type == QEvent::MouseMove) && watched->isWidgetType()) {
    auto* w = static_cast<QWidget*>(watched);
    if (w == this || isAncestorOf(w)) {
      if (type == QEvent::KeyPress) Form_KeyPress();
      else Form_MouseMove();
    }
    // Delete takes the selected name off the exclusion list, as a double click does.
    if (type == QEvent::KeyPress && w == txtStaffVacationList && !leaving_ &&
        static_cast<QKeyEvent*>(e)->key() == Qt::Key_Delete) {
      txtStaffVacationList_DblClick();
      return true;
    }
  }
  return QWidget::eventFilter(watched, e);
}
