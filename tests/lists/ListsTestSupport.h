#pragma once
// Shared by the list tests: finding a window's controls by designer name and
// making the disk refuse a file step for the length of a scope.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include "platform/FileOps.h"

template <class T = QWidget>
T* control(const QWidget& window, const QString& name) {
  T* c = window.findChild<T*>(name);
  if (!c) ADD_FAILURE() << "no control " << name.toStdString() << " on " << window.objectName().toStdString();
  return c;
}

inline void type(const QWidget& window, const QString& box, const QString& text) {
  if (auto* edit = control<QLineEdit>(window, box)) edit->setText(text);
}

inline QString textOf(const QWidget& window, const QString& box) {
  auto* edit = control<QLineEdit>(window, box);
  return edit ? edit->text() : QString("<missing>");
}

class DiskRefuses {
 public:
  explicit DiskRefuses(FileStep step) {
    fileops::setFaultInjector([step](FileStep s, const QString&) { return s == step; });
  }
  ~DiskRefuses() { fileops::setFaultInjector({}); }
};
