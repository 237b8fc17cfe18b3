// The area window (AREAS.IGH) and the job description window (POSITION.IGH),
// driven as a user would: boxes found by name, texts typed, buttons clicked,
// the bytes of the file compared.
#include <gtest/gtest.h>

#include <QDir>
#include <QTest>
#include <memory>

#include "ListsTestSupport.h"
#include "lists/FrmNewSchedule.h"
#include "lists/FrmNewSchedule2.h"
#include "lists/ListFile.h"
#include "support/TestSupport.h"

namespace {
QString box(int n) { return QString("Text%1").arg(n); }

std::unique_ptr<FrmNewSchedule> openAreas() {
  auto w = std::make_unique<FrmNewSchedule>();
  w->show();
  return w;
}

void click(const QWidget& window, const char* button) {
  if (auto* b = control<QPushButton>(window, button)) QTest::mouseClick(b, Qt::LeftButton);
}

// The area window saves with Command1, the job description window with Command2.
void saveAreas(const QWidget& w) { click(w, "Command1"); }

QStringList allBoxes(const QWidget& w) {
  QStringList texts;
  for (int i = 1; i <= 20; ++i) texts << textOf(w, box(i));
  return texts;
}

QStringList emptyBoxes(int from = 1) {
  QStringList texts;
  for (int i = from; i <= 20; ++i) texts << "Empty";
  return texts;
}
}  // namespace

TEST(AreaWindow, AllEmptyGivesAnEmptyFileAndFilledBoxesMoveUp) {
  DataFolder folder;
  MessageBoxQueue boxes;
  {
    auto w = openAreas();
    EXPECT_EQ(allBoxes(*w), emptyBoxes());  // no file yet
    saveAreas(*w);
    EXPECT_FALSE(w->isVisible());
  }
  ASSERT_TRUE(folder.exists("AREAS.IGH"));
  EXPECT_EQ(folder.read("AREAS.IGH"), QByteArray());
  {
    auto w = openAreas();
    EXPECT_EQ(allBoxes(*w), emptyBoxes());
    type(*w, box(3), "Kitchen");
    type(*w, box(7), "Bar");
    saveAreas(*w);
  }
  EXPECT_EQ(folder.read("AREAS.IGH"), QByteArray("Kitchen\r\nBar\r\n"));
  auto w = openAreas();
  EXPECT_EQ(allBoxes(*w), QStringList({"Kitchen", "Bar"}) + emptyBoxes(3));
  EXPECT_TRUE(boxes.shown().empty());
}

TEST(AreaWindow, TrimsEntriesSkipsEmptyInAnyCaseAndKeepsBlankBoxesAsEmptyLines) {
  DataFolder folder;
  MessageBoxQueue boxes;
  {
    auto w = openAreas();
    type(*w, box(1), "   Front desk  ");
    type(*w, box(2), "  eMpTy ");
    type(*w, box(3), "EMPTY");
    type(*w, box(4), "");
    type(*w, box(5), "   ");
    type(*w, box(11), "\tPatio");
    type(*w, box(20), "Empty rooms");  // only the word itself marks a free slot
    saveAreas(*w);
  }
  EXPECT_EQ(folder.read("AREAS.IGH"), QByteArray("Front desk\r\n\r\n\r\nPatio\r\nEmpty rooms\r\n"));
  auto w = openAreas();
  EXPECT_EQ(allBoxes(*w).mid(0, 6), QStringList({"Front desk", "", "", "Patio", "Empty rooms", "Empty"}));
  EXPECT_EQ(readChoices("AREAS.IGH"), QStringList({"Front desk", "", "", "Patio", "Empty rooms"}));
}

TEST(AreaWindow, ALongerFileShowsItsFirstTwentyAndSavesOnlyThose) {
  DataFolder folder;
  MessageBoxQueue boxes;
  QByteArray file;
  QByteArray firstTwenty;
  for (int i = 1; i <= 25; ++i) {
    file += QByteArray("Area ") + QByteArray::number(i) + "\n";  // another tool, LF only
    if (i <= 20) firstTwenty += QByteArray("Area ") + QByteArray::number(i) + "\r\n";
  }
  folder.write("AREAS.IGH", file);
  auto w = openAreas();
  EXPECT_EQ(textOf(*w, box(1)), "Area 1");
  EXPECT_EQ(textOf(*w, box(20)), "Area 20");
  saveAreas(*w);
  EXPECT_EQ(folder.read("AREAS.IGH"), firstTwenty);
}

TEST(AreaWindow, CancelLeavesTheFileByteForByte) {
  DataFolder folder;
  MessageBoxQueue boxes;
  const QByteArray before("  Kitchen\n\"Smith, Jones\",x\r\nempty\r\n\r\n");
  folder.write("AREAS.IGH", before);
  auto w = openAreas();
  EXPECT_EQ(allBoxes(*w).mid(0, 6), QStringList({"Kitchen", "Smith, Jones", "x", "empty", "", "Empty"}));
  type(*w, box(1), "Changed");
  click(*w, "Command2");
  EXPECT_FALSE(w->isVisible());
  EXPECT_EQ(folder.read("AREAS.IGH"), before);
  EXPECT_TRUE(boxes.shown().empty());
}

