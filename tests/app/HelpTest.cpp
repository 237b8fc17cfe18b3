// The help module's path rule, F1 context help and the help contents action.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
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
    if (help::viewer()) delete help::viewer();
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

TEST_F(HelpTest, HelpStartPointsF1AtTheProgramFolderWhateverTheCurrentFolder) {
  HelpStart(QVariant(qint32(1234)));
  EXPECT_EQ(help::applicationHelpFile(),
            QCoreApplication::applicationDirPath() + "/EMPLOYEE.HLP");
  EXPECT_NE(QDir::currentPath(), QCoreApplication::applicationDirPath());
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
