// Makes the generated businesses (when missing or out of date) and prints
// where they are, for the SQLite floors of run.sh:  bench_data 500 32767
#include <QCoreApplication>
#include <cstdio>
#include <exception>

#include "db/EmployeeDatabase.h"
#include "support/Business.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  db::registerEmployeeDatabase();
  try {
    for (int i = 1; i < argc; ++i)
      std::printf("%s\n", qPrintable(bench::businessFolder(QString(argv[i]).toInt())));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bench_data: %s\n", e.what());
    return 1;
  }
  return 0;
}
