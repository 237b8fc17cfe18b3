#pragma once
// What the print setup window tests share: a data folder with the supplied
// lists, areas, positions and employees, the window opened as the main menu
// opens it, and the user's clicks by object name.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>

#include "print/FrmPrintFull.h"
#include "support/TestSupport.h"

class PrintSetupTest : public ::testing::Test {
 protected:
  PrintSetupTest();
  ~PrintSetupTest() override;

  // The supplied files, AREAS.IGH and POSITION.IGH, and a table of employees.
  void prepareFolder(const QStringList& areas = {"Kitchen", "Restaurant Bar", "Restaurant Patio"},
                     const QStringList& names = {"Ann Lee", "bob Stone"});
  static void addEmployees(const QStringList& names);
  FrmPrintFull* open();  // a new window; its load runs

  template <class T>
  T* find(const char* name) const {
    T* w = window ? window->findChild<T*>(name) : nullptr;
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  QComboBox* combo(const char* name) const { return find<QComboBox>(name); }
  QLineEdit* edit(const char* name) const { return find<QLineEdit>(name); }
  QListWidget* exclusions() const { return find<QListWidget>("txtStaffVacationList"); }
  void click(const char* button) const;
  // Picks an entry from a drop-down list as a click on it does.
  void choose(const char* box, const QString& entry) const;
  void type(const char* box, const QString& text) const;
  // Fills the choices of a schedule that passes every check.
  void fillGoodChoices(const QString& area) const;
  QStringList entries(const char* box) const;

  DataFolder folder;
  MessageBoxQueue boxes;
  QPointer<FrmPrintFull> window;
};
