#pragma once
// The mouse pointer of a window: the hourglass while an action works, the
// arrow again on every way out. PointerGuard restores the arrow when it goes
// out of scope, error paths included.
#include <QPointer>
#include <QWidget>

namespace pointer {
constexpr int Default = 0;
constexpr int Hourglass = 11;
}  // namespace pointer

void setMousePointer(QWidget* window, int pointer);
int mousePointer(const QWidget* window);
// Lets pending window events run, so the hourglass and status texts show.
void doEvents();
// Lets the windows paint (the hourglass, a progress bar) while long work runs,
// the user's input waiting until it ends.
void repaintWindows();

class PointerGuard {
 public:
  explicit PointerGuard(QWidget* window);
  ~PointerGuard();
  PointerGuard(const PointerGuard&) = delete;
  PointerGuard& operator=(const PointerGuard&) = delete;

 private:
  QPointer<QWidget> window_;  // the window may close inside the scope
};

// The hourglass over the whole program while work runs before (or without)
// a window of its own, such as at start-up; the arrow again on every way out.
class BusyCursor {
 public:
  BusyCursor();
  ~BusyCursor();
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};
