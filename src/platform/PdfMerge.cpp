#include "platform/PdfMerge.h"

#include <QHash>
#include <QRegularExpression>
#include <QVector>
#include <algorithm>
#include <optional>

namespace {
// One object of a part: its number and its bytes from "n 0 obj" to the next
// object (the "endobj" and line end included).
struct Object {
  int number = 0;
  QByteArray bytes;
};

struct Part {
  QVector<Object> objects;  // in file order
  int root = 0, info = 0, pages = 0;
  QList<int> kids;  // the page objects, in order
};

// The number before " 0 R" after `key` in `text` ("/Root 2 0 R" -> 2).
std::optional<int> referenceAfter(const QByteArray& text, const QByteArray& key) {
  static const QRegularExpression number(R"(^\s*(\d+)\s+0\s+R)");
  const qsizetype at = text.indexOf(key);
  if (at < 0) return std::nullopt;
  const auto m = number.match(QString::fromLatin1(text.mid(at + key.size(), 32)));
  if (!m.hasMatch()) return std::nullopt;
  return m.captured(1).toInt();
}

std::optional<Part> readPart(const QByteArray& pdf) {
  Part part;
  const qsizetype start = pdf.lastIndexOf("startxref");
  if (start < 0) return std::nullopt;
  bool ok = false;
  const qsizetype xref = pdf.mid(start + 9, 24).trimmed().split('\n').value(0).trimmed().toLongLong(&ok);
  if (!ok || xref <= 0 || xref >= start || !pdf.mid(xref).startsWith("xref")) return std::nullopt;

  // The table: "xref", "0 N", then N entries "offset generation n|f".
  const QList<QByteArray> lines = pdf.mid(xref, start - xref).split('\n');
  if (lines.size() < 3) return std::nullopt;
  const QList<QByteArray> range = lines[1].trimmed().split(' ');
  if (range.size() != 2 || range[0] != "0") return std::nullopt;
  const int count = range[1].toInt(&ok);
  if (!ok || count < 2 || lines.size() < count + 2) return std::nullopt;
  QVector<std::pair<qsizetype, int>> offsets;  // offset -> object number
  for (int n = 1; n < count; ++n) {
    const QList<QByteArray> entry = lines[n + 2].trimmed().split(' ');
    if (entry.size() != 3) return std::nullopt;
    if (entry[2] != "n") continue;
    const qsizetype offset = entry[0].toLongLong(&ok);
    if (!ok || offset <= 0 || offset >= xref) return std::nullopt;
    offsets.push_back({offset, n});
  }
  std::sort(offsets.begin(), offsets.end());
  for (int k = 0; k < offsets.size(); ++k) {
    const qsizetype from = offsets[k].first;
    const qsizetype to = k + 1 < offsets.size() ? offsets[k + 1].first : xref;
    Object o{offsets[k].second, pdf.mid(from, to - from)};
    if (!o.bytes.startsWith(QByteArray::number(o.number) + " 0 obj")) return std::nullopt;
    part.objects.push_back(std::move(o));
  }

  const QByteArray trailer = pdf.mid(xref, start - xref);
  const auto root = referenceAfter(trailer, "/Root");
  const auto info = referenceAfter(trailer, "/Info");
  if (!root || !info) return std::nullopt;
  part.root = *root;
  part.info = *info;
  auto objectText = [&](int number) -> QByteArray {
    for (const Object& o : part.objects)
      if (o.number == number) return o.bytes;
    return {};
  };
  const auto pages = referenceAfter(objectText(part.root), "/Pages");
  if (!pages) return std::nullopt;
  part.pages = *pages;
  const QByteArray tree = objectText(part.pages);
  const qsizetype open = tree.indexOf("/Kids");
  const qsizetype from = tree.indexOf('[', open);
  const qsizetype to = tree.indexOf(']', from);
  if (open < 0 || from < 0 || to < 0) return std::nullopt;
  static const QRegularExpression kid(R"((\d+)\s+0\s+R)");
  for (const auto& m : kid.globalMatch(QString::fromLatin1(tree.mid(from, to - from))))
    part.kids << m.captured(1).toInt();
  if (part.kids.isEmpty()) return std::nullopt;
  return part;
}

// The object with its number and every reference in its dictionary mapped;
// stream data is copied as it is.
QByteArray renumbered(const Object& o, const QHash<int, int>& map) {
  qsizetype streamAt = o.bytes.indexOf("stream\n");
  if (streamAt < 0) streamAt = o.bytes.indexOf("stream\r\n");
  const QByteArray head = streamAt < 0 ? o.bytes : o.bytes.left(streamAt);
  const QByteArray tail = streamAt < 0 ? QByteArray() : o.bytes.mid(streamAt);
  static const QRegularExpression reference(R"((\d+) 0 (R|obj))");
  const QString text = QString::fromLatin1(head);
  QByteArray out;
  out.reserve(o.bytes.size() + 16);
  qsizetype last = 0;
  for (const auto& m : reference.globalMatch(text)) {
    out += head.mid(last, m.capturedStart() - last);
    const int number = m.captured(1).toInt();
    out += QByteArray::number(map.value(number, number)) + " 0 " + m.captured(2).toLatin1();
    last = m.capturedEnd();
  }
  out += head.mid(last);
  out += tail;
  return out;
}
}  // namespace

QByteArray joinPdfFiles(const QList<QByteArray>& files) {
  if (files.isEmpty()) return {};
  if (files.size() == 1) return files.first();
  QVector<Part> parts;
  for (const QByteArray& f : files) {
    auto part = readPart(f);
    if (!part) return {};
    parts.push_back(std::move(*part));
  }

  // Objects 1, 2 and 3 are the information, the catalogue and the page tree
  // of the joined file; every other object of every part follows in turn.
  constexpr int kInfo = 1, kCatalog = 2, kPages = 3;
  QByteArray out("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
  QVector<qsizetype> offsets(4, 0);
  int next = 4;
  QList<int> kids;
  auto add = [&](int number, const QByteArray& bytes) {
    if (offsets.size() <= number) offsets.resize(number + 1);
    offsets[number] = out.size();
    out += bytes;
  };
  for (int p = 0; p < parts.size(); ++p) {
    const Part& part = parts[p];
    QHash<int, int> map{{part.pages, kPages}, {part.root, kCatalog}, {part.info, kInfo}};
    for (const Object& o : part.objects)
      if (!map.contains(o.number)) map.insert(o.number, next++);
    for (int kid : part.kids) kids << map.value(kid);
    for (const Object& o : part.objects) {
      if (o.number == part.pages) continue;
      if ((o.number == part.root || o.number == part.info) && p > 0) continue;  // the first part's serve
      add(map.value(o.number), renumbered(o, map));
    }
  }
  QByteArray tree = "3 0 obj\n<<\n/Type /Pages\n/Kids \n[\n";
  for (int kid : kids) tree += QByteArray::number(kid) + " 0 R\n";
  tree += "]\n/Count " + QByteArray::number(kids.size()) +
          "\n/ProcSet [/PDF /Text /ImageB /ImageC]\n>>\nendobj\n";
  add(kPages, tree);

  const qsizetype xref = out.size();
  out += "xref\n0 " + QByteArray::number(offsets.size()) + "\n0000000000 65535 f \n";
  for (int n = 1; n < offsets.size(); ++n)
    out += QByteArray::number(offsets[n]).rightJustified(10, '0') + " 00000 n \n";
  out += "trailer\n<<\n/Size " + QByteArray::number(offsets.size()) +
         "\n/Info 1 0 R\n/Root 2 0 R\n>>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
  return out;
}
