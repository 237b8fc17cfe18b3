#pragma once
// Record numbering and finding an employee by name, on an open record set
// of the Employees table.
#include <QString>

class RecordSet;

namespace numbering {
// The number a new record gets: the last record's Number + 1, or 1 in an
// empty table. The current position stays as it was. Throws DbError when
// the next number would not fit the 16-bit record number.
int nextNumber(RecordSet& rs);

// Sets Number = 1..n in table order, in one transaction.
void renumber(RecordSet& rs);

// Makes the first record whose Fullname equals `name` current. The name is
// compared as a value, so apostrophes and quotes need no care. Returns
// false when nobody has that name (the position is then the first record).
bool findByName(RecordSet& rs, const QString& name);
}  // namespace numbering
