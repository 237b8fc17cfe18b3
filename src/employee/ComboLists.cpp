#include "employee/ComboLists.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QProxyStyle>
#include <QStringListModel>
#include <QStyleOptionComboBox>
#include <algorithm>
#include <cstdlib>

#include "platform/NameOrder.h"

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

// The application's style with a drop-down button 12 pixels wide.
class SlimArrowStyle : public QProxyStyle {
 public:
  QRect subControlRect(ComplexControl cc, const QStyleOptionComplex* opt, SubControl sc,
                       const QWidget* w) const override {
    QRect r = QProxyStyle::subControlRect(cc, opt, sc, w);
    if (cc != CC_ComboBox) return r;
    const QRect frame = opt->rect;
    constexpr int arrow = 12;
    if (sc == SC_ComboBoxArrow)
      return QRect(frame.right() - arrow, frame.top(), arrow, frame.height());
    if (sc == SC_ComboBoxEditField) {
      r.setLeft(frame.left() + 2);
      r.setRight(frame.right() - arrow - 1);
    }
    return r;
  }
};

// A text that does not fit shows its start, not its end, while the field has
// no focus: the cursor is put at the start just before the field paints,
// whoever set the text (a record shown, a copy, the area fill).
class StartShower : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() == QEvent::Paint) {
      auto* edit = static_cast<QLineEdit*>(watched);
      if (!edit->hasFocus() && edit->cursorPosition() != 0) edit->setCursorPosition(0);
    }
    return false;
  }
};

QObject* startShower() {
  static QPointer<StartShower> shower;
  if (!shower) {
    shower = new StartShower();
    shower->setParent(qApp);
  }
  return shower;
}

QStyle* slimArrowStyle() {
  // Lives as long as the application, so no list outlives its style.
  static QPointer<SlimArrowStyle> style;
  if (!style) {
    style = new SlimArrowStyle();
    style->setParent(qApp);
  }
  return style;
}
}  // namespace

void makeCompact(QComboBox* list) {
  list->setStyle(slimArrowStyle());
  showTextFromStart(list);
  // The grid's boxes are as narrow as designed, so "12:30P.M." does not fit
  // whole: the mouse over a box shows all of it.
  QObject::connect(list, &QComboBox::currentTextChanged, list,
                   [list](const QString& text) { list->setToolTip(text); });
}

void showTextFromStart(QComboBox* list) {
  if (QLineEdit* edit = list->lineEdit()) edit->installEventFilter(startShower());
}

void fitCaption(QLabel* label) {
  if (label->wordWrap() || label->text().isEmpty()) return;
  QFont font = label->font();
  const int room = label->contentsRect().width() - 2;
  auto width = [&] { return QFontMetrics(font).horizontalAdvance(label->text().remove('&')); };
  while (width() > room && font.pointSizeF() > 6.75) font.setPointSizeF(font.pointSizeF() - 0.25);
  if (font != label->font()) label->setFont(font);
}

void addChoices(QComboBox* list, const QStringList& items) {
  KeepShownText keep(list);
  list->addItems(items);
}

void setItemsInOrder(QComboBox* list, const QStringList& items) {
  KeepShownText keep(list);
  // A plain list of texts holds a whole table's names in a fraction of the
  // memory of the list's own items, and takes them in one step.
  auto* model = qobject_cast<QStringListModel*>(list->model());
  if (!model) {
    model = new QStringListModel(list);
    list->setModel(model);
  }
  model->setStringList(items);
}

void addSorted(QComboBox* list, const QString& item) {
  const int at = nameorder::insertIndex(itemsOf(list), item);
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

ProgressShow::ProgressShow(QProgressBar* bar, int maximum)
    : bar_(bar), step_(std::max(1, maximum / 200)) {
  bar_->setRange(0, std::max(1, maximum));
  bar_->setValue(1);
  bar_->show();
  bar_->raise();
  bar_->repaint();
  sincePainted_.start();
}

ProgressShow::~ProgressShow() { bar_->hide(); }

void ProgressShow::setDone(int done) {
  const int value = std::clamp(done, 0, bar_->maximum());
  // The bar moves in two-hundredths: repainting it for every record of a
  // large table would cost more than reading the records.
  if (value != bar_->maximum() && std::abs(value - bar_->value()) < step_) return;
  bar_->setValue(value);
  // No window events run while the table is walked, so the bar is painted
  // now rather than when the walk is over; a few times a second is enough
  // to see it move, and each painting costs about as much as a hundred records.
  if (sincePainted_.elapsed() < kPaintEveryMs && value != bar_->maximum()) return;
  bar_->repaint();
  sincePainted_.restart();
}
