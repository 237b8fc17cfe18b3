#pragma once
// The employee table in employee.mdb, an SQLite file of the data folder: the
// engine of a single PC. Walks read blocks of rows straight from the SQLite
// library the Qt driver uses, several times faster than through the driver.
#include <memory>

#include "data/Engine.h"

namespace db {
std::unique_ptr<Engine> makeSqliteEngine(const QString& path);
}  // namespace db
