// The print window: its controls as designed, "&Print" and "Process &Data
// Preview" over a real employee.mdb, the reset, and the ways out.
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>

#include "ScheduleTestSupport.h"
#include "app/Frmemployee1.h"
#include "data/DataControl.h"
#include "db/EmployeeFields.h"
#include "platform/CommonDialog.h"
#include "platform/Forms.h"
#include "platform/Geometry.h"
#include "platform/Help.h"
#include "platform/MessageBox.h"
#include "platform/Pointer.h"
#include "print/FrmPrintFull.h"
#include "print/FrmPrintItBaby.h"
#include "print/PrintSetup.h"
#include "print/ScheduleLayout.h"
#include "support/PdfText.h"
#include "support/ServerDatabase.h"

namespace {
const QString kDone = "Data compiled successfully and sent to printer.";
const QString kFailed = "Please check your printer and try again.";
const QString kQuestion =
    "Would you like to add the sentences and extra label information you configured from the "
    "Extras screen for this printing?";

QString unmarked(QString name) {
  if (name.startsWith("* ")) name.remove(0, 2);
  if (name.endsWith(" *")) name.chop(2);
  return name;
}
}  // namespace

class PrintWindowTest : public ScheduleTest {
 protected:
  PrintWindowTest() {
    folder.install("employee.mdb");
    folder.install("clouds.bmp");
  }
  ~PrintWindowTest() override { deleteAllWindows(); }

  // A week of the kitchen with every rule in play, and staff of other areas.
  void realisticWeek() {
    EmployeeRow ann = staffMember("Ann Lee", "Cook", {"Kitchen"});
    for (int d = 0; d < 5; ++d) works(ann, d, "7A.M.", "3P.M.", "Kitchen");
    works(ann, day::Sun, "9A.M.", "11P.M.", "Kitchen");
    EmployeeRow bob = staffMember("bob Stone", "Waiter", {"Bar", "Kitchen"});
    works(bob, day::Tue, "7A.M.", "3P.M.", "Kitchen");
    splitShift(bob, day::Tue, "7A.M.", "3P.M.", "Kitchen");  // listed once, for the main shift
    splitShift(bob, day::Wed, "3P.M.", "11P.M.", "Kitchen");
    EmployeeRow cara = staffMember("Cara O'Neil, Jr.", "Cook", {"Bar", "No", "Kitchen"});  // third area
    works(cara, day::Sat, "9A.M.", "11P.M.", "Kitchen");
    special(cara, day::Fri, "Kitchen");
    EmployeeRow dee = staffMember("D", "Cook", {"K", "Kitchen"});  // first area one letter long
    works(dee, day::Thu, "3P.M.", "11P.M.", "Kitchen");
    EmployeeRow eve = staffMember("Ève Zoë", "Cook", {"Kitchen"});
    works(eve, day::Mon, "3P.M.", "11P.M.", "Kitchen");
    EmployeeRow off = staffMember("Off Olga", "Cook", {"Kitchen"});
    works(off, day::Mon, "7A.M.", "3P.M.", "Kitchen");
    EmployeeRow bar = staffMember("Barry Bar", "Waiter", {"Bar"});
    works(bar, day::Mon, "7A.M.", "3P.M.", "Bar");
    staff = {ann, bob, cara, dee, eve, off, bar};
    writeStaffTable(folder.file("employee.mdb"), staff);
    handOver({"Kitchen", "Cook", "Weekly", {"7A.M. - 3P.M.", "3P.M. - 11P.M.", "SPECIAL", "9A.M. - 11P.M."},
              {"Days", "Late", "On call", "Long"}},
             {"Off Olga"});
  }

