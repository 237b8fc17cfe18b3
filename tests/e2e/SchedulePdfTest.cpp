// The whole road of a schedule: the print window prints every area of a
// realistic week through the real printer code into one PDF, read back with
// pdftotext. Set ROTAWISE_SCREENSHOTS to a folder to keep the PDF and a
// picture of the filled preview there.
#include <gtest/gtest.h>

#include <QFile>
#include <QPushButton>

#include "platform/Clock.h"
#include "platform/CommonDialog.h"
#include "platform/Forms.h"
#include "print/AreaSettings.h"
#include "print/FrmPrintItBaby.h"
#include "support/PdfText.h"
#include "support/ScheduleData.h"
#include "support/TestSupport.h"

namespace {
void keep(const QString& from, const QString& name) {
  const QByteArray folder = qgetenv("ROTAWISE_SCREENSHOTS");
  if (folder.isEmpty()) return;
  QFile::remove(QString(folder) + "/" + name);
  QFile::copy(from, QString(folder) + "/" + name);
}
}  // namespace

TEST(SchedulePdf, AllAreasOfARealWeekPrintIntoOnePdfInAreaOrder) {
  DataFolder folder;
  folder.install("employee.mdb");
  folder.install("clouds.bmp");
  clock_::fixNow(QDateTime(QDate(2025, 3, 14), QTime(9, 30)));
  handOverSampleWeek(folder.file("employee.mdb"));
  MessageBoxQueue boxes;  // Yes to the extras, OK to the closing message

  const QString pdf = folder.file("week.pdf");
  auto* window = showForm<FrmPrintItBaby>();
  {
    auto choice = PrinterChoice::pdfFile(pdf);
    window->findChild<QPushButton*>("Command4")->click();
  }
  ASSERT_EQ(boxes.texts().last(), "Data compiled successfully and sent to printer.");
  keep(pdf, "schedule-week.pdf");

  const QString text = pdfLayoutText(pdf);
  ASSERT_FALSE(text.isEmpty());
  const QStringList pages = text.split('\f', Qt::SkipEmptyParts);
  EXPECT_EQ(pdfPageCount(pdf), 3);
  const QString date = clock_::shortDate(QDate(2025, 3, 14));
  const QStringList areas = {"Kitchen", "Restaurant Bar", "Front Desk"};
  const QList<QStringList> someNames = {{"Maria Gonzalez *", "Fatima Al-Sayed", "Chloé Dubois"},
                                        {"Rebecca Thompson", "Olivia Brown *", "Diego Hernández"},
                                        {"Ahmed Hassan", "Sarah Johnson", "Robert Miller"}};
  const QStringList counts = {"(7)", "(7)", "(6)"};
  ASSERT_GE(pages.size(), 3);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(areas[i].toStdString());
    const QString& page = pages[i];
    EXPECT_TRUE(page.contains(areas[i] + " Schedule for week of " + date));
    for (const char* heading : {"Monday", "Wednesday", "Sunday"}) EXPECT_TRUE(page.contains(heading));
    for (const QString& name : someNames[i]) EXPECT_TRUE(page.contains(name)) << name.toStdString();
    EXPECT_TRUE(page.contains("Total staffing for this Schedule " + counts[i]));
    EXPECT_TRUE(page.contains("Manager on duty"));
    EXPECT_TRUE(page.contains("Swap a shift only with your manager's written approval."));
    EXPECT_FALSE(page.contains("NOTHING"));
  }
  // Days and nights of one line stand side by side, in their day order.
  const QString kitchen = pages[0];
  const int line = kitchen.indexOf("Maria Gonzalez *");
  const QString row = kitchen.mid(kitchen.lastIndexOf('\n', line) + 1,
                                  kitchen.indexOf('\n', line) - kitchen.lastIndexOf('\n', line));
  EXPECT_LT(row.indexOf("Maria Gonzalez *"), row.indexOf("Chloé Dubois"));
  EXPECT_GE(row.indexOf("Chloé Dubois"), 0) << row.toStdString();

  // The preview of one area, for a look.
  ASSERT_TRUE(writePrintFile("Kitchen.IGH"));
  window->findChild<QPushButton*>("Command3")->click();
  const QByteArray shots = qgetenv("ROTAWISE_SCREENSHOTS");
  if (!shots.isEmpty()) window->grab().save(QString(shots) + "/schedule-preview.png");
  clock_::release();
  deleteAllWindows();
}
