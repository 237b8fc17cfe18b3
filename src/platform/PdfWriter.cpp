#include "platform/PdfWriter.h"

#include <QDateTime>
#include <QHash>
#include <QMap>
#include <QPointF>
#include <QSet>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <future>
#include <limits>
#include <optional>
#include <new>
#include <thread>
#include <vector>

#include "platform/FontSubset.h"

#if ROTAWISE_HAVE_LIBDEFLATE
#include <libdeflate.h>
#endif

namespace {
constexpr double kTwipsPerInch = 1440;
constexpr int kFastest = 1;  // packing level: pages are mostly glyph numbers, level 1 packs them well

#if ROTAWISE_HAVE_LIBDEFLATE
// libdeflate makes the same zlib stream as zlib, twice as fast at the lowest
// level; a thread keeps one compressor a level, as making one costs more
// than packing a page.
QByteArray flate(const QByteArray& data, int level) {
  struct Compressors {
    std::array<libdeflate_compressor*, 13> byLevel{};
    ~Compressors() {
      for (libdeflate_compressor* c : byLevel) libdeflate_free_compressor(c);
    }
  };
  thread_local Compressors compressors;
  libdeflate_compressor*& compressor = compressors.byLevel[std::clamp(level, 1, 12)];
  if (!compressor) compressor = libdeflate_alloc_compressor(std::clamp(level, 1, 12));
  if (!compressor) throw std::bad_alloc();
  QByteArray packed(qsizetype(libdeflate_zlib_compress_bound(compressor, size_t(data.size()))),
                    Qt::Uninitialized);
  const size_t size = libdeflate_zlib_compress(compressor, data.constData(), size_t(data.size()),
                                               packed.data(), size_t(packed.size()));
  packed.truncate(qsizetype(size));
  return packed;
}
#else
QByteArray flate(const QByteArray& data, int level) {
  QByteArray packed = qCompress(data, level);
  packed.remove(0, 4);  // qCompress puts the length first
  return packed;
}
#endif

// A stream object of the data, packed.
QByteArray stream(const QByteArray& data, int level, const QByteArray& extra = {}) {
  const QByteArray packed = flate(data, level);
  return "<< /Length " + QByteArray::number(packed.size()) + " /Filter /FlateDecode " + extra +
         ">>\nstream\n" + packed + "\nendstream";
}
QByteArray packedStream(const QByteArray& data) { return stream(data, kFastest); }

// A glyph number as the two bytes of a literal string, put at `at` of `out`
// (room for four); gives the end. Half the size of its hex digits, to write
// and to pack. The bytes a literal string would not keep as they are (its
// brackets, the backslash, a carriage return, which a reader takes for a line
// end) are escaped.
int putGlyphBytes(char* out, int at, quint32 glyph) {
  for (const char byte : {char((glyph >> 8) & 0xff), char(glyph & 0xff)}) {
    if (byte == '(' || byte == ')' || byte == '\\') {
      out[at++] = '\\';
    } else if (byte == '\r') {
      out[at++] = '\\';
      out[at++] = 'r';
      continue;
    }
    out[at++] = byte;
  }
  return at;
}

template <size_t N>
char* put(char* at, const char (&text)[N]) {
  std::memcpy(at, text, N - 1);
  return at + N - 1;
}

// The most bytes a number takes (a sign, ten digits, a point, nine more and a blank).
constexpr qsizetype kNumberRoom = 24;

// Writes a number as pdfNumber() does at `at`; gives its end.
char* putNumber(char* at, double value) {
  if (!std::isfinite(value) || std::abs(value) > std::numeric_limits<quint32>::max())
    return put(at, "0 ");
  if (value < 0) {
    *at++ = '-';
    value = -value;
  }
  double whole = 0;
  const double fraction = std::modf(value, &whole);
  quint32 integer = quint32(whole);
  int digits = int(fraction * 1000000000);
  if (digits == 1000000000) {
    ++integer;
    digits = 0;
  }
  // Nine digits in all: each digit before the point takes one after it.
  int places = 9;
  if (integer == 0) {
    *at++ = '0';
  } else {
    char reversed[12];
    int k = 0;
    for (; integer; integer /= 10) reversed[k++] = char('0' + integer % 10);
    while (k) {
      *at++ = reversed[--k];
      --places;
      digits /= 10;
    }
  }
  if (digits && places > 0) {
    *at++ = '.';
    for (int k = places - 1; k >= 0; --k, digits /= 10) at[k] = char('0' + digits % 10);
    at += places;
    while (at[-1] == '0') --at;  // the same number, shorter (digits is not 0)
  }
  *at++ = ' ';
  return at;
}

// Four hex digits, for the text map.
QByteArray hex4(quint32 glyph) {
  static const char digits[] = "0123456789ABCDEF";
  const char hex[4] = {digits[(glyph >> 12) & 0xf], digits[(glyph >> 8) & 0xf],
                       digits[(glyph >> 4) & 0xf], digits[glyph & 0xf]};
  return QByteArray(hex, 4);
}

QByteArray literal(const QString& text) {
  QByteArray out = "(";
  for (const QChar c : text) {
    const char ch = c.unicode() < 128 ? char(c.unicode()) : '?';
    if (ch == '(' || ch == ')' || ch == '\\') out += '\\';
    out += ch;
  }
  return out + ")";
}

// A glyph's advance in thousandths of the em, as the font's width table
// states it.
double widthInEm(const PlacedGlyph& glyph, const PrintFont& font) {
  return double(glyph.advance) * 1000 / font.pixelSize;
}

// An underline just under the baseline (limited to the descent), a strike
// a third of the ascent above it, from the text's left edge to its end.
QByteArray decoration(const DrawnText& t, double baseline) {
  const PrintFont& font = *t.shaped->font;
  const QByteArray from = pdfNumber(std::floor(t.x));
  const QByteArray to = pdfNumber(std::floor(t.x + t.shaped->width));
  const QByteArray width = pdfNumber(font.lineThickness) + "w ";
  QByteArray out;
  if (t.underline) {
    double offset = std::ceil(font.underlinePos) + 0.5;
    if (font.underlinePos <= font.descent) offset = std::min(offset, font.descent - 0.5);
    const QByteArray y = pdfNumber(baseline + offset);
    out += width + from + y + "m " + to + y + "l S\n";
  }
  if (t.strikethru) {
    const QByteArray y = pdfNumber(baseline - font.ascent / 3);
    out += width + from + y + "m " + to + y + "l S\n";
  }
  return out;
}

// The bytes of a page, written through a pointer into room made ahead (a
// text's most bytes are known before it is written): an append of its own
// for every number and bracket cost more than the rest of the page.
class PageBytes {
 public:
  explicit PageBytes(qsizetype expected) { bytes_.resize(std::max<qsizetype>(expected, 256)); }
  // Where to write `most` bytes at most; wrote() says where they ended.
  char* room(qsizetype most) {
    if (used_ + most > bytes_.size()) bytes_.resize(std::max(2 * bytes_.size(), used_ + most));
    return bytes_.data() + used_;
  }
  void wrote(const char* end) { used_ = end - bytes_.constData(); }
  void append(const QByteArray& text) {
    char* at = room(text.size());
    std::memcpy(at, text.constData(), size_t(text.size()));
    wrote(at + text.size());
  }
  const char* at(qsizetype offset) const { return bytes_.constData() + offset; }
  qsizetype size() const { return used_; }
  QByteArray take() {
    bytes_.truncate(used_);
    return std::move(bytes_);
  }

