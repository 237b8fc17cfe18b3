#include "platform/Pictures.h"

#include <QFileInfo>
#include <QEvent>
#include <QPalette>
#include <QWidget>

QPixmap loadPicture(const QString& fileName) {
  if (!QFileInfo(fileName).isFile()) return QPixmap();
  return QPixmap(fileName);
}

namespace {
// Keeps the picture stretched over the whole window as it changes size, so
// no seams of a tiled picture show.
class StretchedBackground : public QObject {
 public:
  StretchedBackground(QWidget* window, QPixmap picture)
      : QObject(window), window_(window), picture_(std::move(picture)) {
    window->installEventFilter(this);
    apply();
  }

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Resize) apply();
    return false;
  }

 private:
  void apply() {
    if (window_->size().isEmpty()) return;
    QPalette pal = window_->palette();
    pal.setBrush(QPalette::Window,
                 QBrush(picture_.scaled(window_->size(), Qt::IgnoreAspectRatio,
                                        Qt::SmoothTransformation)));
    window_->setPalette(pal);
    window_->setAutoFillBackground(true);
  }
  QWidget* window_;
  QPixmap picture_;
};
}  // namespace

bool setBackgroundPicture(QWidget* window, const QString& fileName) {
  const QPixmap picture = loadPicture(fileName);
  if (picture.isNull()) return false;
  new StretchedBackground(window, picture);
  return true;
}

QPixmap programIcon() {
  static const QPixmap icon(":/rotawise.png");
  return icon;
}
