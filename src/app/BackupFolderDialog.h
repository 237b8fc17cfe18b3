#pragma once
// The question of where drive A: is, on a computer without a floppy drive:
// the mounted removable drives are offered first, and any other folder can
// be picked. The main window's backup asks it once per data folder, and again
// when the user wants another folder.
#include <QDialog>
#include <QStringList>
#include <functional>

class QLabel;
class QListWidget;
class QPushButton;

class BackupFolderDialog : public QDialog {
  Q_OBJECT
 public:
  // `drives` first, then `current` (the folder chosen before) when it is not one of them.
  BackupFolderDialog(const QStringList& drives, const QString& current, QWidget* parent = nullptr);
  QString folder() const;  // the folder picked; empty while none is

  // Adds a folder to the list (after the drives) and picks it.
  void addFolder(const QString& folder);

 private:
  void pickOtherFolder();
  void updateButtons();

  QListWidget* DriveList = nullptr;
  QLabel* NoDriveLabel = nullptr;
  QPushButton* OkButton = nullptr;
};

// Asks for the folder of drive A:, offering the mounted removable drives;
// returns it, or empty when the user cancelled.
QString askBackupFolder(QWidget* parent, const QString& current);

// Test seam: while set, it answers askBackupFolder with the folder it returns
// (empty: Cancel), given the folders that would have been offered.
using BackupFolderAnswer =
    std::function<QString(const QStringList& offeredDrives, const QString& current)>;
void setBackupFolderAnswer(BackupFolderAnswer answer);
