#pragma once
// A label that is pressed like a button: by a click, or by Enter or Space
// once Tab has brought the focus to it (a dotted frame then shows it has it). A
// screen reader is told it is a button, named by the label's accessible name.
#include <QLabel>

class PressableLabel : public QLabel {
  Q_OBJECT
 public:
  explicit PressableLabel(const QString& text, QWidget* parent = nullptr);

  void press() { emit clicked(); }

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
};
