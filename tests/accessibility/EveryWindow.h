#pragma once
// Every window of the program, opened as the program opens it (from the main
// window's menu where it is opened there), on a data folder with a real week
// of employees: the table the accessibility tests run over.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QList>
#include <QString>
#include <functional>
#include <ostream>

#include "support/TestSupport.h"

class QWidget;

// Readable QString values in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

struct WindowCase {
  const char* name;
  std::function<QWidget*()> open;
};
std::vector<WindowCase> everyWindow();
inline void PrintTo(const WindowCase& c, std::ostream* os) { *os << c.name; }

// The data folder the windows open on, and every window deleted afterwards.
class WindowsTest : public ::testing::Test {
 protected:
  WindowsTest();
  ~WindowsTest() override;
  // Opens the window, shown and active (the splash only made).
  static QWidget* open(const WindowCase& c);
  static QWidget* open(const char* name);

  DataFolder folder;
  MessageBoxQueue boxes;
};

class EveryWindowTest : public WindowsTest, public ::testing::WithParamInterface<WindowCase> {
 protected:
  QWidget* open() { return WindowsTest::open(GetParam()); }
};

// A control a user works with (as opposed to a label, a frame or a bar).
bool isInteractive(QAccessible::Role role);
// The controls a user works with in a window's accessibility tree, the text
// field of an editable combo box among them, hidden ones included.
QList<QAccessibleInterface*> interactiveControls(QAccessibleInterface* window);
QString describe(QAccessibleInterface* control);  // for failure messages
// With ROTAWISE_SCREENSHOTS=<folder>, saves what the window shows as <name>.png there.
void keepScreenshot(QWidget* window, const QString& name);