  FrmPrintItBaby* open() {
    window = showForm<FrmPrintItBaby>();
    return window;
  }
  template <class T>
  T* find(const char* name) const {
    T* w = window ? window->findChild<T*>(name) : nullptr;
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  void click(const char* name) const {
    if (auto* b = find<QPushButton>(name)) b->click();
  }
  QStringList entries(int d, int k) const {
    QStringList out;
    QListWidget* box = window->gridBox(d, k);
    for (int i = 0; i < box->count(); ++i) out << box->item(i)->text();
    return out;
  }
  // The printed names of each block and day, marks taken off, sorted as the
  // preview's list boxes sort.
  std::array<std::array<QStringList, 7>, 4> printedCells(const RecordedSchedule& r) const {
    std::array<double, 5> tops;
    for (int k = 0; k < 4; ++k) tops[k] = r.one(window->printState().labels[k]).y;
    tops[4] = r.all(QString(127, '_')).last().text.y;
    std::array<std::array<QStringList, 7>, 4> cells;
    for (int k = 0; k < 4; ++k)
      for (int d = 0; d < 7; ++d) {
        for (const QString& n : r.column(d, tops[k], tops[k + 1])) cells[k][d] << unmarked(n);
        sortEntries(cells[k][d]);
      }
    return cells;
  }

  MessageBoxQueue boxes;
  QPointer<FrmPrintItBaby> window;
};

// Printing and the preview read the table on a server as they read the file.
class PrintWindowHomes : public OnBothHomes<PrintWindowTest> {};
ROTAWISE_BOTH_HOMES(PrintWindowHomes);

TEST_F(PrintWindowTest, EveryControlOfTheCatalogueWithItsCaptionPlaceAndLook) {
  QFile::remove("clouds.bmp");  // the plain grey of the design shows
  open();
  EXPECT_EQ(window->windowTitle(), "Print Preview");
  EXPECT_EQ(help::helpContext(window), 200);
  EXPECT_EQ(window->font().family(), mapFontFamily("MS Serif"));
  EXPECT_DOUBLE_EQ(window->font().pointSizeF(), 6);
  EXPECT_TRUE(window->font().bold());
  EXPECT_EQ(window->palette().color(QPalette::Window), rgb(192, 192, 192));
  EXPECT_FALSE(window->windowFlags() & Qt::WindowCloseButtonHint);
  const QFontMetrics fm(designFont("MS Serif", 6, true));
  EXPECT_EQ(window->rowUnit(), pixelsToTwips(fm.size(0, "WpgyG").height()));

  const int lefts[7] = {1080, 2280, 3480, 4680, 5880, 7080, 8280};
  const int tops[4] = {360, 1800, 3360, 4920};
  for (int d = 0; d < 7; ++d)
    for (int k = 0; k < 4; ++k) {
      const QString name = QString("txt%1%2").arg(fields::weekdays[d].prefix).arg(k + 1);
      auto* box = window->findChild<QListWidget*>(name);
      ASSERT_NE(box, nullptr) << name.toStdString();
      EXPECT_EQ(box, window->gridBox(d, k));
      EXPECT_EQ(box->geometry(), twipsRect(lefts[d], tops[k], 1215, k == 0 ? 1050 : 1215));
      EXPECT_TRUE(box->property("Sorted").toBool());
      EXPECT_DOUBLE_EQ(box->font().pointSizeF(), 6.75);
    }
  // The grid, and under the buttons the list of staff the preview leaves out.
  EXPECT_EQ(window->findChildren<QListWidget*>().size(), 29);
  EXPECT_EQ(window->unlistedBox()->geometry(), twipsRect(1080, 6960, 8415, 855));
  EXPECT_EQ(find<QLabel>("lblUnlisted")->text(), "Not on the schedule:");
  EXPECT_EQ(find<QListWidget>("txtMon1")->property("DataSource").toString(), "Data1");

  for (int k = 0; k < 4; ++k) {
    auto* label = find<QLabel>(qPrintable(QString("txtTime%1").arg(k + 1)));
    EXPECT_EQ(label->geometry(), twipsRect(0, tops[k], 1095, 375));
    EXPECT_EQ(label->palette().color(QPalette::Window), rgb(255, 255, 255));
    EXPECT_TRUE(label->font().bold());
  }
  auto* heads = find<QLabel>("Label12");
  EXPECT_EQ(heads->text(), "  Monday          Tuesday      Wednesday     Thursday         Friday   "
                           "       Saturday        Sunday");
  EXPECT_EQ(heads->geometry(), twipsRect(1080, 0, 8415, 255));
  EXPECT_EQ(heads->palette().color(QPalette::Window), rgb(0, 255, 0));
  auto* area = find<QLineEdit>("LblWhatArea");
  EXPECT_EQ(area->geometry(), twipsRect(0, 0, 975, 285));
  EXPECT_DOUBLE_EQ(area->font().pointSizeF(), 6.75);
  EXPECT_EQ(area->palette().color(QPalette::Base), rgb(0, 255, 0));
  auto* info = find<QLabel>("InfoLabel");
  EXPECT_EQ(info->text(), "Extra screen items are not shown in preview.");
  EXPECT_FALSE(info->isVisible());
  EXPECT_TRUE(info->font().underline());
  EXPECT_DOUBLE_EQ(info->font().pointSizeF(), 12);
  EXPECT_EQ(info->palette().color(QPalette::WindowText), rgb(0, 0, 128));
  EXPECT_EQ(find<QProgressBar>("ProgressBar1")->geometry(), twipsRect(1080, 6120, 8415, 255));

  struct Button {
    const char* name;
    const char* caption;
    int left, width;
  };
  for (const Button& b : {Button{"Command3", "Process &Data Preview", 240, 2055},
                          Button{"Command4", "&Print", 2640, 1695},
                          Button{"Command2", "&Return to previous screen", 4680, 2655},
                          Button{"Command1", "&Exit", 7680, 1575}}) {
    auto* button = find<QPushButton>(b.name);
    EXPECT_EQ(button->text(), b.caption);
    EXPECT_EQ(button->geometry(), twipsRect(b.left, 6480, b.width, 375));
    EXPECT_TRUE(button->font().bold());
  }
  EXPECT_EQ(find<QPushButton>("Command3")->palette().color(QPalette::Button), rgb(0, 0, 255));
  EXPECT_EQ(find<QPushButton>("Command4")->palette().color(QPalette::Button), rgb(0, 255, 0));
  EXPECT_NE(find<DataControl>("Data1"), nullptr);
  auto* dialog = window->findChild<CommonDialog*>("CommonDialog1");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->DialogTitle, "Choose Number of copies");
  // Every visible control lies inside the window.
  for (QWidget* w : window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
    if (w->isVisible()) EXPECT_TRUE(window->rect().contains(w->geometry())) << w->objectName().toStdString();
}

TEST_P(PrintWindowHomes, PrintRunsWithButtonsOffAsksForPrinterAndExtrasThenReports) {
  realisticWeek();
  open();
  auto choice = PrinterChoice::recording(target, 2);
  QStringList enabledWhileAsked;
  std::vector<ShownBox> shown;
  setMessageBoxHandler([&](const QString& text, int code, const QString& title) {
    shown.push_back({text, code, title});
    if (text == kQuestion)
      for (const char* b : {"Command1", "Command2", "Command3", "Command4"})
        if (find<QPushButton>(b)->isEnabled()) enabledWhileAsked << b;
    EXPECT_EQ(mousePointer(window), text == kQuestion ? pointer::Hourglass : pointer::Default);
    return text == kQuestion ? msg::No : msg::Ok;
  });
  click("Command4");
  setMessageBoxHandler({});

  EXPECT_EQ(choice->timesShown, 1);
  EXPECT_EQ(choice->lastTitle, "Choose Number of copies");
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].text, kQuestion);
  EXPECT_EQ(shown[0].title, "Warning question");
  EXPECT_EQ(shown[0].code, 36);
  EXPECT_EQ(shown[1].text, kDone);
  EXPECT_EQ(shown[1].title, "Ok!");
  EXPECT_EQ(shown[1].code, 48);
  EXPECT_TRUE(enabledWhileAsked.isEmpty()) << enabledWhileAsked.join(", ").toStdString();
  for (const char* b : {"Command1", "Command2", "Command3", "Command4"})
    EXPECT_TRUE(find<QPushButton>(b)->isEnabled());
  EXPECT_EQ(mousePointer(window), pointer::Default);
  EXPECT_FALSE(window->printState().extrasWanted);

  const RecordedSchedule r = recorded();
  ASSERT_EQ(r.documents(), 1);
  // Row unit of the window's own font.
  EXPECT_EQ(r.one("Monday").y, 4 * window->rowUnit());
  EXPECT_EQ(r.column(day::Mon, 0, 1e9).first(), "Ann Lee *");
  EXPECT_EQ(r.all("Ann Lee *").first().text.y, 7 * window->rowUnit());
  EXPECT_TRUE(r.has("* Cara O'Neil, Jr."));  // third area, weekend long day
  EXPECT_TRUE(r.has("Total staffing for this Schedule (3)"));
}

