#pragma once
// The database engine writes its files itself (pages, journals, flushes).
// Routed through the file steps of FileOps, those writes can be refused or
// interrupted by a test like any other file step of the program. Off by
// default; a test turns it on before the first database is opened.
namespace fileops {
void routeDatabaseStepsThroughSeam();
}  // namespace fileops
