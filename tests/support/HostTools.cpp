#include "support/HostTools.h"

#include <QDir>

#ifdef Q_OS_WIN
#include <windows.h>

QString hostTool(const QString& name) { return "Z:/usr/bin/" + name; }

QString hostPath(const QString& path) {
  using ToUnix = char*(__cdecl*)(const wchar_t*);
  static const auto toUnix = reinterpret_cast<ToUnix>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name"));
  if (!toUnix) return path;
  const std::wstring native = QDir::toNativeSeparators(QDir(path).absolutePath()).toStdWString();
  char* unix = toUnix(native.c_str());
  if (!unix) return path;
  const QString result = QString::fromUtf8(unix);
  HeapFree(GetProcessHeap(), 0, unix);
  return result;
}
#else
QString hostTool(const QString& name) { return name; }
QString hostPath(const QString& path) { return path; }
#endif
