#pragma once
// Printer texts laid out once: each distinct text in each printer font is
// shaped a single time in a run, and both its measuring (TextWidth) and its
// drawing into a PDF use that one result. Shaping (finding glyphs and their
// positions, kerning included) costs far more than anything done with it
// afterwards, and a schedule measures the same names again and again.
//
// Shaping happens on the thread that owns the fonts (the GUI thread); what it
// gives back is plain data that the PDF writer may read on any thread.
#include <QByteArray>
#include <QFont>
#include <QHash>
#include <QRawFont>
#include <QString>
#include <QStringList>
#include <QVector>
#include <memory>
#include <span>

// One font file as a PDF embeds it: its name and the tables of the file.
struct FontFace {
  QByteArray postscriptName;
  QHash<QByteArray, QByteArray> tables;  // by tag ("head", "glyf", ...)
};

// One printer font (family, size and weight) as it is drawn.
struct PrintFont {
  std::shared_ptr<const FontFace> face;  // null: the font's file cannot be embedded
  int pixelSize = 0;                     // twips
  double ascent = 0, descent = 0;        // twips
  double underlinePos = 0, lineThickness = 0;
};

// One glyph of a text as shaped.
struct PlacedGlyph {
  quint32 index = 0;  // in the font's face
  // The glyph's own advance, kerning aside (twips). Qt's measures are in
  // 64ths of a unit: a float holds every advance a glyph has exactly.
  float advance = 0;
  double x = 0;  // from the text's left edge (twips)
};

// A text in one printer font. What the PDF writer draws: one glyph for every
// character of the text, all from the font's own face, each at its own x.
// `drawable` false: the text needs more than that (a character from a fallback
// font, a ligature, a mark placed on a letter), and the document goes the
// general way (see PdfRender.h). The glyphs and the font live as long as the
// shared pointer the text came in: texts shaped together share one block.
struct ShapedText {
  double width = 0;  // twips, the advance of the whole text
  bool drawable = false;
  std::span<const PlacedGlyph> glyphs;
  const PrintFont* font = nullptr;
};

// The font the printer object means by a name, a size in points and a weight:
// sized in twips (pixel size = twips), so measures are the same on any device.
QFont twipsFont(const QString& name, double points, bool bold, bool underline, bool strike);

// Shapes texts in one printer font and keeps every result of the run.
class TextShaper {
 public:
  TextShaper(const QString& name, double points, bool bold);
  ~TextShaper();
  TextShaper(const TextShaper&) = delete;
  TextShaper& operator=(const TextShaper&) = delete;

  std::shared_ptr<const ShapedText> shape(const QString& text);
  // Shapes many texts at once (the names of a roster or a schedule), shared
  // out over the processors, and gives them in the order asked. Those laid
  // out whole are kept for shape(); those put together from their letter
  // pairs are not (doing that again costs less than keeping them).
  QVector<std::shared_ptr<const ShapedText>> prepare(const QStringList& texts);
  const std::shared_ptr<const PrintFont>& font() const { return font_; }
  // The text laid out whole by Qt's text layout, as nothing is put together
  // from pieces: what shape() gives must be the same.
  std::shared_ptr<const ShapedText> shapeWhole(const QString& text) const;

 private:
  std::shared_ptr<const ShapedText> shapeNew(const QString& text);
  // Lays the texts out whole, shared out over the processors when many.
  QVector<std::shared_ptr<const ShapedText>> layOutShared(const QStringList& texts) const;

  QString name_;
  double points_;
  bool bold_;
  QFont qfont_;
  QRawFont raw_;
  std::shared_ptr<const PrintFont> font_;
  QHash<QString, std::shared_ptr<const ShapedText>> shaped_;
  std::unique_ptr<class PairComposer> composer_;
};

// The shaper of a printer font, made on first use and kept until
// forgetShapedTexts(); for the GUI thread only. The printer object measures
// through it and the PDF target draws from it, so a text is shaped once.
std::shared_ptr<TextShaper> shaperFor(const QString& name, double points, bool bold);
// Lets go of every shaped text (the end of a print run); a shaper still held
// lives on.
void forgetShapedTexts();
