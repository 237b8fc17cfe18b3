// Text decoding of the data files and the safe file steps.
#include <gtest/gtest.h>

#include <QFile>
#include <stdexcept>

#include "platform/FileOps.h"
#include "platform/Geometry.h"
#include "platform/Pointer.h"
#include "platform/TextCodec.h"
#include "support/TestSupport.h"

TEST(TextCodec, CodePage1252BytesReadAsTheirLetters) {
  // "Müller – €5" in code page 1252: ü 0xFC, en dash 0x96, euro 0x80.
  const QByteArray bytes("M\xFCller \x96 \x80" "5");
  EXPECT_EQ(decodeText(bytes), QString::fromUtf8("Müller – €5"));
}

TEST(TextCodec, ValidUtf8IsTakenAsUtf8WithOrWithoutByteOrderMark) {
  EXPECT_EQ(decodeText(QByteArray("Nguy\xE1\xBB\x85n")), QString::fromUtf8("Nguyễn"));
  EXPECT_EQ(decodeText(QByteArray("\xEF\xBB\xBF" "Zo\xC3\xAB")), QString::fromUtf8("Zoë"));
}

TEST(TextCodec, WritesCodePage1252WhereEveryLetterFitsElseUtf8) {
  EXPECT_EQ(encodeText(QString::fromUtf8("Café €")), QByteArray("Caf\xE9 \x80"));
  const QString polish = QString::fromUtf8("Łódź, Ζωή, 王");
  EXPECT_FALSE(fitsCodePage1252(polish));
  EXPECT_EQ(encodeText(polish), polish.toUtf8());
  EXPECT_EQ(decodeText(encodeText(polish)), polish);
}

TEST(TextCodec, EveryCodePageByteRoundTrips) {
  QByteArray all;
  for (int b = 1; b < 256; ++b) all.append(char(b));
  EXPECT_EQ(encodeText(decodeCp1252(all)), all);
}

TEST(FileOps, AFailedSaveAtAnyStepLeavesTheOldFileAsItWas) {
  DataFolder folder;
  folder.write("AREAS.IGH", "Kitchen\r\n");
  for (FileStep failing : {FileStep::Create, FileStep::Write, FileStep::Rename}) {
    fileops::setFaultInjector([failing](FileStep step, const QString&) { return step == failing; });
    QString error;
    EXPECT_FALSE(fileops::writeAtomically("AREAS.IGH", "Bar\r\n", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(folder.read("AREAS.IGH"), QByteArray("Kitchen\r\n"));
  }
  fileops::setFaultInjector({});
  EXPECT_TRUE(fileops::writeAtomically("AREAS.IGH", "Bar\r\n"));
  EXPECT_EQ(folder.read("AREAS.IGH"), QByteArray("Bar\r\n"));
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"AREAS.IGH"});
}

TEST(FileOps, WritingWhereADirectoryStandsFailsWithAReason) {
  DataFolder folder;
  QDir(folder.path()).mkdir("extras.txt");
  QString error;
  EXPECT_FALSE(fileops::writeAtomically("extras.txt", "x", &error));
  EXPECT_FALSE(error.isEmpty());
}

TEST(FileOps, DeletingAMissingFileIsNoFailure) {
  DataFolder folder;
  EXPECT_TRUE(fileops::remove("compact.mdb"));
}

TEST(Geometry, TwipsBecomePixelsAtTheScreensDpi) {
  // The offscreen screen reports 96 DPI: 15 twips a pixel.
  EXPECT_EQ(twipsToPixels(1440), 96);
  EXPECT_EQ(twipsRect(240, 480, 1815, 375), QRect(16, 32, 121, 25));
  // Windows has the designed fonts; elsewhere faces of the same metrics.
#ifdef Q_OS_WIN
  const QString sans = "Arial", serif = "Times New Roman";
#else
  const QString sans = "Liberation Sans", serif = "Liberation Serif";
#endif
  EXPECT_EQ(mapFontFamily("Arial"), sans);
  EXPECT_EQ(mapFontFamily("MS Serif"), serif);
}

TEST(Pointer, GuardPutsTheArrowBackOnEveryWayOut) {
  QWidget window;
  try {
    PointerGuard guard(&window);
    EXPECT_EQ(mousePointer(&window), pointer::Hourglass);
    throw std::runtime_error("failed step");
  } catch (const std::exception&) {
  }
  EXPECT_EQ(mousePointer(&window), pointer::Default);
}
