#include "employee/DayBlocks.h"

#include "lists/ListFile.h"
#include "platform/FileOps.h"
#include "platform/TextCodec.h"

void copyDayBlock(DayTexts& texts, int fromDay, int toDay) {
  for (int k = 0; k < fields::FieldsPerDay; ++k) {
    const auto f = fields::DayField(k);
    texts[dayIndex(toDay, f)] = texts[dayIndex(fromDay, f)];
  }
}

QList<int> fillUnsetThirdAreas(DayTexts& texts, const QString& area) {
  QList<int> changed;
  for (int day = 0; day < fields::DaysInWeek; ++day) {
    QString& third = texts[dayIndex(day, fields::DayField::Bldg)];
    if (third == "No") {
      third = area;
      changed << day;
    }
  }
  return changed;
}

namespace daycopy {
bool writeTarget(int day, QString* error) {
  const QString line = QString(fields::weekdays[day].upperName) + "\r\n";
  return fileops::writeAtomically(FileName, encodeText(line), error);
}

int readTarget() {
  const ListRead read = readListFile(FileName);
  if (!read.ok || read.items.isEmpty()) return -1;
  const QString first = read.items.first().trimmed().toUpper();
  for (int day = 0; day < fields::DaysInWeek; ++day)
    if (first == fields::weekdays[day].upperName) return day;
  return -1;
}
}  // namespace daycopy
