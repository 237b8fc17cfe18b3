#include "platform/Forms.h"

namespace {
std::function<void()>& mainWindow() {
  static std::function<void()> show;
  return show;
}
}  // namespace

void setMainWindow(std::function<void()> show) { mainWindow() = std::move(show); }

void showMainWindow() {
  if (mainWindow()) mainWindow()();
}
