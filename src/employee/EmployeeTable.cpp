#include "employee/EmployeeTable.h"

#include <algorithm>

#include "db/Numbering.h"
#include "platform/NameOrder.h"

namespace employees {

QStringList names(RecordSet& records, const std::function<void(int)>& progress) {
  // Read in one statement, without moving off the record on screen.
  QStringList out;
  const QVector<QStringList> table = records.allTexts({fields::Fullname});
  out.reserve(table.size());
  for (const QStringList& texts : table) {
    out << texts.front().trimmed();
    if (progress) progress(int(out.size()));
  }
  return out;
}

QStringList sortedForList(QStringList names) {
  nameorder::sort(names);
  return names;
}

bool find(RecordSet& records, const QString& name) {
  if (numbering::findByName(records, name)) return true;
  if (records.RecordCount() == 0) return false;
  // A stored name with blanks around it is listed trimmed; find it by that too.
  const QString wanted = name.trimmed();
  for (records.MoveFirst(); !records.isEOF(); records.MoveNext())
    if (records.text(fields::Fullname).trimmed() == wanted) return true;
  records.MoveFirst();
  return false;
}

DayTexts dayTexts(const RecordSet& records) {
  DayTexts texts;
  const QStringList names = fields::allDayFields();
  for (int i = 0; i < DayFieldCount; ++i) texts[i] = records.text(names[i]);
  return texts;
}
}  // namespace employees
