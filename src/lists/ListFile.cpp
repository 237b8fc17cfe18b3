#include "lists/ListFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/FileOps.h"
#include "platform/TextCodec.h"

namespace {
bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }
bool isLineEnd(QChar c) { return c == u'\r' || c == u'\n'; }

// Steps over one line end (CR LF, LF or a lone CR) at `pos`, if there is one.
qsizetype skipLineEnd(const QString& text, qsizetype pos) {
  if (pos < text.size() && text[pos] == u'\r') ++pos;
  if (pos < text.size() && text[pos] == u'\n') ++pos;
  return pos;
}

bool isLimitedList(const QString& fileName) {
  return fileName.compare("AREAS.IGH", Qt::CaseInsensitive) == 0 ||
         fileName.compare("POSITION.IGH", Qt::CaseInsensitive) == 0;
}
}  // namespace

QString resolveDataFileName(const QString& bareName) {
  if (QFileInfo::exists(bareName) || bareName.contains(u'/')) return bareName;
  const QStringList names = QDir::current().entryList(QDir::Files | QDir::Hidden | QDir::System);
  for (const QString& name : names)
    if (name.compare(bareName, Qt::CaseInsensitive) == 0) return name;
  return bareName;
}

QStringList parseListItems(const QString& text, int maxItems) {
  QStringList items;
  const qsizetype n = text.size();
  qsizetype pos = 0;
  while (pos < n && (maxItems < 0 || items.size() < maxItems)) {
    while (pos < n && isBlank(text[pos])) ++pos;
    QString item;
    if (pos < n && text[pos] == u'"') {
      // A quoted item runs to the next quote; a hand-edited file that forgets
      // the closing quote loses only the rest of that line, not the file.
      const qsizetype start = ++pos;
      while (pos < n && text[pos] != u'"' && !isLineEnd(text[pos])) ++pos;
      item = text.mid(start, pos - start);
      if (pos < n && text[pos] == u'"') ++pos;
      // Whatever follows the closing quote up to the separator is dropped.
      while (pos < n && text[pos] != u',' && !isLineEnd(text[pos])) ++pos;
    } else {
      const qsizetype start = pos;
      while (pos < n && text[pos] != u',' && !isLineEnd(text[pos])) ++pos;
      item = text.mid(start, pos - start);
    }
    items.append(item);
    if (pos < n && text[pos] == u',') {
      ++pos;
      // A comma at the very end of a line still leaves one (empty) item to come.
      if (pos >= n || isLineEnd(text[pos])) {
        items.append(QString());
        pos = skipLineEnd(text, pos);
      }
    } else {
      pos = skipLineEnd(text, pos);
    }
  }
  if (maxItems >= 0 && items.size() > maxItems) items.resize(maxItems);
  return items;
}

ListRead readListFile(const QString& fileName) {
  ListRead result;
  QFile file(resolveDataFileName(fileName));
  if (!file.open(QIODevice::ReadOnly)) return result;
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) return result;
  result.items = parseListItems(decodeText(bytes), isLimitedList(fileName) ? kListEntryLimit : -1);
  result.ok = true;
  return result;
}

QStringList readChoices(const QString& fileName, bool* ok) {
  const ListRead read = readListFile(fileName);
  if (ok) *ok = read.ok;
  QStringList choices;
  for (const QString& item : read.items)
    if (item.trimmed().toUpper() != QLatin1String("EMPTY")) choices.append(item);
  return choices;
}

bool encodeListLine(const QString& value, QString* line) {
  for (QChar c : value)
    if (c == u'"' || isLineEnd(c)) return false;
  const QString encoded = value.contains(u',') ? u'"' + value + u'"' : value;
  if (line) *line = encoded;
  return true;
}

bool writeListLines(const QString& fileName, const QStringList& lines, QString* error) {
  QString text;
  for (const QString& line : lines) text += line + QLatin1String("\r\n");
  QByteArray bytes = encodeText(text);
  // Code page 1252 bytes that happen to form valid UTF-8 ("Ã©") would read back
  // as other letters; such a file is written as UTF-8, which reads back whole.
  if (decodeText(bytes) != text) bytes = text.toUtf8();
  return fileops::writeAtomically(resolveDataFileName(fileName), bytes, error);
}
