// Start-up before any window: the command line, where the supplied files are
// found, and the data folder the program makes and fills.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "app/CommandLine.h"
#include "app/DataFolder.h"
#include "platform/FileOps.h"
#include "platform/FileSystem.h"
#include "platform/Installation.h"
#include "support/TestSupport.h"

namespace {
QByteArray bytesOf(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
  f.write(bytes);
}

QStringList sorted(QStringList list) {
  list.sort(Qt::CaseInsensitive);
  return list;
}
}  // namespace

TEST(CommandLine, ReadsOneFolderLetsQtOptionsThroughAndAnswersHelpVersionAndMistakes) {
  struct Case {
    QStringList arguments;
    bool finished;
    int exitCode;
    QString folder;
    const char* answerMatches;
  };
  const std::vector<Case> cases = {
      {{}, false, 0, "", "^$"},
      {{"/srv/shop data"}, false, 0, "/srv/shop data", "^$"},
      {{"-platform", "offscreen", "Zoë's Café, Ωμέγα"}, false, 0, "Zoë's Café, Ωμέγα", "^$"},
      {{"--", "-odd name"}, false, 0, "-odd name", "^$"},
      {{"--help"}, true, 0, "", "^Usage: rotawise \\[FOLDER\\].*ROTAWISE_DATA.*(~/Rotawise|Documents\\\\Rotawise)"},
      {{"-h", "somewhere"}, true, 0, "", "^Usage: "},
      {{"--version"}, true, 0, "", "^rotawise \\d+\\.\\d+\\S*\n$"},
      {{"--bogus"}, true, 2, "", "bogus.*rotawise --help"},
      {{"one", "two"}, true, 2, "", "only one data folder"},
      {{"  "}, true, 2, "", "empty"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments.join(' ').toStdString());
    const CommandLine line = parseCommandLine(QStringList{"rotawise"} + c.arguments);
    EXPECT_EQ(line.finished, c.finished);
    EXPECT_EQ(line.exitCode, c.exitCode);
    EXPECT_EQ(line.dataFolder, c.folder);
    EXPECT_TRUE(QRegularExpression(c.answerMatches, QRegularExpression::DotMatchesEverythingOption)
                    .match(line.answer)
                    .hasMatch())
        << line.answer.toStdString();
  }
}

TEST(Installation, SuppliedFilesAreFoundBesideTheProgramInstalledOrInTheBuildFolder) {
  QTemporaryDir root;
  QDir(root.path()).mkpath("usr/bin");
  QDir(root.path()).mkpath("usr/share/rotawise");
  QDir(root.path()).mkpath("build/share/rotawise");
  QDir(root.path()).mkpath("build/tests");
  QDir(root.path()).mkpath("alone");
  EXPECT_EQ(installation::suppliedFolderFor(root.filePath("usr/bin")),
            root.filePath("usr/share/rotawise"));
  EXPECT_EQ(installation::suppliedFolderFor(root.filePath("build")),
            root.filePath("build/share/rotawise"));
  EXPECT_EQ(installation::suppliedFolderFor(root.filePath("build/tests")),
            root.filePath("build/share/rotawise"));
  EXPECT_EQ(installation::suppliedFolderFor(root.filePath("alone")), QString());
  // The test programs themselves run from the build folder's layout.
  EXPECT_TRUE(QFileInfo(installation::suppliedFolder() + "/DAYS.IGH").isFile());
}

TEST(DataFolder, ChosenFromTheCommandLineElseTheVariableElseTheHomeFolder) {
  DataFolder here;
  const QByteArray shop = "/srv/shop";
  {
    ScopedVariable data("ROTAWISE_DATA", shop);
    EXPECT_EQ(datafolder::chosen("sub/../Shop 2"), here.file("Shop 2"));
    EXPECT_EQ(datafolder::chosen("~/Rotawise 2"), QDir::homePath() + "/Rotawise 2");
    EXPECT_EQ(datafolder::chosen(""), QDir::current().absoluteFilePath("/srv/shop"));  // C:/srv/shop on Windows
  }
  ScopedVariable data("ROTAWISE_DATA", QByteArray());
  EXPECT_EQ(datafolder::chosen(""), filesystem::documentsFolder() + "/Rotawise");
}

TEST(DataFolder, ANewFolderIsMadeAndGivenEverySuppliedFile) {
  DataFolder here;
  const QString folder = here.file("Zoë's shop/data, 2");
  const datafolder::Preparation p = datafolder::prepare(folder, installation::suppliedFolder());
  EXPECT_TRUE(p.usable);
  EXPECT_TRUE(p.message.isEmpty()) << p.message.toStdString();
  EXPECT_EQ(p.added, datafolder::suppliedNames());
  EXPECT_EQ(sorted(QDir(folder).entryList(QDir::Files)), sorted(datafolder::suppliedNames()));
  for (const QString& name : datafolder::suppliedNames())
    EXPECT_EQ(bytesOf(QDir(folder).filePath(name)),
              bytesOf(installation::suppliedFolder() + "/" + name))
        << name.toStdString();
  EXPECT_TRUE(QFileInfo(QDir(folder).filePath("employee.mdb")).isWritable());
}

