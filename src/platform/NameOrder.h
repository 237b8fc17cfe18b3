#pragma once
// The order of every sorted list the user reads (the search and copy lists of
// the employee window, the print setup's exclusions, the preview's grid):
// the user's language, without regard to case ("Łukasz" between "Lewis" and
// "Smith"), then names that differ only in case by their letters, so the
// order never depends on the order of adding. One rule, in this one place.
#include <QString>
#include <QStringList>

namespace nameorder {
// Negative, zero or positive as `a` sorts before, with or after `b`.
int compare(const QString& a, const QString& b);
inline bool before(const QString& a, const QString& b) { return compare(a, b) < 0; }
// Sorts in place; equal names keep their order.
void sort(QStringList& names);
// Where a new entry goes in a sorted list: after every entry that does not
// sort after it.
int insertIndex(const QStringList& sorted, const QString& name);
}  // namespace nameorder
