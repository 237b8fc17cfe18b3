#include "app/BackupFolderDialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>
#include <QVBoxLayout>

#include "platform/Accessible.h"
#include "platform/DriveMap.h"
#include "platform/Geometry.h"

namespace {
BackupFolderAnswer& answerForTests() {
  static BackupFolderAnswer answer;
  return answer;
}

// "USBSTICK  (/media/anna/USBSTICK)": the drive's own name where it has one.
QString describe(const QString& folder, bool isDrive) {
  const QString path = QDir::toNativeSeparators(folder);
  if (!isDrive) return path;
  const QString name = QStorageInfo(folder).name();
  return name.isEmpty() ? path : QString("%1  (%2)").arg(name, path);
}
}  // namespace

BackupFolderDialog::BackupFolderDialog(const QStringList& drives, const QString& current,
                                       QWidget* parent)
    : QDialog(parent) {
  setObjectName("BackupFolderDialog");
  setWindowTitle("Drive A: for the backup");
  auto* layout = new QVBoxLayout(this);
  auto* intro = new QLabel(
      "This computer has no floppy drive, so please choose the folder that stands for drive A: "
      "(the backup copies employee.mdb there).  A USB stick or another disk keeps the copy safe "
      "when this computer fails.  The folder is remembered for this data folder, and the "
      "backup's question offers to choose another one later.",
      this);
  intro->setObjectName("IntroLabel");
  intro->setWordWrap(true);
  layout->addWidget(intro);

  NoDriveLabel = new QLabel(
      "No USB stick or memory card is plugged in.  Plug one in and open this again, or choose "
      "another folder.",
      this);
  NoDriveLabel->setObjectName("NoDriveLabel");
  NoDriveLabel->setWordWrap(true);
  NoDriveLabel->setVisible(drives.isEmpty());
  layout->addWidget(NoDriveLabel);

  DriveList = new QListWidget(this);
  DriveList->setObjectName("DriveList");
  for (const QString& d : drives) {
    auto* item = new QListWidgetItem(describe(d, true), DriveList);
    item->setData(Qt::UserRole, d);
  }
  if (!current.isEmpty() && !drives.contains(current)) addFolder(current);
  else if (!current.isEmpty()) DriveList->setCurrentRow(int(drives.indexOf(current)));
  else if (!drives.isEmpty()) DriveList->setCurrentRow(0);
  layout->addWidget(DriveList, 1);
  accessible::setName(DriveList, "Folder for drive A:", intro->text());

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  OkButton = buttons->button(QDialogButtonBox::Ok);
  auto* other = buttons->addButton("&Other Folder...", QDialogButtonBox::ActionRole);
  other->setObjectName("OtherFolderButton");
  connect(other, &QPushButton::clicked, this, &BackupFolderDialog::pickOtherFolder);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(DriveList, &QListWidget::currentRowChanged, this, &BackupFolderDialog::updateButtons);
  connect(DriveList, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  layout->addWidget(buttons);
  resize(twipsToPixels(7200), twipsToPixels(4200));
  updateButtons();
}

QString BackupFolderDialog::folder() const {
  const QListWidgetItem* item = DriveList->currentItem();
  return item ? item->data(Qt::UserRole).toString() : QString();
}

void BackupFolderDialog::addFolder(const QString& folder) {
  const QString path = QDir(folder).absolutePath();
  for (int row = 0; row < DriveList->count(); ++row)
    if (DriveList->item(row)->data(Qt::UserRole).toString() == path) {
      DriveList->setCurrentRow(row);
      return;
    }
  auto* item = new QListWidgetItem(describe(path, false), DriveList);
  item->setData(Qt::UserRole, path);
  DriveList->setCurrentItem(item);
}

void BackupFolderDialog::pickOtherFolder() {
  const QString start = folder().isEmpty() ? QDir::homePath() : folder();
  const QString picked = QFileDialog::getExistingDirectory(this, "Folder for drive A:", start);
  if (!picked.isEmpty()) addFolder(picked);
}

void BackupFolderDialog::updateButtons() { OkButton->setEnabled(!folder().isEmpty()); }

QString askBackupFolder(QWidget* parent, const QString& current) {
  const QStringList drives = drive::removableDrives();
  if (answerForTests()) return answerForTests()(drives, current);
  BackupFolderDialog dialog(drives, current, parent);
  return dialog.exec() == QDialog::Accepted ? dialog.folder() : QString();
}

void setBackupFolderAnswer(BackupFolderAnswer answer) { answerForTests() = std::move(answer); }
