#include "app/FrmAbout.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

#include "platform/Forms.h"
#include "platform/Geometry.h"
#include "platform/Help.h"
#include "platform/Pictures.h"

namespace {
const QColor kBackground = rgb(128, 255, 255);
}

FrmAbout::FrmAbout(QWidget* parent)
    // A fixed dialog frame with a title and nothing else: no close box, no
    // maximise or minimise button.
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName("FrmAbout");
  setWindowTitle("About Employees Rotawise");
  setWindowIcon(programIcon());
  help::setHelpContext(this, 300);
  setFont(designFont("MS Sans Serif", 8.25));
  setColours(this, kBackground, Qt::black);
  move(twipsToPixels(2265), twipsToPixels(2460));
  setFixedSize(twipsRect(0, 0, 4920, 3405).size());

  // Tab order as designed: Label1, Command1, then the other labels. Labels
  // take no focus, so the button is the window's first (and only) stop.
  Label1 = addLabel("Label1", "Free to use for your business.", 1080, 1320, 3255, 255);

  Command1 = new QPushButton("&Ok I've read this long enough!", this);
  Command1->setObjectName("Command1");
  Command1->setFont(buttonFont());
  {  // a plain button face, not the window's cyan
    QPalette face = Command1->palette();
    face.setColor(QPalette::Button, QApplication::palette().color(QPalette::Button));
    Command1->setPalette(face);
  }
  Command1->setAutoDefault(true);  // Enter presses it, as it would in a dialog
  placeTwips(Command1, 240, 2880, 4335, 375);
  connect(Command1, &QPushButton::clicked, this, &FrmAbout::Command1_Click);

  Label2 = addLabel("Label2", "Employees Rotawise Scheduler!", 600, 240, 4095, 375);
  QFont heavy = designFont("System", 9.75, true);
  heavy.setWeight(QFont::Black);
  Label2->setFont(heavy);

  Label3 = addLabel("Label3", "by the Rotawise team", 1440, 720, 2175, 255);
  Label3->setFont(designFont("MS Sans Serif", 9.75, true, true));

  Label4 = addLabel("Label4", "Help: press F1 in any window for help on what you are doing.",
                    960, 1800, 3015, 495);
  Label5 = addLabel("Label5",
                    "Questions: see the Main Help Index in the Help menu of the main window.",
                    720, 2400, 3735, 495);
  Label5->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

  Picture1 = new QLabel(this);
  Picture1->setObjectName("Picture1");
  Picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Picture1->setAlignment(Qt::AlignCenter);
  placeTwips(Picture1, 0, 0, 540, 540);
  const int inner = Picture1->contentsRect().width();
  Picture1->setPixmap(
      programIcon().scaled(inner, inner, Qt::KeepAspectRatio, Qt::SmoothTransformation));

  // Labels are drawn on the window itself, below every control: the last
  // label's box reaches a little into the button, which must stay whole.
  Command1->raise();
  Command1->setFocus();
}

QLabel* FrmAbout::addLabel(const QString& name, const QString& text, int left, int top,
                           int width, int height) {
  auto* label = new QLabel(text, this);
  label->setObjectName(name);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setColours(label, kBackground);
  placeTwips(label, left, top, width, height);
  return label;
}

void FrmAbout::Command1_Click() {
  unloadForm(this);
  showMainWindow();
}

void FrmAbout::closeEvent(QCloseEvent* event) {
  if (property("unloading").toBool()) event->accept();
  else event->ignore();
}
