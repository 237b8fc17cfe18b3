// The print window: its controls as designed, and where events land. What
// the buttons do is in FrmPrintItBaby_Actions.cpp.
#include "print/FrmPrintItBaby.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QWindow>

#include "data/DataControl.h"
#include "db/EmployeeFields.h"
#include "platform/Accessible.h"
#include "platform/ButtonFace.h"
#include "platform/CommonDialog.h"
#include "platform/Geometry.h"
#include "platform/Help.h"
#include "platform/Pictures.h"

namespace {
constexpr int kClientWidth = 9615;
// The designed window, and below its buttons the list of staff the preview
// leaves out.
constexpr int kUnlistedTop = 6960;
constexpr int kUnlistedHeight = 855;
constexpr int kClientHeight = kUnlistedTop + kUnlistedHeight + 120;

// The preview grid: one column per weekday, one row per time block.
constexpr std::array<int, 7> kColumnLeft = {1080, 2280, 3480, 4680, 5880, 7080, 8280};
constexpr int kColumnWidth = 1215;
constexpr std::array<int, 4> kRowTop = {360, 1800, 3360, 4920};
constexpr std::array<int, 4> kRowHeight = {1050, 1215, 1215, 1215};
constexpr int kButtonTop = 6480;
constexpr int kButtonHeight = 375;

const QString kDayHeadings =
    "  Monday          Tuesday      Wednesday     Thursday         Friday          Saturday        "
    "Sunday";

const QColor kGrey = rgb(192, 192, 192);

// The day headings keep their designed text, but each day name is drawn
// centred over its own column: blanks of one font never line up with the
// columns in another.
class DayHeadings : public QLabel {
 public:
  using QLabel::QLabel;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setFont(font());
    const QStringList days = text().split(u' ', Qt::SkipEmptyParts);
    const int origin = twipsToPixels(kColumnLeft[0]);
    for (int d = 0; d < days.size() && d < int(kColumnLeft.size()); ++d) {
      const QRect column(twipsToPixels(kColumnLeft[d]) - origin, 0, twipsToPixels(kColumnWidth),
                         height());
      painter.drawText(column, Qt::AlignCenter, days[d]);
    }
  }
};
const QColor kGreen = rgb(0, 255, 0);
const QColor kBlue = rgb(0, 0, 255);
const QColor kWhite = rgb(255, 255, 255);
}  // namespace

FrmPrintItBaby::FrmPrintItBaby(QWidget* parent) : QWidget(parent) {
  setObjectName("FrmPrintItBaby");
  setWindowTitle("Print Preview");
  setWindowIcon(programIcon());
  // A fixed single border and no control box: the window is left through its
  // own buttons.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setFont(designFont("MS Serif", 6, true));
  setColours(this, kGrey);
  help::setHelpContext(this, 200);
  buildControls();

  // The reset runs when the user comes to this window from another of the
  // program's windows, not when a message box or the printer dialog of its
  // own buttons closes.
  connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* focused) {
    if (!focused || focused == windowHandle()) return;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->windowHandle() == focused && !w->isModal() && !qobject_cast<QDialog*>(w))
        resetOnActivate_ = true;
  });
  Form_Load();
}

QPushButton* FrmPrintItBaby::addButton(const QString& name, const QString& caption, int left,
                                       int width, const QColor& colour,
                                       void (FrmPrintItBaby::*handler)()) {
  auto* button = new QPushButton(caption, this);
  button->setObjectName(name);
  button->setFont(buttonFont());
  button->setAutoDefault(false);
  // White on the blue button, so its caption stays readable.
  if (colour.isValid()) setButtonFace(button, colour, colour == kBlue ? kWhite : QColor(Qt::black));
  placeTwips(button, left, kButtonTop, width, kButtonHeight);
  connect(button, &QPushButton::clicked, this, handler);
  return button;
}

