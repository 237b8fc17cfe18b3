#include "platform/NameOrder.h"

#include <QCollator>
#include <QLocale>
#include <QVector>
#include <algorithm>
#include <optional>
#include <utility>

namespace nameorder {
namespace {
// The user's language; a machine set to the bare C locale gets the common
// order of letters rather than that of character codes. Made once per thread
// and language: a sort of thousands compares again and again.
const QCollator& collator() {
  thread_local std::optional<std::pair<QLocale, QCollator>> made;
  QLocale locale;
  if (locale.language() == QLocale::C) locale = QLocale(QLocale::English);
  if (!made || made->first != locale) {
    QCollator c(locale);
    c.setCaseSensitivity(Qt::CaseInsensitive);
    c.setNumericMode(false);
    made.emplace(locale, c);
  }
  return made->second;
}

int tieBreak(const QString& a, const QString& b) {
  return QString::compare(a, b, Qt::CaseSensitive);
}
}  // namespace

int compare(const QString& a, const QString& b) {
  const int order = collator().compare(a, b);
  return order != 0 ? order : tieBreak(a, b);
}

void sort(QStringList& names) {
  // A key per name, made once: a table of thousands sorts in a blink.
  const QCollator& c = collator();
  QVector<QPair<QCollatorSortKey, int>> keys;
  keys.reserve(names.size());
  for (int i = 0; i < names.size(); ++i) keys.append({c.sortKey(names[i]), i});
  std::stable_sort(keys.begin(), keys.end(), [&](const auto& x, const auto& y) {
    const int order = x.first.compare(y.first);
    return (order != 0 ? order : tieBreak(names[x.second], names[y.second])) < 0;
  });
  QStringList sorted;
  sorted.reserve(names.size());
  for (const auto& key : keys) sorted << names[key.second];
  names = sorted;
}

int insertIndex(const QStringList& sorted, const QString& name) {
  const QCollator& c = collator();
  const auto at = std::upper_bound(sorted.begin(), sorted.end(), name,
                                   [&](const QString& a, const QString& b) {
                                     const int order = c.compare(a, b);
                                     return (order != 0 ? order : tieBreak(a, b)) < 0;
                                   });
  return int(at - sorted.begin());
}
}  // namespace nameorder
