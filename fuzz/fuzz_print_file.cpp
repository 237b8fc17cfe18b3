// PRINT.IGH (the name of the settings file the print window prints).
// Properties: the name read is one line without trailing blanks; writing it
// and reading it again gives the same name.
#include "FuzzSupport.h"
#include "print/AreaSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::enterScratchFolder();
  fuzz::writeFile("PRINT.IGH", fuzz::bytes(data, size));
  bool ok = false;
  const QString name = readPrintFile(&ok);
  FUZZ_CHECK(ok, "PRINT.IGH was not read");
  FUZZ_CHECK(!name.contains(u'\r') && !name.contains(u'\n'), "a line end in the name");
  FUZZ_CHECK(name.isEmpty() || !name.back().isSpace(), "a trailing blank in the name");

  QString error;
  FUZZ_CHECK(writePrintFile(name, &error), "PRINT.IGH could not be written", error.toUtf8());
  const QString back = readPrintFile(&ok);
  FUZZ_CHECK(ok && back == name, "PRINT.IGH does not read back",
              fuzz::show(name) + " came back as " + fuzz::show(back));
  return 0;
}
