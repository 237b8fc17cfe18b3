#pragma once
// Printer texts put together from their letter pairs. In a text of letters,
// digits and punctuation of the European scripts, each glyph is the one its
// character has alone and each step to the next glyph is the one the two
// characters have as a text of their own: the text layout of such a text is
// what the pairs' layouts add up to, exactly, at a tenth of its cost. A pair
// that shapes otherwise (a ligature, a mark, another font) and every
// character outside those scripts leave the text to the whole layout.
#include <QHash>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/TextShaping.h"

class PairComposer {
 public:
  // Lays a text out whole in the composer's font (on the thread that owns it).
  using LayOut = std::function<std::shared_ptr<const ShapedText>(const QString&)>;
  PairComposer(LayOut layOut, bool embeddable);

  // What is known of the font's characters and pairs.
  struct Known;

  // Puts the text's glyphs into `out` (room for one a character) and gives
  // its width; nothing when the text is to be laid out whole. Lays out the
  // characters and pairs it meets for the first time: for the thread that
  // owns the font.
  std::optional<double> compose(const QString& text, PlacedGlyph* out);
  // What is known so far, as it stands (a copy).
  std::shared_ptr<const Known> known() const;
  // compose() with what was known, on any thread; nothing also when the text
  // holds a character or a pair not known then.
  static std::optional<double> composeKnown(const Known& known, const QString& text,
                                            PlacedGlyph* out);

 private:
  std::shared_ptr<Known> known_;
  LayOut layOut_;
  bool embeddable_;
};

struct PairComposer::Known {
  struct Glyph {
    bool composable = false;
    quint32 index = 0;
    double alone = 0;      // its advance as a text of its own
    float ownAdvance = 0;  // the font's advance of the glyph
  };
  struct Step {
    bool composable = false;
    double x = 0;  // from the first glyph of the pair to the second
  };
  static constexpr char16_t kDirect = 0x250;  // Latin up to the end of Extended-B
  static constexpr int kDense = 96;

  std::array<std::optional<Glyph>, kDirect> direct;
  QHash<char16_t, Glyph> glyphs;  // the others
  QHash<quint32, Step> steps;     // by first << 16 | second
  // The characters met first get a place each in a square table of steps
  // (a run's names hold a few hundred pairs, looked up at every letter).
  std::array<quint8, kDirect> places{};  // a character's place + 1; 0: none yet
  int placed = 0;
  // By place of the first and of the second character: the step; NaN not
  // known yet, infinity a pair that does not compose.
  std::vector<float> dense;

  Known();
  const Glyph* glyphOf(QChar c) const;
  std::optional<Step> stepOf(QChar first, QChar second) const;
  int placeOf(QChar c) const;
};
