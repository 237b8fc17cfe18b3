// The help module's path rule, F1 context help and the help contents action.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QTextBrowser>

#include "app/Frmemployee1.h"
#include "app/HelpModule.h"
#include "platform/Help.h"
#include "support/TestSupport.h"

namespace {
const QByteArray kHelp =
    "<html><body><a name=\"contents\"></a><h1>Contents</h1>"
    "<a name=\"700\"></a><h2>Areas window</h2><a name=\"701\"></a><h2>Area box</h2>"
    "</body></html>";

class HelpTest : public ::testing::Test {
 protected:
  void TearDown() override {
    if (help::viewer()) delete help::viewer()->window();
    help::setApplicationHelpFile({});
  }
  DataFolder folder;
  MessageBoxQueue boxes;
};
}  // namespace

TEST(HelpFilePath, FolderAtTheRootGetsNoDoubledSeparator) {
  EXPECT_EQ(helpFileInFolder("C:\\"), "C:\\EMPLOYEE.HLP");
  EXPECT_EQ(helpFileInFolder("/"), "/EMPLOYEE.HLP");
  EXPECT_EQ(helpFileInFolder("  D:\\  "), "D:\\EMPLOYEE.HLP");
}

TEST(HelpFilePath, AnyOtherFolderGetsOneSeparatorBeforeTheName) {
  EXPECT_EQ(helpFileInFolder("C:\\Program Files\\Rotawise"),
            "C:\\Program Files\\Rotawise\\EMPLOYEE.HLP");
  EXPECT_EQ(helpFileInFolder(" /opt/rotawise "), "/opt/rotawise/EMPLOYEE.HLP");
}

TEST_F(HelpTest, HelpStartPointsF1AtTheProgramsOwnHelpWhateverTheCurrentFolder) {
  HelpStart(QVariant(qint32(1234)));
  // The program's supplied files (share/rotawise beside it) hold its help.
  const QFileInfo file(help::applicationHelpFile());
  EXPECT_EQ(file.fileName(), "EMPLOYEE.HLP");
  EXPECT_TRUE(file.isFile()) << file.filePath().toStdString();
  EXPECT_TRUE(file.filePath().endsWith("share/rotawise/EMPLOYEE.HLP")) << file.filePath().toStdString();
  EXPECT_NE(file.absolutePath(), QDir::currentPath());
}

// A data folder copied from an earlier installation carries that
// installation's binary help file; it is never shown, the program's own is.
TEST_F(HelpTest, HelpInTheDataFolderIsShownInAnyCaseOnlyWhenItIsOurs) {
  const char oldHeader[] = "?_\x03\x00\x00\x00\x10\x00 old help engine file";
  const QByteArray oldBinary(oldHeader, sizeof oldHeader - 1);
  const QString own = folder.file("installed/EMPLOYEE.HLP");
  QDir().mkpath(folder.file("installed"));
  {
    QFile f(own);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(kHelp);
  }
  struct Case {
    const char* name;        // as the data folder spells it
    QByteArray bytes;
    QString application;     // the program's own help file
    QString shown;           // what the viewer shows, empty for nothing
  };
  const std::vector<Case> cases = {
      {"Employee.Hlp", "\xEF\xBB\xBF  <!DOCTYPE html>" + kHelp, own, folder.file("Employee.Hlp")},
      {"employee.hlp", oldBinary, own, own},
      {"EMPLOYEE.HLP", "Plain words, not our help", own, own},
      {"EMPLOYEE.HLP", oldBinary, "", ""},
      {"EMPLOYEE.HLP", oldBinary, folder.file("installed/missing.hlp"), ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " " + c.bytes.left(12).toStdString());
    for (const QString& old : QDir(folder.path()).entryList({"*.hlp"}, QDir::Files))
      QFile::remove(folder.file(old));
    folder.write(c.name, c.bytes);
    help::setApplicationHelpFile(c.application);
    if (help::viewer()) delete help::viewer()->window();
    Frmemployee1 main;
    main.menuItem("MenHelpMain")->trigger();
    const bool showing = help::viewer() && help::viewer()->isVisible();
    EXPECT_EQ(showing, !c.shown.isEmpty());
    if (showing) EXPECT_EQ(asTheDiskCompares({help::shownFile()}), asTheDiskCompares({c.shown}));
    EXPECT_TRUE(boxes.shown().empty());
  }
}

TEST_F(HelpTest, F1OpensTheFocusedControlsTopicElseItsWindows) {
  folder.write("EMPLOYEE.HLP", kHelp);
  help::setApplicationHelpFile(folder.file("EMPLOYEE.HLP"));
  QWidget window;
  help::setHelpContext(&window, 700);
  auto* numbered = new QLineEdit(&window);
  help::setHelpContext(numbered, 701);
  auto* plain = new QLineEdit(&window);
  plain->move(0, 40);
  window.show();
  QApplication::setActiveWindow(&window);

  numbered->setFocus();
  QTest::keyClick(numbered, Qt::Key_F1);
  EXPECT_EQ(help::shownTopic(), 701);
  ASSERT_NE(help::viewer(), nullptr);
  EXPECT_TRUE(help::viewer()->isVisible());

  plain->setFocus();
  QTest::keyClick(plain, Qt::Key_F1);
  EXPECT_EQ(help::shownTopic(), 700);
  EXPECT_EQ(help::shownFile(), folder.file("EMPLOYEE.HLP"));
}

TEST_F(HelpTest, MainHelpIndexOpensTheContentsOfTheFileInTheCurrentFolder) {
  folder.write("EMPLOYEE.HLP", kHelp);
  Frmemployee1 main;
  main.menuItem("MenHelpMain")->trigger();
  ASSERT_NE(help::viewer(), nullptr);
  EXPECT_TRUE(help::viewer()->isVisible());
  EXPECT_EQ(help::shownFile(), folder.file("EMPLOYEE.HLP"));
  EXPECT_EQ(help::shownTopic(), 0);
  EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(HelpTest, MainHelpIndexWithoutAHelpFileShowsNothingAndNoError) {
  Frmemployee1 main;
  main.menuItem("MenHelpMain")->trigger();
  EXPECT_TRUE(help::viewer() == nullptr || !help::viewer()->isVisible());
  EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(HelpTest, F1WithoutAnyHelpFileDoesNothing) {
  help::setApplicationHelpFile(folder.file("missing/EMPLOYEE.HLP"));
  QWidget window;
  help::setHelpContext(&window, 700);
  auto* edit = new QLineEdit(&window);
  window.show();
  QApplication::setActiveWindow(&window);
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_F1);
  EXPECT_TRUE(help::viewer() == nullptr || !help::viewer()->isVisible());
  EXPECT_TRUE(boxes.shown().empty());
}
