#pragma once
#include <QWidget>

class FrmPrintFull : public QWidget {
  Q_OBJECT
 public:
  explicit FrmPrintFull(QWidget* parent = nullptr);
};
