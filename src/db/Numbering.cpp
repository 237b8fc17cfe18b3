#include "db/Numbering.h"

#include "data/RecordSet.h"
#include "db/EmployeeFields.h"

namespace numbering {
int nextNumber(RecordSet& rs) {
  if (rs.RecordCount() == 0) return 1;
  const int keep = rs.AbsolutePosition();
  rs.MoveLast();
  const int last = rs.Field(fields::Number).toInt();
  if (keep >= 0) rs.moveTo(keep);
  if (last >= 32767)
    throw DbError("The employee table is full: the last record number is 32,767, the largest "
                  "the record number can hold.");
  return qMax(last, 0) + 1;
}

void renumber(RecordSet& rs) { rs.renumber(fields::Number); }

bool findByName(RecordSet& rs, const QString& name) {
  if (rs.RecordCount() == 0) return false;
  rs.MoveFirst();
  if (rs.FindFirst(fields::Fullname, name)) return true;
  rs.MoveFirst();
  return false;
}
}  // namespace numbering
