#include "app/FrmStart.h"

#include <QLabel>
#include <QTimer>

#include "app/HelpModule.h"
#include "platform/Forms.h"
#include "platform/Geometry.h"
#include "platform/Help.h"
#include "platform/Pictures.h"
#include "platform/Pointer.h"

FrmStart::FrmStart(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setObjectName("FrmStart");
  setWindowTitle("Employees Rotawise");
  help::setHelpContext(this, 900);
  setGeometry(twipsRect(3120, 1905, 2805, 3885));
  setColours(this, palette().color(QPalette::Base));
  Form_Load();
}

FrmStart::~FrmStart() { Form_Unload(); }

void FrmStart::Form_Load() {
  HelpStart(QVariant::fromValue<qlonglong>(static_cast<qint32>(winId())));
  // The picture fills the window from its top left corner, as a form picture does.
  auto* picture = new QLabel(this);
  picture->setObjectName("Picture");
  picture->setPixmap(loadPicture("employee.bmp"));
  picture->setGeometry(rect());
  picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void FrmStart::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!activated_) {
    activated_ = true;
    QTimer::singleShot(0, this, &FrmStart::Form_Activate);
  }
}

void FrmStart::Form_Activate() {
  doEvents();
  showMainWindow();
  unloadForm(this);
}

void FrmStart::Form_Unload() { HelpQuit(); }
