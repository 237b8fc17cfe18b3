#pragma once
#include <QWidget>

class FrmExtras : public QWidget {
  Q_OBJECT
 public:
  explicit FrmExtras(QWidget* parent = nullptr);
};
