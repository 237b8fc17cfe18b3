#include "employee/ComboLists.h"

#include <QComboBox>
#include <QProgressBar>
#include <algorithm>

namespace {
// A list that gets its first item would show it; the window's lists keep
// showing what they showed.
class KeepShownText {
 public:
  explicit KeepShownText(QComboBox* list)
      : list_(list), text_(list->currentText()), blocked_(list->blockSignals(true)) {}
  ~KeepShownText() {
    list_->setCurrentIndex(-1);
    list_->setEditText(text_);
    list_->blockSignals(blocked_);
  }

 private:
  QComboBox* list_;
  QString text_;
  bool blocked_;
};

bool lessIgnoringCase(const QString& a, const QString& b) {
  return a.compare(b, Qt::CaseInsensitive) < 0;
}
}  // namespace

void addChoices(QComboBox* list, const QStringList& items) {
  KeepShownText keep(list);
  list->addItems(items);
}

void setSortedItems(QComboBox* list, const QStringList& items) {
  QStringList sorted = items;
  std::stable_sort(sorted.begin(), sorted.end(), lessIgnoringCase);
  KeepShownText keep(list);
  list->clear();
  list->addItems(sorted);
}

void addSorted(QComboBox* list, const QString& item) {
  int at = 0;
  while (at < list->count() && !lessIgnoringCase(item, list->itemText(at))) ++at;
  KeepShownText keep(list);
  list->insertItem(at, item);
}

void clearItems(QComboBox* list) {
  KeepShownText keep(list);
  list->clear();
}

QStringList itemsOf(const QComboBox* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) out << list->itemText(i);
  return out;
}

ProgressShow::ProgressShow(QProgressBar* bar, int maximum) : bar_(bar) {
  bar_->setRange(0, std::max(1, maximum));
  bar_->setValue(1);
  bar_->show();
  bar_->raise();
}

ProgressShow::~ProgressShow() { bar_->hide(); }

void ProgressShow::setDone(int done) { bar_->setValue(std::clamp(done, 0, bar_->maximum())); }
