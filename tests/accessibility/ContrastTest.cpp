// Text stands out from what it is drawn on by at least 4.5 to 1 (WCAG's
// contrast ratio of relative luminances), measured on the pixels the style
// really draws: each window is rendered, and for every control with text the
// face is its commonest colour and the text the pixel that differs most.
#include <QAbstractButton>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QWidget>
#include <cmath>
#include <iostream>
#include <map>

#include "EveryWindow.h"

namespace {
double channel(int c) {
  const double v = c / 255.0;
  return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}
double luminance(QRgb p) {
  return 0.2126 * channel(qRed(p)) + 0.7152 * channel(qGreen(p)) + 0.0722 * channel(qBlue(p));
}
double contrast(QRgb a, QRgb b) {
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

struct Measure {
  QRgb face = 0;
  QRgb text = 0;
  double ratio = 0;
};

Measure measure(const QImage& image, const QRect& area) {
  std::map<QRgb, int> counts;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) ++counts[image.pixel(x, y) & 0xFFFFFF];
  Measure m;
  int most = 0;
  for (const auto& [colour, n] : counts)
    if (n > most) most = n, m.face = colour;
  for (const auto& [colour, n] : counts)
    if (const double r = contrast(colour, m.face); r > m.ratio) m.ratio = r, m.text = colour;
  return m;
}

// Where a control's text is drawn, in window coordinates: inside the edge a
// button or a box draws, right of a radio button's circle.
QRect textArea(QWidget* window, QWidget* c) {
  QRect r(c->mapTo(window, QPoint(0, 0)), c->size());
  if (qobject_cast<QRadioButton*>(c))
    r.setLeft(r.left() + c->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) + 4);
  else if (qobject_cast<QAbstractButton*>(c) || qobject_cast<QLineEdit*>(c))
    r.adjust(3, 3, -3, -3);
  return r;
}

QString shownText(QWidget* c) {
  if (auto* label = qobject_cast<QLabel*>(c)) return label->pixmap().isNull() ? label->text() : "";
  if (auto* button = qobject_cast<QAbstractButton*>(c)) return button->text();
  if (auto* edit = qobject_cast<QLineEdit*>(c)) return edit->text();
  return {};
}

QString hex(QRgb p) { return QColor(p).name(); }
}  // namespace

TEST_P(EveryWindowTest, TextMeetsFourAndAHalfToOne) {
  QWidget* w = open();
  ASSERT_NE(w, nullptr);
  const QImage image = w->grab().toImage();
  keepScreenshot(w, GetParam().name);
  const QRect inside = image.rect();
  QString lowestAt;
  double lowest = 100;
  for (QWidget* c : w->findChildren<QWidget*>()) {
    if (!c->isVisible() || shownText(c).trimmed().isEmpty()) continue;
    const QRect area = textArea(w, c) & inside;
    if (area.width() < 2 || area.height() < 2) continue;
    const Measure m = measure(image, area);
    const QString where = QString("%1 \"%2\": %3 on %4")
                              .arg(c->objectName(), shownText(c).simplified().left(30), hex(m.text),
                                   hex(m.face));
    EXPECT_GE(m.ratio, 4.5) << where.toStdString();
    if (m.ratio < lowest) lowest = m.ratio, lowestAt = where;
  }
  // The figures for the record: the weakest text of each window.
  if (!lowestAt.isEmpty())
    std::cout << "[ contrast ] " << GetParam().name << ": lowest "
              << QString::number(lowest, 'f', 2).toStdString() << ":1, " << lowestAt.toStdString()
              << "\n";
}

TEST_F(WindowsTest, TheBluePreviewButtonIsDrawnInItsOwnBlue) {
  QWidget* w = open("FrmPrintItBaby");
  ASSERT_NE(w, nullptr);
  struct Case {
    const char* button;
    QRgb face;
    QRgb text;
  };
  for (const Case& c : {Case{"Command3", qRgb(0, 0, 255), qRgb(255, 255, 255)},
                        Case{"Command4", qRgb(0, 255, 0), qRgb(0, 0, 0)}}) {
    auto* button = w->findChild<QPushButton*>(c.button);
    ASSERT_NE(button, nullptr);
    const Measure m = measure(w->grab().toImage(), textArea(w, button));
    EXPECT_EQ(hex(m.face), hex(c.face)) << c.button;
    EXPECT_EQ(hex(m.text), hex(c.text)) << c.button;
    std::cout << "[ contrast ] " << c.button << " \"" << button->text().toStdString() << "\": "
              << hex(m.text).toStdString() << " on " << hex(m.face).toStdString() << ", "
              << QString::number(m.ratio, 'f', 2).toStdString() << ":1\n";
  }
}
