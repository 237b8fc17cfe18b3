#include "platform/Accessible.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>

#include "platform/PressableLabel.h"

namespace accessible {
namespace {

// A window made of a plain QWidget: Qt calls it a client area ("filler" to a
// screen reader), which hides its title and that it is a window at all.
class WindowInterface : public QAccessibleWidget {
 public:
  explicit WindowInterface(QWidget* w) : QAccessibleWidget(w, QAccessible::Window) {}
  QAccessible::Role role() const override {
    return widget()->windowType() == Qt::Dialog ? QAccessible::Dialog : QAccessible::Window;
  }
};

// A combo box named by its accessible name or label, its choice given as its
// value, on every platform alike. (Qt's own says the choice as the name on
// Linux and leaves the label to a relation, which reads "combo box, 9A.M.".)
class ComboInterface : public QAccessibleWidget {
 public:
  explicit ComboInterface(QWidget* w) : QAccessibleWidget(w, QAccessible::ComboBox) {}

  int childCount() const override { return combo()->isEditable() ? 2 : 1; }
  QAccessibleInterface* child(int index) const override {
    if (index == 0) return QAccessible::queryAccessibleInterface(combo()->view());
    if (index == 1 && combo()->isEditable())
      return QAccessible::queryAccessibleInterface(combo()->lineEdit());
    return nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    if (!child) return -1;
    if (child->object() == combo()->view()) return 0;
    if (combo()->isEditable() && child->object() == combo()->lineEdit()) return 1;
    return -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    if (!combo()->isEditable()) return nullptr;
    QLineEdit* edit = combo()->lineEdit();
    const QRect onScreen(edit->mapToGlobal(QPoint(0, 0)), edit->size());
    return onScreen.contains(x, y) ? child(1) : nullptr;
  }
  // The text field has the keys while the box has the focus.
  QAccessibleInterface* focusChild() const override {
    return combo()->isEditable() ? child(1) : nullptr;
  }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value)
      return combo()->isEditable() ? combo()->lineEdit()->text() : combo()->currentText();
    if (t == QAccessible::Accelerator)
      return QKeySequence(Qt::Key_Down).toString(QKeySequence::NativeText);
    const QString own = QAccessibleWidget::text(t);
    if (t == QAccessible::Name && own.isEmpty()) return text(QAccessible::Value);
    return own;
  }

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.expandable = true;
    s.expanded = combo()->view()->isVisible();
    s.editable = combo()->isEditable();
    return s;
  }

  QStringList actionNames() const override {
    return {showMenuAction(), pressAction()};
  }
  void doAction(const QString& action) override {
    if (action != showMenuAction() && action != pressAction()) return;
    if (combo()->view()->isVisible()) combo()->hidePopup();
    else combo()->showPopup();
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

 private:
  QComboBox* combo() const { return static_cast<QComboBox*>(widget()); }
};

// A label pressed like a button (the weekday headings of the employee window).
class PressableInterface : public QAccessibleWidget {
 public:
  explicit PressableInterface(QWidget* w) : QAccessibleWidget(w, QAccessible::Button) {}

  QString text(QAccessible::Text t) const override {
    const QString own = QAccessibleWidget::text(t);
    if (t == QAccessible::Name && own.isEmpty()) return spoken(label()->text());
    return own;
  }
  QStringList actionNames() const override {
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& action) override {
    if (action == pressAction()) label()->press();
    else QAccessibleWidget::doAction(action);
  }

 private:
  PressableLabel* label() const { return static_cast<PressableLabel*>(widget()); }
};

// The first class of Qt's own that `object` is made from.
const char* qtBaseClass(const QObject* object) {
  for (const QMetaObject* m = object->metaObject(); m; m = m->superClass())
    if (m->className()[0] == 'Q') return m->className();
  return "";
}

QAccessibleInterface* factory(const QString& className, QObject* object) {
  auto* w = qobject_cast<QWidget*>(object);
  if (!w) return nullptr;
  if (className == QLatin1String("QComboBox")) return new ComboInterface(w);
  if (className == QLatin1String("PressableLabel")) return new PressableInterface(w);
  // Asked once, for the window's own class.
  if (w->isWindow() && className == QLatin1String(object->metaObject()->className()) &&
      qstrcmp(qtBaseClass(object), "QWidget") == 0)
    return new WindowInterface(w);
  return nullptr;
}

class EscapeFilter : public QObject {
 public:
  EscapeFilter(QWidget* window, std::function<void()> action)
      : QObject(window), action_(std::move(action)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() != QEvent::KeyPress || watched != parent()) return false;
    auto* key = static_cast<QKeyEvent*>(e);
    if (key->key() != Qt::Key_Escape || key->modifiers() != Qt::NoModifier) return false;
    action_();
    return true;
  }

 private:
  std::function<void()> action_;
};
}  // namespace

void install() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  QAccessible::installFactory(factory);
}

void setName(QWidget* control, const QString& name, const QString& description) {
  control->setAccessibleName(name);
  if (!description.isEmpty()) control->setAccessibleDescription(description);
  if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->lineEdit()) {
    combo->lineEdit()->setAccessibleName(name);
    if (!description.isEmpty()) combo->lineEdit()->setAccessibleDescription(description);
  }
}

void setLabel(QLabel* label, QWidget* control, const QString& name, const QString& description) {
  label->setBuddy(control);
  setName(control, name.isEmpty() ? spoken(label->text()) : name, description);
}

QString spoken(const QString& caption) {
  QString text = caption;
  text.replace(QRegularExpression("&(.)"), "\\1");  // "&&" stays one "&"
  text.replace(QRegularExpression("\\^?-+>|<-+|\\^-+"), " ");
  return text.simplified();
}

void onEscape(QWidget* window, std::function<void()> action) {
  window->installEventFilter(new EscapeFilter(window, std::move(action)));
}
}  // namespace accessible
