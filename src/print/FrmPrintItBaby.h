#pragma once
#include <QWidget>

class FrmPrintItBaby : public QWidget {
  Q_OBJECT
 public:
  explicit FrmPrintItBaby(QWidget* parent = nullptr);
};
