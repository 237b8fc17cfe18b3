// The schedule extras window and extras.txt: thirteen lines in a fixed order,
// "NOTHING" for an empty box, values that read back into the right boxes.
#include <gtest/gtest.h>

#include <QDir>
#include <QTest>

#include "ListsTestSupport.h"
#include "lists/ExtrasFile.h"
#include "lists/FrmExtras.h"
#include "support/TestSupport.h"

namespace {
// Box names in the order of the file's lines.
const QStringList kFileOrder = {"Text13", "Text6", "Text7", "Text8", "Text9", "Text10", "Text11",
                                "Text12", "Text1", "Text2", "Text3", "Text4", "Text5"};

QByteArray lines(const QStringList& values) {
  QByteArray out;
  for (const QString& v : values) out += v.toLatin1() + "\r\n";
  return out;
}

QStringList shown(const FrmExtras& w) {
  QStringList texts;
  for (const QString& name : kFileOrder) texts << textOf(w, name);
  return texts;
}

void save(FrmExtras& w) { QTest::mouseClick(control<QPushButton>(w, "Command2"), Qt::LeftButton); }
}  // namespace

TEST(ExtrasWindow, EmptyBoxesBecomeNothingAndASecondSaveWritesTheSameBytes) {
  DataFolder folder;
  MessageBoxQueue boxes;
  const QByteArray nothing = lines(QStringList(13, "NOTHING"));
  {
    FrmExtras w;
    w.show();
    EXPECT_EQ(shown(w), QStringList(13, ""));  // no file yet
    save(w);
    EXPECT_FALSE(w.isVisible());
  }
  EXPECT_EQ(folder.read("extras.txt"), nothing);
  FrmExtras w;
  w.show();
  EXPECT_EQ(shown(w), QStringList(13, "NOTHING"));  // the placeholder shows as it stands
  save(w);
  EXPECT_EQ(folder.read("extras.txt"), nothing);
  EXPECT_EQ(readExtrasValues(), QStringList(13, ""));
  EXPECT_TRUE(boxes.shown().empty());
}

TEST(ExtrasWindow, EachBoxLandsOnItsLineAsTypedAndReadsBackIntoTheSameBox) {
  DataFolder folder;
  MessageBoxQueue boxes;
  QStringList values;
  for (int i = 0; i < 13; ++i) values << QString("value %1").arg(i + 1);
  values[1] = "   ";              // only blanks: kept, not NOTHING
  values[3] = "Joe, Ann";         // a comma must not shift the later values
  values[8] = "  Indented";       // leading blanks are written; the reader drops them
  values[12] = "Café open 7-11";  // code page 1252
  {
    FrmExtras w;
    for (int i = 0; i < 13; ++i) type(w, kFileOrder[i], values[i]);
    save(w);
  }
  QStringList expected = values;
  expected[3] = "\"Joe, Ann\"";
  EXPECT_EQ(folder.read("extras.txt"), lines(expected));  // Latin-1 here is code page 1252

  FrmExtras w;
  QStringList reopened = values;
  reopened[1] = "";
  reopened[8] = "Indented";
  EXPECT_EQ(shown(w), reopened);
  EXPECT_EQ(readExtrasValues(), reopened);
}

TEST(ExtrasWindow, ADoubleQuoteIsRefusedNamingTheBoxAndAFailedSaveKeepsEverything) {
  DataFolder folder;
  MessageBoxQueue boxes;
  const QByteArray before = lines(QStringList(13, "NOTHING"));
  folder.write("extras.txt", before);
  FrmExtras w;
  w.show();
  type(w, "Text7", "The \"big\" one");
  save(w);
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].title, "Opps!");
  EXPECT_EQ(boxes.shown()[0].code, 48);
  EXPECT_TRUE(boxes.shown()[0].text.contains("Tuesday")) << boxes.shown()[0].text.toStdString();
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(folder.read("extras.txt"), before);

  type(w, "Text7", "The big one");
  for (FileStep step : {FileStep::Create, FileStep::Write, FileStep::Rename}) {
    DiskRefuses refuses(step);
    boxes.clear();
    save(w);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].title, "Opps!");
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(textOf(w, "Text7"), "The big one");
    EXPECT_EQ(folder.read("extras.txt"), before);
  }
  boxes.clear();
  save(w);
  EXPECT_TRUE(boxes.shown().empty());
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(readExtrasItems()[2], "The big one");
}

TEST(ExtrasWindow, CancelLeavesTheFileUnchanged) {
  DataFolder folder;
  MessageBoxQueue boxes;
  const QByteArray before("Nurse on call\nAnn\r\n");  // short and hand-edited
  folder.write("extras.txt", before);
  FrmExtras w;
  w.show();
  EXPECT_EQ(shown(w), QStringList({"Nurse on call", "Ann"}) + QStringList(11, ""));
  type(w, "Text1", "Something new");
  QTest::mouseClick(control<QPushButton>(w, "Command1"), Qt::LeftButton);
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(folder.read("extras.txt"), before);
}

TEST(ExtrasWindow, BoxesStopAtTheirLimitsButKeepALongerValueFromTheFile) {
  DataFolder folder;
  MessageBoxQueue boxes;
  const QString longLabel = "A label of thirty characters.";
  folder.write("extras.txt", lines({longLabel}));
  FrmExtras w;
  w.show();
  for (int i = 1; i <= 5; ++i) EXPECT_EQ(control<QLineEdit>(w, QString("Text%1").arg(i))->maxLength(), 75);
  for (int i = 6; i <= 12; ++i) EXPECT_EQ(control<QLineEdit>(w, QString("Text%1").arg(i))->maxLength(), 20);
  EXPECT_EQ(textOf(w, "Text13"), longLabel);

  auto* monday = control<QLineEdit>(w, "Text6");
  monday->setFocus();
  QTest::keyClicks(monday, "abcdefghijklmnopqrstuvwxyz");
  EXPECT_EQ(monday->text(), "abcdefghijklmnopqrst");
  auto* sentence = control<QLineEdit>(w, "Text1");
  sentence->setFocus();
  QTest::keyClicks(sentence, QString(80, 'x'));
  EXPECT_EQ(sentence->text().size(), 75);
  save(w);
  EXPECT_EQ(readExtrasItems().mid(0, 2), QStringList({longLabel, "abcdefghijklmnopqrst"}));
}

TEST(ExtrasWindow, UsesAnExistingFileWhateverTheCaseOfItsName) {
  DataFolder folder;
  MessageBoxQueue boxes;
  folder.write("EXTRAS.TXT", lines({"On call"}));
  FrmExtras w;
  EXPECT_EQ(textOf(w, "Text13"), "On call");
  save(w);
  EXPECT_EQ(QDir().entryList(QDir::Files), QStringList{"EXTRAS.TXT"});
  EXPECT_TRUE(folder.read("EXTRAS.TXT").startsWith("On call\r\nNOTHING\r\n"));
}
