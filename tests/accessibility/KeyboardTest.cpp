// Everything done without a mouse: Tab reaches every control a window shows,
// in the order it stands on the screen; the day copy, taking a name off the
// exclusion list and the help's links work from the keyboard; Escape leaves a
// window as its Cancel or Exit button does.
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTest>
#include <QTextBrowser>
#include <iostream>

#include "EveryWindow.h"
#include "app/Frmemployee1.h"
#include "employee/FrmNewEmployee.h"
#include "platform/Forms.h"
#include "platform/Help.h"

namespace {
QWidget* focused() { return QApplication::focusWidget(); }

void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QWidget* target = focused() ? focused() : QApplication::activeWindow();
  ASSERT_NE(target, nullptr) << "nothing has the keyboard";
  QTest::keyClick(target, Qt::Key(key), modifiers);
}

// The controls of `w` that Tab should stop at: shown, enabled, taking the
// focus at all (a box that only a click reaches counts too), and not standing
// in for another (a combo box's text field).
QList<QWidget*> tabStops(QWidget* w) {
  QList<QWidget*> stops;
  for (QWidget* c : w->findChildren<QWidget*>())
    if (c->isVisible() && c->isEnabled() && c->focusPolicy() != Qt::NoFocus && !c->focusProxy())
      stops << c;
  return stops;
}

// The object names Tab visits from `first`, `count` presses long.
QStringList tabWalk(QWidget* first, int count) {
  first->setFocus(Qt::TabFocusReason);
  QStringList names{focused() ? focused()->objectName() : QString()};
  for (int i = 1; i < count; ++i) {
    press(Qt::Key_Tab);
    names << (focused() ? focused()->objectName() : QString());
  }
  return names;
}
}  // namespace

TEST_P(EveryWindowTest, TabReachesEveryControlItShows) {
  QWidget* w = open();
  ASSERT_NE(w, nullptr);
  if (!w->isVisible()) {  // the splash is only made: it has nothing to reach
    for (QWidget* c : w->findChildren<QWidget*>())
      EXPECT_EQ(c->focusPolicy(), Qt::NoFocus) << c->objectName().toStdString();
    return;
  }
  const QList<QWidget*> stops = tabStops(w);
  if (stops.isEmpty()) return;  // nothing to reach (the main window works through its menu)
  stops.first()->setFocus(Qt::TabFocusReason);
  QSet<QWidget*> reached;
  for (int i = 0; i < 2 * stops.size() + 4; ++i) {
    if (focused()) reached.insert(focused());
    press(Qt::Key_Tab);
  }
  int missed = 0;
  for (QWidget* c : stops) {
    missed += !reached.contains(c);
    EXPECT_TRUE(reached.contains(c)) << c->objectName().toStdString() << " ("
                                     << c->metaObject()->className() << ") is never reached";
  }
  std::cout << "[ tab ] " << GetParam().name << ": " << stops.size() - missed << " of "
            << stops.size() << " controls shown reached\n";
}

class EmployeeKeyboardTest : public WindowsTest {
 protected:
  static FrmNewEmployee* openEmployeeWindow() {
    return static_cast<FrmNewEmployee*>(open("FrmNewEmployee"));
  }
  template <class T>
  static T* child(QWidget* w, const char* name) {
    T* c = w->findChild<T*>(name);
    EXPECT_NE(c, nullptr) << name;
    return c;
  }
  // The nine boxes of a day, as shown.
  static QStringList dayTexts(QWidget* w, const QString& prefix, const char* flag) {
    auto shown = [w](const QString& name) {
      return child<QComboBox>(w, qPrintable(name))->currentText();
    };
    QStringList texts{shown(flag)};
    for (const char* field : {"start", "stop"}) texts << shown("txt" + prefix.toLower() + field);
    for (const char* field : {"Bldg1", "SplitStart", "SplitStop", "Bldg2", "Special", "Bldg"})
      texts << shown("txt" + prefix + field);
    return texts;
  }
};

TEST_F(EmployeeKeyboardTest, TabFollowsTheScreenThroughDetailsCommandsAndTheWeekRowByRow) {
  FrmNewEmployee* w = openEmployeeWindow();
  EXPECT_EQ(tabWalk(child<QWidget>(w, "Text1"), 22),
            QStringList({"Text1", "MoveFirst", "MovePrevious", "MoveNext", "MoveLast",
                         "txtFullName", "txtPosition", "txtArea", "txtArea2", "txtArea3",
                         "txtArea4", "CmdAddRecord", "CmdSaveData", "CmdCopy", "CmdUpdate",
                         "CmdDelete", "CmdSearch", "txtFind", "CmdCancel", "CmdHelp", "Label4",
                         "txtmonday"}));
  EXPECT_EQ(tabWalk(child<QWidget>(w, "txtmonday"), 10),
            QStringList({"txtmonday", "txtmonstart", "txtmonstop", "txtMonBldg1",
                         "txtMonSplitStart", "txtMonSplitStop", "txtMonBldg2", "txtMonSpecial",
                         "txtMonBldg", "Label8"}));
}

