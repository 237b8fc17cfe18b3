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
  fuzz::check(ok, "PRINT.IGH was not read");
  fuzz::check(!name.contains(u'\r') && !name.contains(u'\n'), "a line end in the name");
  fuzz::check(name.isEmpty() || !name.back().isSpace(), "a trailing blank in the name");

  QString error;
  fuzz::check(writePrintFile(name, &error), "PRINT.IGH could not be written", error.toUtf8());
  const QString back = readPrintFile(&ok);
  fuzz::check(ok && back == name, "PRINT.IGH does not read back",
              fuzz::show(name) + " came back as " + fuzz::show(back));
  return 0;
}
