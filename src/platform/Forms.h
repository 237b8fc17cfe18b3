#pragma once
// Windows are opened modeless and only once: a window that is already open
// is brought forward instead of a second copy.
#include <QApplication>
#include <QWidget>
#include <functional>

template <class Form>
Form* findForm() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* f = qobject_cast<Form*>(w); f && !f->property("unloading").toBool()) return f;
  }
  return nullptr;
}

// Shows the open window of this class, or makes one. A new window is deleted
// when it closes (unload).
template <class Form>
Form* showForm() {
  Form* form = findForm<Form>();
  if (!form) {
    form = new Form();
    form->setAttribute(Qt::WA_DeleteOnClose);
  }
  if (form->isMinimized()) form->showNormal();
  else form->show();
  form->raise();
  form->activateWindow();
  return form;
}

// Unload: closes the window for good (it is deleted once events run).
inline void unloadForm(QWidget* form) {
  form->setProperty("unloading", true);
  form->close();
}

// The main window, which every working window goes back to when it closes.
// The main window registers how it is shown at start-up, so that no window
// needs to know it; showMainWindow() does nothing before that.
void setMainWindow(std::function<void()> show);
void showMainWindow();
