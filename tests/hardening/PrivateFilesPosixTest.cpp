// Who may read what the program writes, under the umask most PCs have (022):
// a first start makes the data folder and its files the user's alone, and
// every kind of save or replacement keeps the mode of the file it replaces.
// Windows keeps no such modes (a file takes the rights of its folder).
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <sys/stat.h>

#include "app/DataFolder.h"
#include "db/Backup.h"
#include "db/Compaction.h"
#include "db/LegacyImport.h"
#include "db/Repair.h"
#include "export/ExportRun.h"
#include "lists/ExtrasFile.h"
#include "lists/ListFile.h"
#include "platform/Clock.h"
#include "platform/Installation.h"
#include "platform/MessageBox.h"
#include "print/AreaSettings.h"
#include "support/ScheduleData.h"
#include "support/TestSupport.h"

namespace {
struct UsualUmask {
  mode_t before = ::umask(022);
  ~UsualUmask() { ::umask(before); }
};

int modeOf(const QString& path) {
  struct stat st;
  return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}
void setMode(const QString& path, int mode) { ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode_t(mode)), 0); }

// A wrong free-page count: the repair rebuilds the file from its records.
void spoilFreePageCount(const QString& path) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadWrite));
  f.seek(36);
  f.write(QByteArray("\0\0\0\3", 4));
}
}  // namespace

TEST(PrivateFiles, AFirstStartMakesTheDataFolderAndEveryFileInItTheUsersAlone) {
  UsualUmask umask;
  QTemporaryDir home;
  const QString data = home.filePath("office/Rotawise");
  const datafolder::Preparation p = datafolder::prepare(data, installation::suppliedFolder());
  ASSERT_TRUE(p.usable && p.notAdded.isEmpty()) << p.message.toStdString();
  EXPECT_EQ(modeOf(home.filePath("office")), 0700) << "a folder made on the way too";
  EXPECT_EQ(modeOf(data), 0700);
  const QStringList files = QDir(data).entryList(QDir::Files | QDir::Hidden);
  EXPECT_EQ(files.size(), datafolder::suppliedNames().size());
  for (const QString& f : files) EXPECT_EQ(modeOf(QDir(data).filePath(f)), 0600) << f.toStdString();

  // A folder that is there already is the user's to share as they like.
  const QString shared = home.filePath("shared");
  QDir().mkdir(shared);
  setMode(shared, 0755);
  datafolder::prepare(shared, installation::suppliedFolder());
  EXPECT_EQ(modeOf(shared), 0755);
  EXPECT_EQ(modeOf(QDir(shared).filePath("employee.mdb")), 0600);
}

TEST(PrivateFiles, EverySaveAndReplacementIsPrivateOrKeepsTheModeOfTheFileItReplaces) {
  UsualUmask umask;
  clock_::fixNow(QDateTime(QDate(2024, 6, 5), QTime(10, 0)));
  DataFolder folder;
  MessageBoxQueue boxes;
  QTemporaryDir floppy;
  qputenv("ROTAWISE_DRIVE_A", floppy.path().toLocal8Bit());
  folder.install("employee.mdb");
  EmployeeRow ann = staffMember("Lee, Ann", "Cook", {"Kitchen"});
  writeStaffTable(folder.file("employee.mdb"), {works(ann, day::Mon, "9A.M.", "5P.M.", "Kitchen")});
  setMode(folder.file("employee.mdb"), 0600);

  const struct {
    const char* what;
    QStringList files;  // relative to the data folder
    std::function<void()> run;
  } cases[] = {
      {"list save", {"AREAS.IGH"}, [] { ASSERT_TRUE(writeListLines("AREAS.IGH", {"Kitchen"})); }},
      {"extras save", {"extras.txt"}, [] { ASSERT_TRUE(saveExtras(QStringList(13, "x")).ok); }},
      {"settings save", {"Kitchen.IGH"}, [] { ASSERT_TRUE(writeAreaSettings("Kitchen.IGH", {})); }},
      {"compaction",
       {"employee.mdb", "Backup.mdb"},
       [] {
         const CompactResult r = compactEmployeeDatabase();
         ASSERT_TRUE(r.ok) << r.message().toStdString();
       }},
      {"repair",
       {"employee.mdb"},
       [&] {
         spoilFreePageCount(folder.file("employee.mdb"));
         ASSERT_EQ(repairEmployeeDatabase().outcome, RepairResult::Outcome::Repaired);
         QFile::remove(folder.file("Damaged.mdb"));
       }},
      {"export", {"out/week.csv", "out/week.xlsx", "out/Lee, Ann.ics", "out/.rotawise-calendars.json"},
       [] { exportWeek("out"); }},
      {"backup copy", {floppy.filePath("employee.mdb")}, [] { ASSERT_TRUE(backupEmployeeDatabase().ok); }},
  };
  auto path = [&](const QString& f) { return QDir(folder.path()).filePath(f); };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    c.run();
    for (const QString& f : c.files) EXPECT_EQ(modeOf(path(f)), 0600) << f.toStdString();
    // Shared on purpose: the next save keeps that.
    for (const QString& f : c.files) setMode(path(f), 0640);
    c.run();
    for (const QString& f : c.files) EXPECT_EQ(modeOf(path(f)), 0640) << f.toStdString();
    for (const QString& f : c.files) setMode(path(f), 0600);
  }
  EXPECT_EQ(modeOf(folder.file("out")), 0700) << "the export's folder";
  qunsetenv("ROTAWISE_DRIVE_A");
  clock_::release();
}

TEST(PrivateFiles, TheConvertedAccessFileKeepsTheModeOfTheOriginal) {
  UsualUmask umask;
  DataFolder folder;
  MessageBoxQueue boxes;
  ASSERT_TRUE(QFile::copy(QString(ROTAWISE_FIXTURES_DIR) + "/legacy/employee-jet4.mdb", folder.file("employee.mdb")));
  setMode(folder.file("employee.mdb"), 0640);
  ASSERT_EQ(legacy::convertOldEmployeeDatabase(), legacy::Outcome::Converted) << boxes.texts().join("|").toStdString();
  EXPECT_EQ(modeOf(folder.file("employee.mdb")), 0640);
  EXPECT_EQ(modeOf(folder.file("employee-access.mdb")), 0640) << "the original kept as it was";
}