TEST_F(PrintWindowTest, CancelMissingFilesAndDatabaseErrorsEndWithThePrinterMessage) {
  realisticWeek();
  open();
  {
    auto cancel = PrinterChoice::cancel();
    click("Command4");
    EXPECT_EQ(cancel->timesShown, 1);
  }
  ASSERT_EQ(boxes.texts(), QStringList{kFailed});
  EXPECT_EQ(boxes.shown()[0].title, "Opps!");
  EXPECT_EQ(boxes.shown()[0].code, 48);
  EXPECT_EQ(mousePointer(window), pointer::Default);
  EXPECT_TRUE(find<QPushButton>("Command4")->isEnabled());

  auto choice = PrinterChoice::recording(target);
  boxes.clear();
  QFile::remove("PRINT.IGH");
  click("Command4");
  EXPECT_EQ(boxes.texts(), QStringList({kQuestion, kFailed}));

  // The printer refuses the finished page: an error, never "sent to printer".
  boxes.clear();
  handOver({"Kitchen", "Cook", "Weekly", {"7A.M. - 3P.M."}, {"Days"}});
  target->failNext = true;
  click("Command4");
  EXPECT_EQ(boxes.texts(), QStringList({kQuestion, kFailed}));

  boxes.clear();
#ifdef Q_OS_WIN
  return;  // Windows keeps a file that is open from being deleted
#endif
  QFile::remove("employee.mdb");
  click("Command4");
  EXPECT_EQ(boxes.texts(), QStringList({kQuestion, kFailed}));
  EXPECT_EQ(target->documents().size(), 0);
  EXPECT_TRUE(find<QPushButton>("Command1")->isEnabled());
}

