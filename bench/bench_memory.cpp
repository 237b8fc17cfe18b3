// Peak memory of the program with the largest table: the main window, then
// the employee window open on its first record, then its search lists loaded
// (every name in both lists). Prints the peak resident size after each step.
#include <QApplication>
#include <QComboBox>
#include <QLocale>
#include <cstdio>
#include <exception>
#include <sys/resource.h>

#include "app/Frmemployee1.h"
#include "db/EmployeeDatabase.h"
#include "employee/FrmNewEmployee.h"
#include "support/Workspace.h"

namespace {
long peakKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;  // KiB on Linux
}
}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  QApplication app(argc, argv);
  db::registerEmployeeDatabase();
  registerMainWindow();
  const int employees = argc > 1 ? QString(argv[1]).toInt() : bench::kLargest;
  try {
    bench::businessFolder(employees);  // made before measuring, not during
    bench::Workspace ws(employees);
    bench::Answers answers;
    std::printf("peak_kib_start %ld\n", peakKiB());
    auto* main = new Frmemployee1();
    main->show();
    std::printf("peak_kib_main_window %ld\n", peakKiB());
    auto* w = new FrmNewEmployee();
    std::printf("peak_kib_employee_window %ld\n", peakKiB());
    bench::press(w, "CmdSearch");
    const int listed = w->findChild<QComboBox*>("txtFind")->count();
    std::printf("peak_kib_search_lists %ld\n", peakKiB());
    std::printf("listed %d\n", listed);
    bench::closeAllWindows();
    return listed == employees ? 0 : 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bench_memory: %s\n", e.what());
    return 1;
  }
}