TEST_F(EmployeeKeyboardTest, DayCopyOpensFromAHeadingByKeyAndEscapeLeavesItAsQuitDoes) {
  FrmNewEmployee* w = openEmployeeWindow();
  child<QComboBox>(w, "txtwedstart")->setEditText("1A.M.");
  const QStringList monday = dayTexts(w, "Mon", "txtmonday");
  const QStringList wednesday = dayTexts(w, "Wed", "txtwednesday");
  ASSERT_NE(monday, wednesday);
  auto* heading = child<QLabel>(w, "Label9");
  auto* frame = child<QGroupBox>(w, "Frame1");

  // Escape closes the frame as "&Quit" does: nothing copied, the window stays.
  heading->setFocus(Qt::TabFocusReason);
  press(Qt::Key_Return);
  ASSERT_TRUE(frame->isVisible());
  EXPECT_TRUE(frame->isAncestorOf(focused())) << "the keyboard goes on in the frame";
  keepScreenshot(w, "FrmNewEmployee-day-copy-by-keyboard");
  press(Qt::Key_Escape);
  EXPECT_FALSE(frame->isVisible());
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(focused(), heading);
  EXPECT_EQ(folder.read("DAYCOPY.IGH"), "WEDNESDAY\r\n");
  EXPECT_EQ(dayTexts(w, "Wed", "txtwednesday"), wednesday);

  // Space opens it, Space picks Monday, Tab goes to "&Ok" and Space copies.
  press(Qt::Key_Space);
  ASSERT_TRUE(frame->isVisible());
  ASSERT_EQ(focused(), child<QRadioButton>(w, "Option1"));
  press(Qt::Key_Space);
  EXPECT_TRUE(child<QRadioButton>(w, "Option1")->isChecked());
  for (int i = 0; i < 10 && focused() != child<QPushButton>(w, "Ok"); ++i) press(Qt::Key_Tab);
  ASSERT_EQ(focused(), child<QPushButton>(w, "Ok"));
  press(Qt::Key_Space);
  EXPECT_FALSE(frame->isVisible());
  EXPECT_EQ(dayTexts(w, "Wed", "txtwednesday"), monday);
  EXPECT_EQ(dayTexts(w, "Mon", "txtmonday"), monday);
  EXPECT_EQ(focused(), heading) << "back on the day that was filled";
  keepScreenshot(w, "FrmNewEmployee-heading-with-focus");
}

TEST_F(WindowsTest, DeleteTakesTheSelectedNameOffTheExclusions) {
  QWidget* w = open("FrmPrintFull");
  ASSERT_NE(w, nullptr);
  auto* staff = w->findChild<QComboBox*>("txtStaffVacation");
  auto* excluded = w->findChild<QListWidget*>("txtStaffVacationList");
  for (int row : {0, 1}) {
    staff->setCurrentIndex(row);
    emit staff->activated(row);
  }
  ASSERT_EQ(excluded->count(), 2);
  const QString kept = excluded->item(1)->text();
  excluded->setFocus(Qt::TabFocusReason);
  excluded->setCurrentRow(0);
  press(Qt::Key_Delete);
  ASSERT_EQ(excluded->count(), 1);
  EXPECT_EQ(excluded->item(0)->text(), kept);
  EXPECT_TRUE(w->isVisible());
}

TEST_F(WindowsTest, HelpLinksTakeTheFocusFromTheTopicShownAndEscapeCloses) {
  ASSERT_TRUE(help::show("EMPLOYEE.HLP", help::Context, 616));
  QTextBrowser* viewer = help::viewer();
  ASSERT_NE(viewer, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowActive(viewer->window()));
  EXPECT_EQ(focused(), viewer);
  // The first Tab picks the topic's own first link, not the contents' link.
  press(Qt::Key_Tab);
  EXPECT_TRUE(viewer->textCursor().hasSelection());
  EXPECT_EQ(viewer->textCursor().charFormat().anchorHref(), "#617");
  press(Qt::Key_Return);
  EXPECT_EQ(viewer->source().fragment(), "617");
  press(Qt::Key_Escape);
  EXPECT_FALSE(viewer->window()->isVisible());
}

// Escape, with the keyboard in one of the window's controls, does what the
// window's Cancel or Exit button does: the window goes, the main window is
// shown, and nothing is written. (The About window has neither: its one
// button, the only way out, is pressed with Enter or Space.)
TEST_F(WindowsTest, EscapeLeavesEveryWindowAsItsCancelOrExitButton) {
  struct Case {
    const char* window;
    const char* focus;  // the control that has the keyboard
  };
  const QByteArray areas = folder.read("AREAS.IGH");
  const QByteArray extras = folder.read("extras.txt");
  for (const Case& c : std::initializer_list<Case>{{"FrmNewEmployee", "txtmonstart"},
                                                  {"FrmNewSchedule", "Text3"},
                                                  {"FrmNewSchedule2", "Text1"},
                                                  {"FrmExtras", "Text13"},
                                                  {"FrmPrintFull", "txtfindAreas"},
                                                  {"FrmPrintItBaby", "Command3"},
                                                  {"HelpWindow", "HelpViewer"}}) {
    SCOPED_TRACE(c.window);
    QWidget* w = open(c.window);
    ASSERT_NE(w, nullptr);
    QPointer<QWidget> window = w;
    QWidget* control = w->objectName() == c.focus ? w : w->findChild<QWidget*>(c.focus);
    ASSERT_NE(control, nullptr) << c.focus;
    control->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Escape);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(!window || !window->isVisible()) << "still open";
    if (qstrcmp(c.window, "HelpWindow") != 0)
      EXPECT_TRUE(findForm<Frmemployee1>() && findForm<Frmemployee1>()->isVisible());
    EXPECT_TRUE(boxes.shown().empty()) << boxes.texts().join(" | ").toStdString();
    EXPECT_EQ(folder.read("AREAS.IGH"), areas);
    EXPECT_EQ(folder.read("extras.txt"), extras);
  }
}
