#include "lists/FrmExtras.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "lists/ExtrasFile.h"
#include "platform/Accessible.h"
#include "platform/CommonDialog.h"
#include "platform/Forms.h"
#include "platform/Geometry.h"
#include "platform/Help.h"
#include "platform/MessageBox.h"
#include "platform/Pictures.h"

namespace {
constexpr int kClientWidth = 9615;
constexpr int kClientHeight = 6975;
constexpr int kBoxHeight = 375;
constexpr int kDayBoxWidth = 1935;
constexpr int kDayLabelWidth = 1215;

QFont labelFont() { return designFont("MS Sans Serif", 8.25, true); }

// The weekday labels and boxes: label number, caption, box number, left of
// label and box, top.
struct DayRow {
  int label;
  const char* caption;
  int box;
  int labelLeft, boxLeft, top;
};
constexpr DayRow kDayRows[] = {
    {10, "Label/Name", 13, 360, 1800, 4920}, {3, "Monday", 6, 360, 1800, 5400},
    {4, "Tuesday", 7, 360, 1800, 5880},      {5, "Wednesday", 8, 360, 1800, 6360},
    {6, "Thursday", 9, 3960, 5280, 4920},    {7, "Friday", 10, 3960, 5280, 5400},
    {8, "Saturday", 11, 3960, 5280, 5880},   {9, "Sunday", 12, 3960, 5280, 6360},
};
}  // namespace

FrmExtras::FrmExtras(QWidget* parent) : QWidget(parent) {
  setObjectName("FrmExtras");
  setWindowTitle("Schedule Extras");
  setFont(designFont("MS Sans Serif", 8.25));
  help::setHelpContext(this, 400);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);  // shows where the picture does not
  setPalette(pal);
  setAutoFillBackground(true);

  auto makeLabel = [this](int number, const QString& caption) {
    auto* label = new QLabel(caption, this);
    label->setObjectName(QString("Label%1").arg(number));
    label->setFont(labelFont());
    label->setIndent(twipsToPixels(45));  // keeps the text off the label's edge
    setColours(label, rgb(0, 255, 0), Qt::black);
    Label[number - 1] = label;
    return label;
  };
  auto makeBox = [this](int number, int maxLength, int helpContext) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString("Text%1").arg(number));
    edit->setFont(labelFont());
    edit->setMaxLength(maxLength);
    setColours(edit, rgb(0, 0, 255), Qt::white);
    help::setHelpContext(edit, helpContext);
    Text[number - 1] = edit;
    return edit;
  };

  QLabel* intro = makeLabel(
      1,
      "Enter up to five sentences to add to the bottom of the schedule.  You can use this option "
      "to add any type of information you would like to the bottom of the schedule.");
  intro->setWordWrap(true);
  placeTwips(intro, 1560, 120, 6495, 615);
  for (int i = 1; i <= 5; ++i) {
    QLineEdit* sentence = makeBox(i, 75, 1301);
    placeTwips(sentence, 360, 960 + (i - 1) * 600, 9015, kBoxHeight);
    accessible::setName(sentence, QString("Sentence %1").arg(i),
                        "Printed on a line of its own at the bottom of every schedule.");
  }

  QLabel* dayIntro = makeLabel(
      2,
      " Use this option for a permenent part of your schedules.  Use for an on call schedule, "
      "etc.  These names or events will print below their proper day on the schedule.");
  dayIntro->setWordWrap(true);
  placeTwips(dayIntro, 1680, 3960, 6375, 735);

  for (const DayRow& row : kDayRows) {
    QLabel* label = makeLabel(row.label, row.caption);
    // The day names sit centred in their labels; "Label/Name" reads from the left.
    label->setAlignment(row.label == 10 ? (Qt::AlignLeft | Qt::AlignVCenter) : Qt::AlignCenter);
    placeTwips(label, row.labelLeft, row.top, kDayLabelWidth, kBoxHeight);
    QLineEdit* entry = makeBox(row.box, 20, 1302);
    placeTwips(entry, row.boxLeft, row.top, kDayBoxWidth, kBoxHeight);
    const QString says = row.label == 10
                             ? "Printed at the left of the extra line under the schedule."
                             : QString("Printed under %1 on the schedule.").arg(row.caption);
    accessible::setLabel(label, entry, {}, says);
  }

  auto makeButton = [this](const char* name, const char* caption, int top) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setFont(buttonFont());
    placeTwips(button, 7800, top, 1215, 495);
    return button;
  };
  Command1 = makeButton("Command1", "&Cancel", 6240);
  Command2 = makeButton("Command2", "&Save", 5520);
  Command3 = makeButton("Command3", "&Help", 4800);
  connect(Command1, &QPushButton::clicked, this, &FrmExtras::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &FrmExtras::Command2_Click);
  connect(Command3, &QPushButton::clicked, this, &FrmExtras::Command3_Click);

  CommonDialog1 = new CommonDialog("CommonDialog1", this);

  // Tab order: the sentences, Label/Name, Monday to Sunday, Cancel, Save, Help.
  QWidget* order[] = {box(1), box(2),  box(3),  box(4),  box(5),  box(13),  box(6),  box(7),
                      box(8), box(9), box(10), box(11), box(12), Command1, Command2, Command3};
  for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
  box(1)->setFocus();
  setAccessibleDescription(intro->text());
  accessible::onEscape(this, [this] { closeByEscape(); });

  setFixedSize(twipsToPixels(kClientWidth), twipsToPixels(kClientHeight));  // fixed single border
  Form_Load();
}

QLineEdit* FrmExtras::boxOfLine(int fileLine) const {
  return findChild<QLineEdit*>(extrasLines()[fileLine].box, Qt::FindDirectChildrenOnly);
}

QStringList FrmExtras::valuesInFileOrder() const {
  QStringList values;
  for (int line = 0; line < kExtrasLineCount; ++line) values.append(boxOfLine(line)->text());
  return values;
}

void FrmExtras::Form_Load() {
  setBackgroundPicture(this, "clouds.bmp");  // a missing picture leaves the window plain
  const QStringList items = readExtrasItems();  // a missing file leaves every box empty
  for (int line = 0; line < kExtrasLineCount; ++line) {
    QLineEdit* edit = boxOfLine(line);
    // A longer value from a hand-edited file is shown whole, so saving does not
    // cut it; typing still stops at the box's limit for anything shorter.
    edit->setMaxLength(qMax(extrasLines()[line].maxLength, int(items[line].size())));
    edit->setText(items[line]);
    edit->setCursorPosition(0);
  }
}

void FrmExtras::Command1_Click() { closeAndShowMainWindow(); }

void FrmExtras::Command2_Click() {
  SaveResult result;
  try {
    result = saveExtras(valuesInFileOrder());
  } catch (...) {
    result = SaveResult::failed(
        saveFailedMessage("The schedule extras", "Something went wrong on the way."));
  }
  if (!result.ok) {
    msgBox(result.message, msg::OkOnly + msg::Exclamation, "Opps!");
    return;  // the window stays open with the user's entries
  }
  closeAndShowMainWindow();
}

void FrmExtras::Command3_Click() { showHelpContents(*CommonDialog1); }

void FrmExtras::closeByEscape() {
  // As the title bar's close button: the window's own close handling has its say.
  setProperty("unloading", true);
  if (close()) showMainWindow();
  else setProperty("unloading", false);
}

void FrmExtras::closeAndShowMainWindow() {
  unloadForm(this);
  showMainWindow();
}
