#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>

#include "app/BackupFolderDialog.h"
#include "app/Frmemployee1.h"
#include "db/EmployeeDatabase.h"
#include "platform/Accessible.h"
#include "platform/Help.h"
#include "support/ChildProcess.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"
                                                                  : qgetenv("QT_QPA_PLATFORM"));
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  QApplication app(argc, argv);
  // As the program does at start-up.
  db::registerEmployeeDatabase();
  help::installF1Handler(app);
  registerMainWindow();
  accessible::install();
  if (const int code = runChildActionIfAsked(); code >= 0) return code;
  // A test that meets the backup's folder question without answering it fails
  // rather than waits for a click.
  setBackupFolderAnswer([](const QStringList&, const QString&) {
    ADD_FAILURE() << "the backup asked for a folder that no test answers";
    return QString();
  });
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
