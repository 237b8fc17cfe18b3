#pragma once
// What the employee window tests share: a data folder with the supplied files,
// an area and a job list, employees put straight into employee.mdb, the window
// opened as the main menu opens it, and the user's clicks by object name.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVariantMap>
#include <ostream>

#include "employee/FrmNewEmployee.h"
#include "support/TestSupport.h"


// Rows of employee.mdb read with a connection of their own, in table order.
QList<QVariantMap> storedEmployees(const QString& databaseFile = "employee.mdb");
QStringList storedColumn(const QString& field, const QString& databaseFile = "employee.mdb");
// Adds records straight into the table: each row names its fields.
void storeEmployees(const QList<QVariantMap>& rows, const QString& databaseFile = "employee.mdb");
QVariantMap employeeRow(int number, const QString& name);
// Deletes every record of that name behind the window's back.
void deleteStored(const QString& name, const QString& databaseFile = "employee.mdb");

class EmployeeWindowTest : public ::testing::Test {
 protected:
  EmployeeWindowTest();
  ~EmployeeWindowTest() override;

  FrmNewEmployee* open();  // a new window; its load runs

  template <class T>
  T* find(const QString& name) const {
    T* w = window ? window->findChild<T*>(name) : nullptr;
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
  }
  QComboBox* combo(const QString& name) const { return find<QComboBox>(name); }
  QLineEdit* edit(const QString& name) const { return find<QLineEdit>(name); }
  QString text(const QString& name) const;  // of a text box or a list
  void click(const QString& button) const;
  void clickLabel(const QString& label) const;
  // Picks an entry of a drop-down list as a click on it does.
  void choose(const QString& list, const QString& entry) const;
  // Types into a text box or list as the user does, over what it shows
  // (selected, so the first key replaces it).
  void type(const QString& control, const QString& text) const;
  void setShown(const QString& control, const QString& text) const;  // no keystrokes
  QStringList entries(const QString& list) const;
  // Enter New Employee, the name typed, a position and an area chosen, Save
  // New Employee.
  void addEmployee(const QString& name);

  DataFolder folder;
  MessageBoxQueue boxes;
  QPointer<FrmNewEmployee> window;
};
