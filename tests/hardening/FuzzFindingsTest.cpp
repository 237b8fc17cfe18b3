// What the fuzzing of the file readers found, kept so it stays mended. The
// inputs libFuzzer saved are in fuzz-findings/ (named after their target);
// each is run through its reader and written back here.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "lists/ExtrasFile.h"
#include "lists/ListFile.h"
#include "platform/TextCodec.h"
#include "print/AreaSettings.h"
#include "support/TestSupport.h"

namespace {
QString u(const char* utf8) { return QString::fromUtf8(utf8); }

QFileInfoList findings(const QString& target) {
  const QDir dir(QString(ROTAWISE_TESTS_DIR) + "/hardening/fuzz-findings");
  return dir.entryInfoList({target + "-*"}, QDir::Files);
}

QString withoutLeadingBlanks(const QString& s) {
  qsizetype i = 0;
  while (i < s.size() && (s[i] == u' ' || s[i] == u'\t')) ++i;
  return s.mid(i);
}

QByteArray contents(const QFileInfo& info) {
  QFile f(info.filePath());
  EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << info.filePath().toStdString();
  return f.readAll();
}
}  // namespace

// Texts that fit code page 1252 but whose 1252 bytes are also UTF-8: written
// as 1252 they read back as other letters ("Ã©" as "é", "é½€" as a Chinese
// letter), so they are written as UTF-8.
TEST(FuzzFindings, TextWhose1252BytesLookLikeUtf8ReadsBackAsTyped) {
  for (const QString& typed : {u("Ã©"), u("é½€"), u("Â£5"), u("MÃ¼ller"), u("Ã©, Ã¨")}) {
    SCOPED_TRACE(typed.toStdString());
    EXPECT_EQ(decodeText(encodeText(typed)), typed);
  }
  // Plain 1252 texts are still written as 1252.
  EXPECT_EQ(encodeText(u("Café €")), QByteArray("Caf\xE9 \x80"));
}

// A text starting with the letters of a byte-order mark in 1252 ("ï»¿") lost
// them on reading; so did a text starting with U+FEFF itself.
TEST(FuzzFindings, TextStartingLikeAByteOrderMarkKeepsItsFirstLetters) {
  for (const QString& typed : {u("ï»¿õõõ"), u("ï»¿Kitchen"), u("\xEF\xBB\xBFZoë")}) {
    SCOPED_TRACE(typed.toStdString());
    EXPECT_EQ(decodeText(encodeText(typed)), typed);
  }
}

// A file that starts with a byte-order mark but is not UTF-8 after it (a
// hand-edited file) keeps every letter instead of turning them into "\uFFFD".
TEST(FuzzFindings, ByteOrderMarkBeforeCodePageTextKeepsEveryLetter) {
  EXPECT_EQ(decodeText(QByteArray("\xEF\xBB\xBF" "Caf\xE9\r\n")), u("Café\r\n"));
  DataFolder folder;
  folder.write("AREAS.IGH", "\xEF\xBB\xBF" "M\xFCller\r\nBar\r\n");
  EXPECT_EQ(readListFile("AREAS.IGH").items, (QStringList{u("Müller"), "Bar"}));
}

TEST(FuzzFindings, SavedCodecInputsSurviveDecodeAndEncode) {
  const QFileInfoList inputs = findings("text_codec");
  ASSERT_FALSE(inputs.isEmpty());
  for (const QFileInfo& input : inputs) {
    SCOPED_TRACE(input.fileName().toStdString());
    const QByteArray bytes = contents(input);
    const QString decoded = decodeText(bytes);
    EXPECT_EQ(decodeText(encodeText(decoded)), decoded);
    const QString cp = decodeCp1252(bytes);
    EXPECT_EQ(decodeText(encodeText(cp)), cp);
    EXPECT_EQ(decodeText(encodeText(QString::fromUtf8(bytes))), QString::fromUtf8(bytes));
  }
}

TEST(FuzzFindings, SavedExclusionFilesWriteBackToTheSameNames) {
  const QFileInfoList inputs = findings("exempt_file");
  ASSERT_FALSE(inputs.isEmpty());
  DataFolder folder;
  for (const QFileInfo& input : inputs) {
    SCOPED_TRACE(input.fileName().toStdString());
    folder.write("EXEMPT.IGH", contents(input));
    const QStringList names = readExemptFile();
    ASSERT_TRUE(writeExemptFile(names));
    EXPECT_EQ(readExemptFile(), names);
  }
}

TEST(FuzzFindings, SavedListFilesWriteBackToTheSameItems) {
  const QFileInfoList inputs = findings("list_file");
  ASSERT_FALSE(inputs.isEmpty());
  DataFolder folder;
  for (const QFileInfo& input : inputs) {
    SCOPED_TRACE(input.fileName().toStdString());
    folder.write("AREAS.IGH", contents(input));
    QStringList lines, expected;
    for (const QString& item : readListFile("AREAS.IGH").items) {
      QString line;
      if (!encodeListLine(item, &line)) continue;  // a quote: refused, never half written
      lines << line;
      // Leading blanks of an unquoted item are dropped by the reader, as always.
      expected << (item.contains(u',') ? item : withoutLeadingBlanks(item));
    }
    ASSERT_TRUE(writeListLines("AREAS.IGH", lines));
    EXPECT_EQ(readListFile("AREAS.IGH").items, expected);
  }
}

TEST(FuzzFindings, SavedExtrasFilesWriteBackToTheSameValues) {
  const QFileInfoList inputs = findings("extras");
  ASSERT_FALSE(inputs.isEmpty());
  DataFolder folder;
  for (const QFileInfo& input : inputs) {
    SCOPED_TRACE(input.fileName().toStdString());
    folder.write("extras.txt", contents(input));
    const QStringList values = readExtrasValues();
    if (!saveExtras(values).ok) continue;  // a value with a quote is refused whole
    const QStringList back = readExtrasValues();
    for (int i = 0; i < kExtrasLineCount; ++i) {
      const QString& v = values[i];
      if (v.contains(u',') || v.isEmpty() || (v[0] != u' ' && v[0] != u'\t'))
        EXPECT_EQ(back[i], v) << "line " << i + 1;
    }
  }
}
