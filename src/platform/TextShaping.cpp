#include "platform/TextShaping.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QMutex>
#include <QRawFont>
#include <QTextLayout>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <future>
#include <thread>
#include <vector>
#include <QSet>
#include <map>
#include <tuple>

namespace {
constexpr double kTwipsPerPoint = 20;
// Enough for the names of the largest table in every size a schedule tries.
constexpr qsizetype kMostTextsKept = 200000;

// The tables a PDF needs of an embedded TrueType font (see FontSubset.h).
const char* const kEmbeddedTables[] = {"head", "hhea", "maxp", "hmtx", "loca",
                                       "glyf", "OS/2", "post", "name"};

// A name of a TrueType 'name' table (6 is the PostScript name), in the
// Windows (UTF-16) record if there is one, else the Macintosh one. Read from
// the table itself: QRawFont::familyName() is not safe for every font engine
// (the Windows one may leave the family list empty).
QByteArray nameInTable(const QByteArray& table, quint16 wanted) {
  const auto word = [&](qsizetype at) -> quint16 {
    if (at < 0 || at + 2 > table.size()) return 0;
    return quint16(quint8(table[at]) << 8 | quint8(table[at + 1]));
  };
  const quint16 count = word(2);
  const qsizetype strings = word(4);
  QByteArray mac;
  for (quint16 i = 0; i < count; ++i) {
    const qsizetype record = 6 + 12 * qsizetype(i);
    const quint16 platform = word(record), id = word(record + 6);
    const qsizetype length = word(record + 8), at = strings + word(record + 10);
    if (id != wanted || at + length > table.size()) continue;
    const QByteArray text = table.mid(at, length);
    if (platform == 3) {
      QString name;
      for (qsizetype c = 0; c + 1 < text.size(); c += 2)
        name += QChar(char16_t(quint8(text[c]) << 8 | quint8(text[c + 1])));
      return name.toLatin1();
    }
    if (platform == 1 && mac.isEmpty()) mac = text;
  }
  return mac;
}

// One face a process: a schedule's fonts differ in size, not in file. A
// face is known by its 'head' and 'name' tables (they differ from file to
// file) and by the weight and slant asked of it (a bold drawn from the
// regular file shares its tables).
std::shared_ptr<const FontFace> faceOf(const QRawFont& raw) {
  static QMutex mutex;
  static QHash<QByteArray, std::shared_ptr<const FontFace>> faces;
  const QByteArray head = raw.fontTable("head"), names = raw.fontTable("name");
  const QByteArray key = head + names + '\n' + QByteArray::number(raw.weight()) + '\n' +
                         QByteArray::number(int(raw.style()));
  const QMutexLocker lock(&mutex);
  if (auto it = faces.constFind(key); it != faces.cend()) return *it;
  auto face = std::make_shared<FontFace>();
  for (const char* tag : kEmbeddedTables) {
    const QByteArray table = raw.fontTable(tag);
    if (!table.isEmpty()) face->tables.insert(tag, table);
  }
  // Without outlines (a font that is not TrueType) there is nothing to embed.
  const bool embeddable = face->tables.contains("glyf") && face->tables.contains("loca") &&
                          face->tables.contains("head") && face->tables.contains("hmtx") &&
                          face->tables.contains("hhea") && face->tables.contains("maxp");
  // The PDF names the font by it: letters, digits and "-" only.
  for (const char c : nameInTable(names, 6))
    if (std::isalnum(static_cast<unsigned char>(c)) || c == '-') face->postscriptName += c;
  if (face->postscriptName.isEmpty()) face->postscriptName = "Font" + QByteArray::number(qHash(key));
  std::shared_ptr<const FontFace> kept = embeddable ? face : nullptr;
  faces.insert(key, kept);
  return kept;
}
}  // namespace

QFont twipsFont(const QString& name, double points, bool bold, bool underline, bool strike) {
  QFont font(name);
  font.setPixelSize(std::max(1, int(std::lround(points * kTwipsPerPoint))));
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setBold(bold);
  font.setUnderline(underline);
  font.setStrikeOut(strike);
  return font;
}

TextShaper::TextShaper(const QString& name, double points, bool bold)
    : name_(name), points_(points), bold_(bold), qfont_(twipsFont(name, points, bold, false, false)),
      raw_(QRawFont::fromFont(qfont_)) {
  const QFont& font = qfont_;
  const QFontMetricsF metrics(font);
  auto printFont = std::make_shared<PrintFont>();
  printFont->face = faceOf(raw_);
  printFont->pixelSize = font.pixelSize();
  printFont->ascent = metrics.ascent();
  printFont->descent = metrics.descent();
  printFont->underlinePos = metrics.underlinePos();
  printFont->lineThickness = metrics.lineWidth();
  font_ = std::move(printFont);
}

