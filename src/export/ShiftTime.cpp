#include "export/ShiftTime.h"

#include <QRegularExpression>

std::optional<int> minutesOfDay(const QString& text) {
  static const QRegularExpression twelveHour(
      R"(^([0-9]{1,2})(?:[:.]([0-9]{2}))?\s*([AP])\.?\s*M\.?$)",
      QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression twentyFourHour(R"(^([0-9]{1,2})[:.]([0-9]{2})$)");
  const QString t = text.trimmed();
  if (const auto m = twelveHour.match(t); m.hasMatch()) {
    const int hour = m.captured(1).toInt();
    const int minute = m.captured(2).isEmpty() ? 0 : m.captured(2).toInt();
    if (hour < 1 || hour > 12 || minute > 59) return std::nullopt;
    const bool pm = m.captured(3).compare("P", Qt::CaseInsensitive) == 0;
    return (hour % 12 + (pm ? 12 : 0)) * 60 + minute;
  }
  if (const auto m = twentyFourHour.match(t); m.hasMatch()) {
    const int hour = m.captured(1).toInt();
    const int minute = m.captured(2).toInt();
    if (hour > 23 || minute > 59) return std::nullopt;
    return hour * 60 + minute;
  }
  return std::nullopt;
}

double shiftHours(int startMinutes, int stopMinutes) {
  int minutes = stopMinutes - startMinutes;
  if (minutes <= 0) minutes += 24 * 60;
  return minutes / 60.0;
}
