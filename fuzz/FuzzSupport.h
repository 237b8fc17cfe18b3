#pragma once
// What the fuzz targets share: a scratch data folder made the current
// directory (the readers open bare file names there), the input written as a
// data file, and a hard stop that libFuzzer records as a finding when a
// property that must hold does not.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace fuzz {
inline QString& scratchFolder() {
  static QString path;
  return path;
}

// A fresh folder (in memory where the machine has /dev/shm) that is the
// current directory for the rest of the run and is removed when the run ends.
// Called from the first input, not at start-up, so that libFuzzer's own
// relative paths (inputs, logs) keep pointing where they were given.
inline void enterScratchFolder() {
  if (!scratchFolder().isEmpty()) return;
  const char* base = QDir("/dev/shm").exists() ? "/dev/shm" : "/tmp";
  QByteArray templ = QByteArray(base) + "/rotawise-fuzz-XXXXXX";
  if (!mkdtemp(templ.data())) std::abort();
  scratchFolder() = QString::fromLocal8Bit(templ);
  if (chdir(templ.constData()) != 0) std::abort();
  std::atexit([] { QDir(scratchFolder()).removeRecursively(); });
}

inline QByteArray bytes(const uint8_t* data, size_t size) {
  return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

inline void writeFile(const QString& name, const QByteArray& content) {
  QFile f(name);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
  if (f.write(content) != content.size()) std::abort();
}

// Printable form of a text for the report of a broken property.
inline QByteArray show(const QString& s) {
  QByteArray out;
  for (QChar c : s) {
    const ushort u = c.unicode();
    if (u >= 0x20 && u < 0x7F && u != '\\') out += char(u);
    else out += "\\u" + QByteArray::number(u, 16).rightJustified(4, '0');
  }
  return out;
}
inline QByteArray show(const QStringList& l) {
  QByteArray out = "[";
  for (const QString& s : l) out += "\"" + show(s) + "\" ";
  return out + "]";
}

[[noreturn]] inline void broken(const char* what, const QByteArray& detail = {}) {
  std::fprintf(stderr, "PROPERTY BROKEN: %s %s\n", what, detail.constData());
  std::abort();
}
}  // namespace fuzz

// Stops the run when `holds` is false; the detail (a QByteArray expression)
// is only worked out then, so passing checks cost nothing.
#define FUZZ_CHECK(holds, what, ...)                        \
  do {                                                      \
    if (!(holds)) fuzz::broken(what, QByteArray(__VA_ARGS__)); \
  } while (0)