TextShaper::~TextShaper() = default;

namespace {
// Lays a text out in `font` (whose raw font is `raw`, of the same thread):
// any thread may run it, each with font objects of its own.
std::shared_ptr<const ShapedText> layOut(const QFont& font, const QRawFont& raw,
                                         const std::shared_ptr<const PrintFont>& printFont,
                                         const QString& text) {
  auto shaped = std::make_shared<ShapedText>();
  shaped->font = printFont;
  if (text.isEmpty()) {
    shaped->drawable = true;  // nothing to draw
    return shaped;
  }
  QTextLayout layout(text, font);
  layout.setCacheEnabled(true);  // the glyphs are read after the layout: shape once
  layout.beginLayout();
  QTextLine line = layout.createLine();
  layout.endLayout();
  shaped->width = line.horizontalAdvance();

  const QList<QGlyphRun> runs = layout.glyphRuns();
  if (runs.size() != 1 || !printFont->face) return shaped;
  const QRawFont used = runs.front().rawFont();
  if (used != raw && faceOf(used) != printFont->face) return shaped;
  const QVector<quint32> glyphs = runs.front().glyphIndexes();
  const QVector<QPointF> positions = runs.front().positions();
  // One glyph a character, in order, on one baseline: anything else (marks,
  // ligatures, characters outside the basic plane) is left to the general way.
  if (glyphs.size() != text.size() || positions.size() != glyphs.size()) return shaped;
  QVector<double> x;
  x.reserve(positions.size());
  for (qsizetype i = 0; i < positions.size(); ++i) {
    if (positions[i].y() != positions.front().y() || (i > 0 && positions[i].x() < x.back()))
      return shaped;
    x.push_back(positions[i].x());
  }
  for (const QPointF& advance : raw.advancesForGlyphIndexes(glyphs))
    shaped->advances.push_back(advance.x());
  shaped->glyphs = glyphs;
  shaped->x = std::move(x);
  shaped->drawable = true;
  return shaped;
}
}  // namespace

std::shared_ptr<const ShapedText> TextShaper::shape(const QString& text) {
  if (auto it = shaped_.constFind(text); it != shaped_.cend()) return *it;
  if (shaped_.size() >= kMostTextsKept) shaped_.clear();
  return *shaped_.insert(text, layOut(qfont_, raw_, font_, text));
}

void TextShaper::prepare(const QStringList& texts) {
  constexpr qsizetype kWorthSharing = 400;  // fewer are shaped faster than threads start
  QStringList missing;
  QSet<QString> asked;
  asked.reserve(texts.size());
  for (const QString& text : texts) {
    if (shaped_.contains(text)) continue;
    const qsizetype before = asked.size();
    asked.insert(text);
    if (asked.size() != before) missing << text;  // asked for the first time
  }
  const int processors = int(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
  if (missing.size() < kWorthSharing || processors < 2) return;
  if (shaped_.size() + missing.size() > kMostTextsKept) shaped_.clear();
  // Each thread shapes a run of the texts with fonts of its own.
  const qsizetype per = (missing.size() + processors - 1) / processors;
  using Results = QVector<std::shared_ptr<const ShapedText>>;
  auto shapeRun = [&](qsizetype from, const QFont& font, const QRawFont& raw) {
    Results results;
    for (qsizetype i = from; i < std::min(from + per, missing.size()); ++i)
      results << layOut(font, raw, font_, missing[i]);
    return results;
  };
  std::vector<std::future<Results>> others;
  for (int k = 1; k < processors; ++k)
    others.push_back(std::async(std::launch::async, [&, k] {
      // A font made in the thread: a copy would share its engines with this one.
      const QFont font = twipsFont(name_, points_, bold_, false, false);
      return shapeRun(k * per, font, QRawFont::fromFont(font));
    }));
  QVector<Results> runs{shapeRun(0, qfont_, raw_)};
  for (auto& other : others) runs << other.get();
  for (qsizetype k = 0, i = 0; k < runs.size(); ++k)
    for (const auto& shaped : runs[k]) shaped_.insert(missing[i++], shaped);
}

namespace {
std::map<std::tuple<QString, double, bool>, std::shared_ptr<TextShaper>>& shapers() {
  static std::map<std::tuple<QString, double, bool>, std::shared_ptr<TextShaper>> all;
  return all;
}
}  // namespace

std::shared_ptr<TextShaper> shaperFor(const QString& name, double points, bool bold) {
  std::shared_ptr<TextShaper>& shaper = shapers()[{name, points, bold}];
  if (!shaper) shaper = std::make_shared<TextShaper>(name, points, bold);
  return shaper;
}

void forgetShapedTexts() { shapers().clear(); }
