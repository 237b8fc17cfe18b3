#include "platform/Geometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {
double logicalDpi() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
  return dpi > 0 ? dpi : 96.0;
}
}  // namespace

int twipsToPixels(int twips) { return qRound(twips * logicalDpi() / 1440.0); }
int pixelsToTwips(int pixels) { return qRound(pixels * 1440.0 / logicalDpi()); }

QRect twipsRect(int left, int top, int width, int height) {
  return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
               twipsToPixels(height));
}

void placeTwips(QWidget* w, int left, int top, int width, int height) {
  w->setGeometry(twipsRect(left, top, width, height));
}

void resizeClientTwips(QWidget* w, int width, int height) {
  w->resize(twipsToPixels(width), twipsToPixels(height));
}

QString mapFontFamily(const QString& designFamily) {
  const QString f = designFamily.trimmed().toLower();
#ifdef Q_OS_WIN
  // Windows has the fonts the windows were designed with; MS Sans Serif and
  // System are drawn with their TrueType successor of the same metrics.
  if (f == "ms serif" || f == "times new roman" || f == "serif") return "Times New Roman";
  if (f == "courier new" || f == "courier") return "Courier New";
  if (f == "arial") return "Arial";
  return "Microsoft Sans Serif";
#else
  if (f == "ms serif" || f == "times new roman" || f == "serif") return "Liberation Serif";
  if (f == "courier new" || f == "courier") return "Liberation Mono";
  // Arial, MS Sans Serif, System and anything unknown: a sans with Arial metrics.
  return "Liberation Sans";
#endif
}

QFont designFont(const QString& family, double points, bool bold, bool italic, bool underline) {
  QFont font(mapFontFamily(family));
  font.setPointSizeF(points);
  font.setBold(bold);
  font.setItalic(italic);
  font.setUnderline(underline);
  return font;
}

QFont buttonFont() { return designFont("MS Sans Serif", 8.25, true); }

QColor rgb(int r, int g, int b) { return QColor(r, g, b); }

void setColours(QWidget* w, const QColor& background, const QColor& text) {
  QPalette pal = w->palette();
  if (background.isValid()) {
    pal.setColor(QPalette::Window, background);
    pal.setColor(QPalette::Base, background);
    pal.setColor(QPalette::Button, background);
    w->setAutoFillBackground(true);
  }
  if (text.isValid()) {
    pal.setColor(QPalette::WindowText, text);
    pal.setColor(QPalette::Text, text);
    pal.setColor(QPalette::ButtonText, text);
  }
  w->setPalette(pal);
}