TEST_P(PrintWindowHomes, PreviewListsExactlyThePrintedNamesAndStartsEmptyEachTime) {
  realisticWeek();
  open();
  auto choice = PrinterChoice::recording(target);
  click("Command4");
  ASSERT_EQ(boxes.texts().last(), kDone);
  const auto printed = printedCells(recorded());

  click("Command3");
  click("Command3");  // a second press shows the same, not every name twice
  EXPECT_EQ(window->windowTitle(), "KITCHEN Schedule");
  EXPECT_EQ(find<QLineEdit>("LblWhatArea")->text(), "Kitchen");
  EXPECT_EQ(find<QLabel>("txtTime3")->text(), "On call");
  EXPECT_TRUE(find<QLabel>("InfoLabel")->isVisible());
  EXPECT_FALSE(find<QProgressBar>("ProgressBar1")->isVisible());
  EXPECT_EQ(mousePointer(window), pointer::Default);
  int listed = 0;
  for (int k = 0; k < 4; ++k)
    for (int d = 0; d < 7; ++d) {
      SCOPED_TRACE(testing::Message() << "block " << k + 1 << " day " << d);
      EXPECT_EQ(entries(d, k), printed[k][d]);
      listed += entries(d, k).size();
    }
  EXPECT_EQ(listed, 14);
  // The rules the old preview broke: a third area, a short first area, the
  // main shift not listed again for a split, the weekend's second listing.
  EXPECT_EQ(entries(day::Sat, 3), QStringList{"Cara O'Neil, Jr."});
  EXPECT_EQ(entries(day::Sat, 1), QStringList{"Cara O'Neil, Jr."});
  EXPECT_EQ(entries(day::Thu, 1), QStringList{"D"});
  EXPECT_EQ(entries(day::Tue, 0), QStringList({"Ann Lee", "bob Stone"}));
  EXPECT_EQ(entries(day::Sun, 1), QStringList{"Ann Lee"});
  EXPECT_TRUE(entries(day::Mon, 3).isEmpty());
}

