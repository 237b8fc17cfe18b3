#include "app/Frmemployee1.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>

#include "app/ExportCommands.h"
#include "app/FrmAbout.h"
#include "data/DataControl.h"
#include "data/ServerSecurity.h"
#include "employee/FrmNewEmployee.h"
#include "lists/FrmExtras.h"
#include "lists/FrmNewSchedule.h"
#include "lists/FrmNewSchedule2.h"
#include "platform/CommonDialog.h"
#include "platform/Forms.h"
#include "platform/Geometry.h"
#include "platform/Help.h"
#include "platform/Pictures.h"
#include "platform/Pointer.h"
#include "platform/StatusBar.h"
#include "print/FrmPrintFull.h"

namespace {
// Width and height of the designed area that holds the title and the icons.
constexpr int kDesignWidth = 9615;
constexpr int kDesignHeight = 6000;
}  // namespace

Frmemployee1::Frmemployee1(QWidget* parent) : QMainWindow(parent) {
  setObjectName("Frmemployee1");
  setWindowTitle("Employees Rotawise Scheduler  Main Menu");
  setWindowIcon(programIcon());
  help::setHelpContext(this, 100);
  setFont(designFont("MS Sans Serif", 8.25, true, false, true));
  setColours(this, Qt::white);
  buildMenu();
  buildDesignArea();

  StatusBar1 = new StatusBar("StatusBar1", this);
  StatusBar1->setFont(designFont("MS Sans Serif", 8.25));
  StatusBar1->addPanel(StatusBar::Panel::Time, 1200);
  StatusBar1->addPanel(StatusBar::Panel::Date, 1400);
  StatusBar1->addPanel(StatusBar::Panel::Text, 5000, 1);
  setStatusBar(StatusBar1);

  CommonDialog1 = new CommonDialog("CommonDialog1", this);
  CommonDialog1->HelpFile = "employee.hlp";
  CommonDialog1->DialogTitle = "Employee's Rotawise Help";
  CommonDialog2 = new CommonDialog("CommonDialog2", this);

  Form_Load();
}

void Frmemployee1::Form_Load() {
  setBackgroundPicture(centralWidget(), "clouds.bmp");
  // With the table on a server, the notice says where and how safely it is reached.
  const QString server = db::serverConnectionNote();
  StatusBar1->setPanelText(3, "Employee's Rotawise Scheduler!  " +
                                  (server.isEmpty() ? QString("Plan the week, print it, pin it up.") : server));
  // Opens maximised; the geometry also fills the screen where no window
  // manager carries out the maximised state.
  if (QScreen* screen = QGuiApplication::primaryScreen()) setGeometry(screen->availableGeometry());
  setWindowState(windowState() | Qt::WindowMaximized);
}

QMenu* Frmemployee1::addMenu(const QString& name, const QString& caption, int helpContext) {
  QMenu* menu = menuBar()->addMenu(caption);
  menu->setFont(menuBar()->font());
  menu->setObjectName(name);
  menu->menuAction()->setObjectName(name);
  if (helpContext) help::setHelpContext(menu->menuAction(), helpContext);
  items_.insert(name, menu->menuAction());
  return menu;
}

QAction* Frmemployee1::addItem(QMenu* menu, const QString& name, const QString& caption,
                               int helpContext, void (Frmemployee1::*handler)()) {
  QAction* item = menu->addAction(caption);
  item->setObjectName(name);
  if (helpContext) help::setHelpContext(item, helpContext);
  connect(item, &QAction::triggered, this, handler);
  items_.insert(name, item);
  return item;
}

void Frmemployee1::addSeparator(QMenu* menu, const QString& name) {
  QAction* sep = menu->addSeparator();
  sep->setObjectName(name);
  items_.insert(name, sep);
}

void Frmemployee1::buildMenu() {
  // Menus use the system font, not the window's bold underlined one.
  QFont menuFont = QApplication::font("QMenuBar");
  menuFont.setBold(false);
  menuFont.setUnderline(false);
  menuBar()->setFont(menuFont);
  QMenu* project = addMenu("mnuProject", "Project &Options", 1);
  addItem(project, "MnuCompact", "&Compact database", 2, &Frmemployee1::MnuCompact_Click);
  addSeparator(project, "MenSep16");
  addItem(project, "MnuRepair", "&Repair database", 3, &Frmemployee1::MnuRepair_Click);
  addSeparator(project, "MenSep17");
  addItem(project, "Backup", "&Backup Database to floppy", 0, &Frmemployee1::Backup_Click);
  addSeparator(project, "MenSep68");
  addItem(project, "mnuExitProject", "&Exit", 4, &Frmemployee1::mnuExitProject_Click);

  QMenu* schedule = addMenu("mnuMakeSchedule", "&Schedule/Employee Data Changes", 5);
  addItem(schedule, "mnuNewEmployee", "&Enter New Employee data   Delete or Change", 6,
          &Frmemployee1::mnuNewEmployee_Click);
  addSeparator(schedule, "mensep5");
  addItem(schedule, "options", "Extra Schedule &options ", 0, &Frmemployee1::options_Click);
  addSeparator(schedule, "MenSep45");
  addItem(schedule, "Mnujob", "Employee &Job discriptions", 0, &Frmemployee1::Mnujob_Click);
  addSeparator(schedule, "MenSep47");
  addItem(schedule, "mnuPosition", "Building or Work&Area descriptions", 0,
          &Frmemployee1::mnuPosition_Click);

  QMenu* print = addMenu("mnuPrint", "&Print Schedules and Options");
  addItem(print, "MnuFull", "&Design Schedule and Print", 0, &Frmemployee1::MnuFull_Click);
  addSeparator(print, "MenSep48");
  addItem(print, "roster", "Print Employee &Roster", 0, &Frmemployee1::roster_Click);
  addSeparator(print, "MenSep49");
  addItem(print, "mnuExport", "E&xport calendars and spreadsheet", 0,
          &Frmemployee1::mnuExport_Click);

  QMenu* about = addMenu("AboutPrpgram", "&About");
  addItem(about, "whatname", "About &Employees Rotawise", 0, &Frmemployee1::whatname_Click);

  QMenu* helpMenu = addMenu("MnuHelp", "&Help");
  addItem(helpMenu, "MenHelpMain", "&Main Help Index", 0, &Frmemployee1::MenHelpMain_Click);
}

