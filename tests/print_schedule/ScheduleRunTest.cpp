// The print run: the hand-over files, one document per area in an all-areas
// run, and every way it can fail.
#include <QFile>

#include "ScheduleTestSupport.h"
#include "lists/ListFile.h"
#include "print/AreaSettings.h"
#include "data/RecordSet.h"
#include "support/PdfText.h"

namespace {
QString titleOf(const QString& area) {
  return area + " Schedule for week of " + clock_::shortDate(QDate(2025, 3, 14));
}
}  // namespace

class AllAreasTest : public ScheduleTest {
 protected:
  AllAreasTest() {
    for (const QString& area : {"Kitchen", "Restaurant Bar", "Patio"}) {
      EmployeeRow e = staffMember(area + " Cook", "Cook", {area});
      works(e, day::Mon, "7A.M.", "3P.M.", area);
      staff << e;
      saveAreaChoices({area, "NOTHING", "Weekly", {"7A.M. - 3P.M."}, {area + " days"}});
    }
    // What the Ok button leaves for "All_Areas".
    handOver({"All_Areas", "NOTHING", "Weekly", {"3P.M. - 11P.M."}, {"Unused"}});
  }
  void areas(const QByteArray& bytes) { folder.write("AREAS.IGH", bytes); }
};

TEST_F(AllAreasTest, OneDocumentPerAreaWithItsOwnChoicesInListOrder) {
  areas("Kitchen\r\nRestaurant Bar\r\nPatio\r\n");
  EXPECT_EQ(print(), 3);
  const RecordedSchedule r = recorded();
  ASSERT_EQ(r.documents(), 3);
  const QStringList areaNames = {"Kitchen", "Restaurant Bar", "Patio"};
  for (int doc = 0; doc < 3; ++doc) {
    const QString& area = areaNames[doc];
    SCOPED_TRACE(area.toStdString());
    EXPECT_TRUE(r.has(titleOf(area), doc));
    EXPECT_TRUE(r.has(area + " days", doc));  // that area's label, not "Unused"
    EXPECT_EQ(r.column(day::Mon, 0, 1e9, doc), QStringList{area + " Cook"});
    EXPECT_TRUE(r.has("Total staffing for this Schedule (1)", doc));
  }
  EXPECT_FALSE(r.has("Unused"));
  // "Restaurant Bar" is read from the file named by its first eight letters.
  EXPECT_TRUE(folder.exists("Restaura.IGH"));
}

TEST_F(AllAreasTest, EmptyListPrintsNothingAndBlankOrOneLetterItemsAreSkipped) {
  areas("");
  EXPECT_EQ(print(), 0);
  EXPECT_EQ(recorded().documents(), 0);

  // A cleared box of the area window leaves an empty line: the areas after it
  // are printed all the same.
  for (const QByteArray& list : {QByteArray("Kitchen\r\n\r\nRestaurant Bar\r\n  \r\nPatio\r\n"),
                                 QByteArray("Kitchen\r\nX\r\nRestaurant Bar\r\nPatio\r\n")}) {
    target = std::make_shared<RecordingTarget>();
    areas(list);
    EXPECT_EQ(print(), 3) << list.constData();
    const RecordedSchedule r = recorded();
    ASSERT_EQ(r.documents(), 3);
    EXPECT_TRUE(r.has(titleOf("Patio"), 2));
  }
}

TEST_F(AllAreasTest, AreasThatStartAlikeEachPrintTheirOwnChoices) {
  EmployeeRow e = staffMember("Patio Waiter", "Waiter", {"Restaurant Patio"});
  works(e, day::Mon, "7A.M.", "3P.M.", "Restaurant Patio");
  staff << e;
  saveAreaChoices({"Restaurant Patio", "NOTHING", "Weekly", {"7A.M. - 3P.M."}, {"Terrace"}});
  areas("Restaurant Bar\r\nRestaurant Patio\r\n");
  EXPECT_EQ(print(), 2);
  const RecordedSchedule r = recorded();
  EXPECT_TRUE(r.has(titleOf("Restaurant Bar"), 0));
  EXPECT_TRUE(r.has("Restaurant Bar days", 0));
  EXPECT_EQ(r.column(day::Mon, 0, 1e9, 0), QStringList{"Restaurant Bar Cook"});
  EXPECT_TRUE(r.has(titleOf("Restaurant Patio"), 1));
  EXPECT_TRUE(r.has("Terrace", 1));
  EXPECT_EQ(r.column(day::Mon, 0, 1e9, 1), QStringList{"Patio Waiter"});
  EXPECT_TRUE(folder.exists("Restaura.IGH") && folder.exists("Restaura~2.IGH"));
}

