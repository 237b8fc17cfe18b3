#include "data/DataControl.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QToolButton>

#include "data/TableRules.h"
#include "platform/MessageBox.h"

namespace {
QString controlText(const QWidget* w) {
  if (auto* combo = qobject_cast<const QComboBox*>(w)) return combo->currentText();
  if (auto* line = qobject_cast<const QLineEdit*>(w)) return line->text();
  return w->property("text").toString();
}

void setControlText(QWidget* w, const QString& text) {
  if (auto* combo = qobject_cast<QComboBox*>(w)) {
    if (combo->isEditable()) {
      combo->setEditText(text);
    } else {
      combo->setCurrentIndex(combo->findText(text));
    }
  } else if (auto* line = qobject_cast<QLineEdit*>(w)) {
    line->setText(text);
    line->setCursorPosition(0);
  } else {
    w->setProperty("text", text);
  }
}

QString fieldOf(const QWidget* w) { return w->property("DataField").toString(); }
}  // namespace

struct DataControl::Impl {
  RecordSet rs;
  QLabel* caption = nullptr;
  QList<QPointer<QWidget>> bound;
  bool pendingNew = false;
  QPointer<QWidget> watchedWindow;
  // The record the controls show and the texts they were given: edits are
  // what differs from these, and they go to that record alone, even when
  // the code has moved the record set underneath in the meantime.
  qint64 shownRecord = -1;
  int shownReplacements = 0;
  QHash<QWidget*, QString> shownTexts;
  std::function<void()> finishEditing;
  std::function<bool()> keepNew;

  QList<QWidget*> alive() const {
    QList<QWidget*> out;
    for (const QPointer<QWidget>& w : bound)
      if (w && rs.hasField(fieldOf(w))) out << w;
    return out;
  }

  // Writes what the bound controls show into the record the control is on:
  // the whole new record when one is pending, else only the fields whose
  // text the user changed.
  void writeBack() {
    if (!rs.isOpen()) return;
    if (finishEditing) finishEditing();
    if (pendingNew && keepNew && !keepNew()) {
      // Never written: the controls show the record current before it (or
      // nothing), so no one takes the dropped record for a stored one.
      pendingNew = false;
      show();
      return;
    }
    if (pendingNew) {
      if (!rs.addingNew()) rs.AddNew();
      for (QWidget* w : alive()) {
        const QString text = controlText(w);
        if (!text.isEmpty()) rs.setField(fieldOf(w), text);
      }
      rs.Update();
      pendingNew = false;
      rs.MoveLast();  // the new record is the last one; the controls show it
      return;
    }
    if (shownRecord < 0) return;
    shownRecord = rs.translateBookmark(shownRecord, shownReplacements);
    shownReplacements = rs.fileReplacements();
    if (shownRecord < 0) return;
    QList<QPair<QString, QString>> changes;
    for (QWidget* w : alive()) {
      const QString text = controlText(w);
      if (text != shownTexts.value(w)) changes.append({fieldOf(w), text});
    }
    if (changes.isEmpty()) return;
    const qint64 where = rs.Bookmark();
    if (where != shownRecord && !rs.moveToBookmark(shownRecord)) return;  // deleted meanwhile
    try {
      rs.Edit();
      for (const auto& [field, text] : changes) rs.setField(field, text);
      rs.Update();
    } catch (const DbConflict&) {
      // Another PC changed the record: the edits here are dropped (the box
      // says so), and the next move shows the record as it now is.
      rs.CancelUpdate();
      shownRecord = -1;
      throw;
    } catch (...) {
      rs.CancelUpdate();
      throw;
    }
    for (QWidget* w : alive()) shownTexts.insert(w, controlText(w));
    if (where != shownRecord && where >= 0) rs.moveToBookmark(where);
  }

  void show() {
    // Another PC may have changed the record since it was read: show it as
    // it is now (a file of this PC needs no second read).
    const bool gone = rs.isOpen() && rs.hasCurrent() && !rs.readCurrentAgain();
    const bool current = rs.isOpen() && rs.hasCurrent();
    shownRecord = current ? rs.Bookmark() : -1;
    shownReplacements = rs.isOpen() ? rs.fileReplacements() : 0;
    shownTexts.clear();
    for (QWidget* w : alive()) {
      const QSignalBlocker quiet(w);
      setControlText(w, current ? rs.text(fieldOf(w)) : QString());
      shownTexts.insert(w, controlText(w));
    }
    if (gone)
      throw DbError(QString("This %1 has been deleted on another PC.").arg(rs.recordNoun()).toStdString());
  }

  void clearControls() {
    shownRecord = -1;
    shownTexts.clear();
    for (const QPointer<QWidget>& w : bound) {
      if (!w) continue;
      const QSignalBlocker quiet(w);
      setControlText(w, QString());
    }
  }
};

