// The list-file reader (AREAS.IGH, POSITION.IGH, DAYS.IGH, TIMES.IGH and the
// other lists). Properties: an item never holds a line end; the file reader
// and the text parser agree; every item the writer accepts reads back as
// itself (leading blanks of an unquoted item aside, which the reader drops).
#include "FuzzSupport.h"
#include "lists/ListFile.h"
#include "platform/TextCodec.h"

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
  const QStringList items = parseListItems(decodeText(in));
  for (const QString& item : items)
    FUZZ_CHECK(!item.contains(u'\r') && !item.contains(u'\n'), "an item holds a line end",
                fuzz::show(item));

  fuzz::writeFile("AREAS.IGH", in);
  const ListRead read = readListFile("areas.igh");  // found in any case of its name
  FUZZ_CHECK(read.ok && read.items == items, "the file reader and the parser disagree");
  bool ok = false;
  const QStringList choices = readChoices("AREAS.IGH", &ok);
  FUZZ_CHECK(ok && choices.size() <= items.size(), "choices not taken from the items");

  // Write back every item the writer accepts and read the file again.
  QStringList lines, expected;
  for (const QString& item : items) {
    QString line;
    if (!encodeListLine(item, &line)) {
      FUZZ_CHECK(item.contains(u'"'), "a value without a quote was refused", fuzz::show(item));
      continue;
    }
    lines << line;
    expected << (item.contains(u',') ? item : withoutLeadingBlanks(item));
  }
  QString error;
  FUZZ_CHECK(writeListLines("AREAS.IGH", lines, &error), "the list could not be written",
              error.toUtf8());
  const ListRead again = readListFile("AREAS.IGH");
  FUZZ_CHECK(again.ok && again.items == expected, "a written list does not read back",
              fuzz::show(expected) + " came back as " + fuzz::show(again.items));
  return 0;
}
