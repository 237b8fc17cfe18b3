// Printer texts put together from the shaping of their letter pairs are the
// texts Qt's layout makes of them whole: the same glyphs at the same places,
// the same width, in every printer font, one at a time or many at once; and
// what cannot be put together (ligatures, marks, other scripts and fonts,
// tabs) is laid out whole, not approximated.
#include <gtest/gtest.h>

#include "platform/TextShaping.h"

namespace {
const QStringList kTexts = {
    "Gonzalez, Maria A.", "AVAVA Tyler, LaVerne", "O'Brien, Seán", "Łukasz Kowalczyk",
    "Zoë Yates-VanWyk", "Fitzgerald-Worthington Jr. 1024", "Te Yves, Wanda", "Spa & Pool",
    "A/B-C (2) #3 50% \"Lee, Ann\"", "  lead", "Office  ", "Ǆemal", "Ωμέγα Πέτρος",
    "Пётр Иванов", "office ffi fl", "王芳", "Rene\u0301 Roy", "a\tb", "Dr.\u00A0Who",
    "co\u00ADop", "שלום Ann", "7A.M. - 3P.M.", "", " "};

void expectSame(const ShapedText& got, const ShapedText& whole, const QString& text) {
  SCOPED_TRACE(text.toStdString());
  EXPECT_EQ(got.width, whole.width);
  ASSERT_EQ(got.drawable, whole.drawable);
  if (!whole.drawable) return;
  ASSERT_EQ(got.glyphs.size(), whole.glyphs.size());
  for (size_t i = 0; i < whole.glyphs.size(); ++i) {
    EXPECT_EQ(got.glyphs[i].index, whole.glyphs[i].index) << "glyph " << i;
    EXPECT_EQ(got.glyphs[i].x, whole.glyphs[i].x) << "glyph " << i;
    EXPECT_EQ(got.glyphs[i].advance, whole.glyphs[i].advance) << "glyph " << i;
  }
}
}  // namespace

TEST(TextShaping, PairsPutTogetherGiveWhatTheWholeLayoutGivesInEveryPrinterFont) {
  for (const char* family : {"Arial", "Times New Roman", "Courier New", "MS Sans Serif"})
    for (double points : {8.0, 10.0, 12.5})
      for (bool bold : {false, true}) {
        SCOPED_TRACE(QString("%1 %2 %3").arg(family).arg(points).arg(bold ? "bold" : "").toStdString());
        TextShaper one(family, points, bold), many(family, points, bold);
        const auto prepared = many.prepare(kTexts + kTexts);  // each text twice
        ASSERT_EQ(prepared.size(), 2 * kTexts.size());
        for (qsizetype i = 0; i < kTexts.size(); ++i) {
          const auto whole = one.shapeWhole(kTexts[i]);
          expectSame(*one.shape(kTexts[i]), *whole, kTexts[i]);
          expectSame(*prepared[i], *whole, kTexts[i]);
          EXPECT_EQ(prepared[i + kTexts.size()], prepared[i]) << "shaped once";
          expectSame(*many.shape(kTexts[i]), *whole, kTexts[i]);  // asked for again
        }
      }
}

TEST(TextShaping, LigaturesMarksAndOtherScriptsAreLeftToTheWholeLayout) {
  TextShaper shaper("Arial", 10, false);
  // A mark placed on its letter, a character of a fallback font: one glyph a
  // character is not what the layout gives, so the writer does not draw them.
  for (const QString& text : {QString("Rene\u0301"), QString::fromUtf8("王芳")}) {
    SCOPED_TRACE(text.toStdString());
    EXPECT_FALSE(shaper.shape(text)->drawable);
  }
  // Many names: the ones that compose and the ones laid out whole, in order;
  // letters and pairs first met late in the run (where another thread puts
  // the names together with what was known before) too.
  const QStringList kinds = {"Tyler %1", "王%1", "Zoë Łukasz-%1", "Ωμέγα %1", "Yves, Ngozi %1"};
  QStringList names;
  for (int i = 0; i < 6000; ++i) names << kinds[i < 1000 ? (i % 10 == 3) : i % 5].arg(i);
  const auto shaped = shaper.prepare(names);
  for (qsizetype i = 0; i < names.size(); i += 37)
    expectSame(*shaped[i], *shaper.shapeWhole(names[i]), names[i]);
}
