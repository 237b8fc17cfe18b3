#include "platform/Pictures.h"

#include <QFileInfo>
#include <QPalette>
#include <QWidget>

QPixmap loadPicture(const QString& fileName) {
  if (!QFileInfo(fileName).isFile()) return QPixmap();
  return QPixmap(fileName);
}

bool setBackgroundPicture(QWidget* window, const QString& fileName) {
  const QPixmap picture = loadPicture(fileName);
  if (picture.isNull()) return false;
  QPalette pal = window->palette();
  pal.setBrush(QPalette::Window, QBrush(picture));
  window->setPalette(pal);
  window->setAutoFillBackground(true);
  return true;
}

QPixmap programIcon() {
  static const QPixmap icon(":/rotawise.png");
  return icon;
}