DataControl::DataControl(const QString& name, QWidget* parent)
    : QWidget(parent),
      databaseName_(db::programDatabase().file),
      recordSource_(db::programDatabase().table),
      d_(std::make_unique<Impl>()) {
  setObjectName(name);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  auto button = [&](const char* text, const char* objectName, const char* spoken,
                    void (DataControl::*move)()) {
    auto* b = new QToolButton(this);
    b->setText(text);
    b->setObjectName(objectName);
    b->setAccessibleName(spoken);  // a screen reader would say "bar, less than"
    b->setAutoRaise(false);
    b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    connect(b, &QToolButton::clicked, this, [this, move] { clicked(move); });
    row->addWidget(b);
  };
  button("|<", "MoveFirst", "First record", &DataControl::MoveFirst);
  button("<", "MovePrevious", "Previous record", &DataControl::MovePrevious);
  d_->caption = new QLabel(name, this);
  d_->caption->setObjectName("Caption");
  d_->caption->setAlignment(Qt::AlignCenter);
  d_->caption->setAutoFillBackground(true);
  d_->caption->setMinimumWidth(0);
  d_->caption->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  row->addWidget(d_->caption, 1);
  button(">", "MoveNext", "Next record", &DataControl::MoveNext);
  button(">|", "MoveLast", "Last record", &DataControl::MoveLast);
  watchWindow();
}

DataControl::~DataControl() = default;

void DataControl::setCaption(const QString& c) { d_->caption->setText(c); }
QString DataControl::caption() const { return d_->caption->text(); }

void DataControl::clicked(void (DataControl::*move)()) {
  // A button is a handler of its own: no error goes past it.
  try {
    (this->*move)();
  } catch (const DbError& e) {
    msgBox(QString::fromStdString(e.what()), msg::Exclamation, "Opps!");
  }
}

void DataControl::watchWindow() {
  QWidget* top = window();
  if (top == this || top == d_->watchedWindow) return;
  if (d_->watchedWindow) d_->watchedWindow->removeEventFilter(this);
  d_->watchedWindow = top;
  top->installEventFilter(this);
}

bool DataControl::eventFilter(QObject* watched, QEvent* e) {
  // Closing the window leaves the record: write its edits while the bound
  // controls still exist.
  if (watched == d_->watchedWindow && e->type() == QEvent::Close) {
    try {
      d_->writeBack();
    } catch (const DbError& error) {
      msgBox(QString::fromStdString(error.what()), msg::Exclamation, "Opps!");
    }
  }
  return QWidget::eventFilter(watched, e);
}

bool DataControl::event(QEvent* e) {
  if (e->type() == QEvent::ParentChange || e->type() == QEvent::Show) watchWindow();
  return QWidget::event(e);
}

void DataControl::Refresh() {
  d_->writeBack();
  d_->rs.close();
  d_->pendingNew = false;
  d_->rs.open(databaseName_, recordSource_);
  showCurrent();
}

void DataControl::closeRecordset() {
  d_->writeBack();
  d_->rs.close();
  d_->shownRecord = -1;
  d_->pendingNew = false;
}

RecordSet& DataControl::Recordset() {
  if (!d_->rs.isOpen())
    throw DbError(QString("The data control %1 has no open table.").arg(objectName()).toStdString());
  return d_->rs;
}

bool DataControl::isOpen() const { return d_->rs.isOpen(); }
bool DataControl::newRecordPending() const { return d_->pendingNew; }

void DataControl::bind(QWidget* control, const QString& field) {
  control->setProperty("DataField", field);
  d_->bound.removeAll(control);
  d_->bound.append(control);
  watchWindow();
}

QList<QWidget*> DataControl::boundControls() const {
  QList<QWidget*> out;
  for (const QPointer<QWidget>& w : d_->bound)
    if (w) out << w;
  return out;
}

void DataControl::MoveFirst() {
  d_->writeBack();
  if (d_->rs.RecordCount() == 0) return;
  d_->rs.MoveFirst();
  showCurrent();
}

void DataControl::MovePrevious() {
  d_->writeBack();
  RecordSet& rs = d_->rs;
  if (rs.RecordCount() == 0) return;
  if (!rs.hasCurrent() || rs.AbsolutePosition() == 0) {
    rs.MoveFirst();  // the bar stops at the first record
  } else {
    rs.MovePrevious();
  }
  showCurrent();
}

void DataControl::MoveNext() {
  d_->writeBack();
  RecordSet& rs = d_->rs;
  if (rs.RecordCount() == 0) return;
  if (!rs.hasCurrent() || rs.AbsolutePosition() == rs.RecordCount() - 1) {
    rs.MoveLast();  // the bar stops at the last record
  } else {
    rs.MoveNext();
  }
  showCurrent();
}

void DataControl::MoveLast() {
  d_->writeBack();
  if (d_->rs.RecordCount() == 0) return;
  d_->rs.MoveLast();
  showCurrent();
}

void DataControl::AddNew() {
  RecordSet& rs = Recordset();
  d_->writeBack();
  rs.AddNew();  // refuses a record past the largest number; the record itself starts on writing
  rs.CancelUpdate();
  d_->pendingNew = true;
  d_->clearControls();
}

void DataControl::UpdateRecord() {
  d_->writeBack();
  showCurrent();
}

void DataControl::setWriteHooks(std::function<void()> finish, std::function<bool()> keepNew) {
  d_->finishEditing = std::move(finish);
  d_->keepNew = std::move(keepNew);
}

void DataControl::showCurrent() {
  if (d_->pendingNew) return;  // the new record has nothing stored yet
  d_->show();
  emit repositioned();
}