TEST_F(AllAreasTest, AnAreaWithoutSettingsFailsAfterTheAreasBeforeItPrinted) {
  areas("Kitchen\r\nGarage\r\nPatio\r\n");
  EXPECT_THROW(print(), ScheduleError);
  const RecordedSchedule r = recorded();
  ASSERT_EQ(r.documents(), 1);
  EXPECT_TRUE(r.has(titleOf("Kitchen"), 0));
  EXPECT_FALSE(r.has(titleOf("Patio")));

  // The print window's run passes over such an area and names it instead:
  // the areas after it are printed all the same.
  target = std::make_shared<RecordingTarget>();
  QStringList unset;
  EXPECT_EQ(print(true, &unset), 2);
  EXPECT_TRUE(recorded().has(titleOf("Patio"), 1));
  EXPECT_EQ(unset, QStringList{"Garage"});
  EXPECT_TRUE(unsetAreasNotice(unset).endsWith("press Save Info):\nGarage"));

  QFile::remove("AREAS.IGH");
  EXPECT_THROW(print(), ScheduleError);
}

TEST_F(AllAreasTest, APdfFileGetsTheAreasBeforeAFailingOneAndOnlyThose) {
  areas("Kitchen\r\nRestaurant Bar\r\nGarage\r\nPatio\r\n");
  const QString pdf = folder.file("run.pdf");
  Printer printer(makePdfTarget(pdf));
  ScheduleRun run;
  run.printer = &printer;
  run.readStaff = [this] { return staff; };
  run.rowUnit = kRow;
  run.date = clock_::shortDate(clock_::today());
  EXPECT_THROW(printSchedules(run, state), ScheduleError);
  ASSERT_EQ(pdfPageCount(pdf), 2);
  const QString text = pdfLayoutText(pdf);
  EXPECT_TRUE(text.contains("Kitchen Cook"));
  EXPECT_TRUE(text.contains("Restaurant Bar Cook"));
  EXPECT_FALSE(text.contains("Patio"));
}

TEST_F(ScheduleTest, HandOverFilesMissingOrNamingAPathAreFailures) {
  EmployeeRow e = staffMember("Ann Lee", "Cook", {"Kitchen"});
  works(e, day::Mon, "7A.M.", "3P.M.", "Kitchen");
  staff = {e};
  EXPECT_THROW(print(), ScheduleError);  // no PRINT.IGH at all

  handOver({"Kitchen", "NOTHING", "Weekly", {"7A.M. - 3P.M."}, {"Days"}});
  // A hand-edited PRINT.IGH that points outside the data folder is never opened,
  // even when the file it names exists.
  QDir(folder.path()).mkdir("sub");
  QFile::copy("Kitchen.IGH", "sub/Kitchen.IGH");
  for (const QByteArray& name : {QByteArray("sub/Kitchen.IGH"), QByteArray("./Kitchen.IGH"),
                                 folder.file("Kitchen.IGH").toUtf8(), QByteArray("..\\Kitchen.IGH"),
                                 QByteArray("")}) {
    folder.write("PRINT.IGH", name + "\r\n");
    EXPECT_THROW(print(), ScheduleError) << name.constData();
  }
  folder.write("PRINT.IGH", "Garage.IGH\r\n");
  EXPECT_THROW(print(), ScheduleError);
  folder.write("PRINT.IGH", "Kitchen.IGH\r\n");
  QFile::remove("EXEMPT.IGH");
  EXPECT_THROW(print(), ScheduleError);
  EXPECT_EQ(recorded().documents(), 0);

  // Trailing blanks on the line are no part of the name.
  ASSERT_TRUE(writeExemptFile({}));
  folder.write("PRINT.IGH", "Kitchen.IGH   \r\n");
  EXPECT_EQ(print(), 1);
}

