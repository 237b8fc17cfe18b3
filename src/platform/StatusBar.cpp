#include "platform/StatusBar.h"

#include <QLabel>
#include <QLocale>
#include <QTimer>

#include "platform/Clock.h"
#include "platform/Geometry.h"

StatusBar::StatusBar(const QString& name, QWidget* parent) : QStatusBar(parent) {
  setObjectName(name);
  setSizeGripEnabled(false);
}

void StatusBar::addPanel(Panel kind, int minimumWidthTwips, int stretch) {
  auto* label = new QLabel(this);
  label->setObjectName(QString("%1_Panel%2").arg(objectName()).arg(panels_.size() + 1));
  label->setMinimumWidth(twipsToPixels(minimumWidthTwips));
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  label->setContentsMargins(4, 0, 4, 0);
  addPermanentWidget(label, stretch);
  panels_.push_back({kind, label});
  if (kind != Panel::Text && !timer_) {
    timer_ = new QTimer(this);
    connect(timer_, &QTimer::timeout, this, &StatusBar::refreshClockPanels);
    timer_->start(1000);
  }
  refreshClockPanels();
}

QString StatusBar::panelText(int index) const {
  return index >= 1 && index <= panels_.size() ? panels_[index - 1].label->text() : QString();
}

void StatusBar::setPanelText(int index, const QString& text) {
  if (index >= 1 && index <= panels_.size()) panels_[index - 1].label->setText(text);
}

void StatusBar::refreshClockPanels() {
  const QDateTime now = clock_::now();
  for (const Entry& e : panels_) {
    if (e.kind == Panel::Time) e.label->setText(QLocale().toString(now.time(), QLocale::ShortFormat));
    if (e.kind == Panel::Date) e.label->setText(clock_::shortDate(now.date()));
  }
}
