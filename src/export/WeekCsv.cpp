#include <QTime>
#include <algorithm>

#include "export/Spreadsheet.h"
#include "export/WeekTable.h"

namespace {
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

QString line(const QStringList& values) {
  QStringList out;
  for (const QString& v : values) out << field(v);
  return out.join(',') + "\r\n";
}
}  // namespace

QByteArray weekCsv(const WeekPlan& plan) {
  QString text = line(kWeekHeadings);
  for (const WeekRow& r : weekRows(plan))
    text += line({r.name, r.position, r.day, timeText(r.start), timeText(r.stop), r.area,
                  timeText(r.splitStart), timeText(r.splitStop), r.splitArea, r.special,
                  hoursText(r.hours)});
  return "\xEF\xBB\xBF" + text.toUtf8();
}
