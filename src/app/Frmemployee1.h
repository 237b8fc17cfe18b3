#pragma once
// The main menu window: menu bar, status bar, title, corner icons, and the
// hidden data control through which compaction and the roster read the table.
#include <QHash>
#include <QMainWindow>

class QAction;
class QLabel;
class QMenu;
class CommonDialog;
class DataControl;
class StatusBar;

class Frmemployee1 : public QMainWindow {
  Q_OBJECT
 public:
  explicit Frmemployee1(QWidget* parent = nullptr);

  StatusBar* statusBar1() const { return StatusBar1; }
  DataControl* data1() const { return Data1; }
  CommonDialog* commonDialog1() const { return CommonDialog1; }
  QAction* menuItem(const QString& name) const { return items_.value(name); }

  // Menu handlers, named as the menu items.
  void MnuCompact_Click();
  void MnuRepair_Click();
  void Backup_Click();
  void mnuExitProject_Click();
  void mnuNewEmployee_Click();
  void options_Click();
  void Mnujob_Click();
  void mnuPosition_Click();
  void MnuFull_Click();
  void roster_Click();
  void mnuExport_Click();
  void whatname_Click();
  void MenHelpMain_Click();

 protected:
  bool event(QEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void Form_Load();
  void buildMenu();
  void buildDesignArea();
  QMenu* addMenu(const QString& name, const QString& caption, int helpContext = 0);
  QAction* addItem(QMenu* menu, const QString& name, const QString& caption, int helpContext,
                   void (Frmemployee1::*handler)());
  void addSeparator(QMenu* menu, const QString& name);
  bool chooseBackupFolder();

  QHash<QString, QAction*> items_;
  QLabel* Label1 = nullptr;
  StatusBar* StatusBar1 = nullptr;
  DataControl* Data1 = nullptr;
  CommonDialog* CommonDialog1 = nullptr;
  CommonDialog* CommonDialog2 = nullptr;
};

// Registers the main window with platform/Forms, so that the child windows
// go back to it (showMainWindow) when they close; done once at start-up.
void registerMainWindow();
