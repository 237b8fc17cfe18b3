#include "print/PrintSetup.h"

#include <algorithm>

#include "platform/NameOrder.h"

namespace {
constexpr int kNameWidth = 30;  // the exclusion table's entry width
const char* const kOrdinals[4] = {"First", "Second", "Third", "Fourth"};
}  // namespace

QString printChoicesProblem(const AreaSettings& c) {
  if (c.area.trimmed().isEmpty()) return "You Must choose an AREA to print schedule!";
  if (c.dayOrWeek.trimmed().isEmpty()) return "You Must choose a Day or weekly schedule to print!";
  if (c.times[0].trimmed().isEmpty()) return "You Must choose a time for the schedule to print!";
  return timesAndLabelsProblem(c);
}

QString timesAndLabelsProblem(const AreaSettings& c) {
  for (int k = 0; k < 4; ++k) {
    const bool time = isFilled(c.times[k]);
    const bool label = isFilled(c.labels[k]);
    if (time && !label) return QString("You Must Label the %1 Time area!").arg(kOrdinals[k]);
    // The file has no place for a label without its time: every later value
    // would be read one place too early.
    if (label && !time)
      return QString("You Must choose a time for the %1 Time area, or clear its label!")
          .arg(kOrdinals[k]);
  }
  return {};
}

AreaSettings settingsForSaveInfo(AreaSettings c) {
  c.number = "1";
  return c;
}

AreaSettings settingsForPrint(AreaSettings c) {
  c.number.clear();
  if (c.position.trimmed().isEmpty()) c.position = "NOTHING";
  return c;
}

QString exclusionEntry(const QString& fullName) {
  return fullName.leftJustified(kNameWidth, u' ', /*truncate=*/false);
}

bool sortsBefore(const QString& a, const QString& b) { return nameorder::before(a, b); }

void sortEntries(QStringList& entries) { nameorder::sort(entries); }

int sortedInsertIndex(const QStringList& entries, const QString& entry) {
  return nameorder::insertIndex(entries, entry);
}
