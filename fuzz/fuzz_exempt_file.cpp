// EXEMPT.IGH (the staff left off a schedule). Properties: each name read is
// one trimmed, non-empty line; writing the names and reading them again gives
// the same names.
#include "FuzzSupport.h"
#include "print/AreaSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::enterScratchFolder();
  fuzz::writeFile("EXEMPT.IGH", fuzz::bytes(data, size));
  bool ok = false;
  const QStringList names = readExemptFile(&ok);
  FUZZ_CHECK(ok, "EXEMPT.IGH was not read");
  for (const QString& n : names) {
    FUZZ_CHECK(!n.isEmpty() && n == n.trimmed(), "a name is empty or not trimmed", fuzz::show(n));
    FUZZ_CHECK(!n.contains(u'\r') && !n.contains(u'\n'), "a line end in a name", fuzz::show(n));
  }

  QString error;
  FUZZ_CHECK(writeExemptFile(names, &error), "EXEMPT.IGH could not be written", error.toUtf8());
  const QStringList back = readExemptFile(&ok);
  FUZZ_CHECK(ok && back == names, "EXEMPT.IGH does not read back",
              fuzz::show(names) + " came back as " + fuzz::show(back));
  return 0;
}
