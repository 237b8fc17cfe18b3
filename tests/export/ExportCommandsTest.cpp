// The export from the main menu and from the command line: the folder
// question, the closing boxes, folders that cannot be written, and the
// reading of times.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QProcess>

#include "app/Frmemployee1.h"
#include "export/ExportRun.h"
#include "export/ShiftTime.h"
#include "platform/Clock.h"
#include "platform/FileOps.h"
#include "platform/FolderDialog.h"
#include "platform/MessageBox.h"
#include "support/ScheduleData.h"
#include "support/ServerDatabase.h"
#include "support/TestSupport.h"

namespace {
TEST(ShiftTime, ReadsTimesAsTheListsWriteThemAndAsPeopleTypeThem) {
  const struct {
    const char* text;
    int minutes;  // -1: not a time
  } cases[] = {
      {"9A.M.", 540},        {"12:30P.M.", 750}, {"12A.M.", 0},  {"12:30a.m.", 30}, {"12P.M.", 720},
      {"11P.M.", 1380},      {"9am", 540},       {"9 A.M", 540}, {" 4 pm ", 960},   {"4:15PM", 975},
      {"17:00", 1020},       {"0:00", 0},        {"9", -1},      {"13P.M.", -1},    {"0A.M.", -1},
      {"25P.M.", -1},        {"9:60AM", -1},     {"24:00", -1},  {"", -1},          {"No", -1},
      {"9A.M. - 5P.M.", -1}, {"nine", -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const auto got = minutesOfDay(c.text);
    EXPECT_EQ(got.value_or(-1), c.minutes);
  }
  EXPECT_EQ(shiftHours(23 * 60, 7 * 60), 8.0);
  EXPECT_EQ(shiftHours(9 * 60, 17 * 60 + 30), 8.5);
}

class ExportCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    clock_::fixNow(QDateTime(QDate(2024, 6, 5), QTime(10, 0)));
    folder.install("employee.mdb");
    EmployeeRow ann = staffMember("Ann Lee", "Cook", {"Kitchen"});
    works(ann, day::Mon, "9A.M.", "5P.M.", "Kitchen");
    EmployeeRow bo = staffMember("Bo Nye", "Cook", {"Kitchen"});
    works(bo, day::Tue, "9A.M.", "half past", "Kitchen");  // nothing readable to put in a calendar
    writeStaffTable(folder.file("employee.mdb"), {ann, bo});
  }
  void TearDown() override {
    fileops::setFaultInjector({});
    clock_::release();
    deleteAllWindows();
  }
  void exportFromMenu() {
    Frmemployee1 main;
    main.menuItem("mnuExport")->trigger();
  }
  DataFolder folder;
  MessageBoxQueue boxes;
};

TEST_F(ExportCommandsTest, MenuAsksForTheFolderAndSaysWhatItWroteAndLeftOut) {
  auto cancel = FolderChoice::cancel();
  exportFromMenu();
  EXPECT_EQ(cancel->timesShown, 1);
  EXPECT_EQ(cancel->lastTitle, "Export calendars and spreadsheet");
  EXPECT_EQ(cancel->lastStart, QDir(folder.path()).absoluteFilePath("export"));
  EXPECT_TRUE(boxes.shown().empty());
  EXPECT_TRUE(QDir(folder.file("export")).isEmpty()) << "Cancel writes nothing";
  cancel.reset();

  auto choice = FolderChoice::folder(folder.file("export"));
  exportFromMenu();
  ASSERT_EQ(boxes.shown().size(), 1u);
  const ShownBox& box = boxes.shown()[0];
  EXPECT_EQ(box.title, "Ok!");
  EXPECT_EQ(box.code, msg::Exclamation);
  EXPECT_EQ(box.text,
            "The week of 6/3/24 was exported to " +
                QDir::toNativeSeparators(folder.file("export")) +
                ":\n1 calendar file, week.xlsx and week.csv.\n\n"
                "These shifts have a time that cannot be read; they were left out of the calendars "
                "and the hours:\nBo Nye, Tuesday: shift \"9A.M.\" - \"half past\"\n\n"
                "No calendar file for these employees, who have no shift or special day to put in "
                "one:\nBo Nye");
  EXPECT_EQ(QDir(folder.file("export")).entryList(QDir::Files, QDir::Name),
            QStringList({"Ann Lee.ics", "week.csv", "week.xlsx"}));
}

TEST_F(ExportCommandsTest, LongListsInTheBoxEndWithHowManyMore) {
  ExportReport r;
  r.unreadable = {"a", "b", "c", "d"};
  const QString text = r.summary(2);
  EXPECT_TRUE(text.endsWith("\na\nb\n... and 2 more.")) << text.toStdString();
  EXPECT_TRUE(r.summary().endsWith("\na\nb\nc\nd"));
}

