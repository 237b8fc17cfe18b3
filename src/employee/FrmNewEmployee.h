#pragma once
#include <QWidget>

class FrmNewEmployee : public QWidget {
  Q_OBJECT
 public:
  explicit FrmNewEmployee(QWidget* parent = nullptr);
};
