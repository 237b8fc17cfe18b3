#include "platform/Pointer.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

void setMousePointer(QWidget* window, int p) {
  if (!window) return;
  window->setCursor(p == pointer::Hourglass ? Qt::WaitCursor : Qt::ArrowCursor);
}

int mousePointer(const QWidget* window) {
  return window && window->cursor().shape() == Qt::WaitCursor ? pointer::Hourglass
                                                              : pointer::Default;
}

void doEvents() { QApplication::processEvents(); }
void repaintWindows() { QApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

PointerGuard::PointerGuard(QWidget* window) : window_(window) {
  setMousePointer(window_, pointer::Hourglass);
}

PointerGuard::~PointerGuard() { setMousePointer(window_, pointer::Default); }

BusyCursor::BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
BusyCursor::~BusyCursor() { QApplication::restoreOverrideCursor(); }
