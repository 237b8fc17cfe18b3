#include "platform/TextShaping.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QMutex>
#include <QRawFont>
#include <QTextLayout>
#include <algorithm>
#include <array>
#include <optional>
#include <cctype>
#include <cmath>
#include <future>
#include <limits>
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

// Texts that kern only in pairs, put together from their pieces. In a text of
// letters, digits and punctuation of the European scripts, each glyph is the
// one its character has alone and each step to the next glyph is the one the
// two characters have as a text of their own: the text layout of such a text
// is what the pairs' layouts add up to, exactly, at a tenth of its cost. A
// pair that shapes otherwise (a ligature, a mark, another font) and every
// character outside those scripts leave the text to the whole layout.
class TextShaper::PairComposer {
 public:
  PairComposer(const QFont& font, const QRawFont& raw, std::shared_ptr<const PrintFont> printFont)
      : font_(font), raw_(raw), printFont_(std::move(printFont)) {}

  // Puts the text's glyphs into `out` (room for one a character) and gives
  // its width; nothing when the text is to be laid out whole.
  std::optional<double> compose(const QString& text, PlacedGlyph* out) {
    if (text.isEmpty() || text.size() > kLongestComposed || !printFont_->face) return {};
    double x = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
      const Glyph glyph = glyphOf(text[i]);
      if (!glyph.composable) return {};
      out[i] = {glyph.index, glyph.ownAdvance, x};
      if (i + 1 == text.size()) {
        x += glyph.alone;
      } else {
        const Step step = stepOf(text[i], text[i + 1]);
        if (!step.composable) return {};
        x += step.x;
      }
    }
    return x;
  }

 private:
  static constexpr qsizetype kLongestComposed = 1000;  // far within one item of the layout
  struct Glyph {
    bool composable = false;
    quint32 index = 0;
    double alone = 0;       // its advance as a text of its own
    float ownAdvance = 0;   // the font's advance of the glyph
  };
  struct Step {
    bool composable = false;
    double x = 0;  // from the first glyph of the pair to the second
  };

  // Letters, digits, punctuation and spaces of scripts that shape letter by
  // letter; not marks, controls, format characters or halves of a pair.
  static bool mayCompose(QChar c) {
    if (c.isSurrogate() || c.unicode() < 0x20 || c.unicode() == 0xAD) return false;
    switch (c.category()) {
      case QChar::Mark_NonSpacing:
      case QChar::Mark_SpacingCombining:
      case QChar::Mark_Enclosing:
      case QChar::Other_Control:
      case QChar::Other_Format:
      case QChar::Separator_Line:
      case QChar::Separator_Paragraph:
      case QChar::Other_NotAssigned:
        return false;
      default:
        break;
    }
    const QChar::Script script = c.script();
    return script == QChar::Script_Latin || script == QChar::Script_Common ||
           script == QChar::Script_Greek || script == QChar::Script_Cyrillic;
  }

  Glyph glyphOf(QChar c) {
    if (c.unicode() < kDirect && direct_[c.unicode()]) return *direct_[c.unicode()];
    if (auto it = glyphs_.constFind(c.unicode()); it != glyphs_.cend()) return *it;
    Glyph glyph;
    if (mayCompose(c)) {
      const auto alone = layOut(font_, raw_, printFont_, QString(c));
      if (alone->drawable && alone->glyphs.size() == 1)
        glyph = {true, alone->glyphs[0].index, alone->width, alone->glyphs[0].advance};
    }
    if (c.unicode() < kDirect) return *(direct_[c.unicode()] = glyph);
    return *glyphs_.insert(c.unicode(), glyph);
  }

  Step stepOf(QChar first, QChar second) {
    float* slot = denseSlot(first, second);
    if (slot && !std::isnan(*slot)) return std::isinf(*slot) ? Step{} : Step{true, *slot};
    const quint32 key = quint32(first.unicode()) << 16 | second.unicode();
    auto it = steps_.constFind(key);
    if (it == steps_.cend()) it = steps_.insert(key, measuredStep(first, second));
    const Step step = *it;
    if (slot && float(step.x) == step.x)
      *slot = step.composable ? float(step.x) : std::numeric_limits<float>::infinity();
    return step;
  }

  Step measuredStep(QChar first, QChar second) {
    const Glyph a = glyphOf(first), b = glyphOf(second);
    const auto pair = layOut(font_, raw_, printFont_, QString(first) + second);
    // The pair's own glyphs, the second one ending where it ends alone.
    if (pair->drawable && pair->glyphs.size() == 2 && pair->glyphs[0].index == a.index &&
        pair->glyphs[1].index == b.index && pair->glyphs[0].x == 0 &&
        pair->width - pair->glyphs[1].x == b.alone)
      return {true, pair->glyphs[1].x};
    return {};
  }

  // The characters met first get a place each in a square table of steps
  // (a run's names hold a few hundred pairs, looked up at every letter);
  // the others' steps are only in the hash.
  float* denseSlot(QChar first, QChar second) {
    const int i = placeOf(first), j = placeOf(second);
    return i < 0 || j < 0 ? nullptr : &denseSteps_[size_t(i) * kDense + size_t(j)];
  }
  int placeOf(QChar c) {
    if (c.unicode() >= kDirect) return -1;
    quint8& place = places_[c.unicode()];
    if (!place) {
      if (placed_ == kDense) return -1;
      place = quint8(++placed_);
    }
    return place - 1;
  }

  static constexpr char16_t kDirect = 0x250;  // Latin up to the end of Extended-B
  QFont font_;
  QRawFont raw_;
  std::shared_ptr<const PrintFont> printFont_;
  std::array<std::optional<Glyph>, kDirect> direct_;
  QHash<char16_t, Glyph> glyphs_;
  QHash<quint32, Step> steps_;
  static constexpr int kDense = 96;
  std::array<quint8, kDirect> places_{};  // a character's place + 1; 0: none yet
  int placed_ = 0;
  // By place of the first and of the second character: the step; NaN not
  // known yet, infinity a pair that does not compose.
  std::vector<float> denseSteps_ =
      std::vector<float>(size_t(kDense) * kDense, std::numeric_limits<float>::quiet_NaN());
};

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
  composer_ = std::make_unique<PairComposer>(qfont_, raw_, font_);
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

