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
#include <map>
#include <optional>
#include <thread>
#include <tuple>
#include <vector>

#include "platform/PairComposer.h"

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

namespace {
// A text shaped on its own keeps its glyphs and its font with it.
struct OwnedText {
  ShapedText text;
  QVector<PlacedGlyph> glyphs;
  std::shared_ptr<const PrintFont> font;
};

// Texts shaped together: one block holds them all, so a run of tens of
// thousands of names costs a few allocations, not a few for every name.
struct TextBlock {
  std::vector<ShapedText> texts;    // reserved in full: never moved
  std::vector<PlacedGlyph> glyphs;  // the same
  std::shared_ptr<const PrintFont> font;
};

std::shared_ptr<const ShapedText> owned(std::shared_ptr<OwnedText> text) {
  text->text.font = text->font.get();
  text->text.glyphs = std::span<const PlacedGlyph>(text->glyphs.constData(), text->glyphs.size());
  return std::shared_ptr<const ShapedText>(text, &text->text);
}

// Lays a text out in `font` (whose raw font is `raw`, of the same thread):
// any thread may run it, each with font objects of its own.
std::shared_ptr<const ShapedText> layOut(const QFont& font, const QRawFont& raw,
                                         const std::shared_ptr<const PrintFont>& printFont,
                                         const QString& text) {
  auto shaped = std::make_shared<OwnedText>();
  shaped->font = printFont;
  if (text.isEmpty()) {
    shaped->text.drawable = true;  // nothing to draw
    return owned(std::move(shaped));
  }
  QTextLayout layout(text, font);
  layout.setCacheEnabled(true);  // the glyphs are read after the layout: shape once
  layout.beginLayout();
  QTextLine line = layout.createLine();
  layout.endLayout();
  shaped->text.width = line.horizontalAdvance();

  const QList<QGlyphRun> runs = layout.glyphRuns();
  if (runs.size() != 1 || !printFont->face) return owned(std::move(shaped));
  const QRawFont used = runs.front().rawFont();
  if (used != raw && faceOf(used) != printFont->face) return owned(std::move(shaped));
  const QVector<quint32> glyphs = runs.front().glyphIndexes();
  const QVector<QPointF> positions = runs.front().positions();
  // One glyph a character, in order, on one baseline: anything else (marks,
  // ligatures, characters outside the basic plane) is left to the general way.
  if (glyphs.size() != text.size() || positions.size() != glyphs.size())
    return owned(std::move(shaped));
  const QVector<QPointF> advances = raw.advancesForGlyphIndexes(glyphs);
  QVector<PlacedGlyph> placed;
  placed.reserve(glyphs.size());
  for (qsizetype i = 0; i < positions.size(); ++i) {
    if (positions[i].y() != positions.front().y() || (i > 0 && positions[i].x() < placed.back().x))
      return owned(std::move(shaped));
    placed.push_back({glyphs[i], float(advances.value(i).x()), positions[i].x()});
  }
  shaped->glyphs = std::move(placed);
  shaped->text.drawable = true;
  return owned(std::move(shaped));
}
}  // namespace

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
  composer_ = std::make_unique<PairComposer>(
      [this](const QString& text) { return layOut(qfont_, raw_, font_, text); },
      font_->face != nullptr);
}

TextShaper::~TextShaper() = default;

std::shared_ptr<const ShapedText> TextShaper::shapeNew(const QString& text) {
  auto composed = std::make_shared<OwnedText>();
  composed->glyphs.resize(text.size());
  if (const auto width = composer_->compose(text, composed->glyphs.data())) {
    composed->font = font_;
    composed->text.width = *width;
    composed->text.drawable = true;
    return owned(std::move(composed));
  }
  return layOut(qfont_, raw_, font_, text);
}

std::shared_ptr<const ShapedText> TextShaper::shape(const QString& text) {
  if (auto it = shaped_.constFind(text); it != shaped_.cend()) return *it;
  if (shaped_.size() >= kMostTextsKept) shaped_.clear();
  return *shaped_.insert(text, shapeNew(text));
}

std::shared_ptr<const ShapedText> TextShaper::shapeWhole(const QString& text) const {
  return layOut(qfont_, raw_, font_, text);
}

namespace {
// Puts the texts at `run` of `texts` together into a block of their own (its
// room reserved in full, so nothing in it moves), each into its slot; gives
// those it could not.
template <typename Compose>
QVector<qsizetype> composeRun(const QStringList& texts, const qsizetype* run, qsizetype count,
                              const std::shared_ptr<const PrintFont>& font,
                              std::shared_ptr<const ShapedText>* into, Compose&& compose) {
  auto block = std::make_shared<TextBlock>();
  block->font = font;
  qsizetype characters = 0;
  for (qsizetype i = 0; i < count; ++i) characters += texts[run[i]].size();
  block->texts.reserve(count);
  block->glyphs.reserve(characters);
  QVector<qsizetype> failed;
  for (qsizetype i = 0; i < count; ++i) {
    const QString& text = texts[run[i]];
    const qsizetype from = qsizetype(block->glyphs.size());
    block->glyphs.resize(from + text.size());
    const std::optional<double> width = compose(text, block->glyphs.data() + from);
    if (!width) {
      block->glyphs.resize(from);
      failed << run[i];
      continue;
    }
    ShapedText& shaped = block->texts.emplace_back();
    shaped.width = *width;
    shaped.drawable = true;
    shaped.glyphs = std::span<const PlacedGlyph>(block->glyphs.data() + from, text.size());
    shaped.font = font.get();
    into[run[i]] = std::shared_ptr<const ShapedText>(block, &shaped);
  }
  return failed;
}
}  // namespace

