#pragma once
// The part of a TrueType font a PDF embeds: the outlines of the glyphs its
// pages use, and the measures its font descriptor states.
#include <QByteArray>
#include <QSet>

#include "platform/TextShaping.h"

// The face's font file with the outlines of `glyphs` (and of the glyphs they
// are built of) and of glyph 0 kept, every other glyph left empty. Glyphs keep
// their numbers, so a page names a glyph by its number in the whole font.
QByteArray subsetTrueType(const FontFace& face, const QSet<quint32>& glyphs);

// What a PDF font descriptor says of a face, in units of the em square.
struct FaceMeasures {
  int unitsPerEm = 1000;
  int xMin = 0, yMin = 0, xMax = 0, yMax = 0;  // the bounding box of every glyph
  int ascender = 0, descender = 0;             // descender below zero
  int underlineThickness = 0;
};
FaceMeasures faceMeasures(const FontFace& face);
