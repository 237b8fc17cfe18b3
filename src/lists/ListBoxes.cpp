#include "lists/ListBoxes.h"

#include "lists/ListFile.h"

bool isEmptyBox(const QString& text) {
  return text.trimmed().compare(kEmptyBox, Qt::CaseInsensitive) == 0;
}

QStringList boxTextsFromItems(const QStringList& items) {
  QStringList boxes = items.mid(0, kListBoxCount);  // later items are read and ignored
  while (boxes.size() < kListBoxCount) boxes.append(kEmptyBox);
  return boxes;
}

QStringList loadListBoxes(const QString& fileName) {
  return boxTextsFromItems(readListFile(fileName).items);
}

QStringList listLinesFromBoxes(const QStringList& boxes, int* badBox) {
  if (badBox) *badBox = 0;
  QStringList lines;
  for (int i = 0; i < boxes.size(); ++i) {
    const QString entry = boxes[i].trimmed();
    if (isEmptyBox(entry)) continue;
    QString line;
    if (!encodeListLine(entry, &line)) {
      if (badBox) *badBox = i + 1;
      return {};
    }
    lines.append(line);
  }
  return lines;
}

SaveResult saveListBoxes(const QString& fileName, const QStringList& boxes) {
  int badBox = 0;
  const QStringList lines = listLinesFromBoxes(boxes, &badBox);
  if (badBox)
    return SaveResult::failed(
        valueRefusedMessage(QString("Box %1").arg(badBox), boxes[badBox - 1].trimmed()));
  QString error;
  if (!writeListLines(fileName, lines, &error))
    return SaveResult::failed(saveFailedMessage("The list", error));
  return SaveResult::saved();
}
