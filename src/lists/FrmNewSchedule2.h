#pragma once
#include <QWidget>

class FrmNewSchedule2 : public QWidget {
  Q_OBJECT
 public:
  explicit FrmNewSchedule2(QWidget* parent = nullptr);
};