 private:
  QByteArray bytes_;
  qsizetype used_ = 0;
};

// The page as Qt's engine draws it: the same scaling from device units,
// each text on its baseline, an underline or a strike as a line.
QByteArray pageContents(const DrawnPage& page, const QVector<const PrintFont*>& fonts,
                      const PdfPaper& paper) {
  PageBytes out(page.size() * 48);
  const double device = 72.0 / paper.resolution;
  out.append(pdfNumber(device) + "0 0 " + pdfNumber(-device) +
             pdfNumber(paper.originPoints.x()) +
             pdfNumber(paper.pagePoints.height() - paper.originPoints.y()) + "cm\n");
  const double twips = paper.resolution / kTwipsPerInch;
  out.append(pdfNumber(twips) + "0 0 " + pdfNumber(twips) + "0 0 cm\n0 g\nBT\n");
  QByteArray lines;
  int current = -1;
  const PrintFont* lastFont = nullptr;
  // Where the line of the text before starts: the next text moves on from
  // there (most move along the line they share, or one line down).
  std::optional<QPointF> line;
  // Where the glyphs of a text shown before on the page are (an area or a
  // position comes again on every line): copied, not worked out again.
  struct Shown {
    const ShapedText* text = nullptr;
    qsizetype at = 0, size = 0;
  };
  std::array<Shown, 64> shownBefore{};
  for (const DrawnText& t : page) {
    const ShapedText& s = *t.shaped;
    const PrintFont& font = *s.font;
    const double baseline = t.y + font.ascent;
    if (t.underline || t.strikethru) lines += decoration(t, baseline);
    // Blanks at the end show nothing (an area padded to its column).
    size_t shown = s.glyphs.size();
    while (shown > 0 && t.text[qsizetype(shown) - 1] == u' ') --shown;
    if (shown == 0) continue;
    if (&font != lastFont) {
      lastFont = &font;
      const int f = int(fonts.indexOf(&font));
      if (f != current) {
        out.append("/F" + QByteArray::number(f) + " " + QByteArray::number(font.pixelSize) + " Tf\n");
        current = f;
      }
    }
    // The move, then each glyph (four bytes escaped) with a kerning number.
    char* p = out.room(3 * kNumberRoom + 16 + qsizetype(shown) * (6 + kNumberRoom));
    const QPointF at(t.x + s.glyphs.front().x, baseline);
    if (!line) {
      p = put(p, "1 0 0 -1 ");
      p = putNumber(p, at.x());
      p = putNumber(p, at.y());
      p = put(p, "Tm ");
    } else {
      // The text space runs upwards: a move down the page is a negative one.
      p = putNumber(p, at.x() - line->x());
      p = putNumber(p, line->y() - at.y());
      p = put(p, "Td ");
    }
    line = at;
    Shown& before = shownBefore[(quintptr(&s) >> 4) % shownBefore.size()];
    if (before.text == &s) {
      std::memcpy(p, out.at(before.at), size_t(before.size));
      out.wrote(p + before.size);
      continue;
    }
    const char* glyphsStart = p;
    p = put(p, "[(");
    for (size_t i = 0; i < shown; ++i) {
      p += putGlyphBytes(p, 0, s.glyphs[i].index);
      if (i + 1 == shown) break;
      // Kerning and rounding: what the next glyph's place differs from
      // this glyph's advance, in thousandths of the em.
      const double step = s.glyphs[i + 1].x - s.glyphs[i].x;
      if (step == s.glyphs[i].advance) continue;  // most glyphs: nothing between them
      const double drawn = widthInEm(s.glyphs[i], font) * font.pixelSize / 1000;
      const double kern = (drawn - step) * 1000 / font.pixelSize;
      if (std::abs(kern) > 1e-9) {
        *p++ = ')';
        p = putNumber(p, kern);
        *p++ = '(';
      }
    }
    p = put(p, ")] TJ\n");
    out.wrote(p);
    before = {&s, glyphsStart - out.at(0), p - glyphsStart};
  }
  out.append("ET\n");
  if (!lines.isEmpty()) out.append("0 G 0 J\n" + lines);
  return out.take();
}

// A font of the pages: one face at one size.
struct UsedFont {
  const PrintFont* font = nullptr;
  int face = 0;
  std::vector<double> widths;  // by glyph: its advance in thousandths of the em, < 0 unused
};

// A face of the pages: embedded once, whatever sizes use it.
struct UsedFace {
  const FontFace* face = nullptr;
  std::vector<char16_t> text;  // by glyph: the character it shows, 0 unused
  QSet<quint32> glyphs() const {
    QSet<quint32> used;
    for (size_t g = 0; g < text.size(); ++g)
      if (text[g]) used.insert(quint32(g));
    return used;
  }
};

class Writer {
 public:
  Writer(const QVector<DrawnPage>& pages, const PdfPaper& paper, const PackedPages& early)
      : pages_(pages), paper_(paper), early_(early) {}

