#include "print/AreaSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

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

namespace {
// The first eight characters of the area, made safe for a file name.
QString settingsStem(const QString& area) {
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
  return stem;
}

QString areaKey(const QString& area) { return area.trimmed().toUpper(); }
bool isAllAreasFile(const QString& name) { return name.toUpper() == "ALL_AREA.IGH"; }

// The settings files of the data folder, found without regard to case (the
// folders come from a system whose file names ignore it).
class SettingsFolder {
 public:
  SettingsFolder() {
    for (const QString& name : QDir::current().entryList({"*.IGH"}, QDir::Files)) {
      exact_.insert(name);
      byCapitals_.insert(name.toUpper(), name);
    }
  }
  // The file of that name in the folder (the exact name first), or empty.
  QString find(const QString& name) const {
    return exact_.contains(name) ? name : byCapitals_.value(name.toUpper());
  }
  int size() const { return int(exact_.size()); }

 private:
  QSet<QString> exact_;
  QHash<QString, QString> byCapitals_;
};

// A file belongs to the area its first line names; a file that names none
// (empty, or unreadable) is taken as the area's, as it always was.
bool belongsTo(const QString& fileName, const QString& area) {
  bool ok = false;
  const AreaSettings s = readAreaSettings(fileName, &ok);
  return !ok || s.area.isEmpty() || areaKey(s.area) == areaKey(area);
}
}  // namespace

QString areaSettingsFileName(const QString& area) {
  const QString stem = settingsStem(area);
  const QString plain = stem + ".IGH";
  const bool allAreas = areaKey(area) == "ALL_AREAS";
  // The usual case, without a look through the folder: the plain name is
  // there and is this area's.
  if (QFileInfo::exists(plain) &&
      (allAreas || (!isAllAreasFile(plain) && belongsTo(plain, area))))
    return plain;
  const SettingsFolder folder;
  if (allAreas) {
    const QString onDisk = folder.find(plain);
    return onDisk.isEmpty() ? plain : onDisk;
  }
  // An area's own file is never further on than the first free name was
  // when it was made, so the names up to one more than there are files hold
  // it, and a free one.
  QString firstFree;
  for (int n = 1; n <= folder.size() + 2; ++n) {
    const QString candidate = n == 1 ? plain : QString("%1~%2.IGH").arg(stem).arg(n);
    // "All_Area.IGH" tells the printing to print every area: never another area's file.
    if (isAllAreasFile(candidate)) continue;
    const QString onDisk = folder.find(candidate);
    if (onDisk.isEmpty()) {
      if (firstFree.isEmpty()) firstFree = candidate;
    } else if (belongsTo(onDisk, area)) {
      return onDisk;
    }
  }
  return firstFree;
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

bool isFilled(const QString& value) { return !value.trimmed().isEmpty(); }

QStringList areaSettingsLines(const AreaSettings& s) {
  QStringList lines{s.area, s.position, s.dayOrWeek, s.number};
  int last = -1;  // the last time with a time or a label given
  for (int k = 0; k < 4; ++k)
    if (isFilled(s.times[k]) || isFilled(s.labels[k])) last = k;
  for (int k = 0; k <= last; ++k) {
    // A time left wholly empty before a later one keeps its two lines, so
    // each later time keeps its place and its own label.
    const bool empty = !isFilled(s.times[k]) && !isFilled(s.labels[k]);
    if (empty) lines << QString() << QString();
    if (isFilled(s.times[k])) lines << s.times[k];
    if (isFilled(s.labels[k])) lines << s.labels[k];
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
