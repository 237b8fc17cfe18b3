#pragma once
// What the bad-input sweeps share: the hostile texts a user may type or paste,
// and driving a real window's controls by their object names.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QWidget>
#include <ostream>
#include <vector>

#include "support/TestSupport.h"


namespace badinput {
struct Hostile {
  const char* what;
  QString text;
};

// Every text a window must keep exactly, or refuse with a clear message.
inline const std::vector<Hostile>& hostileTexts() {
  static const std::vector<Hostile> texts = {
      {"an apostrophe", "O'Brien"},
      {"a comma", "Smith, John"},
      {"double quotes", "Say \"Hi\""},
      {"slashes", "Bar/Grill\\2"},
      {"a tab inside", "Front\tDesk"},
      {"300 characters", QString("Long ") + QString(295, u'w')},
      {"Polish", QString::fromUtf8("Łódź Żółć")},
      {"Greek", QString::fromUtf8("Ωμέγα Δέλτα")},
      {"Chinese", QString::fromUtf8("张伟")},
      {"the empty text", QString()},
  };
  return texts;
}

inline bool hasDoubleQuote(const QString& text) { return text.contains(u'"'); }

template <class T>
T* child(QWidget* window, const QString& name) {
  T* w = window ? window->findChild<T*>(name) : nullptr;
  EXPECT_NE(w, nullptr) << name.toStdString();
  return w;
}

inline void click(QWidget* window, const QString& button) {
  if (auto* b = child<QPushButton>(window, button)) b->click();
}

// What a paste does: the control shows exactly `text` (no key limits it).
inline void setShown(QWidget* window, const QString& name, const QString& text) {
  if (auto* e = window->findChild<QLineEdit*>(name, Qt::FindDirectChildrenOnly))
    e->setText(text);
  else if (auto* c = child<QComboBox>(window, name))
    c->setEditText(text);
}

inline QString shown(QWidget* window, const QString& name) {
  if (auto* e = window->findChild<QLineEdit*>(name, Qt::FindDirectChildrenOnly)) return e->text();
  if (auto* c = child<QComboBox>(window, name)) return c->currentText();
  return {};
}

inline QStringList entries(QWidget* window, const QString& list) {
  QStringList out;
  if (auto* c = child<QComboBox>(window, list))
    for (int i = 0; i < c->count(); ++i) out << c->itemText(i);
  return out;
}

// Picks an entry of a drop-down list as a click on it does.
inline bool choose(QWidget* window, const QString& list, const QString& entry) {
  auto* c = child<QComboBox>(window, list);
  if (!c) return false;
  const int i = c->findText(entry, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (i < 0) return false;
  c->setCurrentIndex(i);
  emit c->activated(i);
  return true;
}
}  // namespace badinput
