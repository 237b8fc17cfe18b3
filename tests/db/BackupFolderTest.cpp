// Backup on a computer without a floppy drive: the folder that stands for
// drive A: is asked for once per data folder, remembered, and can be changed
// from the backup question.
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include "DbTestHelpers.h"
#include "app/BackupFolderDialog.h"
#include "app/Frmemployee1.h"
#include "platform/DriveMap.h"
#include "platform/FileOps.h"
#include "platform/MessageBox.h"
#include "platform/Pointer.h"
#include "support/TestSupport.h"

namespace {
const QString kInsert = "Insert floppy into drive A: and press ok.";
const QString kSaved = "Employee database saved to floppy.";

// Answers the folder question from a queue and records what it was offered.
struct FolderQuestion {
  std::deque<QString> answers;
  QStringList currents;
  int asked = 0;
  FolderQuestion() {
    setBackupFolderAnswer([this](const QStringList&, const QString& current) {
      ++asked;
      currents << current;
      if (answers.empty()) return QString();
      const QString a = answers.front();
      answers.pop_front();
      return a;
    });
  }
  ~FolderQuestion() {
    setBackupFolderAnswer([](const QStringList&, const QString&) {
      ADD_FAILURE() << "the backup asked for a folder that no test answers";
      return QString();
    });
  }
};

struct BackupFolder : ::testing::Test {
  QByteArray drive = qgetenv("ROTAWISE_DRIVE_A");
  bool hadDrive = qEnvironmentVariableIsSet("ROTAWISE_DRIVE_A");
  BackupFolder() { qunsetenv("ROTAWISE_DRIVE_A"); }
  ~BackupFolder() override {
    fileops::setFaultInjector({});
    if (hadDrive) qputenv("ROTAWISE_DRIVE_A", drive);
  }
  DataFolder folder;
  MessageBoxQueue boxes;
  FolderQuestion question;
  QTemporaryDir sticks;
  QString stick(const QString& name) {
    QDir(sticks.path()).mkpath(name);
    return QDir(sticks.path()).filePath(name);
  }
  QByteArray copyIn(const QString& where) {
    QFile f(QDir(where).filePath("employee.mdb"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
};
}  // namespace

TEST_F(BackupFolder, AskedOnceRememberedForTheDataFolderAndUsedAsDriveA) {
  folder.install("employee.mdb");
  dbtest::addEmployees(folder.file("employee.mdb"), {"Ann", "O'Brien, Pat"});
  // A folder name a user may well have: apostrophe, comma, Greek letters.
  const QString usb = stick("Zoë's stick, Ωμέγα");
  question.answers = {usb};
  Frmemployee1 window;
  window.Backup_Click();
  EXPECT_EQ(question.asked, 1);
  ASSERT_EQ(boxes.shown().size(), 2u) << boxes.texts().join('|').toStdString();
  EXPECT_EQ(boxes.shown()[0].text, kInsert);
  EXPECT_EQ(boxes.shown()[0].code, 33 | msg::OtherButton);
  EXPECT_EQ(boxes.shown()[1].text, kSaved);
  EXPECT_EQ(copyIn(usb), folder.read("employee.mdb"));

  // The next backup, in this run or the next, goes there without asking.
  boxes.clear();
  window.Backup_Click();
  EXPECT_EQ(question.asked, 1);
  EXPECT_EQ(boxes.texts(), (QStringList{kInsert, kSaved}));
  EXPECT_EQ(drive::folderFor('A'), usb);
  EXPECT_TRUE(folder.exists("DRIVE_A.IGH"));

  // Another data folder has its own drive A:.
  DataFolder other;
  other.install("employee.mdb");
  boxes.clear();
  window.Backup_Click();
  EXPECT_EQ(question.asked, 2);
  EXPECT_EQ(question.currents.last(), QString());
  EXPECT_TRUE(boxes.shown().empty()) << "cancelled: no question, no message";
  EXPECT_EQ(mousePointer(&window), pointer::Default);
}

TEST_F(BackupFolder, TheBackupQuestionOffersAnotherFolderAndCancelCopiesNothing) {
  folder.install("employee.mdb");
  const QString first = stick("first");
  const QString second = stick("second");
  ASSERT_TRUE(drive::choose('A', first));
  Frmemployee1 window;

  struct Case {
    std::vector<int> replies;   // to the backup question
    QStringList folders;        // to the folder question
    QString copiedTo;           // empty: nothing copied
    QString driveAfter;
  };
  const std::vector<Case> cases = {
      {{msg::Cancel}, {}, "", first},
      {{msg::Other}, {""}, "", first},  // the folder question cancelled
      {{msg::Other}, {second}, second, second},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.copiedTo.toStdString());
    boxes.clear();
    for (int r : c.replies) boxes.answer(r);
    question.answers.assign(c.folders.begin(), c.folders.end());
    const int askedBefore = question.asked;
    window.Backup_Click();
    EXPECT_EQ(question.asked - askedBefore, c.folders.size());
    if (!c.folders.isEmpty()) EXPECT_EQ(question.currents.last(), first);
    const QStringList expected =
        c.copiedTo.isEmpty() ? QStringList{kInsert} : QStringList{kInsert, kSaved};
    EXPECT_EQ(boxes.texts(), expected);
    EXPECT_EQ(QDir(first).isEmpty(), true);
    EXPECT_EQ(!copyIn(second).isEmpty(), !c.copiedTo.isEmpty());
    EXPECT_EQ(drive::chosenFolder('A'), c.driveAfter);
    EXPECT_EQ(mousePointer(&window), pointer::Default);
  }
}

TEST_F(BackupFolder, AChoiceTheDataFolderCannotKeepIsUsedForTheRunAndSaidSo) {
  folder.install("employee.mdb");
  const QString usb = stick("usb");
  question.answers = {usb};
  fileops::setFaultInjector([](FileStep step, const QString& path) {
    return step == FileStep::Create && path.endsWith("DRIVE_A.IGH");
  });
  Frmemployee1 window;
  window.Backup_Click();
  window.Backup_Click();
  EXPECT_EQ(question.asked, 1);
  ASSERT_EQ(boxes.shown().size(), 5u) << boxes.texts().join('|').toStdString();
  EXPECT_EQ(boxes.shown()[0].title, "Opps!");
  EXPECT_TRUE(boxes.shown()[0].text.contains("could not be remembered"));
  EXPECT_EQ(boxes.shown()[2].text, kSaved);
  EXPECT_EQ(boxes.shown()[4].text, kSaved);
  EXPECT_FALSE(folder.exists("DRIVE_A.IGH"));
  EXPECT_FALSE(copyIn(usb).isEmpty());
}

TEST(BackupFolderDialog, OffersTheDrivesFirstThenTheFolderChosenBefore) {
  BackupFolderDialog dialog({"/media/ann/STICK", "/run/media/ann/CARD"}, "/home/ann/backups");
  auto* list = dialog.findChild<QListWidget*>("DriveList");
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->count(), 3);
  EXPECT_TRUE(list->item(0)->text().contains(QDir::toNativeSeparators("/media/ann/STICK")));
  EXPECT_TRUE(list->item(2)->text().contains(QDir::toNativeSeparators("/home/ann/backups")));
  EXPECT_EQ(dialog.folder(), "/home/ann/backups");
  EXPECT_TRUE(dialog.findChild<QLabel*>("NoDriveLabel")->isHidden());
  ASSERT_NE(dialog.findChild<QPushButton*>("OtherFolderButton"), nullptr);

  BackupFolderDialog none({}, "");
  EXPECT_FALSE(none.findChild<QLabel*>("NoDriveLabel")->isHidden());
  EXPECT_EQ(none.folder(), QString());
  auto* ok = none.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
  EXPECT_FALSE(ok->isEnabled());
  none.addFolder("/srv/backup");
  EXPECT_TRUE(ok->isEnabled());
  EXPECT_EQ(none.folder(), "/srv/backup");
}