QVector<std::shared_ptr<const ShapedText>> TextShaper::prepare(const QStringList& texts) {
  // A text asked again as the same string (a position, a name on several
  // sheets) is the text shaped the first time.
  using Same = std::pair<const QChar*, qsizetype>;
  QHash<Same, qsizetype> first;
  first.reserve(texts.size());
  QVector<qsizetype> fresh, again;
  for (qsizetype t = 0; t < texts.size(); ++t) {
    const Same same{texts[t].constData(), texts[t].size()};
    if (first.contains(same)) {
      again << t;
    } else {
      first.insert(same, t);
      fresh << t;
    }
  }
  // Texts put together from their pairs are not kept among the run's texts:
  // putting one together again costs less than finding it among tens of
  // thousands. The first ones are done here, where the pairs met for the
  // first time are laid out; they teach most pairs a run has. The rest is
  // shared with another thread that works with what is known by then (a
  // text with anything new comes back here).
  QVector<std::shared_ptr<const ShapedText>> all(texts.size());
  std::shared_ptr<const ShapedText>* into = all.data();
  const auto learning = [&](const QString& text, PlacedGlyph* out) {
    return composer_->compose(text, out);
  };
  constexpr qsizetype kLearnFirst = 1000, kWorthSharing = 2000;
  const qsizetype learnt = std::min(fresh.size(), kLearnFirst);
  // The texts learnt from are taken from all over the run: a roster lists
  // area after area, and its first thousand names hold a few surnames only.
  if (const qsizetype step = fresh.size() / kLearnFirst; step > 1) {
    QVector<qsizetype> spread;
    spread.reserve(fresh.size());
    for (qsizetype i = 0; i < learnt; ++i) spread << fresh[i * step];
    for (qsizetype i = 0; i < fresh.size(); ++i)
      if (i % step != 0 || i / step >= learnt) spread << fresh[i];
    fresh = std::move(spread);
  }
  QVector<qsizetype> failed = composeRun(texts, fresh.constData(), learnt, font_, into, learning);
  const qsizetype rest = fresh.size() - learnt;
  const bool share = rest >= kWorthSharing && std::thread::hardware_concurrency() > 1;
  const qsizetype here = share ? rest / 2 : rest;
  std::future<QVector<qsizetype>> other;
  if (share)
    other = std::async(std::launch::async, [&, known = composer_->known()] {
      return composeRun(texts, fresh.constData() + learnt + here, rest - here, font_, into,
                        [&](const QString& text, PlacedGlyph* out) {
                          return PairComposer::composeKnown(*known, text, out);
                        });
    });
  failed += composeRun(texts, fresh.constData() + learnt, here, font_, into, learning);
  if (share) {
    const QVector<qsizetype> unknown = other.get();
    failed += composeRun(texts, unknown.constData(), unknown.size(), font_, into, learning);
  }
  // The others are laid out whole, and kept.
  QStringList whole;
  QVector<qsizetype> wholeAt;
  for (qsizetype t : failed) {
    if (const auto kept = shaped_.constFind(texts[t]); kept != shaped_.cend()) {
      all[t] = *kept;
    } else {
      whole << texts[t];
      wholeAt << t;
    }
  }
  const QVector<std::shared_ptr<const ShapedText>> laidOut = layOutShared(whole);
  if (shaped_.size() + whole.size() > kMostTextsKept) shaped_.clear();
  for (qsizetype i = 0; i < whole.size(); ++i) {
    all[wholeAt[i]] = laidOut[i];
    shaped_.insert(whole[i], laidOut[i]);
  }
  for (qsizetype t : again) all[t] = all[first.value({texts[t].constData(), texts[t].size()})];
  return all;
}

QVector<std::shared_ptr<const ShapedText>> TextShaper::layOutShared(const QStringList& texts) const {
  constexpr qsizetype kWorthSharing = 400;  // fewer are shaped faster than threads start
#ifdef Q_OS_WIN
  // Qt's Windows font engine laying out on two threads at once corrupts its
  // heap (seen under Wine with a thousand Chinese names): one thread there.
  const int processors = 1;
#else
  const int processors = int(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
#endif
  using Results = QVector<std::shared_ptr<const ShapedText>>;
  if (texts.size() < kWorthSharing || processors < 2) {
    Results results;
    for (const QString& text : texts) results << layOut(qfont_, raw_, font_, text);
    return results;
  }
  // Each thread shapes a run of the texts with fonts of its own.
  const qsizetype per = (texts.size() + processors - 1) / processors;
  auto shapeRun = [&](qsizetype from, const QFont& font, const QRawFont& raw) {
    Results results;
    for (qsizetype i = from; i < std::min(from + per, texts.size()); ++i)
      results << layOut(font, raw, font_, texts[i]);
    return results;
  };
  std::vector<std::future<Results>> others;
  for (int k = 1; k < processors; ++k)
    others.push_back(std::async(std::launch::async, [&, k] {
      // A font made in the thread: a copy would share its engines with this one.
      const QFont font = twipsFont(name_, points_, bold_, false, false);
      return shapeRun(k * per, font, QRawFont::fromFont(font));
    }));
  Results results = shapeRun(0, qfont_, raw_);
  for (auto& other : others) results << other.get();
  return results;
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
