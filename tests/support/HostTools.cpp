#include "support/HostTools.h"

#include <QDir>
#include <QFont>
#include <QFontDatabase>

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

void useHostFonts() {
  for (const char* folder : {"liberation2", "dejavu", "droid"}) {
    const QDir fonts(QString("Z:/usr/share/fonts/truetype/") + folder);
    for (const QString& file : fonts.entryList({"*.ttf", "*.otf"}, QDir::Files))
      QFontDatabase::addApplicationFont(fonts.filePath(file));
  }
  const struct {
    const char* windows;
    const char* here;
  } faces[] = {{"Arial", "Liberation Sans"},          {"MS Sans Serif", "Liberation Sans"},
               {"Microsoft Sans Serif", "Liberation Sans"}, {"Times New Roman", "Liberation Serif"},
               {"MS Serif", "Liberation Serif"},      {"Courier New", "Liberation Mono"}};
  for (const auto& face : faces) QFont::insertSubstitution(face.windows, face.here);
}
#else
QString hostTool(const QString& name) { return name; }
QString hostPath(const QString& path) { return path; }
void useHostFonts() {}
#endif