  QByteArray write() {
    collectFonts();
    objects_.resize(3);  // the information, the catalogue and the page tree
    QVector<int> faceObjects;
    for (const UsedFace& face : faces_) faceObjects << addFace(face);
    QByteArray fontList;
    for (int f = 0; f < fonts_.size(); ++f)
      fontList += "/F" + QByteArray::number(f) + " " + ref(addFont(fonts_[f], faceObjects)) + " ";
    const int resources = add("<< /Font << " + fontList + ">> >>");
    QByteArray kids;
    const QByteArray box = "[0 0 " + pdfNumber(paper_.pagePoints.width()) +
                           pdfNumber(paper_.pagePoints.height()) + "]";
    for (const QByteArray& contents : packedPageContents()) {
      const int stream = add(contents);
      kids += ref(add("<< /Type /Page /Parent 3 0 R /Contents " + ref(stream) + "/Resources " +
                      ref(resources) + "/MediaBox " + box + " >>"));
    }
    const QByteArray created =
        QDateTime::currentDateTimeUtc().toString("yyyyMMddHHmmss").toLatin1();
    objects_[0] = "<< /Title " + literal(paper_.title) + " /Creator " + literal(paper_.title) +
                  " /Producer " + literal(paper_.title) + " /CreationDate (D:" + created + "Z) >>";
    objects_[1] = "<< /Type /Catalog /Pages 3 0 R >>";
    objects_[2] = "<< /Type /Pages /Kids [" + kids + "] /Count " +
                  QByteArray::number(pages_.size()) + " >>";
    return file();
  }