void Frmemployee1::buildDesignArea() {
  auto* central = new QWidget(this);
  central->setObjectName("ClientArea");
  setCentralWidget(central);
  // The designed controls sit in a fixed area, centred in the maximised window.
  auto* area = new QWidget(central);
  area->setObjectName("DesignArea");
  resizeClientTwips(area, kDesignWidth, kDesignHeight);
  central->setMinimumSize(area->size());

  Label1 = new QLabel("Employee's Rotawise Scheduler", area);
  Label1->setObjectName("Label1");
  Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  Label1->setFont(designFont("Arial", 26.25, true, true));
  setColours(Label1, QColor(), rgb(0, 0, 128));
  placeTwips(Label1, 0, 2640, kDesignWidth, 855);

  const struct {
    const char* name;
    int left, top;
  } corners[] = {{"Image2", 0, 120}, {"Image7", 9120, 120}, {"Image4", 0, 5520}, {"Image3", 9120, 5520}};
  for (const auto& c : corners) {
    auto* image = new QLabel(area);
    image->setObjectName(c.name);
    image->setPixmap(programIcon().scaled(twipsToPixels(480), twipsToPixels(480),
                                          Qt::KeepAspectRatio, Qt::SmoothTransformation));
    placeTwips(image, c.left, c.top, 480, 480);
  }

  Data1 = new DataControl("Data1", area);
  placeTwips(Data1, 840, 4680, 1140, 300);
  Data1->setCaption("Data1");
  Data1->setEnabled(false);
  Data1->setVisible(false);

  // Keep the design area centred whenever the window changes size.
  central->installEventFilter(this);
}

bool Frmemployee1::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) setMousePointer(this, pointer::Default);
  return QMainWindow::event(e);
}

bool Frmemployee1::eventFilter(QObject* watched, QEvent* e) {
  if (watched == centralWidget() && e->type() == QEvent::Resize) {
    if (auto* area = centralWidget()->findChild<QWidget*>("DesignArea")) {
      const QSize free = centralWidget()->size() - area->size();
      area->move(qMax(0, free.width() / 2), qMax(0, free.height() / 2));
    }
  }
  return QMainWindow::eventFilter(watched, e);
}

void Frmemployee1::mnuExitProject_Click() {
  // Ends the program at once: no window is asked anything on the way out.
  // Edits already typed into a record are written first, as leaving the
  // record would write them, so ending the program never loses them.
  for (QWidget* w : QApplication::topLevelWidgets()) {
    for (DataControl* data : w->findChildren<DataControl*>()) {
      try {
        data->closeRecordset();
      } catch (const std::exception&) {
        // A record that cannot be written must not keep the program open.
      }
    }
    if (w != this) w->setAttribute(Qt::WA_DeleteOnClose, false);
  }
  QApplication::exit(0);
}

void Frmemployee1::mnuNewEmployee_Click() {
  setMousePointer(this, pointer::Hourglass);
  doEvents();
  StatusBar1->setPanelText(3, "Loading and sorting Employee database...");
  setMousePointer(this, pointer::Hourglass);
  doEvents();
  showForm<FrmNewEmployee>();
}

void Frmemployee1::options_Click() { showForm<FrmExtras>(); }
void Frmemployee1::Mnujob_Click() { showForm<FrmNewSchedule2>(); }
void Frmemployee1::mnuPosition_Click() { showForm<FrmNewSchedule>(); }

void Frmemployee1::MnuFull_Click() {
  setMousePointer(this, pointer::Hourglass);
  doEvents();
  FrmPrintFull* setup = showForm<FrmPrintFull>();
  setMousePointer(setup, pointer::Hourglass);  // the setup window puts it back itself
}

void Frmemployee1::mnuExport_Click() { exportFromMenu(this); }

void Frmemployee1::whatname_Click() { showForm<FrmAbout>(); }

void Frmemployee1::MenHelpMain_Click() { showHelpContents(*CommonDialog1); }

void registerMainWindow() {
  setMainWindow([] { showForm<Frmemployee1>(); });
}
