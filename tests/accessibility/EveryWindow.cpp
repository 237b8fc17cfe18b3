#include "EveryWindow.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QTextBrowser>
#include <QWidget>

#include "app/BackupFolderDialog.h"
#include "app/FrmAbout.h"
#include "app/FrmStart.h"
#include "app/Frmemployee1.h"
#include "employee/FrmNewEmployee.h"
#include "lists/FrmExtras.h"
#include "lists/FrmNewSchedule.h"
#include "lists/FrmNewSchedule2.h"
#include "lists/ListFile.h"
#include "platform/Forms.h"
#include "platform/Help.h"
#include "print/FrmPrintFull.h"
#include "print/FrmPrintItBaby.h"
#include "support/ScheduleData.h"

namespace {
Frmemployee1* mainWindow() { return showForm<Frmemployee1>(); }

// The window the main window's menu item opens.
template <class Form>
std::function<QWidget*()> fromMenu(const char* item) {
  return [item]() -> QWidget* {
    mainWindow()->menuItem(item)->trigger();
    return findForm<Form>();
  };
}
}  // namespace

std::vector<WindowCase> everyWindow() {
  return {
      {"FrmStart", [] { return new FrmStart(); }},  // it opens the main window once shown
      {"Frmemployee1", [] { return mainWindow(); }},
      {"FrmAbout", fromMenu<FrmAbout>("whatname")},
      {"FrmNewEmployee", fromMenu<FrmNewEmployee>("mnuNewEmployee")},
      {"FrmNewSchedule", fromMenu<FrmNewSchedule>("mnuPosition")},
      {"FrmNewSchedule2", fromMenu<FrmNewSchedule2>("Mnujob")},
      {"FrmExtras", fromMenu<FrmExtras>("options")},
      {"FrmPrintFull", fromMenu<FrmPrintFull>("MnuFull")},
      // The print setup's Ok opens it, on the files it hands over.
      {"FrmPrintItBaby", [] { return showForm<FrmPrintItBaby>(); }},
      {"HelpWindow",
       [] {
         mainWindow()->menuItem("MenHelpMain")->trigger();
         return help::viewer() ? help::viewer()->window() : nullptr;
       }},
      {"BackupFolderDialog",
       [] {
         auto* dialog = new BackupFolderDialog({QDir::currentPath()}, {});
         dialog->setAttribute(Qt::WA_DeleteOnClose);
         dialog->show();
         return dialog;
       }},
  };
}

WindowsTest::WindowsTest() {
  folder.installAll();
  handOverSampleWeek(folder.file("employee.mdb"));
  EXPECT_TRUE(writeListLines("POSITION.IGH", {"Chef", "Cook", "Bar Manager", "Receptionist"}));
  handOver(
      {"Kitchen", "Chef", "Weekly", {"7A.M. - 3P.M.", "3P.M. - 11P.M."}, {"Days", "Evenings"}});
}

WindowsTest::~WindowsTest() { deleteAllWindows(); }

QWidget* WindowsTest::open(const WindowCase& c) {
  QWidget* w = c.open();
  EXPECT_NE(w, nullptr) << c.name;
  if (!w) return nullptr;
  EXPECT_EQ(w->objectName(), c.name);
  if (!w->isVisible()) return w;  // the splash, made but not shown
  w->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(w)) << c.name;
  return w;
}

QWidget* WindowsTest::open(const char* name) {
  for (const WindowCase& c : everyWindow())
    if (qstrcmp(c.name, name) == 0) return open(c);
  ADD_FAILURE() << "no window " << name;
  return nullptr;
}

bool isInteractive(QAccessible::Role role) {
  switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::Slider:
    case QAccessible::List:
    case QAccessible::Table:
    case QAccessible::Tree:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::PageTab:
    case QAccessible::Link:
      return true;
    default:
      return false;
  }
}

namespace {
void collect(QAccessibleInterface* node, QList<QAccessibleInterface*>& out) {
  for (int i = 0; i < node->childCount(); ++i) {
    QAccessibleInterface* child = node->child(i);
    if (!child) continue;
    const QAccessible::Role role = child->role();
    // Text read with the keyboard (the help) is worked with too.
    auto* widget = qobject_cast<QWidget*>(child->object());
    const bool takesTab = widget && (widget->focusPolicy() & Qt::TabFocus) &&
                          (role == QAccessible::StaticText || role == QAccessible::Document);
    if (isInteractive(role) || takesTab) out << child;
    // A combo box's parts are its popup list and its text field: only the
    // field is typed into. A list's rows and a bar's scroll bars are not
    // controls of their own.
    if (role == QAccessible::ComboBox) {
      for (int k = 0; k < child->childCount(); ++k)
        if (QAccessibleInterface* part = child->child(k);
            part && part->role() == QAccessible::EditableText)
          out << part;
      continue;
    }
    if (role == QAccessible::List || role == QAccessible::Table || role == QAccessible::Tree ||
        role == QAccessible::ScrollBar || role == QAccessible::EditableText || takesTab)
      continue;
    collect(child, out);
  }
}
}  // namespace

QList<QAccessibleInterface*> interactiveControls(QAccessibleInterface* window) {
  QList<QAccessibleInterface*> out;
  if (window) collect(window, out);
  return out;
}

QString describe(QAccessibleInterface* control) {
  QObject* o = control->object();
  QString path = o ? o->objectName() : QString();
  for (QObject* p = o ? o->parent() : nullptr; p && path.isEmpty(); p = p->parent())
    path = p->objectName() + "/" + (o ? o->metaObject()->className() : "");
  return QString("%1 (role %2, name \"%3\", value \"%4\")")
      .arg(path)
      .arg(int(control->role()))
      .arg(control->text(QAccessible::Name), control->text(QAccessible::Value).left(40));
}

void keepScreenshot(QWidget* window, const QString& name) {
  const QByteArray folder = qgetenv("ROTAWISE_SCREENSHOTS");
  if (!folder.isEmpty()) window->grab().save(QString::fromLocal8Bit(folder) + "/" + name + ".png");
}
