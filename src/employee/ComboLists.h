#pragma once
// Drop-down lists as the employee window fills them: adding choices never
// changes the text a list shows, and sorted lists keep their items in the
// order of platform/NameOrder.h.
#include <QElapsedTimer>
#include <QString>
#include <QStringList>

class QComboBox;
class QProgressBar;

void addChoices(QComboBox* list, const QStringList& items);
// Items already in the list's order (employees::sortedForList).
void setItemsInOrder(QComboBox* list, const QStringList& items);
void addSorted(QComboBox* list, const QString& item);
void clearItems(QComboBox* list);  // the list empties; the shown text stays
QStringList itemsOf(const QComboBox* list);

// The grid's lists are narrow: a slimmer drop-down button leaves more room
// for the text, and a text put in while the list has no focus shows from its
// start rather than its end.
void makeCompact(QComboBox* list);
void showTextFromStart(QComboBox* list);

// A one-line caption wider than its label is set a little smaller (down to
// 6.75 pt) rather than clipped.
void fitCaption(class QLabel* label);

// The progress bar while a handler walks the table: shown with minimum 0,
// the given maximum and value 1, moved in steps of a two-hundredth, never set
// past its maximum (reached exactly at the end), hidden again on every way out.
class ProgressShow {
 public:
  ProgressShow(QProgressBar* bar, int maximum);
  ~ProgressShow();
  ProgressShow(const ProgressShow&) = delete;
  ProgressShow& operator=(const ProgressShow&) = delete;
  void setDone(int done);

 private:
  static constexpr qint64 kPaintEveryMs = 50;
  QProgressBar* bar_;
  int step_;  // the least change worth showing
  QElapsedTimer sincePainted_;
};
