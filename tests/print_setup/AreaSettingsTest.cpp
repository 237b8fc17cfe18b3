// The hand-over files of the print setup: the settings file name of an area,
// the settings file itself, PRINT.IGH and EXEMPT.IGH.
#include <gtest/gtest.h>

#include <QDir>
#include <utility>
#include <vector>

#include "platform/FileOps.h"
#include "print/AreaSettings.h"
#include "print/PrintSetup.h"
#include "support/TestSupport.h"

namespace {
struct FaultOff {
  ~FaultOff() { fileops::setFaultInjector({}); }
};
}  // namespace

TEST(AreaSettingsFileName, KeepsTheFirstEightCharactersAsTheyStand) {
  DataFolder folder;  // no settings file saved yet
  EXPECT_EQ(areaSettingsFileName("All_Areas"), "All_Area.IGH");
  EXPECT_EQ(areaSettingsFileName("Kitchen"), "Kitchen.IGH");
  EXPECT_EQ(areaSettingsFileName("Bar"), "Bar.IGH");
  // Two long areas that start alike are both offered the same free name
  // (the first to save keeps it; see below).
  EXPECT_EQ(areaSettingsFileName("Restaurant Bar"), "Restaura.IGH");
  EXPECT_EQ(areaSettingsFileName("Restaurant Patio"), "Restaura.IGH");
  // A blank as the eighth character stays, just before the extension.
  EXPECT_EQ(areaSettingsFileName("Kitchen North"), "Kitchen .IGH");
  // Letters of any script are kept, and a letter outside the basic plane is
  // one character, never cut in half.
  EXPECT_EQ(areaSettingsFileName(QString::fromUtf8("Café Süd-Flügel")), QString::fromUtf8("Café Süd.IGH"));
  EXPECT_EQ(areaSettingsFileName(QString::fromUtf8("厨房🍳🍳🍳🍳🍳🍳🍳")), QString::fromUtf8("厨房🍳🍳🍳🍳🍳🍳.IGH"));
  EXPECT_EQ(areaSettingsFileName("O'Brien, Pub"), "O'Brien,.IGH");
}

TEST(AreaSettingsFileName, EachAreaHasAFileOfItsOwnAndOldFoldersKeepTheirNames) {
  // The settings files a folder holds (name, first line) and the file each area gets.
  const struct {
    std::vector<std::pair<const char*, const char*>> files;
    const char* area;
    const char* expected;
  } cases[] = {
      {{}, "Restaurant Bar", "Restaura.IGH"},
      {{{"Restaura.IGH", "Restaurant Bar"}}, "Restaurant Bar", "Restaura.IGH"},
      {{{"Restaura.IGH", "Restaurant Bar"}}, "restaurant bar", "Restaura.IGH"},
      {{{"Restaura.IGH", "Restaurant Bar"}}, "Restaurant Patio", "Restaura~2.IGH"},
      {{{"Restaura.IGH", "Restaurant Bar"}, {"Restaura~2.IGH", "Restaurant Patio"}},
       "Restaurant Patio", "Restaura~2.IGH"},
      {{{"Restaura.IGH", "Restaurant Bar"}, {"Restaura~2.IGH", "Restaurant Patio"}},
       "Restaurant Pool", "Restaura~3.IGH"},
      {{{"Restaura~2.IGH", "Restaurant Patio"}}, "Restaurant Patio", "Restaura~2.IGH"},
      {{{"Restaura~2.IGH", "Restaurant Patio"}}, "Restaurant Bar", "Restaura.IGH"},
      {{{"RESTAURA.IGH", "RESTAURANT BAR"}}, "Restaurant Bar", "RESTAURA.IGH"},
      {{{"RESTAURA.IGH", "RESTAURANT BAR"}}, "Restaurant Patio", "Restaura~2.IGH"},
      {{{"Kitchen.IGH", ""}}, "Kitchen", "Kitchen.IGH"},
      {{{"Bar_Gril.IGH", "Bar/Grill"}}, "Bar:Grill", "Bar_Gril~2.IGH"},
      // "All_Area.IGH" asks for every area: no other area may have it.
      {{}, "All_Area Grill", "All_Area~2.IGH"},
      {{{"All_Area.IGH", "All_Area Grill"}}, "All_Areas", "All_Area.IGH"},
      {{{"ALL_AREA.IGH", "All_Areas"}}, "all_areas", "ALL_AREA.IGH"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.area);
    DataFolder folder;
    for (const auto& [name, area] : c.files) folder.write(name, QByteArray(area) + "\r\nCook\r\n");
    EXPECT_EQ(asTheDiskCompares({areaSettingsFileName(c.area)}), asTheDiskCompares({c.expected}));
  }
}