TEST(AreaWindow, CommasAndOtherCharactersRoundTrip) {
  DataFolder folder;
  MessageBoxQueue boxes;
  const QStringList entries = {"Smith, Jones", "O'Brien's", "Front/Back", "Café", "Łódź", ","};
  {
    auto w = openAreas();
    for (int i = 0; i < entries.size(); ++i) type(*w, box(i + 1), entries[i]);
    saveAreas(*w);
  }
  EXPECT_TRUE(folder.read("AREAS.IGH").startsWith("\"Smith, Jones\"\r\nO'Brien's\r\n"));
  auto w = openAreas();
  EXPECT_EQ(allBoxes(*w).mid(0, entries.size()), entries);
  EXPECT_EQ(readChoices("AREAS.IGH"), entries);  // the other windows see one choice each
}

TEST(AreaWindow, ADoubleQuoteIsRefusedByBoxAndNothingIsWritten) {
  DataFolder folder;
  MessageBoxQueue boxes;
  folder.write("AREAS.IGH", "Old\r\n");
  auto w = openAreas();
  type(*w, box(2), "Kitchen");
  type(*w, box(14), "12\" shelf");
  saveAreas(*w);
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].title, "Opps!");
  EXPECT_EQ(boxes.shown()[0].code, 48);
  EXPECT_TRUE(boxes.shown()[0].text.contains("Box 14")) << boxes.shown()[0].text.toStdString();
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(textOf(*w, box(14)), "12\" shelf");
  EXPECT_EQ(folder.read("AREAS.IGH"), QByteArray("Old\r\n"));

  type(*w, box(14), "12' shelf");  // mended, the save goes through
  saveAreas(*w);
  EXPECT_EQ(folder.read("AREAS.IGH"), QByteArray("Old\r\nKitchen\r\n12' shelf\r\n"));
}

TEST(AreaWindow, AFailedSaveSaysSoKeepsTheEntriesAndTheOldFile) {
  DataFolder folder;
  MessageBoxQueue boxes;
  folder.write("AREAS.IGH", "Old\r\n");
  auto w = openAreas();
  type(*w, box(1), "New area");
  for (FileStep step : {FileStep::Create, FileStep::Write, FileStep::Rename}) {
    DiskRefuses full(step);
    boxes.clear();
    saveAreas(*w);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].title, "Opps!");
    EXPECT_TRUE(boxes.shown()[0].text.contains("could not be saved"));
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(textOf(*w, box(1)), "New area");
    EXPECT_EQ(folder.read("AREAS.IGH"), QByteArray("Old\r\n"));
  }
}

TEST(AreaWindow, ADirectoryInTheWayOrAVanishedFolderIsReportedNotFatal) {
  DataFolder folder;
  MessageBoxQueue boxes;
  ASSERT_TRUE(QDir().mkdir("AREAS.IGH"));
  {
    auto w = openAreas();
    EXPECT_EQ(allBoxes(*w), emptyBoxes());
    saveAreas(*w);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].title, "Opps!");
    EXPECT_TRUE(w->isVisible());
  }
  // The data folder removed under the running program (a pulled stick).
  // Windows refuses to remove a folder a program works in: not to be had
  // there.
#ifdef Q_OS_WIN
  return;
#endif
  ASSERT_TRUE(QDir().mkdir("gone"));
  ASSERT_TRUE(QDir::setCurrent(folder.file("gone")));
  auto w = openAreas();
  ASSERT_TRUE(QDir(folder.path()).rmdir("gone"));
  type(*w, box(1), "Kitchen");
  boxes.clear();
  saveAreas(*w);
  QDir::setCurrent(folder.path());
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].title, "Opps!");
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(textOf(*w, box(1)), "Kitchen");
}

TEST(JobWindow, SavesWithCommand2CancelsWithCommand1AndShowsFifteenEntries) {
  DataFolder folder;
  MessageBoxQueue boxes;
  QByteArray expected;
  {
    FrmNewSchedule2 w;
    w.show();
    for (int i = 1; i <= 15; ++i) {
      type(w, box(i), QString(" Job %1 ").arg(i));
      expected += "Job " + QByteArray::number(i) + "\r\n";
    }
    click(w, "Command2");
    EXPECT_FALSE(w.isVisible());
  }
  EXPECT_EQ(folder.read("POSITION.IGH"), expected);
  EXPECT_FALSE(folder.exists("AREAS.IGH"));
  FrmNewSchedule2 w;
  w.show();
  for (int i = 1; i <= 15; ++i) EXPECT_EQ(textOf(w, box(i)), QString("Job %1").arg(i));
  EXPECT_EQ(allBoxes(w).mid(15), emptyBoxes(16));
  type(w, box(1), "Changed");
  click(w, "Command1");
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(folder.read("POSITION.IGH"), expected);
}
