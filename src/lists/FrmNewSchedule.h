#pragma once
#include <QWidget>

class FrmNewSchedule : public QWidget {
  Q_OBJECT
 public:
  explicit FrmNewSchedule(QWidget* parent = nullptr);
};
