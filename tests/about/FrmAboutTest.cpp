// The About window: its layout as designed, no way out but its button, and
// the way back to the main menu.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "app/FrmAbout.h"
#include "app/Frmemployee1.h"
#include "platform/Forms.h"
#include "platform/Geometry.h"
#include "platform/Help.h"
#include "support/TestSupport.h"

namespace {

struct TwipsRect {
  int left, top, width, height;
};

// A widget's geometry in twips, within one pixel of the design.
void expectTwips(const QWidget* w, TwipsRect want) {
  const QRect g = w->geometry();
  const int pixel = pixelsToTwips(1);
  EXPECT_NEAR(pixelsToTwips(g.x()), want.left, pixel) << w->objectName().toStdString();
  EXPECT_NEAR(pixelsToTwips(g.y()), want.top, pixel) << w->objectName().toStdString();
  EXPECT_NEAR(pixelsToTwips(g.width()), want.width, pixel) << w->objectName().toStdString();
  EXPECT_NEAR(pixelsToTwips(g.height()), want.height, pixel) << w->objectName().toStdString();
}

int openAboutWindows() {
  int n = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (qobject_cast<FrmAbout*>(w) && !w->property("unloading").toBool()) ++n;
  return n;
}

class AboutWindow : public ::testing::Test {
 protected:
  void TearDown() override {
    // Deleting the main window takes its menus (top-level widgets too) along.
    QList<QPointer<QWidget>> windows;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (qobject_cast<FrmAbout*>(w) || qobject_cast<Frmemployee1*>(w)) windows << w;
    for (const QPointer<QWidget>& w : windows) delete w.data();
  }
  DataFolder folder;
};

TEST_F(AboutWindow, LaysOutEveryControlAsDesigned) {
  FrmAbout about;
  EXPECT_EQ(about.objectName(), "FrmAbout");
  EXPECT_EQ(about.windowTitle(), "About Employees Rotawise");
  EXPECT_EQ(help::helpContext(&about), 300);
  EXPECT_EQ(about.palette().color(QPalette::Window), QColor(128, 255, 255));
  EXPECT_NEAR(pixelsToTwips(about.pos().x()), 2265, pixelsToTwips(1));
  EXPECT_NEAR(pixelsToTwips(about.pos().y()), 2460, pixelsToTwips(1));
  EXPECT_EQ(about.minimumSize(), about.maximumSize()) << "the dialog frame is fixed";
  EXPECT_NEAR(pixelsToTwips(about.width()), 4920, pixelsToTwips(1));
  EXPECT_NEAR(pixelsToTwips(about.height()), 3405, pixelsToTwips(1));

  const struct {
    const char* name;
    TwipsRect rect;
  } labels[] = {{"Label1", {1080, 1320, 3255, 255}},
                {"Label2", {600, 240, 4095, 375}},
                {"Label3", {1440, 720, 2175, 255}},
                {"Label4", {960, 1800, 3015, 495}},
                {"Label5", {720, 2400, 3735, 495}}};
  for (const auto& l : labels) {
    auto* label = about.findChild<QLabel*>(l.name);
    ASSERT_NE(label, nullptr) << l.name;
    expectTwips(label, l.rect);
    EXPECT_FALSE(label->text().trimmed().isEmpty()) << l.name;
    EXPECT_EQ(label->palette().color(QPalette::Window), QColor(128, 255, 255)) << l.name;
    EXPECT_TRUE(label->autoFillBackground()) << l.name;
    EXPECT_EQ(label->focusPolicy(), Qt::NoFocus) << l.name;
  }

  auto* title = about.findChild<QLabel*>("Label2");
  EXPECT_EQ(title->text(), "Employees Rotawise Scheduler!");
  EXPECT_DOUBLE_EQ(title->font().pointSizeF(), 9.75);
  EXPECT_GE(title->font().weight(), QFont::Bold);
  auto* author = about.findChild<QLabel*>("Label3");
  EXPECT_DOUBLE_EQ(author->font().pointSizeF(), 9.75);
  EXPECT_TRUE(author->font().bold());
  EXPECT_TRUE(author->font().italic());
  EXPECT_TRUE(about.findChild<QLabel*>("Label5")->alignment() & Qt::AlignHCenter);

  auto* picture = about.findChild<QLabel*>("Picture1");
  ASSERT_NE(picture, nullptr);
  expectTwips(picture, {0, 0, 540, 540});
  EXPECT_FALSE(picture->pixmap().isNull()) << "the program icon";

  auto* button = about.findChild<QPushButton*>("Command1");
  ASSERT_NE(button, nullptr);
  expectTwips(button, {240, 2880, 4335, 375});
  EXPECT_EQ(button->text(), "&Ok I've read this long enough!");
  EXPECT_EQ(button->font(), buttonFont());
  // F1 on the button opens the window's topic.
  EXPECT_EQ(help::contextFor(button), 300);
}

TEST_F(AboutWindow, EveryLabelTextFitsItsBox) {
  FrmAbout about;
  for (QLabel* label : about.findChildren<QLabel*>()) {
    if (label->text().isEmpty()) continue;  // the picture box
    const QRect box = label->contentsRect();
    const QRect needed = label->fontMetrics().boundingRect(
        box, int(label->alignment()) | Qt::TextWordWrap, label->text());
    EXPECT_LE(needed.width(), box.width()) << label->objectName().toStdString();
    EXPECT_LE(needed.height(), box.height()) << label->objectName().toStdString();
  }
  auto* button = about.findChild<QPushButton*>("Command1");
  EXPECT_LE(button->sizeHint().width(), button->width()) << "button caption clipped";
}

TEST_F(AboutWindow, OffersNoCloseBoxAndRefusesEveryCloseButTheButton) {
  FrmAbout about;
  const Qt::WindowFlags flags = about.windowFlags();
  EXPECT_TRUE(flags & Qt::CustomizeWindowHint);
  EXPECT_TRUE(flags & Qt::WindowTitleHint);
  EXPECT_FALSE(flags & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowSystemMenuHint);

  about.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
  // What the window manager sends for Alt+F4 or a close from the task bar.
  QCloseEvent fromOutside;
  QApplication::sendEvent(&about, &fromOutside);
  EXPECT_FALSE(fromOutside.isAccepted());
  EXPECT_FALSE(about.close());
  QTest::keyClick(&about, Qt::Key_Escape);
  EXPECT_TRUE(about.isVisible());
}

TEST_F(AboutWindow, ButtonClosesItAndBringsTheMainMenuBack) {
  showMainWindow();
  auto* main = findForm<Frmemployee1>();
  ASSERT_NE(main, nullptr);
  main->whatname_Click();
  FrmAbout* about = findForm<FrmAbout>();
  ASSERT_NE(about, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowActive(about));
  EXPECT_EQ(QApplication::focusWidget(), about->findChild<QPushButton*>("Command1"))
      << "the button has the first focus";

  QPointer<FrmAbout> watch(about);
  QTest::mouseClick(about->findChild<QPushButton*>("Command1"), Qt::LeftButton);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(watch.isNull()) << "unloaded: gone for good";
  EXPECT_EQ(openAboutWindows(), 0);
  EXPECT_TRUE(main->isVisible());
  EXPECT_TRUE(QTest::qWaitForWindowActive(main));
  EXPECT_EQ(QApplication::activeWindow(), main);

  // Enter on the focused button does the same.
  main->whatname_Click();
  about = findForm<FrmAbout>();
  ASSERT_NE(about, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowActive(about));
  watch = about;
  QTest::keyClick(about->findChild<QPushButton*>("Command1"), Qt::Key_Return);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(watch.isNull());
  EXPECT_TRUE(QTest::qWaitForWindowActive(main));
}

TEST_F(AboutWindow, OpeningItTwiceFromTheMenuGivesOneWindow) {
  showMainWindow();
  auto* main = findForm<Frmemployee1>();
  ASSERT_NE(main, nullptr);
  QAction* item = main->menuItem("whatname");
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->text(), "About &Employees Rotawise");

  item->trigger();
  FrmAbout* first = findForm<FrmAbout>();
  ASSERT_NE(first, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowActive(first));
  main->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(main));

  item->trigger();
  EXPECT_EQ(openAboutWindows(), 1);
  EXPECT_EQ(findForm<FrmAbout>(), first);
  EXPECT_TRUE(QTest::qWaitForWindowActive(first)) << "brought forward";
}

}  // namespace