TEST_F(ScheduleTest, APrinterErrorAtTheFootIsAFailureAndTheDocumentIsDropped) {
  EmployeeRow e = staffMember("Ann Lee", "Cook", {"Kitchen"});
  works(e, day::Mon, "7A.M.", "3P.M.", "Kitchen");
  staff = {e};
  handOver({"Kitchen", "NOTHING", "Weekly", {"7A.M. - 3P.M."}, {"Days"}});
  target->failNext = true;
  EXPECT_THROW(print(), PrinterError);
  EXPECT_EQ(recorded().documents(), 0);
  // The next run prints whole, nothing left over from the failed one.
  EXPECT_EQ(print(), 1);
  EXPECT_EQ(recorded().all("Ann Lee").size(), 1);
}

TEST_F(ScheduleTest, SettingsAreReadByLineNumberAndTheStateKeepsThem) {
  folder.write("Kitchen.IGH", "  Kitchen \r\nCook\r\nWeekly\r\n 12abc\r\n7A.M. - 3P.M.\r\nDays\r\n");
  ASSERT_TRUE(writePrintFile("Kitchen.IGH"));
  ASSERT_TRUE(writeExemptFile({"Ann Lee"}));
  state.times[3] = "left over";
  state.labels[3] = "from before";
  print();
  EXPECT_EQ(state.area, "Kitchen");
  EXPECT_EQ(state.markedPosition, "Cook");
  EXPECT_EQ(state.copies, 12);
  EXPECT_EQ(state.times[0], "7A.M. - 3P.M.");
  EXPECT_TRUE(state.times[3].isEmpty() && state.labels[3].isEmpty());
  EXPECT_EQ(state.exclusions, QStringList{"Ann Lee"});
  EXPECT_EQ(numberFieldValue(""), 0);
  EXPECT_EQ(numberFieldValue("-3"), -3);
  EXPECT_EQ(numberFieldValue("99999"), 32767);
}

// A large table is made into rows on another thread while the read goes on
// (in runs of records): every record comes back in table order, trimmed, with
// the keys the selection compares, as a small table's do.
TEST(ScheduleRead, EveryRecordBecomesItsRowWithItsKeysInTableOrder) {
  for (int employees : {3, 2600}) {  // made here, and on another thread
    SCOPED_TRACE(employees);
    DataFolder folder;
    folder.install("employee.mdb");
    QVector<EmployeeRow> written;
    for (int i = 0; i < employees; ++i) {
      EmployeeRow e = staffMember(QString::fromUtf8("O'Brien, Seán %1").arg(i),
                                  i % 3 ? "Cook" : " chef ", {i % 2 ? "Kitchen" : "Bar/Grill"});
      works(e, i % 7, "7a.m.", "3P.M.", i % 5 ? "kitchen " : "Patio");
      if (i % 4 == 0) splitShift(e, (i + 3) % 7, "5P.M.", "9P.M.", "Bar/Grill");
      written << e;
    }
    writeStaffTable(folder.file("employee.mdb"), written);
    RecordSet records;
    records.open("employee.mdb", "Employees");
    const QVector<EmployeeRow> read = readEmployees(records);
    ASSERT_EQ(read.size(), employees);
    for (int i = 0; i < employees; ++i) {
      const EmployeeRow& e = written[i];
      const EmployeeRow& r = read[i];
      ASSERT_EQ(r.fullname, e.fullname) << i;
      ASSERT_EQ(r.position, e.position.trimmed()) << i;
      ASSERT_TRUE(r.areaKeys && r.dayKeys && r.nameKey) << i;
      // The keys worked out with the read's memo are those of the row alone.
      ASSERT_EQ(*r.areaKeys, areaKeysOf(r)) << i;
      ASSERT_EQ(*r.nameKey, e.fullname.toUpper()) << i;
      for (int d = 0; d < 7; ++d) {
        const EmployeeDayKeys want = dayKeysOf(r)[d], got = (*r.dayKeys)[d];
        ASSERT_EQ(r.days[d].start, e.days[d].start) << i << " " << d;
        ASSERT_EQ(std::tie(got.main, got.split, got.mainArea, got.splitArea, got.mainShift),
                  std::tie(want.main, want.split, want.mainArea, want.splitArea, want.mainShift))
            << i << " " << d;
      }
    }
  }
}