void FrmPrintItBaby::buildControls() {
  LblWhatArea = new QLineEdit(this);
  LblWhatArea->setObjectName("LblWhatArea");
  LblWhatArea->setFont(designFont("MS Serif", 6.75, true));
  LblWhatArea->setFrame(false);
  setColours(LblWhatArea, kGreen, Qt::black);
  placeTwips(LblWhatArea, 0, 0, 975, 285);

  Label12 = new DayHeadings(kDayHeadings, this);
  Label12->setObjectName("Label12");
  Label12->setTextFormat(Qt::PlainText);
  setColours(Label12, kGreen, Qt::black);
  placeTwips(Label12, 1080, 0, 8415, 255);

  for (int k = 0; k < 4; ++k) {
    auto* label = new QLabel(this);
    label->setObjectName(QString("txtTime%1").arg(k + 1));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setColours(label, kWhite, Qt::black);
    placeTwips(label, 0, kRowTop[k], 1095, 375);
    txtTime[k] = label;
  }

  // txtMon1 .. txtSun4: the day prefix and the block number.
  for (int d = 0; d < fields::DaysInWeek; ++d)
    for (int k = 0; k < 4; ++k) {
      auto* box = new QListWidget(this);
      box->setObjectName(QString("txt%1%2").arg(fields::weekdays[d].prefix).arg(k + 1));
      box->setProperty("Sorted", true);
      box->setFont(designFont("MS Serif", 6.75));
      box->setSelectionMode(QAbstractItemView::SingleSelection);
      placeTwips(box, kColumnLeft[d], kRowTop[k], kColumnWidth, kRowHeight[k]);
      grid_[d][k] = box;
    }
  grid_[0][0]->setProperty("DataSource", "Data1");

  Data1 = new DataControl("Data1", this);
  Data1->setCaption("Data1");
  // The control's own regular font, as in the print setup: in the window's
  // 6 pt its arrows come out too faint to read.
  Data1->setFont(designFont("MS Sans Serif", 8.25));
  // The designed place, narrowed to end where the Monday column begins.
  placeTwips(Data1, 0, 4440, 1065, 300);

  InfoLabel = new QLabel("Extra screen items are not shown in preview.", this);
  InfoLabel->setObjectName("InfoLabel");
  InfoLabel->setTextFormat(Qt::PlainText);
  InfoLabel->setAlignment(Qt::AlignCenter);
  InfoLabel->setFont(designFont("MS Serif", 12, true, false, true));
  setColours(InfoLabel, QColor(), rgb(0, 0, 128));
  placeTwips(InfoLabel, 1080, 4560, 8415, 375);
  InfoLabel->hide();

  lblUnlisted = new QLabel("Not on the schedule:", this);
  lblUnlisted->setObjectName("lblUnlisted");
  lblUnlisted->setTextFormat(Qt::PlainText);
  lblUnlisted->setWordWrap(true);
  lblUnlisted->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setColours(lblUnlisted, kWhite, Qt::black);
  placeTwips(lblUnlisted, 0, kUnlistedTop, 1095, 375);
  lstUnlisted = new QListWidget(this);
  lstUnlisted->setObjectName("lstUnlisted");
  lstUnlisted->setFont(designFont("MS Serif", 6.75));
  lstUnlisted->setSelectionMode(QAbstractItemView::NoSelection);
  lstUnlisted->setToolTip("Staff who work in this area on these days, but whose hours match none "
                          "of the schedule's four times.");
  placeTwips(lstUnlisted, kColumnLeft[0], kUnlistedTop, 8415, kUnlistedHeight);

  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->setObjectName("ProgressBar1");
  ProgressBar1->setTextVisible(false);
  ProgressBar1->setRange(0, 7);
  placeTwips(ProgressBar1, 1080, 6120, 8415, 255);

  Command3 = addButton("Command3", "Process &Data Preview", 240, 2055, kBlue,
                       &FrmPrintItBaby::Command3_Click);
  Command4 = addButton("Command4", "&Print", 2640, 1695, kGreen, &FrmPrintItBaby::Command4_Click);
  Command2 = addButton("Command2", "&Return to previous screen", 4680, 2655, QColor(),
                       &FrmPrintItBaby::Command2_Click);
  Command1 = addButton("Command1", "&Exit", 7680, 1575, QColor(), &FrmPrintItBaby::Command1_Click);

  CommonDialog1 = new CommonDialog("CommonDialog1", this);
  CommonDialog1->DialogTitle = "Choose Number of copies";

  const QRect area = twipsRect(0, 0, kClientWidth, kClientHeight);
  setFixedSize(area.size());
  nameControls();
}

void FrmPrintItBaby::nameControls() {
  accessible::setName(LblWhatArea, "Area");
  accessible::setLabel(lblUnlisted, lstUnlisted, {}, lstUnlisted->toolTip());
  nameGrid();
  // Tab follows the screen: the area, the grid day by day, the bar, the
  // buttons, the staff left out below them.
  QWidget* previous = LblWhatArea;
  auto next = [&](QWidget* w) {
    setTabOrder(previous, w);
    previous = w;
  };
  for (const auto& column : grid_)
    for (QListWidget* box : column) next(box);
  for (QWidget* arrow : Data1->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (arrow->focusPolicy() & Qt::TabFocus) next(arrow);
  for (QWidget* button : {Command3, Command4, Command2, Command1}) next(button);
  next(lstUnlisted);
  // The window opens on its first button, with no text cursor in the area box.
  Command3->setFocus();
  accessible::onEscape(this, [this] {
    if (!busy_ && Command1->isEnabled()) Command1_Click();
  });
}

void FrmPrintItBaby::nameGrid() {
  // "Monday, Day shift" once the preview has given the blocks their labels.
  for (int d = 0; d < fields::DaysInWeek; ++d)
    for (int k = 0; k < 4; ++k) {
      QString block = txtTime[k]->text().simplified();
      if (block.isEmpty()) block = QString("time %1").arg(k + 1);
      accessible::setName(grid_[d][k], QString("%1, %2").arg(fields::weekdays[d].name, block));
    }
}

bool FrmPrintItBaby::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate && resetOnActivate_) {
    resetOnActivate_ = false;
    if (!busy_) Form_Activate();
  }
  return QWidget::event(e);
}

double FrmPrintItBaby::rowUnit() const {
  const QFontMetrics metrics(font());
  return pixelsToTwips(metrics.size(Qt::TextSingleLine, "WpgyG").height());
}
