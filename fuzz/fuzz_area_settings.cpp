// The area settings files (one per area, twelve lines). Properties: any area
// text gives a bare file name in the data folder; a file read gives trimmed
// one-line values; writing what was read and reading it again gives the same
// lines.
#include "FuzzSupport.h"
#include "print/AreaSettings.h"

namespace {
void checkValue(const QString& v) {
  FUZZ_CHECK(v == v.trimmed(), "a value is not trimmed", fuzz::show(v));
  FUZZ_CHECK(!v.contains(u'\r') && !v.contains(u'\n'), "a line end in a value", fuzz::show(v));
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::enterScratchFolder();
  const QByteArray in = fuzz::bytes(data, size);
  // The first line, taken as an area text, names the file the rest goes to.
  const qsizetype cut = in.indexOf('\n');
  const QString area = QString::fromUtf8(cut < 0 ? in : in.left(cut));
  const QString fileName = areaSettingsFileName(area);
  FUZZ_CHECK(isBareFileName(fileName), "an area gave a file name outside the folder",
              fuzz::show(fileName));
  FUZZ_CHECK(fileName.endsWith(".IGH"), "a settings file name without .IGH");

  fuzz::writeFile("SETTINGS.IGH", in);
  bool ok = false;
  const AreaSettings s = readAreaSettings("SETTINGS.IGH", &ok);
  FUZZ_CHECK(ok, "a settings file was not read");
  FUZZ_CHECK(s.lineCount >= 0, "a negative line count");
  for (const QString& v : {s.area, s.position, s.dayOrWeek, s.number}) checkValue(v);
  for (int k = 0; k < 4; ++k) {
    checkValue(s.times[k]);
    checkValue(s.labels[k]);
  }

  QString error;
  FUZZ_CHECK(writeAreaSettings(fileName, s, &error), "settings could not be written",
              error.toUtf8());
  const AreaSettings back = readAreaSettings(fileName, &ok);
  FUZZ_CHECK(ok, "written settings were not read");
  const QStringList want = areaSettingsLines(s), got = areaSettingsLines(back);
  FUZZ_CHECK(got == want, "written settings do not read back",
              fuzz::show(want) + " came back as " + fuzz::show(got));
  QFile::remove(fileName);
  return 0;
}
