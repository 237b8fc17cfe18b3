#include "platform/TextShaping.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QMutex>
#include <QRawFont>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace {
constexpr double kTwipsPerPoint = 20;
// Enough for the names of the largest table in every size a schedule tries.
constexpr qsizetype kMostTextsKept = 200000;

// The tables a PDF needs of an embedded TrueType font (see FontSubset.h).
const char* const kEmbeddedTables[] = {"head", "hhea", "maxp", "hmtx", "loca",
                                       "glyf", "OS/2", "post", "name"};

// One face a process: a schedule's fonts differ in size, not in file.
std::shared_ptr<const FontFace> faceOf(const QRawFont& raw) {
  static QMutex mutex;
  static QHash<QString, std::shared_ptr<const FontFace>> faces;
  const QString key = raw.familyName() + u'\n' + raw.styleName() + u'\n' +
                      QString::number(raw.weight()) + u'\n' + QString::number(int(raw.style()));
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
  face->postscriptName = (raw.familyName() + raw.styleName()).toLatin1();
  face->postscriptName.replace(' ', "");
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

TextShaper::TextShaper(const QFont& font) : qfont_(font), raw_(QRawFont::fromFont(font)) {
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

std::shared_ptr<const ShapedText> TextShaper::shape(const QString& text) {
  if (auto it = shaped_.constFind(text); it != shaped_.cend()) return *it;
  if (shaped_.size() >= kMostTextsKept) shaped_.clear();
  return *shaped_.insert(text, layOut(text));
}

std::shared_ptr<const ShapedText> TextShaper::layOut(const QString& text) const {
  auto shaped = std::make_shared<ShapedText>();
  shaped->font = font_;
  if (text.isEmpty()) {
    shaped->drawable = true;  // nothing to draw
    return shaped;
  }
  QTextLayout layout(text, qfont_);
  layout.beginLayout();
  QTextLine line = layout.createLine();
  layout.endLayout();
  shaped->width = line.horizontalAdvance();

  const QList<QGlyphRun> runs = layout.glyphRuns();
  if (runs.size() != 1 || !font_->face || faceOf(runs.front().rawFont()) != font_->face) return shaped;
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
  for (const QPointF& advance : raw_.advancesForGlyphIndexes(glyphs))
    shaped->advances.push_back(advance.x());
  shaped->glyphs = glyphs;
  shaped->x = std::move(x);
  shaped->drawable = true;
  return shaped;
}

namespace {
std::map<std::tuple<QString, double, bool>, std::shared_ptr<TextShaper>>& shapers() {
  static std::map<std::tuple<QString, double, bool>, std::shared_ptr<TextShaper>> all;
  return all;
}
}  // namespace

std::shared_ptr<TextShaper> shaperFor(const QString& name, double points, bool bold) {
  std::shared_ptr<TextShaper>& shaper = shapers()[{name, points, bold}];
  if (!shaper) shaper = std::make_shared<TextShaper>(twipsFont(name, points, bold, false, false));
  return shaper;
}

void forgetShapedTexts() { shapers().clear(); }
