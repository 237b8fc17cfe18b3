#include "lists/ListWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/Accessible.h"
#include "platform/CommonDialog.h"
#include "platform/Forms.h"
#include "platform/Geometry.h"
#include "platform/Help.h"
#include "platform/MessageBox.h"
#include "platform/Pictures.h"
#include "platform/StatusBar.h"

namespace {
constexpr int kBoxHeight = 375;
constexpr int kBoxesPerColumn = kListBoxCount / 2;
}  // namespace

ListWindow::ListWindow(const ListWindowDesign& d, QWidget* parent)
    : QWidget(parent), fileName_(d.fileName) {
  setObjectName(d.objectName);
  setWindowTitle(d.caption);
  setFont(designFont("MS Sans Serif", 8.25));
  help::setHelpContext(this, d.windowHelp);

  Label1 = new QLabel(d.instructions, this);
  Label1->setObjectName("Label1");
  Label1->setWordWrap(true);
  Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Label1->setMargin(twipsToPixels(60));
  Label1->setFont(designFont("MS Sans Serif", 9.75, d.labelBold));
  setColours(Label1, rgb(192, 255, 255), Qt::black);
  placeTwips(Label1, d.label.x(), d.label.y(), d.label.width(), d.label.height());

  for (int i = 0; i < kListBoxCount; ++i) {
    auto* box = new QLineEdit(kEmptyBox, this);
    box->setObjectName(QString("Text%1").arg(i + 1));
    const bool left = i < kBoxesPerColumn;
    const int top = d.firstTop + (i % kBoxesPerColumn) * d.step;
    placeTwips(box, left ? d.leftColumnLeft : d.rightColumnLeft, top,
               left ? d.leftColumnWidth : d.rightColumnWidth, kBoxHeight);
    if (d.boxHasHelp[i]) help::setHelpContext(box, d.boxHelp);
    accessible::setName(box, QString("%1 %2").arg(d.boxName).arg(i + 1), d.boxDescription);
    Text[i] = box;
  }
  setAccessibleDescription(d.instructions);
  accessible::onEscape(this, [this] { closeByEscape(); });

  CommonDialog1 = new CommonDialog("CommonDialog1", this);

  StatusBar1 = new StatusBar("StatusBar1", this);
  StatusBar1->addPanel(StatusBar::Panel::Text, 4000, 1);
  StatusBar1->addPanel(StatusBar::Panel::Date, 1200);
  StatusBar1->addPanel(StatusBar::Panel::Time, 1000);
  StatusBar1->setPanelText(1, "Boxes showing \"Empty\" are left out of the list.");
  setColours(StatusBar1, rgb(192, 192, 192), Qt::black);
  const int width = twipsToPixels(d.clientWidth);
  const int height = twipsToPixels(d.clientHeight);
  const int barHeight = StatusBar1->sizeHint().height();
  StatusBar1->setGeometry(0, height, width, barHeight);
  setFixedSize(width, height + barHeight);  // a fixed single border
}

QPushButton* ListWindow::addButton(const char* name, const char* caption, int left, int top,
                                   int width, int height) {
  auto* button = new QPushButton(caption, this);
  button->setObjectName(name);
  button->setFont(buttonFont());
  placeTwips(button, left, top, width, height);
  return button;
}

void ListWindow::setButtonTabOrder(std::initializer_list<QWidget*> buttons) {
  QWidget* previous = Text[0];
  for (int i = 1; i < kListBoxCount; ++i) {
    setTabOrder(previous, Text[i]);
    previous = Text[i];
  }
  for (QWidget* b : buttons) {
    setTabOrder(previous, b);
    previous = b;
  }
  Text[0]->setFocus();
}

QStringList ListWindow::boxTexts() const {
  QStringList texts;
  for (const QLineEdit* box : Text) texts.append(box->text());
  return texts;
}

void ListWindow::setBoxTexts(const QStringList& texts) {
  for (int i = 0; i < kListBoxCount; ++i) Text[i]->setText(texts.value(i, kEmptyBox));
}

void ListWindow::Form_Load() {
  setBackgroundPicture(this, "clouds.bmp");  // a missing picture leaves the window plain
  setBoxTexts(loadListBoxes(fileName_));
}

void ListWindow::saveList() {
  SaveResult result;
  try {
    result = saveListBoxes(fileName_, boxTexts());
  } catch (...) {
    result = SaveResult::failed(saveFailedMessage("The list", "Something went wrong on the way."));
  }
  if (!result.ok) {
    msgBox(result.message, msg::OkOnly + msg::Exclamation, "Opps!");
    return;  // the window stays open with the user's entries
  }
  closeAndShowMainWindow();
}

void ListWindow::cancelList() { closeAndShowMainWindow(); }

void ListWindow::closeByEscape() {
  setProperty("unloading", true);
  if (close()) showMainWindow();
  else setProperty("unloading", false);  // the window's close handling kept it open
}

void ListWindow::showHelp() { showHelpContents(*CommonDialog1); }

void ListWindow::closeAndShowMainWindow() {
  unloadForm(this);
  showMainWindow();
}