TEST_F(PrintWindowTest, PreviewOfASingleDayAndTheRefusalOfAllAreas) {
  realisticWeek();
  handOver({"Kitchen", "Cook", "Monday", {"7A.M. - 3P.M.", "3P.M. - 11P.M."}, {"Days", "Late"}},
           {"Off Olga"});
  open();
  click("Command3");
  EXPECT_EQ(entries(day::Mon, 0), QStringList{"Ann Lee"});
  EXPECT_EQ(entries(day::Mon, 1), QStringList{"Ève Zoë"});
  EXPECT_TRUE(entries(day::Tue, 0).isEmpty());
  EXPECT_TRUE(boxes.shown().empty());

  handOver({"All_Areas", "Cook", "Weekly", {"7A.M. - 3P.M."}, {"Days"}});
  click("Command3");
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_TRUE(boxes.shown()[0].text.startsWith(
      "You cannot Preview ALL areas in the preview window.  Use the Print command button"));
  EXPECT_TRUE(boxes.shown()[0].text.endsWith("This must be limited due to screen size."));
  EXPECT_EQ(boxes.shown()[0].title, "Ok!");
  EXPECT_EQ(entries(day::Mon, 0), QStringList{"Ann Lee"});  // the grid keeps what it had
  EXPECT_EQ(window->windowTitle(), "ALL_AREAS Schedule");
  EXPECT_FALSE(find<QProgressBar>("ProgressBar1")->isVisible());
  EXPECT_EQ(mousePointer(window), pointer::Default);

  boxes.clear();
  QFile::remove("EXEMPT.IGH");
  click("Command3");
  EXPECT_EQ(boxes.texts(), QStringList{kFailed});
  EXPECT_EQ(mousePointer(window), pointer::Default);
}

TEST_F(PrintWindowTest, ComingBackToTheWindowEmptiesGridAndLabels) {
  realisticWeek();
  open();
  click("Command3");
  ASSERT_FALSE(entries(day::Mon, 0).isEmpty());
  // A message box of the window's own does not reset it.
  QApplication::processEvents();
  EXPECT_FALSE(entries(day::Mon, 0).isEmpty());

  QWidget other;
  other.show();
  other.activateWindow();
  QApplication::processEvents();
  window->activateWindow();
  QApplication::processEvents();
  for (int d = 0; d < 7; ++d)
    for (int k = 0; k < 4; ++k) EXPECT_TRUE(entries(d, k).isEmpty());
  EXPECT_TRUE(find<QLabel>("txtTime1")->text().isEmpty());
  EXPECT_FALSE(find<QProgressBar>("ProgressBar1")->isVisible());
}

TEST_F(PrintWindowTest, ReturnOpensThePrintSetupAndExitTheMainWindow) {
  folder.installAll();
  open();
  click("Command2");
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());
  ASSERT_NE(findForm<FrmPrintFull>(), nullptr);
  EXPECT_TRUE(findForm<FrmPrintFull>()->isVisible());

  open();
  click("Command1");
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());
  ASSERT_NE(findForm<Frmemployee1>(), nullptr);
  EXPECT_TRUE(findForm<Frmemployee1>()->isVisible());
}

