#include "print/AreaSettings.h"

#include <QFile>

#include "platform/FileOps.h"
#include "platform/TextCodec.h"

namespace {
constexpr int kNameLength = 8;  // characters of the area kept in its file name

// Characters that no file name may hold on Linux or Windows.
bool isForbiddenInFileName(char32_t c) {
  if (c < 0x20 || c == 0x7F) return true;  // control characters
  switch (c) {
    case U'/': case U'\\': case U'<': case U'>': case U':':
    case U'"': case U'|': case U'?': case U'*':
      return true;
    default:
      return false;
  }
}

// Windows opens a device, not a file, for these names whatever the extension.
bool isReservedDeviceName(const QString& stem) {
  const QString s = stem.toUpper();
  if (s == "CON" || s == "PRN" || s == "AUX" || s == "NUL") return true;
  return s.size() == 4 && (s.startsWith("COM") || s.startsWith("LPT")) && s[3] >= u'1' &&
         s[3] <= u'9';
}

// The lines of a text file, without their line ends (CR LF, LF or a lone CR).
// A line end after the last line does not start another line.
QStringList splitLines(const QString& text) {
  QStringList lines;
  QString current;
  bool open = false;  // a line has started since the last line end
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c == u'\r' || c == u'\n') {
      if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      lines.append(current);
      current.clear();
      open = false;
    } else {
      current.append(c);
      open = true;
    }
  }
  if (open) lines.append(current);
  return lines;
}

bool readLines(const QString& fileName, QStringList* lines) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) return false;
  *lines = splitLines(decodeText(bytes));
  return true;
}

// A value goes on one line: a line break inside it would move every later
// value to the wrong line number.
QString oneLine(const QString& value) {
  QString v = value;
  v.replace(u'\r', u' ');
  v.replace(u'\n', u' ');
  return v;
}

bool writeLines(const QString& fileName, const QStringList& lines, QString* error) {
  QString text;
  for (const QString& line : lines) text += oneLine(line) + QLatin1String("\r\n");
  return fileops::writeAtomically(fileName, encodeText(text), error);
}
}  // namespace

QString areaSettingsFileName(const QString& area) {
  QString stem;
  int kept = 0;
  // Characters, not UTF-16 units: a letter outside the basic plane stays whole.
  for (char32_t c : area.toUcs4()) {
    if (kept == kNameLength) break;
    ++kept;
    if (isForbiddenInFileName(c)) stem += u'_';
    else stem += QString::fromUcs4(&c, 1);
  }
  if (isReservedDeviceName(stem)) stem += u'_';
  return stem + ".IGH";
}

bool isBareFileName(const QString& name) {
  if (name.isEmpty() || name == "." || name == "..") return false;
  for (char32_t c : name.toUcs4())
    if (isForbiddenInFileName(c)) return false;
  return true;
}

AreaSettings readAreaSettings(const QString& fileName, bool* ok) {
  AreaSettings s;
  QStringList lines;
  const bool read = isBareFileName(fileName) && readLines(fileName, &lines);
  if (ok) *ok = read;
  if (!read) return s;
  s.lineCount = int(lines.size());
  // Values go by line number, as every stored file was written; lines after
  // the twelfth are ignored.
  for (int i = 0; i < lines.size() && i < 12; ++i) {
    const QString v = lines[i].trimmed();
    switch (i) {
      case 0: s.area = v; break;
      case 1: s.position = v; break;
      case 2: s.dayOrWeek = v; break;
      case 3: s.number = v; break;
      default: {
        const int k = (i - 4) / 2;
        if ((i - 4) % 2 == 0) s.times[k] = v;
        else s.labels[k] = v;
      }
    }
  }
  return s;
}

QStringList areaSettingsLines(const AreaSettings& s) {
  QStringList lines{s.area, s.position, s.dayOrWeek, s.number};
  for (int k = 0; k < 4; ++k) {
    if (!s.times[k].isEmpty()) lines << s.times[k];
    if (!s.labels[k].isEmpty()) lines << s.labels[k];
  }
  return lines;
}

bool writeAreaSettings(const QString& fileName, const AreaSettings& s, QString* error) {
  if (!isBareFileName(fileName)) {
    if (error) *error = QString("\"%1\" cannot be used as a file name.").arg(fileName);
    return false;
  }
  return writeLines(fileName, areaSettingsLines(s), error);
}

bool writePrintFile(const QString& settingsFileName, QString* error) {
  return writeLines("PRINT.IGH", {settingsFileName}, error);
}

QString readPrintFile(bool* ok) {
  QStringList lines;
  const bool read = readLines("PRINT.IGH", &lines);
  if (ok) *ok = read;
  if (!read || lines.isEmpty()) return {};
  // A settings file name always ends in ".IGH", so blanks after it are never
  // part of it; blanks in front can be (an area typed with leading blanks).
  QString name = lines.first();
  while (!name.isEmpty() && name.back().isSpace()) name.chop(1);
  return name;
}

bool writeExemptFile(const QStringList& names, QString* error) {
  QStringList lines = names;
  lines << QString();  // the empty entry that ends the exclusion table
  return writeLines("EXEMPT.IGH", lines, error);
}

QStringList readExemptFile(bool* ok) {
  // Whole lines: a name with a comma or a quote in it stays one name.
  QStringList lines;
  const bool read = readLines("EXEMPT.IGH", &lines);
  if (ok) *ok = read;
  QStringList names;
  for (const QString& line : lines) {
    const QString name = line.trimmed();
    if (name.isEmpty()) break;
    names << name;
  }
  return names;
}
