#pragma once
// Test helpers: the old Access test databases and what mdb-export (the
// mdbtools command) shows of them, as the independent expected values.
#include <QByteArray>
#include <QFile>
#include <QList>
#include <QProcess>
#include <QStringList>
#include <ostream>

#include "support/HostTools.h"
#include "support/TestSupport.h"

inline QString legacyFixture(const QString& name) {
  return QString(ROTAWISE_FIXTURES_DIR) + "/legacy/" + name;
}

inline QByteArray fileBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Splits mdb-export's CSV: quoted fields may hold commas and doubled quotes.
inline QList<QStringList> parseCsv(const QString& text) {
  QList<QStringList> rows;
  QStringList row;
  QString field;
  bool quoted = false;
  for (int i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') field += '"', ++i;
      else if (c == '"') quoted = false;
      else field += c;
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      row << field, field.clear();
    } else if (c == '\n') {
      rows << (row << field), row.clear(), field.clear();
    } else if (c != '\r') {
      field += c;
    }
  }
  if (!row.isEmpty() || !field.isEmpty()) rows << (row << field);
  return rows;
}

// The header row first, then every record in table order.
inline QList<QStringList> mdbExport(const QString& path, const QString& table) {
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("MDBICONV", "UTF-8");
  p.setProcessEnvironment(env);
  p.start(hostTool("mdb-export"), {hostPath(path), table});
  if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
  return parseCsv(QString::fromUtf8(p.readAllStandardOutput()));
}

