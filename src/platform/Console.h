#pragma once
// A windowed program on Windows starts without a console: what it writes
// for --help, --version and --export goes to the console of the command
// line it was started from (or to the file or pipe its output was sent to).
// Nothing to do elsewhere.
void useStartingConsole();