TEST_F(PrintWindowTest, WhoWorksHereAtHoursNoTimeListsIsNamedAfterThePrintAndUnderThePreview) {
  realisticWeek();
  EmployeeRow gil = staffMember("Gil Odd", "Cook", {"Kitchen"});
  works(gil, day::Wed, "10A.M.", "6P.M.", "Kitchen");
  staff << gil;
  writeStaffTable(folder.file("employee.mdb"), {gil});
  open();
  auto choice = PrinterChoice::recording(target);
  click("Command4");
  // One closing message: sent, and who the paper leaves out.
  ASSERT_EQ(boxes.shown().size(), 2u);
  EXPECT_EQ(boxes.shown()[1].text,
            kDone + "\n\nThese staff work in the printed area on these days, but their hours "
                    "match none of the schedule's four times, so the paper leaves them out:\n"
                    "Gil Odd: Wednesday 10A.M. - 6P.M. (Kitchen)");
  EXPECT_EQ(boxes.shown()[1].title, "Ok!");
  EXPECT_FALSE(recorded().has("Gil Odd"));  // the paper is as it was

  click("Command3");
  QStringList under;
  for (int i = 0; i < window->unlistedBox()->count(); ++i) under << window->unlistedBox()->item(i)->text();
  EXPECT_EQ(under, QStringList{"Gil Odd: Wednesday 10A.M. - 6P.M."});
  EXPECT_TRUE(window->unlistedBox()->isVisible());
  EXPECT_TRUE(window->rect().contains(window->unlistedBox()->geometry()));
  if (const QByteArray dir = qgetenv("ROTAWISE_SCREENSHOTS"); !dir.isEmpty())
    EXPECT_TRUE(window->grab().save(QString::fromLocal8Bit(dir) + "/FrmPrintItBaby-preview.png"));
}

TEST_F(PrintWindowTest, ThePreviewsButtonsWaitUntilItIsDone) {
  realisticWeek();
  open();
  // A press of "Process &Data Preview" waiting while the grid fills.
  QPushButton* preview = find<QPushButton>("Command3");
  const QPoint at = preview->rect().center();
  QCoreApplication::postEvent(preview, new QMouseEvent(QEvent::MouseButtonPress, at,
                                                       preview->mapToGlobal(at), Qt::LeftButton,
                                                       Qt::LeftButton, Qt::NoModifier));
  QCoreApplication::postEvent(preview, new QMouseEvent(QEvent::MouseButtonRelease, at,
                                                       preview->mapToGlobal(at), Qt::LeftButton,
                                                       Qt::NoButton, Qt::NoModifier));
  QStringList enabledWhileRunning;
  QObject::connect(find<QProgressBar>("ProgressBar1"), &QProgressBar::valueChanged, window, [&] {
    for (const char* b : {"Command1", "Command2", "Command3", "Command4"})
      if (find<QPushButton>(b)->isEnabled()) enabledWhileRunning << b;
  });
  click("Command3");
  QApplication::processEvents();
  EXPECT_TRUE(enabledWhileRunning.isEmpty()) << enabledWhileRunning.join(", ").toStdString();
  EXPECT_EQ(entries(day::Tue, 0), QStringList({"Ann Lee", "bob Stone"}));  // each name once
  EXPECT_EQ(entries(day::Sun, 1), QStringList{"Ann Lee"});
  for (const char* b : {"Command1", "Command2", "Command3", "Command4"})
    EXPECT_TRUE(find<QPushButton>(b)->isEnabled()) << b;
}

// A long all-areas print tells how far it has come: the bar moves area by
// area under the hourglass while the buttons stay off, and goes at the end.
TEST_F(PrintWindowTest, AnAllAreasPrintShowsItsProgressAreaByArea) {
  handOverSampleWeek(folder.file("employee.mdb"));
  open();
  auto choice = PrinterChoice::pdfFile(folder.file("week.pdf"));
  QList<int> shown;
  QStringList enabledWhileRunning;
  QProgressBar* bar = find<QProgressBar>("ProgressBar1");
  QObject::connect(bar, &QProgressBar::valueChanged, window, [&](int value) {
    shown << value;
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->maximum(), 3);
    EXPECT_EQ(mousePointer(window), pointer::Hourglass);
    for (const char* b : {"Command1", "Command2", "Command3", "Command4"})
      if (find<QPushButton>(b)->isEnabled()) enabledWhileRunning << b;
  });
  click("Command4");
  EXPECT_TRUE(shown.contains(1) && shown.contains(2)) << shown.size();
  EXPECT_TRUE(enabledWhileRunning.isEmpty()) << enabledWhileRunning.join(", ").toStdString();
  EXPECT_FALSE(bar->isVisible());
  EXPECT_EQ(pdfPageCount(folder.file("week.pdf")), 3);
}
