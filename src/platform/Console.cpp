#include "platform/Console.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <windows.h>

#include <cstdio>

void useStartingConsole() {
  const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (out && GetFileType(out) != FILE_TYPE_UNKNOWN) return;  // sent to a file or a pipe
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;         // started from Explorer
  std::freopen("CONOUT$", "w", stdout);
  std::freopen("CONOUT$", "w", stderr);
}
#else
void useStartingConsole() {}
#endif