 private:
  // Every page's contents as a packed stream object, the pages shared out
  // over the processors in runs (each page is drawn on its own).
  QVector<QByteArray> packedPageContents() const {
    constexpr qsizetype kPagesWorthAThread = 12;
    const qsizetype threads = std::clamp<qsizetype>(
        std::min<qsizetype>(std::thread::hardware_concurrency(), pages_.size() / kPagesWorthAThread),
        1, 8);
    QVector<QByteArray> packed = early_.pages;
    const qsizetype first = packed.size(), left = pages_.size() - first;
    packed.resize(pages_.size());
    const qsizetype per = (left + threads - 1) / threads;
    QVector<const PrintFont*> fonts;
    for (const UsedFont& font : fonts_) fonts << font.font;
    auto packRun = [&](qsizetype from) {
      for (qsizetype p = from; p < std::min(from + per, pages_.size()); ++p)
        packed[p] = packedStream(pageContents(pages_[p], fonts, paper_));
    };
    std::vector<std::future<void>> others;
    for (qsizetype k = 1; k < threads; ++k)
      others.push_back(std::async(std::launch::async, packRun, first + k * per));
    packRun(first);
    for (auto& other : others) other.get();
    return packed;
  }

  static QByteArray ref(int object) { return QByteArray::number(object) + " 0 R "; }

  int add(const QByteArray& body) {
    objects_.push_back(body);
    return int(objects_.size());
  }
  int addStream(const QByteArray& data, int level, const QByteArray& extra = {}) {
    return add(stream(data, level, extra));
  }

  void collectFonts() {
    QHash<const FontFace*, int> faceIndex;
    // The fonts the pages made before numbered, in their order.
    for (const PrintFont* font : early_.fonts) useFont(font, faceIndex);
    // A text printed again (an area, a position) uses nothing new: the texts
    // met last are remembered, a few by where their address falls.
    std::array<const ShapedText*, 64> recent{};
    for (const DrawnPage& page : pages_)
      for (const DrawnText& t : page) {
        const ShapedText*& slot = recent[(quintptr(t.shaped.get()) >> 4) % recent.size()];
        if (slot == t.shaped.get()) continue;
        slot = t.shaped.get();
        const PrintFont* font = t.shaped->font;
        UsedFont& used = fonts_[useFont(font, faceIndex)];
        UsedFace& face = faces_[used.face];
        const ShapedText& s = *t.shaped;
        for (size_t i = 0; i < s.glyphs.size(); ++i) {
          const quint32 g = s.glyphs[i].index;
          if (g >= used.widths.size()) used.widths.resize(g + 1, -1);
          if (g >= face.text.size()) face.text.resize(g + 1, 0);
          if (used.widths[g] < 0) used.widths[g] = widthInEm(s.glyphs[i], *font);
          if (!face.text[g]) face.text[g] = t.text[i].unicode() ? t.text[i].unicode() : u' ';
        }
      }
  }

  // The font's number in the file (by first use), and its face's.
  int useFont(const PrintFont* font, QHash<const FontFace*, int>& faceIndex) {
    if (const int f = fontIndex_.value(font, -1); f >= 0) return f;
    const FontFace* face = font->face.get();
    int index = faceIndex.value(face, -1);
    if (index < 0) {
      index = int(faces_.size());
      faceIndex.insert(face, index);
      faces_.push_back({face, {}});
    }
    const int f = int(fonts_.size());
    fontIndex_.insert(font, f);
    fonts_.push_back({font, index, {}});
    return f;
  }

  // A subset's name begins with six capitals that tell it from other subsets
  // of the same face (a joined file holds several).
  static QByteArray subsetName(const UsedFace& face) {
    size_t hash = qHash(face.face->postscriptName);
    for (size_t g = 0; g < face.text.size(); ++g)
      if (face.text[g]) hash = hash * 31 + g;
    QByteArray tag;
    for (int i = 0; i < 6; ++i, hash /= 26) tag += char('A' + hash % 26);
    return tag + "+" + face.face->postscriptName;
  }

