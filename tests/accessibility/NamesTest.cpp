// What a screen reader is told about each window, through Qt's accessibility
// interface (the one AT-SPI and UI Automation both read): the window is a
// window with its title, and every control has a name of words that says what
// it is for, not the value it happens to show, and no two visible controls
// share one.
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QRegularExpression>
#include <QSet>
#include <QWidget>
#include <iostream>

#include "EveryWindow.h"
#include "employee/FrmNewEmployee.h"

namespace {
bool saysWhatItIs(const QString& name) {
  static const QRegularExpression letters("[A-Za-z].*[A-Za-z]");
  return name.contains(letters);
}
}  // namespace

TEST_P(EveryWindowTest, IsAWindowWithItsTitleAndNamesEveryControl) {
  QWidget* w = open();
  ASSERT_NE(w, nullptr);
  QAccessibleInterface* window = QAccessible::queryAccessibleInterface(w);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->role() == QAccessible::Window || window->role() == QAccessible::Dialog)
      << "role " << int(window->role());
  EXPECT_EQ(window->text(QAccessible::Name), w->windowTitle());

  QSet<QString> visibleNames;
  const QList<QAccessibleInterface*> controls = interactiveControls(window);
  int named = 0;
  for (QAccessibleInterface* control : controls) {
    const QString name = control->text(QAccessible::Name).simplified();
    const QString value = control->text(QAccessible::Value).simplified();
    EXPECT_TRUE(saysWhatItIs(name)) << describe(control).toStdString();
    named += saysWhatItIs(name);
    // A box's value is what it holds; a list gives its name again as its value.
    const bool holdsText =
        control->role() == QAccessible::ComboBox || control->role() == QAccessible::EditableText;
    if (holdsText && !value.isEmpty()) EXPECT_NE(name, value) << describe(control).toStdString();
    // The text field inside a combo box is the box itself, said once.
    const bool part = control->parent() && control->parent()->role() == QAccessible::ComboBox;
    if (control->state().invisible || part) continue;
    EXPECT_FALSE(visibleNames.contains(name)) << "two controls named " << name.toStdString();
    visibleNames.insert(name);
  }
  std::cout << "[ names ] " << GetParam().name << ": " << named << " of " << controls.size()
            << " controls named\n";
}

INSTANTIATE_TEST_SUITE_P(Accessibility, EveryWindowTest, ::testing::ValuesIn(everyWindow()),
                         [](const auto& info) { return std::string(info.param.name); });

// The week grid is said by day and column, and a weekday heading is a button
// that starts the day copy.
TEST(WeekGridNames, SayTheDayAndTheColumn) {
  DataFolder folder;
  folder.installAll();
  MessageBoxQueue boxes;
  FrmNewEmployee w;
  struct Cell {
    const char* control;
    const char* name;
  };
  for (const Cell& c : std::initializer_list<Cell>{{"txtmonday", "Monday week day"},
                                                   {"txtmonstart", "Monday start time"},
                                                   {"txtTueSplitStop", "Tuesday split end time"},
                                                   {"txtWedBldg1", "Wednesday area"},
                                                   {"txtThuBldg2", "Thursday split shift area"},
                                                   {"txtSatSpecial", "Saturday special"},
                                                   {"txtSunBldg", "Sunday special area"}}) {
    auto* cell = w.findChild<QComboBox*>(c.control);
    ASSERT_NE(cell, nullptr) << c.control;
    cell->setEditText("9A.M.");
    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(cell);
    EXPECT_EQ(box->role(), QAccessible::ComboBox);
    EXPECT_EQ(box->text(QAccessible::Name), c.name);
    EXPECT_EQ(box->text(QAccessible::Value), "9A.M.");
  }
  QAccessibleInterface* heading =
      QAccessible::queryAccessibleInterface(w.findChild<QLabel*>("Label9"));
  EXPECT_EQ(heading->role(), QAccessible::Button);
  EXPECT_EQ(heading->text(QAccessible::Name), "Wednesday");
  EXPECT_FALSE(heading->text(QAccessible::Description).isEmpty());
}
