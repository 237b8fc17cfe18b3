// extras.txt (thirteen lines of schedule text). Properties: the reader always
// gives thirteen values, none holding a line end; saving what was read either
// refuses a value with a double quote (and writes nothing) or writes a file
// that reads back as the same values (the leading blanks of a value without a
// comma aside, which the reader drops).
#include "FuzzSupport.h"
#include "lists/ExtrasFile.h"

namespace {
QString withoutLeadingBlanks(const QString& s) {
  qsizetype i = 0;
  while (i < s.size() && (s[i] == u' ' || s[i] == u'\t')) ++i;
  return s.mid(i);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::enterScratchFolder();
  const QByteArray in = fuzz::bytes(data, size);
  // The printing side asks for "EXTRAS.TXT"; any case of the name is the file.
  const char* name = size % 2 ? "EXTRAS.TXT" : "extras.txt";
  QFile::remove("EXTRAS.TXT");
  QFile::remove("extras.txt");
  fuzz::writeFile(name, in);

  bool ok = false;
  const QStringList items = readExtrasItems(&ok);
  FUZZ_CHECK(ok, "extras.txt not read");
  FUZZ_CHECK(items.size() == kExtrasLineCount, "not thirteen items");
  const QStringList values = readExtrasValues(&ok);
  FUZZ_CHECK(ok && values.size() == kExtrasLineCount, "not thirteen values");
  for (int i = 0; i < kExtrasLineCount; ++i) {
    FUZZ_CHECK(!values[i].contains(u'\r') && !values[i].contains(u'\n'), "a line end in a value");
    FUZZ_CHECK(isNothing(items[i]) ? values[i].isEmpty() : values[i] == items[i],
                "a value differs from its item", fuzz::show(items[i]));
  }

  const SaveResult saved = saveExtras(values);
  const bool hasQuote = values.join(QString()).contains(u'"');
  FUZZ_CHECK(saved.ok != hasQuote, "a save refused or accepted the wrong values",
              saved.message.toUtf8());
  if (!saved.ok) {
    FUZZ_CHECK(QFile(extrasFileName()).size() == in.size(), "a refused save wrote the file");
    return 0;
  }
  const QStringList back = readExtrasValues(&ok);
  for (int i = 0; i < kExtrasLineCount; ++i) {
    QString want = values[i].contains(u',') ? values[i] : withoutLeadingBlanks(values[i]);
    if (isNothing(want)) want.clear();
    FUZZ_CHECK(back[i] == want, "a saved value does not read back",
                fuzz::show(want) + " came back as " + fuzz::show(back[i]));
  }
  return 0;
}
