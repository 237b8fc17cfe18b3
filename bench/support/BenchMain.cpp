// main() of the benchmark programs: the windows need a QApplication, drawn
// offscreen, with the locale the program's tests use.
#include <QApplication>
#include <QLocale>
#include <benchmark/benchmark.h>

#include "app/Frmemployee1.h"
#include "db/EmployeeDatabase.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  QApplication app(argc, argv);
  db::registerEmployeeDatabase();
  registerMainWindow();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