TEST(DataFolder, FilesAlreadyThereInAnyCaseAreKeptAndAFolderInUseIsLeftAlone) {
  DataFolder here;
  const QString folder = here.file("shop");
  writeFile(folder + "/days.igh", "Our own days\r\n");
  writeFile(folder + "/Clouds.BMP", "our own picture");
  datafolder::Preparation p = datafolder::prepare(folder, installation::suppliedFolder());
  EXPECT_FALSE(p.added.contains("DAYS.IGH"));
  EXPECT_FALSE(p.added.contains("clouds.bmp"));
  EXPECT_EQ(p.added.size(), datafolder::suppliedNames().size() - 2);
  EXPECT_EQ(bytesOf(folder + "/days.igh"), "Our own days\r\n");
  EXPECT_EQ(bytesOf(folder + "/Clouds.BMP"), "our own picture");
  EXPECT_FALSE(QDir(folder).entryList().contains("DAYS.IGH"));

  // A folder copied from an earlier installation: its employee.mdb says it is in use.
  const QString old = here.file("old");
  writeFile(old + "/EMPLOYEE.MDB", "an old database");
  const char oldHelp[] = "?_\x03\x00 old help";
  writeFile(old + "/EMPLOYEE.HLP", QByteArray(oldHelp, sizeof oldHelp - 1));
  p = datafolder::prepare(old, installation::suppliedFolder());
  EXPECT_TRUE(p.usable);
  EXPECT_TRUE(p.added.isEmpty());
  EXPECT_EQ(QDir(old).entryList(QDir::Files), (QStringList{"EMPLOYEE.HLP", "EMPLOYEE.MDB"}));
  EXPECT_EQ(bytesOf(old + "/EMPLOYEE.MDB"), "an old database");
}

TEST(DataFolder, AnEmployeeDatabaseACrashLeftUnderAnotherNameIsPutBackNotCoveredByAnEmptyOne) {
  DataFolder here;
  MessageBoxQueue boxes;
  // A compaction of an earlier version cut off between its two renames.
  const QString shop = here.file("shop");
  datafolder::prepare(here.file("made"), installation::suppliedFolder());
  writeFile(shop + "/compact.mdb", bytesOf(here.file("made/employee.mdb")));
  writeFile(shop + "/AREAS.IGH", "Kitchen\r\n");
  const QByteArray compacted = bytesOf(shop + "/compact.mdb");
  EXPECT_TRUE(datafolder::enter(shop));
  EXPECT_EQ(bytesOf(shop + "/employee.mdb"), compacted);
  EXPECT_FALSE(QFileInfo::exists(shop + "/compact.mdb"));
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].title, "Ok!");
  EXPECT_TRUE(boxes.shown()[0].text.contains("restored from compact.mdb"));
  QDir::setCurrent(here.path());
}

TEST(DataFolder, WithoutSuppliedFilesTheDatabaseIsStillMadeAndTheRestNamed) {
  DataFolder here;
  const QString supplied = here.file("supplied");
  writeFile(supplied + "/DAYS.IGH", "Monday\r\n");
  const datafolder::Preparation p = datafolder::prepare(here.file("shop"), supplied);
  EXPECT_TRUE(p.usable);
  EXPECT_EQ(p.added, (QStringList{"DAYS.IGH", "employee.mdb"}));
  EXPECT_EQ(p.notAdded.size(), datafolder::suppliedNames().size() - 2);
  EXPECT_TRUE(p.message.contains("TIMES.IGH")) << p.message.toStdString();
  EXPECT_TRUE(bytesOf(here.file("shop/employee.mdb")).startsWith("SQLite format 3"));
}

TEST(DataFolder, AFolderThatCannotBeMadeOrFilledIsNamedAndNothingIsHalfWritten) {
  DataFolder here;
  MessageBoxQueue boxes;
  writeFile(here.file("a file"), "not a folder");
  for (const char* bad : {"a file", "a file/below"}) {
    SCOPED_TRACE(bad);
    const datafolder::Preparation p = datafolder::prepare(here.file(bad), installation::suppliedFolder());
    EXPECT_FALSE(p.usable);
    EXPECT_TRUE(p.message.contains(QDir::toNativeSeparators(here.file(bad)))) << p.message.toStdString();
  }

  // The disk refuses a copy: that file is named and no partial file is left.
  fileops::setFaultInjector([](FileStep step, const QString& path) {
    return step == FileStep::Copy && path.endsWith("TIMES.IGH");
  });
  datafolder::Preparation p = datafolder::prepare(here.file("shop"), installation::suppliedFolder());
  fileops::setFaultInjector({});
  EXPECT_TRUE(p.usable);
  EXPECT_EQ(p.notAdded, QStringList{"TIMES.IGH"});
  EXPECT_TRUE(p.message.contains("TIMES.IGH"));
  EXPECT_FALSE(QDir(here.file("shop")).entryList().join(',').contains(".part"));
  EXPECT_TRUE(QFileInfo::exists(here.file("shop/employee.mdb")));

  // enter() shows the problem and stays where it was.
  const QString before = QDir::currentPath();
  EXPECT_FALSE(datafolder::enter(here.file("a file")));
  EXPECT_EQ(QDir::currentPath(), before);
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].title, "Opps!");
  EXPECT_TRUE(datafolder::enter(here.file("fresh")));
  EXPECT_EQ(QDir::currentPath(), here.file("fresh"));
  EXPECT_EQ(boxes.shown().size(), 1u);
  QDir::setCurrent(before);
}
