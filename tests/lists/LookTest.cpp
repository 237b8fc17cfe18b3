// How the three setup windows look: designer names, captions, places, tab
// order, help numbers, and nothing clipped or overlapping. With
// ROTAWISE_SCREENSHOTS=<folder> each window is also saved as a PNG there.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTextBrowser>
#include <QTest>

#include "ListsTestSupport.h"
#include "lists/FrmExtras.h"
#include "lists/FrmNewSchedule.h"
#include "lists/FrmNewSchedule2.h"
#include "platform/Geometry.h"
#include "platform/Help.h"
#include "support/TestSupport.h"

namespace {
void expectPlaced(const QWidget& w, const QString& name, int left, int top, int width, int height) {
  if (QWidget* c = control(w, name)) EXPECT_EQ(c->geometry(), twipsRect(left, top, width, height)) << name.toStdString();
}

// The names of the controls a Tab key walks through, from the first box on.
QStringList tabWalk(QWidget& w, const QString& first, int steps) {
  QStringList names;
  QWidget* c = control(w, first);
  for (int i = 0; c && i < steps; ++i) {
    names << c->objectName();
    c = c->nextInFocusChain();
    while (c && (c->focusPolicy() & Qt::TabFocus) == 0) c = c->nextInFocusChain();
  }
  return names;
}

// Every visible control lies inside the window, no two overlap, and no
// wrapped label needs more height than it has.
void expectTidy(QWidget& w) {
  QList<QWidget*> controls;
  for (QWidget* c : w.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (c->isVisible()) controls << c;
  for (QWidget* c : controls) {
    EXPECT_TRUE(w.rect().contains(c->geometry())) << c->objectName().toStdString();
    if (auto* label = qobject_cast<QLabel*>(c); label && label->wordWrap())
      EXPECT_LE(label->heightForWidth(label->width()), label->height()) << c->objectName().toStdString();
    if (auto* button = qobject_cast<QPushButton*>(c))
      EXPECT_LE(button->sizeHint().width(), button->width()) << c->objectName().toStdString();
  }
  for (int i = 0; i < controls.size(); ++i)
    for (int j = i + 1; j < controls.size(); ++j)
      EXPECT_FALSE(controls[i]->geometry().intersects(controls[j]->geometry()))
          << controls[i]->objectName().toStdString() << " / " << controls[j]->objectName().toStdString();
}

void screenshot(QWidget& w) {
  const QByteArray folder = qgetenv("ROTAWISE_SCREENSHOTS");
  if (!folder.isEmpty()) w.grab().save(QString::fromLocal8Bit(folder) + "/" + w.objectName() + ".png");
}

QStringList numbered(const QString& stem, int from, int to) {
  QStringList names;
  for (int i = from; i <= to; ++i) names << stem + QString::number(i);
  return names;
}
}  // namespace

TEST(SetupWindowsLook, AreaWindow) {
  DataFolder folder;
  folder.install("clouds.bmp");
  FrmNewSchedule w;
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  EXPECT_EQ(w.windowTitle(), "Employee's Rotawise Department/Building Selection.");
  expectPlaced(w, "Text1", 240, 480, 1815, 375);
  expectPlaced(w, "Text10", 240, 4800, 1815, 375);
  expectPlaced(w, "Text11", 2280, 480, 1695, 375);
  expectPlaced(w, "Text20", 2280, 4800, 1695, 375);
  expectPlaced(w, "Command1", 5040, 3720, 1215, 495);
  expectPlaced(w, "Command2", 6840, 3720, 1215, 495);
  expectPlaced(w, "Command3", 6000, 4560, 1215, 495);
  expectPlaced(w, "Label1", 4320, 480, 5055, 2655);
  EXPECT_EQ(control<QPushButton>(w, "Command1")->text(), "&Save");
  EXPECT_EQ(control<QPushButton>(w, "Command2")->text(), "&Cancel");
  EXPECT_EQ(control<QPushButton>(w, "Command3")->text(), "&Help");
  EXPECT_TRUE(control<QLabel>(w, "Label1")->text().startsWith("Enter up to 20 different Buildings"));
  EXPECT_TRUE(control<QLabel>(w, "Label1")->font().bold());
  EXPECT_TRUE(control<QPushButton>(w, "Command1")->font().bold());
  EXPECT_EQ(tabWalk(w, "Text1", 24),
            numbered("Text", 1, 20) + QStringList({"Command1", "Command2", "Command3", "Text1"}));
  EXPECT_EQ(help::contextFor(control(w, "Text5")), 701);
  EXPECT_EQ(help::contextFor(control(w, "Text6")), 700);
  EXPECT_EQ(help::contextFor(control(w, "Text15")), 701);
  EXPECT_EQ(help::contextFor(control(w, "Text16")), 700);
  EXPECT_TRUE(w.findChild<QWidget*>("StatusBar1"));
  EXPECT_TRUE(w.findChild<QObject*>("CommonDialog1"));
  expectTidy(w);
  screenshot(w);
}

TEST(SetupWindowsLook, JobWindow) {
  DataFolder folder;
  folder.install("clouds.bmp");
  FrmNewSchedule2 w;
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  EXPECT_EQ(w.windowTitle(), "Employee's Rotawise Job discriptions.");
  expectPlaced(w, "Text1", 120, 360, 2055, 375);
  expectPlaced(w, "Text10", 120, 5760, 2055, 375);
  expectPlaced(w, "Text20", 2280, 5760, 1695, 375);
  expectPlaced(w, "Command1", 5160, 4320, 1215, 495);
  expectPlaced(w, "Command2", 6960, 4320, 1215, 495);
  expectPlaced(w, "Command3", 6120, 5280, 1215, 495);
  expectPlaced(w, "Label1", 4200, 1560, 5295, 1935);
  EXPECT_EQ(control<QPushButton>(w, "Command1")->text(), "&Cancel");
  EXPECT_EQ(control<QPushButton>(w, "Command2")->text(), "&Save");
  EXPECT_FALSE(control<QLabel>(w, "Label1")->font().bold());
  EXPECT_TRUE(control<QLabel>(w, "Label1")->text().endsWith("your previous choices will be listed. "));
  EXPECT_EQ(tabWalk(w, "Text1", 23), numbered("Text", 1, 20) + QStringList({"Command1", "Command2", "Command3"}));
  EXPECT_EQ(help::contextFor(control(w, "Text4")), 801);
  EXPECT_EQ(help::contextFor(control(w, "Text5")), 800);
  EXPECT_EQ(help::contextFor(control(w, "Text12")), 801);
  EXPECT_EQ(help::contextFor(control(w, "Text13")), 800);
  expectTidy(w);
  screenshot(w);
}

TEST(SetupWindowsLook, ExtrasWindow) {
  DataFolder folder;
  folder.install("clouds.bmp");
  FrmExtras w;
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  EXPECT_EQ(w.windowTitle(), "Schedule Extras");
  expectPlaced(w, "Label1", 1560, 120, 6495, 615);
  expectPlaced(w, "Text1", 360, 960, 9015, 375);
  expectPlaced(w, "Text5", 360, 3360, 9015, 375);
  expectPlaced(w, "Label2", 1680, 3960, 6375, 735);
  expectPlaced(w, "Text13", 1800, 4920, 1935, 375);
  expectPlaced(w, "Text8", 1800, 6360, 1935, 375);
  expectPlaced(w, "Text12", 5280, 6360, 1935, 375);
  expectPlaced(w, "Label9", 3960, 6360, 1215, 375);
  expectPlaced(w, "Command1", 7800, 6240, 1215, 495);
  expectPlaced(w, "Command2", 7800, 5520, 1215, 495);
  expectPlaced(w, "Command3", 7800, 4800, 1215, 495);
  const QStringList captions = {"Label/Name", "Monday", "Tuesday", "Wednesday",
                                "Thursday", "Friday", "Saturday", "Sunday"};
  const QStringList labels = {"Label10", "Label3", "Label4", "Label5", "Label6", "Label7", "Label8", "Label9"};
  for (int i = 0; i < labels.size(); ++i)
    EXPECT_EQ(control<QLabel>(w, labels[i])->text().trimmed(), captions[i]);
  EXPECT_EQ(tabWalk(w, "Text1", 16),
            numbered("Text", 1, 5) + QStringList{"Text13"} + numbered("Text", 6, 12) +
                QStringList({"Command1", "Command2", "Command3"}));
  EXPECT_EQ(help::contextFor(&w), 400);
  EXPECT_EQ(help::contextFor(control(w, "Text3")), 1301);
  EXPECT_EQ(help::contextFor(control(w, "Text13")), 1302);
  auto* box = control<QLineEdit>(w, "Text6");
  EXPECT_EQ(box->palette().color(QPalette::Base), QColor(0, 0, 255));
  EXPECT_EQ(box->palette().color(QPalette::Text), QColor(Qt::white));
  EXPECT_EQ(control<QLabel>(w, "Label3")->palette().color(QPalette::Window), QColor(0, 255, 0));
  expectTidy(w);
  type(w, "Text1", "Staff meeting every Friday at 4 pm in the back room; coffee and cake.");
  type(w, "Text13", "On call");
  type(w, "Text6", "WWWWWWWWWWWWWWWWWWWW");
  screenshot(w);
}

TEST(SetupWindowsLook, OpenWithoutTheirPicture) {
  DataFolder folder;  // no clouds.bmp
  FrmNewSchedule areas;
  FrmExtras extras;
  EXPECT_EQ(control<QLineEdit>(areas, "Text1")->text(), "Empty");
  EXPECT_EQ(extras.palette().color(QPalette::Window), QColor(Qt::white));
}

TEST(SetupWindowsLook, HelpButtonsOpenTheContentsOfTheHelpFileAndTheWindowStays) {
  MessageBoxQueue boxes;
  {
    DataFolder folder;  // no EMPLOYEE.HLP: nothing shown, nothing said
    FrmExtras w;
    w.show();
    QTest::mouseClick(control<QPushButton>(w, "Command3"), Qt::LeftButton);
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(boxes.shown().empty());
  }
  DataFolder folder;
  folder.install("EMPLOYEE.HLP");
  FrmNewSchedule areas;
  FrmNewSchedule2 jobs;
  FrmExtras extras;
  for (QWidget* w : std::initializer_list<QWidget*>{&areas, &jobs, &extras}) {
    w->show();
    if (help::viewer()) help::viewer()->close();
    QTest::mouseClick(control<QPushButton>(*w, "Command3"), Qt::LeftButton);
    EXPECT_TRUE(w->isVisible()) << w->objectName().toStdString();
    EXPECT_EQ(help::shownFile(), folder.file("EMPLOYEE.HLP")) << w->objectName().toStdString();
    EXPECT_EQ(help::shownTopic(), 0);
    ASSERT_TRUE(help::viewer());
    EXPECT_TRUE(help::viewer()->isVisible());
  }
  EXPECT_TRUE(boxes.shown().empty());
}
