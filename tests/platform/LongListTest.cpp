// A list box filled with a long list at once.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QScrollBar>

#include "platform/LongList.h"

// Every text in its row, the rows as high as the box makes a row, and a
// scroll bar that reaches the end of the widest text wherever it stands.
TEST(LongList, EveryTextInItsRowAndTheWidestCanBeScrolledToItsEnd) {
  const QList<QStringList> lists = {
      {"Bo", QString::fromUtf8("Wolfeschlegelsteinhausen, Hubert Blaine"), QString::fromUtf8("Zoë")},
      {"iiiiiiiiiiiiiiiiiiii", "WWWWWWWWWWWW", "Al"},  // more letters, yet narrower
      {QString::fromUtf8("O'Brien, Seán \"Jr.\" / 王芳")},
      {}};
  for (const QStringList& texts : lists) {
    SCOPED_TRACE(texts.join(" | ").toStdString());
    QListWidget measured;
    measured.addItems(texts);
    int widest = 0, height = 0;
    for (int i = 0; i < texts.size(); ++i) {
      const QSize size = measured.sizeHintForIndex(measured.model()->index(i, 0));
      widest = std::max(widest, size.width());
      height = size.height();
    }
    QListWidget box;
    box.resize(60, 120);
    box.show();
    fillLongList(&box, {"left from before"});
    fillLongList(&box, texts);
    box.doItemsLayout();
    ASSERT_EQ(box.count(), texts.size());
    for (int i = 0; i < texts.size(); ++i) {
      EXPECT_EQ(box.item(i)->text(), texts[i]);
      EXPECT_EQ(box.visualItemRect(box.item(i)).height(), height) << i;
    }
    EXPECT_GE(box.horizontalScrollBar()->maximum() + box.viewport()->width(), widest);
  }
}
