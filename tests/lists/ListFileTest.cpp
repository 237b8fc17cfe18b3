// The one list-file reader and writer that every .IGH file and extras.txt goes
// through: list-input reading, the code page, and lines that read back as
// they were written.
#include <gtest/gtest.h>

#include <QDir>

#include "ListsTestSupport.h"
#include "lists/ExtrasFile.h"
#include "lists/ListBoxes.h"
#include "lists/ListFile.h"
#include "support/TestSupport.h"

TEST(ListReader, FollowsTheListInputRules) {
  const struct {
    const char* text;
    QStringList items;
  } cases[] = {
      {"", {}},
      {"Kitchen\r\nBar\r\n", {"Kitchen", "Bar"}},
      {"Kitchen\r\nBar", {"Kitchen", "Bar"}},                  // last line without its line end
      {"Kitchen\nBar\n", {"Kitchen", "Bar"}},                  // LF only
      {"Kitchen\rBar\r", {"Kitchen", "Bar"}},                  // CR only
      {"\r\n", {""}},                                          // an empty line is an empty item
      {"A\r\n\r\nB\r\n", {"A", "", "B"}},
      {"   \t Front desk\r\n", {"Front desk"}},                // leading blanks skipped
      {"Bar  \r\n", {"Bar  "}},                                // trailing blanks stay
      {"Smith, Jones\r\n", {"Smith", "Jones"}},                // an unquoted item ends at a comma
      {"A,\r\nB\r\n", {"A", "", "B"}},
      {"\"Smith, Jones\"\r\n", {"Smith, Jones"}},              // a quoted item ends at the quote
      {"  \"  padded \"\r\n", {"  padded "}},
      {"\"Bar\" and grill,Pub\r\n", {"Bar", "Pub"}},           // after the quote up to the comma is dropped
      {"\"no end\r\nNext\r\n", {"no end", "Next"}},            // a missing quote costs only its line
      {"\"\"\r\n", {""}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(parseListItems(QString::fromUtf8(c.text)), c.items) << c.text;
}

TEST(ListReader, ReadsCodePage1252AndUtf8FilesAndNamesInAnyCase) {
  DataFolder folder;
  folder.write("AREAS.IGH", QByteArray("Caf\xE9\r\nSm\xF8rrebr\xF8\x64\r\n\x80 desk\r\n"));
  EXPECT_EQ(readListFile("AREAS.IGH").items,
            (QStringList{"Café", "Smørrebrød", "€ desk"}));

  folder.write("POSITION.IGH", QString("Łódź\r\nКухня\r\n").toUtf8());
  EXPECT_EQ(readListFile("POSITION.IGH").items, (QStringList{"Łódź", "Кухня"}));

  // A data folder brought over from Windows may spell the names differently.
  folder.write("Days.igh", "Monday\r\n");
  const ListRead days = readListFile("DAYS.IGH");
  EXPECT_TRUE(days.ok);
  EXPECT_EQ(days.items, QStringList{"Monday"});

  const ListRead missing = readListFile("TIMES.IGH");
  EXPECT_FALSE(missing.ok);
  EXPECT_TRUE(missing.items.isEmpty());
}

TEST(ListReader, ChoicesLeaveOutEmptySlotsOnly) {
  DataFolder folder;
  folder.write("AREAS.IGH", "Kitchen\r\n  empty \r\nEMPTY\r\n\r\nEmptying bins\r\n");
  bool ok = false;
  EXPECT_EQ(readChoices("AREAS.IGH", &ok), (QStringList{"Kitchen", "", "Emptying bins"}));
  EXPECT_TRUE(ok);
  readChoices("POSITION.IGH", &ok);
  EXPECT_FALSE(ok);
}

TEST(ListWriter, EveryValueItWritesReadsBackUnchanged) {
  const QStringList values = {"Kitchen", "", "Smith, Jones", ",", "a,b,c", "O'Brien's bar",
                              "Front/Back desk", "Trailing  ", "  a, b", "Café", "Łódź"};
  QStringList lines;
  for (const QString& v : values) {
    QString line;
    ASSERT_TRUE(encodeListLine(v, &line)) << v.toStdString();
    lines << line;
  }
  DataFolder folder;
  ASSERT_TRUE(writeListLines("AREAS.IGH", lines));
  EXPECT_EQ(readListFile("AREAS.IGH").items, values);
  EXPECT_TRUE(folder.read("AREAS.IGH").startsWith("Kitchen\r\n\r\n\"Smith, Jones\"\r\n"));
}

TEST(ListWriter, RefusesWhatCannotBeStoredSafely) {
  QString line = "untouched";
  for (const QString& v : {QString("5\" tiles"), QString("\"Quoted\""), QString("two\r\nlines"),
                           QString("lf\nonly")}) {
    EXPECT_FALSE(encodeListLine(v, &line)) << v.toStdString();
    EXPECT_EQ(line, "untouched");
  }
}

TEST(ListWriter, UsesCodePage1252WhereItFitsElseUtf8) {
  DataFolder folder;
  ASSERT_TRUE(writeListLines("AREAS.IGH", {"Café", "€"}));
  EXPECT_EQ(folder.read("AREAS.IGH"), QByteArray("Caf\xE9\r\n\x80\r\n"));
  ASSERT_TRUE(writeListLines("AREAS.IGH", {"Café", "Łódź"}));
  EXPECT_EQ(folder.read("AREAS.IGH"), QString("Café\r\nŁódź\r\n").toUtf8());
  // Letters whose 1252 bytes would pass for UTF-8 must not turn into others.
  ASSERT_TRUE(writeListLines("AREAS.IGH", {"Ã©clair", "Â°C"}));
  EXPECT_EQ(readListFile("AREAS.IGH").items, QStringList({"Ã©clair", "Â°C"}));
  ASSERT_TRUE(writeListLines("AREAS.IGH", {}));
  EXPECT_EQ(folder.read("AREAS.IGH"), QByteArray());
}

TEST(ListWriter, WritesOverTheExistingFileWhateverTheCaseOfItsName) {
  DataFolder folder;
  folder.write("Areas.igh", "Old\r\n");
  ASSERT_TRUE(writeListLines("AREAS.IGH", {"New"}));
  EXPECT_EQ(folder.read("Areas.igh"), QByteArray("New\r\n"));
  EXPECT_FALSE(QDir().entryList(QDir::Files).contains("AREAS.IGH"));
}

TEST(ListWriter, AFailedWriteLeavesTheOldFileAndSaysWhy) {
  DataFolder folder;
  folder.write("AREAS.IGH", "Old one\r\nOld two\r\n");
  for (FileStep step : {FileStep::Create, FileStep::Write, FileStep::Rename}) {
    DiskRefuses refuses(step);
    QString error;
    EXPECT_FALSE(writeListLines("AREAS.IGH", {"New"}, &error));
    EXPECT_TRUE(error.contains("AREAS.IGH")) << error.toStdString();
    EXPECT_EQ(folder.read("AREAS.IGH"), QByteArray("Old one\r\nOld two\r\n"));
  }
  EXPECT_EQ(QDir().entryList(QDir::Files), QStringList{"AREAS.IGH"});  // no leftover temporary file

  // A directory where the file should be.
  ASSERT_TRUE(QDir().mkdir("POSITION.IGH"));
  QString error;
  EXPECT_FALSE(writeListLines("POSITION.IGH", {"New"}, &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_FALSE(readListFile("POSITION.IGH").ok);
}

// Text pasted into a list or extras box may bring a line break along: at the
// end it is dropped; inside it gets its own message, not the double quote's.
TEST(PastedLineBreaks, AreDroppedAtTheEndAndNamedInsideTheText) {
  DataFolder folder;
  const struct {
    QString value;
    QString storedAs;        // empty: refused
    const char* messageHas;
  } cases[] = {
      {"Staff room\n", "Staff room", ""},
      {"Staff room\r\n", "Staff room", ""},
      {"Staff\nroom", "", "line break"},
      {"Staff\r\nroom, upstairs", "", "line break"},
      {"Staff \"A\"\nroom", "", "double quote"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value.toStdString());
    QStringList extras(kExtrasLineCount, QString());
    extras[2] = c.value;
    const SaveResult savedExtras = saveExtras(extras);
    const SaveResult savedList = saveListBoxes("AREAS.IGH", {c.value});
    for (const SaveResult& r : {savedExtras, savedList}) {
      EXPECT_EQ(r.ok, !c.storedAs.isEmpty());
      EXPECT_TRUE(r.message.contains(c.messageHas)) << r.message.toStdString();
    }
    if (c.storedAs.isEmpty()) continue;
    EXPECT_EQ(readExtrasItems().value(2), c.storedAs);
    EXPECT_EQ(readListFile("AREAS.IGH").items, QStringList{c.storedAs});
  }
}
