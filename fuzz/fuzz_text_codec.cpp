// Text decoding of the data files (code page 1252 or UTF-8) and encoding back.
// Properties: decoding never makes a lone surrogate; a file that is not UTF-8
// is read byte for byte as 1252 and written back to the same bytes; whatever
// text is encoded decodes back to exactly that text.
#include <QStringDecoder>

#include "FuzzSupport.h"
#include "platform/TextCodec.h"

namespace {
bool hasLoneSurrogate(const QString& s) {
  for (qsizetype i = 0; i < s.size(); ++i) {
    const QChar c = s[i];
    if (c.isHighSurrogate()) {
      if (i + 1 >= s.size() || !s[i + 1].isLowSurrogate()) return true;
      ++i;
    } else if (c.isLowSurrogate()) {
      return true;
    }
  }
  return false;
}

void checkRoundTrip(const QString& text, const char* what) {
  const QByteArray encoded = encodeText(text);
  const QString back = decodeText(encoded);
  FUZZ_CHECK(back == text, what, fuzz::show(text) + " came back as " + fuzz::show(back));
  FUZZ_CHECK(fitsCodePage1252(text) || encoded == text.toUtf8() ||
                  encoded == "\xEF\xBB\xBF" + text.toUtf8(),
              "text outside 1252 not written as UTF-8", fuzz::show(text));
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray in = fuzz::bytes(data, size);
  const QString decoded = decodeText(in);
  FUZZ_CHECK(!hasLoneSurrogate(decoded), "decoding made a lone surrogate", fuzz::show(decoded));

  // Every byte of a 1252 file is one character, and writing it gives the file back.
  const QString cp = decodeCp1252(in);
  FUZZ_CHECK(cp.size() == in.size(), "1252 decoding changed the length");
  FUZZ_CHECK(fitsCodePage1252(cp), "a 1252 character does not fit 1252", fuzz::show(cp));
  if (decoded == cp && !in.startsWith("\xEF\xBB\xBF"))
    FUZZ_CHECK(encodeText(decoded) == in, "a 1252 file does not write back to its bytes");
  // Text taken as UTF-8 must really be UTF-8: Qt reads it back to the same bytes.
  // After a byte-order mark, a body that is not UTF-8 is read as 1252.
  if (decoded != cp) {
    const QByteArray body = in.startsWith("\xEF\xBB\xBF") ? in.mid(3) : in;
    QStringDecoder exact(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    const QString asUtf8 = exact.decode(body);
    FUZZ_CHECK(asUtf8.toUtf8() == body || decoded == decodeCp1252(body),
                "bytes that are not UTF-8 read as UTF-8");
  }

  checkRoundTrip(decoded, "decoded text does not survive encode and decode");
  checkRoundTrip(cp, "1252 text does not survive encode and decode");
  // Arbitrary typed text (Qt's reading of the bytes as UTF-8, replacement
  // characters and all) must survive a save and a load.
  checkRoundTrip(QString::fromUtf8(in), "typed text does not survive encode and decode");
  return 0;
}
