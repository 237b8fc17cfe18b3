#include "lists/ExtrasFile.h"

#include "lists/ListFile.h"

const std::array<ExtrasLine, kExtrasLineCount>& extrasLines() {
  static const std::array<ExtrasLine, kExtrasLineCount> lines = {{
      {"Text13", "Label/Name", 20},
      {"Text6", "Monday", 20},
      {"Text7", "Tuesday", 20},
      {"Text8", "Wednesday", 20},
      {"Text9", "Thursday", 20},
      {"Text10", "Friday", 20},
      {"Text11", "Saturday", 20},
      {"Text12", "Sunday", 20},
      {"Text1", "Sentence 1", 75},
      {"Text2", "Sentence 2", 75},
      {"Text3", "Sentence 3", 75},
      {"Text4", "Sentence 4", 75},
      {"Text5", "Sentence 5", 75},
  }};
  return lines;
}

QString extrasFileName() { return resolveDataFileName("extras.txt"); }

bool isNothing(const QString& item) {
  return item.trimmed().compare(kNothing, Qt::CaseInsensitive) == 0;
}

QStringList readExtrasItems(bool* ok) {
  const ListRead read = readListFile(extrasFileName());
  if (ok) *ok = read.ok;
  QStringList items = read.items.mid(0, kExtrasLineCount);
  while (items.size() < kExtrasLineCount) items.append(QString());
  return items;
}

QStringList readExtrasValues(bool* ok) {
  QStringList values = readExtrasItems(ok);
  for (QString& v : values)
    if (isNothing(v)) v.clear();
  return values;
}

QStringList extrasFileLines(const QStringList& values, int* badLine) {
  if (badLine) *badLine = 0;
  QStringList lines;
  for (int i = 0; i < kExtrasLineCount; ++i) {
    // A line break pasted at the end of a box is no part of its text.
    QString value = values.value(i);
    while (value.endsWith(u'\n') || value.endsWith(u'\r')) value.chop(1);
    QString line;
    if (value.isEmpty()) {
      line = kNothing;
    } else if (!encodeListLine(value, &line)) {
      if (badLine) *badLine = i + 1;
      return {};
    }
    lines.append(line);
  }
  return lines;
}

SaveResult saveExtras(const QStringList& values) {
  int badLine = 0;
  const QStringList lines = extrasFileLines(values, &badLine);
  if (badLine)
    return SaveResult::failed(
        valueRefusedMessage(QString("The %1 box").arg(extrasLines()[badLine - 1].name),
                            values.value(badLine - 1)));
  QString error;
  if (!writeListLines(extrasFileName(), lines, &error))
    return SaveResult::failed(saveFailedMessage("The schedule extras", error));
  return SaveResult::saved();
}
