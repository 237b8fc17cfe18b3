#pragma once
// What the employee window asks of the Employees table, as plain functions
// over an open record set, so they work (and are tested) without a window.
#include <QString>
#include <QStringList>
#include <functional>

#include "data/RecordSet.h"
#include "employee/DayBlocks.h"

namespace employees {
// Every Fullname, blanks trimmed, in table order; `progress` hears the count
// of names read so far after each one. The current record stays current.
QStringList names(RecordSet& records, const std::function<void(int)>& progress = {});

// The names as a sorted list shows them: by their case-folded texts, equal
// names kept in table order.
QStringList sortedForList(QStringList names);

// Makes the first record whose Fullname is `name` current. The name is
// compared as a value (quotes, commas and apostrophes are ordinary letters);
// a list entry, which is trimmed, also finds a name stored with blanks around
// it. Returns false, leaving the first record current, when none matches.
bool find(RecordSet& records, const QString& name);

// The 63 day texts of the current record, day block by day block, as the
// bound fields show them (a field never written shows empty).
DayTexts dayTexts(const RecordSet& records);
}  // namespace employees