QVector<std::shared_ptr<const ShapedText>> TextShaper::prepare(const QStringList& texts) {
  // Texts put together from their pairs go into one block, reserved for the
  // most it could hold so that nothing in it moves. They are not kept among
  // the run's texts: putting one together again costs less than finding it
  // among tens of thousands. The others are laid out whole, and kept.
  auto block = std::make_shared<TextBlock>();
  block->font = font_;
  qsizetype characters = 0;
  for (const QString& text : texts) characters += text.size();
  block->texts.reserve(texts.size());
  block->glyphs.reserve(characters);
  QVector<std::shared_ptr<const ShapedText>> all(texts.size());
  // A text asked again as the same string (a position, a name on several
  // sheets) is the text shaped the first time.
  using Same = std::pair<const QChar*, qsizetype>;
  QHash<Same, qsizetype> first;
  first.reserve(texts.size());
  QVector<qsizetype> again, whole;
  for (qsizetype t = 0; t < texts.size(); ++t) {
    const QString& text = texts[t];
    const Same same{text.constData(), text.size()};
    if (const auto it = first.constFind(same); it != first.cend()) {
      all[t] = all[*it];
      if (!all[t]) again << t;  // the first waits for its whole layout
      continue;
    }
    first.insert(same, t);
    const qsizetype from = qsizetype(block->glyphs.size());
    block->glyphs.resize(from + text.size());
    if (const auto width = composer_->compose(text, block->glyphs.data() + from)) {
      ShapedText& shaped = block->texts.emplace_back();
      shaped.width = *width;
      shaped.drawable = true;
      shaped.glyphs = std::span<const PlacedGlyph>(block->glyphs.data() + from, text.size());
      shaped.font = font_.get();
      all[t] = std::shared_ptr<const ShapedText>(block, &shaped);
      continue;
    }
    block->glyphs.resize(from);
    if (const auto kept = shaped_.constFind(text); kept != shaped_.cend()) all[t] = *kept;
    else whole << t;
  }
  QStringList wholeTexts;
  for (qsizetype t : whole) wholeTexts << texts[t];
  const QVector<std::shared_ptr<const ShapedText>> laidOut = layOutShared(wholeTexts);
  if (shaped_.size() + whole.size() > kMostTextsKept) shaped_.clear();
  for (qsizetype i = 0; i < whole.size(); ++i) {
    all[whole[i]] = laidOut[i];
    shaped_.insert(wholeTexts[i], laidOut[i]);
  }
  for (qsizetype t : again) all[t] = all[first.value({texts[t].constData(), texts[t].size()})];
  return all;
}

QVector<std::shared_ptr<const ShapedText>> TextShaper::layOutShared(const QStringList& texts) const {
  constexpr qsizetype kWorthSharing = 400;  // fewer are shaped faster than threads start
  const int processors = int(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
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
