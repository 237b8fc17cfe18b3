#pragma once
// What a screen reader (AT-SPI on Linux, UI Automation on Windows, both fed by
// Qt's accessibility) is told about the windows: each window is a window with
// its title, each control has a name saying what it is for, and a label that
// stands beside a control is that control's label.
#include <QString>
#include <functional>

class QLabel;
class QWidget;

namespace accessible {
// Teaches Qt's accessibility two things it gets wrong for these windows:
// a window made from a plain widget is a frame (or a dialog), not a filler,
// and a combo box is named by its label, not by the choice it shows (which is
// what Qt says on Linux). Call once, after the QApplication is made.
void install();

// The name (and, where the name is not enough, the description) a screen
// reader says for `control`. The text field of an editable combo box is
// named alike, since it is what has the keyboard while one types.
void setName(QWidget* control, const QString& name, const QString& description = {});

// `label` is the caption a sighted user reads beside `control`: it becomes the
// control's label (its buddy) and gives the name, unless `name` is given.
void setLabel(QLabel* label, QWidget* control, const QString& name = {},
              const QString& description = {});

// A caption as it is said: without "&", the arrows and pointers drawn with
// "->", "<--" or "^--", and the runs of blanks that align it on screen.
QString spoken(const QString& caption);

// Escape, once the focused control has passed it on, runs `action` in `window`.
void onEscape(QWidget* window, std::function<void()> action);
}  // namespace accessible
