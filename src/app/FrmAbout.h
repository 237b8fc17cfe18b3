#pragma once
// The About window: the program's name, its icon, a few lines about the
// Rotawise project, and one button, the only way out, that brings the main
// menu back.
#include <QWidget>

class QLabel;
class QPushButton;

class FrmAbout : public QWidget {
  Q_OBJECT
 public:
  explicit FrmAbout(QWidget* parent = nullptr);

  void Command1_Click();

 protected:
  // The window has no close box; a close from anywhere but the button
  // (window manager, Alt+F4) is refused.
  void closeEvent(QCloseEvent* event) override;

 private:
  QLabel* addLabel(const QString& name, const QString& text, int left, int top, int width,
                   int height);

  QLabel* Picture1 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Label5 = nullptr;
  QPushButton* Command1 = nullptr;
};
