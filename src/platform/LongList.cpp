#include "platform/LongList.h"

#include <QFontMetricsF>
#include <QHash>
#include <QListWidget>
#include <QVector>
#include <algorithm>

void fillLongList(QListWidget* box, const QStringList& texts) {
  box->clear();
  box->setUniformItemSizes(true);
  box->addItems(texts);
  if (texts.isEmpty()) return;
  // The letters' advances, summed, tell which texts may be the widest; only
  // those are measured as the box measures a row.
  const QFontMetricsF metrics(box->font());
  QHash<char16_t, qreal> advance;
  QVector<qreal> estimate(texts.size());
  qreal most = 0;
  for (qsizetype i = 0; i < texts.size(); ++i) {
    qreal width = 0;
    for (const QChar c : texts[i]) {
      auto it = advance.constFind(c.unicode());
      if (it == advance.cend()) it = advance.insert(c.unicode(), metrics.horizontalAdvance(c));
      width += *it;
    }
    estimate[i] = width;
    most = std::max(most, width);
  }
  const auto rowSize = [box](qsizetype row) {
    return box->sizeHintForIndex(box->model()->index(int(row), 0));
  };
  QSize widest = rowSize(texts.size() - 1);
  constexpr qreal kNearTheWidest = 0.9;  // kerning moves a name's width by far less
  for (qsizetype i = 0; i < texts.size(); ++i)
    if (estimate[i] >= kNearTheWidest * most) widest = widest.expandedTo(rowSize(i));
  box->item(int(texts.size() - 1))->setSizeHint(widest);
}
