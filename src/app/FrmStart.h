#pragma once
// The borderless splash window shown first; once painted it opens the main
// window and unloads itself.
#include <QWidget>

class FrmStart : public QWidget {
  Q_OBJECT
 public:
  explicit FrmStart(QWidget* parent = nullptr);
  ~FrmStart() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Form_Load();
  void Form_Activate();
  void Form_Unload();
  bool activated_ = false;
};
