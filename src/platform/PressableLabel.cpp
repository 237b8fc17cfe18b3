#include "platform/PressableLabel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

PressableLabel::PressableLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::PointingHandCursor);
}

void PressableLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    event->accept();
    press();
    return;
  }
  QLabel::mouseReleaseEvent(event);
}

void PressableLabel::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (event->modifiers() == Qt::NoModifier &&
      (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
    event->accept();
    press();
    return;
  }
  QLabel::keyPressEvent(event);
}

void PressableLabel::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  // Only while the keyboard has brought the focus here, as buttons show it:
  // otherwise the label looks as designed.
  if (!hasFocus() || !window()->testAttribute(Qt::WA_KeyboardFocusChange)) return;
  QPainter painter(this);
  QPen pen(palette().color(QPalette::WindowText), 1, Qt::DotLine);
  painter.setPen(pen);
  painter.drawRect(rect().adjusted(1, 1, -2, -2));
}
