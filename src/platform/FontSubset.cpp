#include "platform/FontSubset.h"

#include <QList>
#include <QVector>
#include <algorithm>

namespace {
quint16 u16(const QByteArray& d, qsizetype at) {
  if (at < 0 || at + 2 > d.size()) return 0;
  return quint16((quint8(d[at]) << 8) | quint8(d[at + 1]));
}
qint16 s16(const QByteArray& d, qsizetype at) { return qint16(u16(d, at)); }
quint32 u32(const QByteArray& d, qsizetype at) {
  return (quint32(u16(d, at)) << 16) | u16(d, at + 2);
}
void put16(QByteArray& d, quint16 v) {
  d += char(v >> 8);
  d += char(v & 0xff);
}
void put32(QByteArray& d, quint32 v) {
  put16(d, quint16(v >> 16));
  put16(d, quint16(v & 0xffff));
}
void set16(QByteArray& d, qsizetype at, quint16 v) {
  if (at + 2 > d.size()) return;
  d[at] = char(v >> 8);
  d[at + 1] = char(v & 0xff);
}

quint32 checksum(const QByteArray& table) {
  QByteArray padded = table;
  while (padded.size() % 4) padded += '\0';
  quint32 sum = 0;
  for (qsizetype i = 0; i < padded.size(); i += 4) sum += u32(padded, i);
  return sum;
}

// The glyphs a composite glyph is built of.
QList<quint32> componentsOf(const QByteArray& glyph) {
  QList<quint32> parts;
  if (glyph.size() < 10 || s16(glyph, 0) >= 0) return parts;
  constexpr quint16 kWords = 0x0001, kScale = 0x0008, kMore = 0x0020, kXyScale = 0x0040,
                    kTwoByTwo = 0x0080;
  qsizetype at = 10;
  quint16 flags = 0;
  do {
    if (at + 4 > glyph.size()) break;
    flags = u16(glyph, at);
    parts << u16(glyph, at + 2);
    at += 4 + ((flags & kWords) ? 4 : 2);
    if (flags & kScale) at += 2;
    else if (flags & kXyScale) at += 4;
    else if (flags & kTwoByTwo) at += 8;
  } while (flags & kMore);
  return parts;
}
}  // namespace

FaceMeasures faceMeasures(const FontFace& face) {
  const QByteArray head = face.tables.value("head");
  const QByteArray hhea = face.tables.value("hhea");
  const QByteArray post = face.tables.value("post");
  FaceMeasures m;
  m.unitsPerEm = std::max<int>(16, u16(head, 18));
  m.xMin = s16(head, 36);
  m.yMin = s16(head, 38);
  m.xMax = s16(head, 40);
  m.yMax = s16(head, 42);
  m.ascender = s16(hhea, 4);
  m.descender = s16(hhea, 6);
  m.underlineThickness = s16(post, 10);
  return m;
}

QByteArray subsetTrueType(const FontFace& face, const QSet<quint32>& glyphs) {
  const QByteArray head = face.tables.value("head");
  const QByteArray loca = face.tables.value("loca");
  const QByteArray glyf = face.tables.value("glyf");
  const int count = u16(face.tables.value("maxp"), 4);
  const bool longOffsets = s16(head, 50) != 0;
  auto offset = [&](int g) -> qsizetype {
    return longOffsets ? qsizetype(u32(loca, 4 * g)) : qsizetype(u16(loca, 2 * g)) * 2;
  };
  auto glyphData = [&](quint32 g) -> QByteArray {
    if (int(g) >= count) return {};
    const qsizetype from = offset(int(g)), to = offset(int(g) + 1);
    if (from < 0 || to > glyf.size() || to <= from) return {};
    return glyf.mid(from, to - from);
  };

  // The glyphs kept: those asked for, glyph 0, and every part of a composite.
  QSet<quint32> kept = glyphs;
  kept.insert(0);
  QList<quint32> open(kept.cbegin(), kept.cend());
  while (!open.isEmpty()) {
    for (quint32 part : componentsOf(glyphData(open.takeLast())))
      if (!kept.contains(part)) {
        kept.insert(part);
        open << part;
      }
  }

  QByteArray newGlyf, newLoca;
  for (int g = 0; g <= count; ++g) {
    const qsizetype at = newGlyf.size();
    if (longOffsets) put32(newLoca, quint32(at));
    else put16(newLoca, quint16(at / 2));
    if (g == count) break;
    if (kept.contains(quint32(g))) {
      newGlyf += glyphData(quint32(g));
      while (newGlyf.size() % 4) newGlyf += '\0';
    }
  }

  // The tables a PDF reader draws with; no hinting programs, as the paper is
  // drawn at the printer's resolution and Qt's engine embeds none either.
  QHash<QByteArray, QByteArray> tables;
  for (const char* tag : {"OS/2", "hhea", "hmtx", "maxp", "name"})
    if (face.tables.contains(tag)) tables.insert(tag, face.tables.value(tag));
  tables.insert("glyf", newGlyf);
  tables.insert("loca", newLoca);
  QByteArray newHead = head;
  set16(newHead, 8, 0);  // checkSumAdjustment: no reader checks it
  set16(newHead, 10, 0);
  tables.insert("head", newHead);

  QList<QByteArray> tags = tables.keys();
  std::sort(tags.begin(), tags.end());
  const int n = int(tags.size());
  int power = 1, log2 = 0;
  while (power * 2 <= n) {
    power *= 2;
    ++log2;
  }
  QByteArray out;
  put32(out, 0x00010000);
  put16(out, quint16(n));
  put16(out, quint16(power * 16));
  put16(out, quint16(log2));
  put16(out, quint16(n * 16 - power * 16));
  qsizetype at = 12 + 16 * n;
  QByteArray body;
  for (const QByteArray& tag : tags) {
    const QByteArray& table = tables[tag];
    out += tag.leftJustified(4, ' ', true);
    put32(out, checksum(table));
    put32(out, quint32(at + body.size()));
    put32(out, quint32(table.size()));
    body += table;
    while (body.size() % 4) body += '\0';
  }
  return out + body;
}