TEST_F(ExportCommandsTest, AFolderThatCannotBeWrittenKeepsWhatItHad) {
  const QString out = folder.file("out");
  QDir().mkpath(out);
  folder.write("out/week.csv", "an older export\r\n");
  const struct {
    const char* title;
    std::function<void()> breakIt;
    const char* says;
  } cases[] = {
      {"read-only folder: the first file is refused",
       [] {
         fileops::setFaultInjector(
             [](FileStep step, const QString&) { return step == FileStep::Create; });
       },
       "Nothing was exported to "},
      {"disk full at the spreadsheet",
       [] {
         fileops::setFaultInjector([](FileStep step, const QString& path) {
           return step == FileStep::Write && path.endsWith(QString("week.xlsx") + fileops::kTemporarySuffix);
         });
       },
       "could not be written; the disk may be full."},
      {"no employee database", [&] { QFile::remove(folder.file("employee.mdb")); },
       "There is no employee database (employee.mdb) in "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    c.breakIt();
    auto choice = FolderChoice::folder(out);
    boxes.clear();
    exportFromMenu();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].title, "Opps!");
    EXPECT_TRUE(boxes.shown()[0].text.contains(c.says)) << boxes.shown()[0].text.toStdString();
    EXPECT_EQ(QDir(out).entryList(QDir::Files), QStringList{"week.csv"});
    EXPECT_EQ(folder.read("out/week.csv"), "an older export\r\n");
    fileops::setFaultInjector({});
  }
}

// A disk that is really full, where the last bytes of a file fail only when
// they leave the buffer. Needs the right to mount a small file system.
TEST_F(ExportCommandsTest, AReallyFullDiskIsReportedAndKeepsTheOldFiles) {
  const QString disk = folder.file("full");
  QDir().mkpath(disk);
  if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=8k", "tmpfs", disk}) != 0)
    GTEST_SKIP() << "no small file system could be mounted here";
  folder.write("full/week.csv", "an older export\r\n");
  auto choice = FolderChoice::folder(disk);
  exportFromMenu();
  const QStringList left = QDir(disk).entryList(QDir::Files);
  const QByteArray kept = folder.read("full/week.csv");
  QProcess::execute("umount", {disk});
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].title, "Opps!");
  EXPECT_TRUE(boxes.shown()[0].text.contains("the disk may be full"));
  EXPECT_EQ(left, QStringList{"week.csv"});
  EXPECT_EQ(kept, "an older export\r\n");
}

TEST_F(ExportCommandsTest, CommandLineWritesTheFilesOrSaysWhyNot) {
  QDir().mkpath(folder.file("elsewhere"));
  QDir().mkpath(folder.file("empty"));
  const struct {
    const char* title;
    QString workingDirectory;
    QStringList args;
    int exitCode;
    const char* says;  // on standard output when it worked, else on standard error
    QString written;   // a file the export made
    QString dataVariable = {};  // ROTAWISE_DATA, where the program starts without a folder named
  } cases[] = {
      {"in the data folder",
       folder.path(),
       {"--export", "week"},
       0,
       "1 calendar file",
       folder.file("week/Ann Lee.ics")},
      {"data folder named",
       folder.file("elsewhere"),
       {"--export", "out", folder.path()},
       0,
       "Bo Nye, Tuesday",
       folder.file("elsewhere/out/week.xlsx")},
      {"no database there",
       folder.path(),
       {"--export", "out", folder.file("empty")},
       1,
       "There is no employee database",
       {}},
      {"no such data folder",
       folder.path(),
       {"--export", "out", folder.file("none")},
       1,
       "cannot be opened",
       {}},
      {"not in a data folder: the one the program starts in",
       folder.file("elsewhere"),
       {"--export", "from-variable"},
       0,
       "1 calendar file",
       folder.file("elsewhere/from-variable/Ann Lee.ics"),
       folder.path()},
      {"no folder to write to", folder.path(), {"--export"}, 2, "Usage: rotawise --export", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("ROTAWISE_DATA");
    if (!c.dataVariable.isEmpty()) env.insert("ROTAWISE_DATA", c.dataVariable);
    program.setProcessEnvironment(env);
    program.setWorkingDirectory(c.workingDirectory);
    program.start(ROTAWISE_PROGRAM, c.args);
    ASSERT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitCode(), c.exitCode);
    const QString said = QString::fromUtf8(c.exitCode == 0 ? program.readAllStandardOutput()
                                                           : program.readAllStandardError());
    EXPECT_TRUE(said.contains(c.says)) << said.toStdString();
    if (!c.written.isEmpty()) EXPECT_TRUE(QFile::exists(c.written)) << c.written.toStdString();
  }
  EXPECT_FALSE(QFile::exists(folder.file("empty/out"))) << "a failed export makes no folder";
}
TEST_F(ExportCommandsTest, CommandLineExportsATableKeptOnAServer) {
  ROTAWISE_NEED_SERVER();
  // A data folder with only the server's address: it is a data folder all the same.
  DataFolder shared;
  ServerDatabase server;
  server.pointFolderAt(shared);
  server.createTable();
  EmployeeRow cy = staffMember("Cy O'Neil", "Cook", {"Kitchen"});
  works(cy, day::Wed, "7A.M.", "3P.M.", "Kitchen");
  writeStaffTable(shared.file("employee.mdb"), {cy});
  ASSERT_FALSE(QFile::exists(shared.file("employee.mdb")));

  QProcess program;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.remove("ROTAWISE_DATA");
  env.remove("ROTAWISE_DATABASE");
  program.setProcessEnvironment(env);
  program.setWorkingDirectory(shared.path());
  program.start(ROTAWISE_PROGRAM, {"--export", "week"});
  ASSERT_TRUE(program.waitForFinished(60000));
  EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
  EXPECT_TRUE(QFile::exists(shared.file("week/Cy O'Neil.ics")));
}
}  // namespace