TEST(AreaSettingsFileName, NeverLeavesTheDataFolderAndHoldsOnlyWhatFileNamesMayHold) {
  DataFolder folder;
  EXPECT_EQ(areaSettingsFileName("../../x"), ".._.._x.IGH");
  EXPECT_EQ(areaSettingsFileName("Bar/Grill"), "Bar_Gril.IGH");
  EXPECT_EQ(areaSettingsFileName("Bldg: A"), "Bldg_ A.IGH");
  EXPECT_EQ(areaSettingsFileName("a\\b<c>d"), "a_b_c_d.IGH");
  EXPECT_EQ(areaSettingsFileName("\"q\"|?*"), "_q____.IGH");
  EXPECT_EQ(areaSettingsFileName(QString("Tab\there")), "Tab_here.IGH");
  EXPECT_EQ(areaSettingsFileName(QString("x\ny")), "x_y.IGH");
  // Windows opens a device for these names, whatever the extension.
  EXPECT_EQ(areaSettingsFileName("con"), "con_.IGH");
  EXPECT_EQ(areaSettingsFileName("LPT1"), "LPT1_.IGH");
  EXPECT_EQ(areaSettingsFileName("Console"), "Console.IGH");
  for (const QString& area : {"../../x", "Bar/Grill", "Bldg: A", "..", ".", "/", "C:\\x"})
    EXPECT_TRUE(isBareFileName(areaSettingsFileName(area))) << area.toStdString();

  EXPECT_FALSE(isBareFileName(""));
  EXPECT_FALSE(isBareFileName(".."));
  EXPECT_FALSE(isBareFileName("../x.IGH"));
  EXPECT_FALSE(isBareFileName("sub/x.IGH"));
  EXPECT_TRUE(isBareFileName("Kitchen .IGH"));
}

