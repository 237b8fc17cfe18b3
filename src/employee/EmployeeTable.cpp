#include "employee/EmployeeTable.h"

#include <algorithm>

namespace employees {

QStringList names(RecordSet& records, const std::function<void(int)>& progress) {
  QStringList out;
  if (records.RecordCount() == 0) return out;
  for (records.MoveFirst(); !records.isEOF(); records.MoveNext()) {
    out << records.text(fields::Fullname).trimmed();
    if (progress) progress(int(out.size()));
  }
  return out;
}

QStringList sortedForList(QStringList names) {
  std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) < 0;
  });
  return names;
}

bool find(RecordSet& records, const QString& name) {
  if (records.RecordCount() == 0) return false;
  records.MoveFirst();
  if (records.FindFirst(fields::Fullname, name)) return true;
  // A stored name with blanks around it is listed trimmed; find it by that too.
  const QString wanted = name.trimmed();
  for (records.MoveFirst(); !records.isEOF(); records.MoveNext())
    if (records.text(fields::Fullname).trimmed() == wanted) return true;
  records.MoveFirst();
  return false;
}

int nextNumber(RecordSet& records) {
  if (records.RecordCount() == 0) return 1;
  records.MoveLast();
  return records.Field(fields::Number).toInt() + 1;
}

DayTexts dayTexts(const RecordSet& records) {
  DayTexts texts;
  const QStringList names = fields::allDayFields();
  for (int i = 0; i < DayFieldCount; ++i) texts[i] = records.text(names[i]);
  return texts;
}
}  // namespace employees
