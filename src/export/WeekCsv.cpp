#include <QTime>
#include <algorithm>

#include "export/Spreadsheet.h"
#include "export/WeekTable.h"

namespace {
// A spreadsheet takes a cell that begins with one of these for a formula
// (a typed "=HYPERLINK(...)" would become a live link): such a text gets a
// leading apostrophe, which spreadsheets read as "this is text".
QString asText(const QString& value) {
  static const QString formulaStarts = QStringLiteral("=+-@\t\r");
  return !value.isEmpty() && formulaStarts.contains(value.front()) ? "'" + value : value;
}

QString field(const QString& value) {
  const bool plain = std::none_of(value.begin(), value.end(), [](QChar c) {
    return c == '"' || c == ',' || c == '\r' || c == '\n';
  });
  if (plain) return value;
  return "\"" + QString(value).replace("\"", "\"\"") + "\"";
}

QString timeText(const TimeCell& t) {
  return t.minutes ? QTime(*t.minutes / 60, *t.minutes % 60).toString("HH:mm") : t.text;
}

QString hoursText(const std::optional<double>& hours) {
  return hours ? QString::number(*hours, 'f', 2) : QString();
}

// Texts, then the hours (a number, as it is).
QString line(const QStringList& texts, const QString& hours) {
  QStringList out;
  for (const QString& v : texts) out << field(asText(v));
  return (out << field(hours)).join(',') + "\r\n";
}
}  // namespace

QByteArray weekCsv(const WeekPlan& plan) {
  QString text = line(kWeekHeadings.mid(0, kWeekHeadings.size() - 1), kWeekHeadings.last());
  for (const WeekRow& r : weekRows(plan))
    text += line({r.name, r.position, r.day, timeText(r.start), timeText(r.stop), r.area,
                  timeText(r.splitStart), timeText(r.splitStop), r.splitArea, r.special},
                 hoursText(r.hours));
  return "\xEF\xBB\xBF" + text.toUtf8();
}
