#include "platform/PairComposer.h"

#include <cmath>
#include <limits>

namespace {
constexpr qsizetype kLongestComposed = 1000;  // far within one item of the layout

// Letters, digits, punctuation and spaces of scripts that shape letter by
// letter; not marks, controls, format characters or halves of a pair.
bool mayCompose(QChar c) {
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

quint32 pairKey(QChar first, QChar second) {
  return quint32(first.unicode()) << 16 | second.unicode();
}
}  // namespace

PairComposer::Known::Known()
    : dense(size_t(kDense) * kDense, std::numeric_limits<float>::quiet_NaN()) {}

const PairComposer::Known::Glyph* PairComposer::Known::glyphOf(QChar c) const {
  if (c.unicode() < kDirect) return direct[c.unicode()] ? &*direct[c.unicode()] : nullptr;
  const auto it = glyphs.constFind(c.unicode());
  return it == glyphs.cend() ? nullptr : &*it;
}

int PairComposer::Known::placeOf(QChar c) const {
  return c.unicode() < kDirect ? int(places[c.unicode()]) - 1 : -1;
}

std::optional<PairComposer::Known::Step> PairComposer::Known::stepOf(QChar first,
                                                                     QChar second) const {
  const int i = placeOf(first), j = placeOf(second);
  if (i >= 0 && j >= 0) {
    const float step = dense[size_t(i) * kDense + size_t(j)];
    if (!std::isnan(step)) return std::isinf(step) ? Step{} : Step{true, step};
  }
  const auto it = steps.constFind(pairKey(first, second));
  if (it == steps.cend()) return std::nullopt;
  return *it;
}

PairComposer::PairComposer(LayOut layOut, bool embeddable)
    : known_(std::make_shared<Known>()), layOut_(std::move(layOut)), embeddable_(embeddable) {}

std::shared_ptr<const PairComposer::Known> PairComposer::known() const {
  return std::make_shared<const Known>(*known_);
}

namespace {
// The walk of compose() and composeKnown(): `learn` lays out what is not
// known yet and keeps it (or is absent: then such a text gives nothing).
template <typename Learn>
std::optional<double> composeWith(const PairComposer::Known& known, const QString& text,
                                  PlacedGlyph* out, Learn&& learn) {
  using Known = PairComposer::Known;
  if (text.isEmpty() || text.size() > kLongestComposed) return {};
  const auto glyphOf = [&](QChar c) -> std::optional<Known::Glyph> {
    const Known::Glyph* glyph = known.glyphOf(c);
    if (!glyph && !(glyph = learn.glyph(c))) return {};
    if (!glyph->composable) return {};
    return *glyph;
  };
  const QChar* chars = text.constData();
  std::optional<Known::Glyph> glyph = glyphOf(chars[0]);
  if (!glyph) return {};
  int place = known.placeOf(chars[0]);
  double x = 0;
  for (qsizetype i = 0;; ++i) {
    out[i] = {glyph->index, glyph->ownAdvance, x};
    if (i + 1 == text.size()) return x + glyph->alone;
    const std::optional<Known::Glyph> next = glyphOf(chars[i + 1]);
    if (!next) return {};
    // Each character's place in the square table is looked up once, for the
    // step to it and the step from it.
    int nextPlace = known.placeOf(chars[i + 1]);
    const float dense = place >= 0 && nextPlace >= 0
                            ? known.dense[size_t(place) * Known::kDense + size_t(nextPlace)]
                            : std::numeric_limits<float>::quiet_NaN();
    if (std::isinf(dense)) return {};
    if (!std::isnan(dense)) {
      x += dense;
    } else {
      std::optional<Known::Step> step = known.stepOf(chars[i], chars[i + 1]);
      if (!step && !(step = learn.step(chars[i], chars[i + 1]))) return {};
      if (!step->composable) return {};
      x += step->x;
      nextPlace = known.placeOf(chars[i + 1]);  // learning a pair may give it one
    }
    glyph = next;
    place = nextPlace;
  }
}

struct KnownOnly {
  const PairComposer::Known::Glyph* glyph(QChar) { return nullptr; }
  std::optional<PairComposer::Known::Step> step(QChar, QChar) { return std::nullopt; }
};
}  // namespace

std::optional<double> PairComposer::composeKnown(const Known& known, const QString& text,
                                                 PlacedGlyph* out) {
  return composeWith(known, text, out, KnownOnly{});
}

std::optional<double> PairComposer::compose(const QString& text, PlacedGlyph* out) {
  if (!embeddable_) return {};
  struct Learner {
    Known& known;
    const LayOut& layOut;

    const Known::Glyph* glyph(QChar c) {
      Known::Glyph glyph;
      if (mayCompose(c)) {
        const auto alone = layOut(QString(c));
        if (alone->drawable && alone->glyphs.size() == 1)
          glyph = {true, alone->glyphs[0].index, alone->width, alone->glyphs[0].advance};
      }
      if (c.unicode() < Known::kDirect) return &*(known.direct[c.unicode()] = glyph);
      return &*known.glyphs.insert(c.unicode(), glyph);
    }

    std::optional<Known::Step> step(QChar first, QChar second) {
      const Known::Glyph a = *known.glyphOf(first);
      const Known::Glyph* metSecond = known.glyphOf(second);
      const Known::Glyph b = metSecond ? *metSecond : *glyph(second);
      Known::Step step;
      const auto pair = layOut(QString(first) + second);
      // The pair's own glyphs, the second one ending where it ends alone.
      if (pair->drawable && pair->glyphs.size() == 2 && pair->glyphs[0].index == a.index &&
          pair->glyphs[1].index == b.index && pair->glyphs[0].x == 0 &&
          pair->width - pair->glyphs[1].x == b.alone)
        step = {true, pair->glyphs[1].x};
      known.steps.insert(pairKey(first, second), step);
      // Into the square table too when both have (or get) a place there and
      // the step is what a float holds (Qt's measures are 64ths).
      const int i = place(first), j = place(second);
      if (i >= 0 && j >= 0 && float(step.x) == step.x)
        known.dense[size_t(i) * Known::kDense + size_t(j)] =
            step.composable ? float(step.x) : std::numeric_limits<float>::infinity();
      return step;
    }

    int place(QChar c) {
      if (c.unicode() >= Known::kDirect) return -1;
      quint8& place = known.places[c.unicode()];
      if (!place) {
        if (known.placed == Known::kDense) return -1;
        place = quint8(++known.placed);
      }
      return place - 1;
    }
  } learner{*known_, layOut_};
  return composeWith(*known_, text, out, learner);
}
