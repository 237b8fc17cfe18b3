#include <QApplication>

#include "app/FrmStart.h"
#include "app/StartUpChecks.h"
#include "platform/Help.h"
#include "platform/Pictures.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Rotawise");
  QApplication::setWindowIcon(programIcon());
  help::installF1Handler(app);
  // Before any window reads the table: interrupted work is finished, and an
  // employee.mdb from an earlier installation is offered for conversion.
  runStartUpChecks();
  auto* splash = new FrmStart();
  splash->setAttribute(Qt::WA_DeleteOnClose);
  splash->show();
  return app.exec();
}
