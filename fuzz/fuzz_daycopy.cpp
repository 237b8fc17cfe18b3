// DAYCOPY.IGH (the weekday a day copy goes to). Properties: reading gives a
// weekday 0..6 or -1 and agrees with the list reader's first item; each
// weekday written reads back as itself.
#include "FuzzSupport.h"
#include "employee/DayBlocks.h"
#include "lists/ListFile.h"

namespace {
void checkWeekdaysWriteAndRead() {
  for (int day = 0; day < fields::DaysInWeek; ++day) {
    FUZZ_CHECK(daycopy::writeTarget(day), "DAYCOPY.IGH could not be written");
    FUZZ_CHECK(daycopy::readTarget() == day, "a weekday written does not read back");
  }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool first = [] {
    fuzz::enterScratchFolder();
    checkWeekdaysWriteAndRead();
    return true;
  }();
  (void)first;
  fuzz::writeFile(daycopy::FileName, fuzz::bytes(data, size));
  const int day = daycopy::readTarget();
  FUZZ_CHECK(day >= -1 && day < fields::DaysInWeek, "a weekday out of range");
  const ListRead read = readListFile(daycopy::FileName);
  if (day >= 0)
    FUZZ_CHECK(read.items.first().trimmed().toUpper() == fields::weekdays[day].upperName,
                "the weekday is not the file's first item");
  else if (read.ok && !read.items.isEmpty())
    for (const auto& w : fields::weekdays)
      FUZZ_CHECK(read.items.first().trimmed().toUpper() != w.upperName, "a weekday not recognised");
  return 0;
}
