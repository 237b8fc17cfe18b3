#include <QApplication>

#include "app/FrmStart.h"
#include "db/LegacyImport.h"
#include "export/ExportCommands.h"
#include "platform/Help.h"
#include "platform/Pictures.h"

int main(int argc, char** argv) {
  // `rotawise --export FOLDER [DATAFOLDER]` writes the files and ends, without a window.
  if (isExportCommand(argc, argv)) return exportFromCommandLine(argc, argv);
  QApplication app(argc, argv);
  QApplication::setApplicationName("Rotawise");
  QApplication::setWindowIcon(programIcon());
  help::installF1Handler(app);
  // An employee.mdb from an earlier installation is offered for conversion
  // before any window reads the table.
  legacy::convertOldEmployeeDatabase();
  auto* splash = new FrmStart();
  splash->setAttribute(Qt::WA_DeleteOnClose);
  splash->show();
  return app.exec();
}
