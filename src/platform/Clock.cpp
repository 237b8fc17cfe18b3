#include "platform/Clock.h"

#include <QLocale>

namespace {
QDateTime& fixed() {
  static QDateTime f;
  return f;
}
}  // namespace

namespace clock_ {
QDateTime now() { return fixed().isValid() ? fixed() : QDateTime::currentDateTime(); }
QDate today() { return now().date(); }
QString shortDate(const QDate& date) { return QLocale().toString(date, QLocale::ShortFormat); }
void fixNow(const QDateTime& when) { fixed() = when; }
void release() { fixed() = QDateTime(); }
}  // namespace clock_
