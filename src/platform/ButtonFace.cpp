#include "platform/ButtonFace.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleOptionButton>

#include "platform/Geometry.h"

namespace {
// The application's style, but the face of a button is its palette's button
// colour, edged light above and left, dark below and right (the other way
// round while pressed), with a dotted frame inside while it has the keyboard.
class TrueFaceStyle : public QProxyStyle {
 public:
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override {
    if (element == CE_PushButtonBevel) {
      drawFace(option, painter);
      return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
  }
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    if (element == PE_PanelButtonCommand) {
      drawFace(option, painter);
      return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
  }

 private:
  static void drawFace(const QStyleOption* option, QPainter* painter) {
    const QRect r = option->rect;
    const bool down = option->state & (State_Sunken | State_On);
    painter->save();
    painter->fillRect(r, option->palette.color(QPalette::Button));
    const QColor outer[2] = {Qt::white, Qt::black};
    const QColor inner[2] = {QColor(223, 223, 223), QColor(128, 128, 128)};
    auto edge = [&](const QRect& e, const QColor& light, const QColor& dark) {
      painter->setPen(down ? dark : light);
      painter->drawLine(e.topLeft(), e.topRight());
      painter->drawLine(e.topLeft(), e.bottomLeft());
      painter->setPen(down ? light : dark);
      painter->drawLine(e.bottomLeft(), e.bottomRight());
      painter->drawLine(e.topRight(), e.bottomRight());
    };
    edge(r.adjusted(0, 0, -1, -1), outer[0], outer[1]);
    edge(r.adjusted(1, 1, -2, -2), inner[0], inner[1]);
    // Only once the keyboard moves the focus, as the usual styles show it.
    if ((option->state & State_HasFocus) && (option->state & State_KeyboardFocusChange)) {
      painter->setPen(QPen(option->palette.color(QPalette::ButtonText), 1, Qt::DotLine));
      painter->drawRect(r.adjusted(4, 4, -5, -5));
    }
    painter->restore();
  }
};

QStyle* trueFaceStyle() {
  // Lives as long as the application, so no button outlives its style.
  static QPointer<TrueFaceStyle> style;
  if (!style) {
    style = new TrueFaceStyle();
    style->setParent(qApp);
  }
  return style;
}
}  // namespace

void setButtonFace(QPushButton* button, const QColor& face, const QColor& text) {
  setColours(button, face, text);
  button->setStyle(trueFaceStyle());
}
