#include "ScheduleTestSupport.h"

#include <algorithm>

#include "print/ScheduleLayout.h"

RecordedSchedule::RecordedSchedule(const RecordingTarget& target) {
  documents_ = target.documents().size();
  for (const auto& e : target.entries()) texts.push_back({e.document, e.page, e.text});
}

QVector<Placed> RecordedSchedule::all(const QString& text, int doc) const {
  QVector<Placed> out;
  for (const Placed& p : texts)
    if (p.text.text == text && (doc < 0 || p.document == doc)) out << p;
  return out;
}

PrintedText RecordedSchedule::one(const QString& text, int doc) const {
  const QVector<Placed> found = all(text, doc);
  EXPECT_EQ(found.size(), 1) << text.toStdString();
  return found.isEmpty() ? PrintedText{} : found.first().text;
}

QStringList RecordedSchedule::column(int day, double fromY, double toY, int doc, int page) const {
  QVector<PrintedText> in;
  for (const Placed& p : texts)
    if (p.document == doc && p.page == page && p.text.x == kDayColumnX[day] && !p.text.underline &&
        p.text.y >= fromY &&
        p.text.y < toY)
      in << p.text;
  std::stable_sort(in.begin(), in.end(),
                   [](const PrintedText& a, const PrintedText& b) { return a.y < b.y; });
  QStringList out;
  for (const PrintedText& t : in) out << t.text;
  return out;
}

int ScheduleTest::print(bool extras, QStringList* unsetAreas) {
  Printer printer(target);
  ScheduleRun run;
  run.printer = &printer;
  run.unsetAreas = unsetAreas;
  run.readStaff = [this] { return staff; };
  run.rowUnit = kRow;
  run.date = clock_::shortDate(clock_::today());
  state.extrasWanted = extras;
  return printSchedules(run, state);
}

double ScheduleTest::bodyLine() const {
  Printer measure(target);
  const ScheduleFonts fonts = scheduleFonts(measure, kRow);
  measure.FontName = fonts.family;
  measure.FontSize = fonts.bodySize;
  return measure.TextHeight();
}

double ScheduleTest::ruleLine() const {
  Printer measure(target);
  const ScheduleFonts fonts = scheduleFonts(measure, kRow);
  measure.FontName = fonts.ruleFamily;
  measure.FontSize = fonts.ruleSize;
  measure.FontBold = true;
  return measure.TextHeight();
}