TEST(AreaSettingsFile, WritesOnlyTheFilledTimesAndLabelsSoLaterValuesMoveUp) {
  DataFolder folder;
  AreaSettings s;
  s.area = "Kitchen";
  s.position = "Cook";
  s.dayOrWeek = "Weekly";
  s.number = "1";
  s.times = {"7A.M. - 3P.M.", "", "3P.M. - 11P.M.", ""};
  s.labels = {"Morning", "Evening", "Late", ""};
  ASSERT_TRUE(writeAreaSettings("Kitchen.IGH", s));
  EXPECT_EQ(folder.read("Kitchen.IGH"),
            "Kitchen\r\nCook\r\nWeekly\r\n1\r\n7A.M. - 3P.M.\r\nMorning\r\nEvening\r\n"
            "3P.M. - 11P.M.\r\nLate\r\n");

  // Reading goes strictly by line number: label 2 comes back as time 2.
  bool ok = false;
  const AreaSettings back = readAreaSettings("Kitchen.IGH", &ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ(back.lineCount, 9);
  EXPECT_EQ(back.times[1], "Evening");
  EXPECT_EQ(back.labels[1], "3P.M. - 11P.M.");
  EXPECT_EQ(back.times[2], "Late");
  EXPECT_EQ(back.labels[2], "");
}

TEST(AreaSettingsFile, ReadsHandEditedFilesValueByLine) {
  DataFolder folder;
  // LF-only lines, blanks around values, a comma inside a label, a lone CR,
  // the code page of the old program, and lines after the twelfth.
  folder.write("Bar.IGH",
               "  Bar  \nNOTHING\nMonday\r\n\n7A.M. - 3P.M.\nEarly, busy\r3P.M. - 11P.M.\nLate\n"
               "t3\nl3\nt4\nl4\nextra\nmore\n");
  folder.write("Caf.IGH", "Caf\xE9\r\n");
  bool ok = false;
  AreaSettings s = readAreaSettings("Bar.IGH", &ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ(s.area, "Bar");
  EXPECT_EQ(s.position, "NOTHING");
  EXPECT_EQ(s.dayOrWeek, "Monday");
  EXPECT_EQ(s.number, "");
  EXPECT_EQ(s.times[0], "7A.M. - 3P.M.");
  EXPECT_EQ(s.labels[0], "Early, busy");
  EXPECT_EQ(s.times[1], "3P.M. - 11P.M.");
  EXPECT_EQ(s.labels[3], "l4");
  EXPECT_EQ(readAreaSettings("Caf.IGH").area, QString::fromUtf8("Café"));

  readAreaSettings("Missing.IGH", &ok);
  EXPECT_FALSE(ok);
  readAreaSettings("../Bar.IGH", &ok);
  EXPECT_FALSE(ok);
}

TEST(AreaSettingsFile, KeepsEveryCharacterAndRefusesNamesOutsideTheFolder) {
  DataFolder folder;
  AreaSettings s;
  s.area = QString::fromUtf8("Café");
  ASSERT_TRUE(writeAreaSettings("Caf.IGH", s));
  EXPECT_EQ(folder.read("Caf.IGH"), "Caf\xE9\r\n\r\n\r\n\r\n");  // the old code page
  s.area = QString::fromUtf8("厨房");
  ASSERT_TRUE(writeAreaSettings("Kit.IGH", s));
  EXPECT_EQ(readAreaSettings("Kit.IGH").area, QString::fromUtf8("厨房"));

  QString error;
  EXPECT_FALSE(writeAreaSettings("../x.IGH", s, &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_FALSE(QFile::exists(QDir(folder.path()).absoluteFilePath("../x.IGH")));
}

TEST(AreaSettingsFile, AFailedSaveSaysWhyAndLeavesTheOldFile) {
  DataFolder folder;
  FaultOff off;
  folder.write("Bar.IGH", "old\r\n");
  fileops::setFaultInjector([](FileStep step, const QString&) { return step == FileStep::Write; });
  AreaSettings s;
  s.area = "Bar";
  QString error;
  EXPECT_FALSE(writeAreaSettings("Bar.IGH", s, &error));
  EXPECT_TRUE(error.contains("Bar.IGH"));
  EXPECT_EQ(folder.read("Bar.IGH"), "old\r\n");
  EXPECT_FALSE(writePrintFile("Bar.IGH", &error));
  EXPECT_FALSE(writeExemptFile({}, &error));
  EXPECT_FALSE(folder.exists("PRINT.IGH"));
  EXPECT_FALSE(folder.exists("EXEMPT.IGH"));
}

TEST(HandOverFiles, PrintFileHoldsTheSettingsFileNameOnOneLine) {
  DataFolder folder;
  ASSERT_TRUE(writePrintFile("Kitchen .IGH"));
  EXPECT_EQ(folder.read("PRINT.IGH"), "Kitchen .IGH\r\n");
  bool ok = false;
  EXPECT_EQ(readPrintFile(&ok), "Kitchen .IGH");
  EXPECT_TRUE(ok);
  // A name with a comma is one name; blanks after ".IGH" are never part of it.
  folder.write("PRINT.IGH", "Bar, Gri.IGH   \r\n");
  EXPECT_EQ(readPrintFile(), "Bar, Gri.IGH");
  QFile::remove(folder.file("PRINT.IGH"));
  EXPECT_EQ(readPrintFile(&ok), "");
  EXPECT_FALSE(ok);
}

TEST(HandOverFiles, ExemptFileEndsWithOneEmptyLineAndKeepsWholeNames) {
  DataFolder folder;
  ASSERT_TRUE(writeExemptFile({}));
  EXPECT_EQ(folder.read("EXEMPT.IGH"), "\r\n");
  EXPECT_TRUE(readExemptFile().isEmpty());

  const QString longName = "Maximiliana Alexandra Featherstonehaugh";  // 39 characters
  ASSERT_TRUE(writeExemptFile({exclusionEntry("Smith, John"), exclusionEntry(longName)}));
  EXPECT_EQ(folder.read("EXEMPT.IGH"),
            "Smith, John                   \r\n" + longName.toLatin1() + "\r\n\r\n");
  EXPECT_EQ(readExemptFile(), QStringList({"Smith, John", longName}));

  // The table ends at the first empty entry, as the printing always read it.
  folder.write("EXEMPT.IGH", "Ann\r\n   \r\nBob\r\n");
  EXPECT_EQ(readExemptFile(), QStringList({"Ann"}));
}

TEST(PrintSetupRules, ExclusionEntriesArePaddedToThirtyButLongNamesStayWhole) {
  EXPECT_EQ(exclusionEntry("Ann Lee"), "Ann Lee" + QString(23, ' '));
  EXPECT_EQ(exclusionEntry(""), QString(30, ' '));
  const QString thirtyOne = QString(31, 'x');
  EXPECT_EQ(exclusionEntry(thirtyOne), thirtyOne);
}

TEST(PrintSetupRules, SortedListsIgnoreCaseAndDoNotDependOnTheOrderOfAdding) {
  QStringList names{"bob", "Zed", "amy", "Bob", "Amy"};
  sortEntries(names);
  // Equal names but for their case stand together; which comes first is the
  // collation's (Linux puts capitals first, Windows small letters).
  EXPECT_EQ(names.join('|').toLower(), "amy|amy|bob|bob|zed");
  EXPECT_EQ(sortedInsertIndex(names, "ann"), 2);
  EXPECT_EQ(sortedInsertIndex(names, "Zed"), 5);  // a second equal entry goes after the first
  EXPECT_EQ(sortedInsertIndex({}, "x"), 0);
}
