#include "platform/ChoiceList.h"

#include <QAbstractItemView>
#include <algorithm>
#include <QFontMetrics>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>

ChoiceList::ChoiceList(QWidget* parent) : QComboBox(parent) {}

int ChoiceList::listWidthNeeded() const {
  const QFontMetrics metrics(view()->font());
  int widest = 0;
  for (int i = 0; i < count(); ++i) widest = std::max(widest, metrics.horizontalAdvance(itemText(i)));
  // The entry's own margins, the list's frame, and the scroll bar when the
  // list is longer than it shows.
  const int margins = 4 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 8;
  const int scrollBar =
      count() > maxVisibleItems() ? view()->verticalScrollBar()->sizeHint().width() : 0;
  return widest + margins + 2 * view()->frameWidth() + scrollBar;
}

void ChoiceList::showPopup() {
  // The entry the box shows is the one highlighted, whatever was picked
  // before; a box showing none of them (an empty one) opens at the top.
  const QString shown = currentText();
  const int match = findText(shown, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (match != currentIndex()) {
    const QSignalBlocker quiet(this);
    setCurrentIndex(match);
    if (isEditable()) setEditText(shown);
  }
  if (match < 0) view()->scrollToTop();
  view()->setMinimumWidth(std::max(width(), listWidthNeeded()));
  QComboBox::showPopup();
}
