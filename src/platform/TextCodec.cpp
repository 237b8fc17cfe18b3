#include "platform/TextCodec.h"

#include <QStringDecoder>
#include <array>

namespace {
// Code page 1252 at 0x80..0x9F; 0 marks the five bytes the code page leaves
// undefined (they are kept as the C1 control of the same value).
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char16_t cp1252ToUnicode(unsigned char b) {
  if (b >= 0x80 && b <= 0x9F) {
    const char16_t u = kHigh[b - 0x80];
    return u ? u : char16_t(b);
  }
  return char16_t(b);
}

// Returns -1 when the character has no place in code page 1252.
int unicodeToCp1252(char16_t u) {
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return u;
  for (int i = 0; i < 32; ++i) {
    if (kHigh[i] == u) return 0x80 + i;
    if (kHigh[i] == 0 && u == 0x80 + i) return u;
  }
  return -1;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(const QByteArray& bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
  const qsizetype n = bytes.size();
  for (qsizetype i = 0; i < n;) {
    const unsigned char c = p[i];
    int extra = 0;
    char32_t cp = 0;
    if (c < 0x80) {
      ++i;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      extra = 1;
      cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      extra = 2;
      cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
      extra = 3;
      cp = c & 0x07;
    } else {
      return false;
    }
    if (i + extra >= n) return false;  // a sequence cut off at the end
    for (int k = 1; k <= extra; ++k) {
      if ((p[i + k] & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (p[i + k] & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kSmallest[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += extra + 1;
  }
  return true;
}
}  // namespace

QString decodeCp1252(const QByteArray& bytes) {
  QString out;
  out.reserve(bytes.size());
  for (char c : bytes) out.append(QChar(cp1252ToUnicode(static_cast<unsigned char>(c))));
  return out;
}

QString decodeText(const QByteArray& bytes) {
  QByteArray body = bytes;
  if (body.startsWith("\xEF\xBB\xBF")) body.remove(0, 3);  // a byte-order mark says UTF-8
  // A body that is not UTF-8 after all (a hand-edited file) is read as 1252,
  // so no byte is turned into a replacement character.
  if (!isValidUtf8(body)) return decodeCp1252(body);
  // Only the one byte-order mark taken off above is dropped: Qt's plain UTF-8
  // reading would drop another, and with it a U+FEFF that belongs to the text.
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
  return utf8.decode(body);
}

bool fitsCodePage1252(const QString& text) {
  for (QChar c : text)
    if (unicodeToCp1252(c.unicode()) < 0) return false;
  return true;
}

namespace {
QByteArray encodeUtf8(const QString& text) {
  // A text that itself starts with U+FEFF keeps it behind a byte-order mark,
  // which the reader takes off again.
  return text.startsWith(QChar(0xFEFF)) ? "\xEF\xBB\xBF" + text.toUtf8() : text.toUtf8();
}
}  // namespace

QByteArray encodeText(const QString& text) {
  if (!fitsCodePage1252(text)) return encodeUtf8(text);
  QByteArray out;
  out.reserve(text.size());
  bool high = false;
  for (QChar c : text) {
    const int b = unicodeToCp1252(c.unicode());
    high = high || b >= 0x80;
    out.append(static_cast<char>(b));
  }
  // Some 1252 texts ("Ã©") are also valid UTF-8 bytes, which the reader would take as
  // other letters ("é"): those are written as UTF-8 so they read back as typed.
  // So are texts whose 1252 bytes begin like a byte-order mark ("ï»¿").
  if (high && (out.startsWith("\xEF\xBB\xBF") || isValidUtf8(out))) return encodeUtf8(text);
  return out;
}
