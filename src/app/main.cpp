#include <QApplication>

#include "app/CommandLine.h"
#include "app/DataFolder.h"
#include "app/ExportCommands.h"
#include "app/FrmStart.h"
#include "app/Frmemployee1.h"
#include "app/StartUpChecks.h"
#include "db/EmployeeDatabase.h"
#include "platform/Accessible.h"
#include "platform/Console.h"
#include "platform/Help.h"
#include "platform/Pictures.h"

int main(int argc, char** argv) {
  useStartingConsole();
  db::registerEmployeeDatabase();
  // `rotawise --export FOLDER [DATAFOLDER]` writes the files and ends, without a window.
  if (isExportCommand(argc, argv)) return exportFromCommandLine(argc, argv);
  // --help and --version answer before any window system is needed.
  const CommandLine command = readCommandLine(argc, argv);
  if (command.finished) return command.exitCode;

  QApplication app(argc, argv);
  QApplication::setApplicationName("Rotawise");
  QGuiApplication::setDesktopFileName("org.rotawise.Rotawise");
  QApplication::setWindowIcon(programIcon());
  help::installF1Handler(app);
  registerMainWindow();
  accessible::install();  // screen readers hear windows and named controls
  // Before any window reads the table: interrupted work is finished, and an
  // employee.mdb from an earlier installation is offered for conversion.
  QStringList restored;
  if (!datafolder::enter(command.dataFolder, &restored)) return 1;
  runStartUpChecks(restored);
  auto* splash = new FrmStart();
  splash->setAttribute(Qt::WA_DeleteOnClose);
  splash->show();
  return app.exec();
}
