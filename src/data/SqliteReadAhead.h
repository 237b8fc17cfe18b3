#pragma once
// A long walk of a table splits in two: another thread steps the statement
// and copies each row out, while this one hands the rows copied so far to the
// sink. SQLite's own step is about half of such a read; the other half, the
// sink making its texts, now runs beside it.
#include "data/Engine.h"

struct sqlite3_stmt;

namespace db {
// One column of the row `statement` stands on; a text is lent as long as
// the statement stays on the row.
Cell sqliteCell(sqlite3_stmt* statement, int column);

// Hands `sink` every row of `statement` (column 0 the row id, then the
// `cells` columns asked for), which stands on its first row (the
// first step, where a file held by another program is waited out, was taken
// on this thread). Returns SQLite's last step result (SQLITE_DONE also when
// the sink ended the walk); the statement is not touched once this returns
// or throws, so the caller finalizes it. An exception of the sink ends the
// walk and goes on up.
int readAhead(sqlite3_stmt* statement, int cells, RowSink& sink);
}  // namespace db
