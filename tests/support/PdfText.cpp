#include "support/PdfText.h"

#include <QProcess>
#include <QRegularExpression>

#include "support/HostTools.h"

namespace {
QString run(const QString& name, QStringList args) {
  QProcess p;
  for (QString& a : args)
    if (a.endsWith(".pdf", Qt::CaseInsensitive)) a = hostPath(a);
  p.start(hostTool(name), args);
  if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
    return {};
  return QString::fromUtf8(p.readAllStandardOutput());
}
}  // namespace

QString pdfLayoutText(const QString& pdfPath) {
  return run("pdftotext", {"-layout", "-enc", "UTF-8", pdfPath, "-"});
}

int pdfPageCount(const QString& pdfPath) {
  const QString info = run("pdfinfo", {pdfPath});
  const auto m = QRegularExpression(R"(Pages:\s+(\d+))").match(info);
  return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QVector<PdfWord> pdfWords(const QString& pdfPath) {
  const QString html = run("pdftotext", {"-bbox", "-enc", "UTF-8", pdfPath, "-"});
  QVector<PdfWord> words;
  int page = -1;
  static const QRegularExpression word(
      R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
  for (const QString& line : html.split('\n')) {
    if (line.contains("<page ")) ++page;
    const auto m = word.match(line);
    if (!m.hasMatch()) continue;
    QString text = m.captured(5);
    text.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"").replace("&apos;", "'")
        .replace("&amp;", "&");
    words.push_back({page, m.captured(1).toDouble(), m.captured(2).toDouble(),
                     m.captured(3).toDouble(), m.captured(4).toDouble(), text});
  }
  return words;
}