  // The face's font file and descriptor, then its text map; returns the
  // descriptor, the text map following it.
  int addFace(const UsedFace& used) {
    const FontFace& face = *used.face;
    const FaceMeasures m = faceMeasures(face);
    const double scale = 1000.0 / m.unitsPerEm;
    const QByteArray file = subsetTrueType(face, used.glyphs());
    const int fontFile = addStream(file, 6, "/Length1 " + QByteArray::number(file.size()) + " ");
    const QByteArray ascent = pdfNumber(m.ascender * scale);
    const int descriptor = add(
        "<< /Type /FontDescriptor /FontName /" + subsetName(used) + " /Flags 4 /FontBBox [" +
        pdfNumber(m.xMin * scale) + pdfNumber(m.yMin * scale) + pdfNumber(m.xMax * scale) +
        pdfNumber(m.yMax * scale) + "] /ItalicAngle 0 /Ascent " + ascent + "/Descent " +
        pdfNumber(m.descender * scale) + "/CapHeight " + ascent + "/StemV " +
        pdfNumber(m.underlineThickness * scale) + "/FontFile2 " + ref(fontFile) + ">>");
    addStream(toUnicode(used), 6);
    return descriptor;
  }

  static QByteArray toUnicode(const UsedFace& face) {
    QByteArray cmap =
        "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
        "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
        "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
        "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
    QList<quint32> glyphs;
    for (size_t g = 0; g < face.text.size(); ++g)
      if (face.text[g]) glyphs << quint32(g);
    for (qsizetype from = 0; from < glyphs.size(); from += 100) {
      const qsizetype n = std::min<qsizetype>(100, glyphs.size() - from);
      cmap += QByteArray::number(n) + " beginbfchar\n";
      for (qsizetype i = from; i < from + n; ++i)
        cmap += "<" + hex4(glyphs[i]) + "> <" + hex4(face.text[glyphs[i]]) + ">\n";
      cmap += "endbfchar\n";
    }
    return cmap + "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
  }

  int addFont(const UsedFont& font, const QVector<int>& faceObjects) {
    const int descriptor = faceObjects[font.face];
    const QByteArray name = "/" + subsetName(faces_[font.face]);
    QByteArray widths;
    for (size_t g = 0; g < font.widths.size(); ++g)
      if (font.widths[g] >= 0) widths += QByteArray::number(quint32(g)) + " [" + pdfNumber(font.widths[g]) + "] ";
    const int cid = add("<< /Type /Font /Subtype /CIDFontType2 /BaseFont " + name +
                        " /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >>"
                        " /FontDescriptor " + ref(descriptor) +
                        "/CIDToGIDMap /Identity /W [" + widths + "] >>");
    return add("<< /Type /Font /Subtype /Type0 /BaseFont " + name +
               " /Encoding /Identity-H /DescendantFonts [" + ref(cid) + "] /ToUnicode " +
               ref(descriptor + 1) + ">>");
  }

  QByteArray file() const {
    QByteArray out("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
    qsizetype bytes = 0;
    for (const QByteArray& object : objects_) bytes += object.size() + 52;  // with its xref line
    out.reserve(bytes + 256);
    QVector<qsizetype> offsets;
    for (int n = 0; n < objects_.size(); ++n) {
      offsets << out.size();
      out += QByteArray::number(n + 1) + " 0 obj\n" + objects_[n] + "\nendobj\n";
    }
    const qsizetype xref = out.size();
    const QByteArray size = QByteArray::number(objects_.size() + 1);
    out += "xref\n0 " + size + "\n0000000000 65535 f \n";
    for (qsizetype offset : offsets)
      out += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    out += "trailer\n<<\n/Size " + size + "\n/Info 1 0 R\n/Root 2 0 R\n>>\nstartxref\n" +
           QByteArray::number(xref) + "\n%%EOF\n";
    return out;
  }

  const QVector<DrawnPage>& pages_;
  const PdfPaper& paper_;
  const PackedPages& early_;
  QHash<const PrintFont*, int> fontIndex_;
  QVector<UsedFont> fonts_;
  QVector<UsedFace> faces_;
  QVector<QByteArray> objects_;
};
}  // namespace

void appendNumber(QByteArray& out, double value) {
  char text[kNumberRoom];
  out.append(text, putNumber(text, value) - text);
}

QByteArray pdfNumber(double value) {
  QByteArray out;
  appendNumber(out, value);
  return out;
}

QByteArray writeTextPdf(const QVector<DrawnPage>& pages, const PdfPaper& paper,
                       const PackedPages& early) {
  return Writer(pages, paper, early).write();
}

QByteArray packedPage(const DrawnPage& page, const QVector<const PrintFont*>& fonts,
                      const PdfPaper& paper) {
  return packedStream(pageContents(page, fonts, paper));
}
