#include "print/ScheduleLayout.h"

#include <algorithm>
#include <cmath>

#include <QFont>
#include <QFontMetricsF>

#include "db/EmployeeFields.h"
#include "lists/ExtrasFile.h"
#include "platform/Printer.h"

namespace {
constexpr double kSmallestSize = 4.5;// points; a long name shrinks no further
constexpr double kColumnGap = 60;    // twips kept free before the next column
const QString kMarkAfter = " *";     // the mark after a marked main shift's name

// The names of the sheet in the order they are printed: a block row by row,
// each row across the days.
QStringList namesOf(const ScheduleSheet& sheet) {
  QStringList names;
  for (const auto& block : sheet.names) {
    qsizetype rows = 0;
    for (const QStringList& day : block) rows = std::max(rows, day.size());
    for (qsizetype i = 0; i < rows; ++i)
      for (const QStringList& day : block)
        if (i < day.size()) names << day[i];
  }
  return names;
}

class SheetPrinter {
 public:
  SheetPrinter(Printer& p, const ScheduleSheet& s, double rowUnit)
      : p_(p), s_(s), row_(rowUnit), fonts_(scheduleFonts(p, rowUnit)) {}

  void print() {
    prepareNames();
    printHead();
    int deepest = kFirstNameRow;
    for (int k = 0; k < 4; ++k) deepest = printBlock(k, deepest);
    printFoot(deepest);
  }

 private:
  double y(int row) const { return row * row_; }
  double lineHeight() { return p_.TextHeight(); }
  bool fits(double bottom) const { return bottom <= p_.ScaleHeight(); }

  // The names measured at once, on every processor: a large area lists
  // thousands.
  void prepareNames() {
    bodyFont();
    p_.FontBold = false;  // as the names are drawn, whatever the last sheet left
    p_.prepareTexts(namesOf(s_));
  }

  void bodyFont() {
    p_.FontName = fonts_.family;
    p_.FontSize = fonts_.bodySize;
  }

  void printHead() {
    p_.CurrentX = 0;
    p_.CurrentY = 0;
    p_.FontStrikethru = true;
    p_.PrintQuality = 600;
    p_.Zoom = 100;
    p_.FontBold = true;
    p_.FontStrikethru = false;
    p_.FontName = fonts_.family;
    p_.FontSize = fonts_.titleSize;
    p_.Print(" ");
    p_.FontBold = false;
    p_.FontUnderline = true;
    p_.FontBold = true;
    p_.Print(s_.area + " Schedule for week of " + s_.date);
    bodyFont();
    for (int d = 0; d < fields::DaysInWeek; ++d) {
      p_.CurrentX = kDayColumnX[d];
      p_.CurrentY = y(kHeadingRow);
      p_.Print(fields::weekdays[d].name);
    }
    p_.FontUnderline = false;
  }

  // Starts a new page with the head; the next block rule goes where the first
  // block's goes, under the headings.
  void newPage() {
    p_.NewPage();
    printHead();
  }

  // The rule across the page, in its own font so that it reaches the last
  // column; the text after it goes on the next line.
  void printRule(double top) {
    p_.FontBold = true;
    p_.FontName = fonts_.ruleFamily;
    p_.FontSize = fonts_.ruleSize;
    p_.CurrentX = 0;
    p_.CurrentY = top;
    p_.Print(kScheduleRule);
    bodyFont();
  }

  void printRuleAndLabel(double ruleY, const QString& label) {
    printRule(ruleY);
    printFitted(0, p_.CurrentY, kDayColumnX[0] - kColumnGap, label);
    p_.FontBold = false;
  }

  // Prints text at x, smaller when it would reach past `right` (the next
  // column, or the page edge), so no text covers another; a text too long
  // even then is cut, ending in "..." - before `keptEnd`, which stays whole
  // (the mark after a name).
  void printFitted(double x, double top, double right, const QString& text,
                   const QString& keptEnd = {}) {
    const double size = p_.FontSize;
    const double room = right - x;
    double width = p_.TextWidth(text);
    while (p_.FontSize > kSmallestSize && width > room) {
      p_.FontSize -= 0.5;
      width = p_.TextWidth(text);
    }
    p_.CurrentX = x;
    p_.CurrentY = top;
    if (width <= room) {  // nearly every name: it fits as it is
      p_.Print(text);
      p_.FontSize = size;
      return;
    }
    QString shown = text.chopped(keptEnd.size());
    while (shown.size() > 1 && p_.TextWidth(shown + keptEnd) > room) {
      shown.chop(shown.endsWith(u'\u2026') ? 2 : 1);
      shown = shown.trimmed() + u'\u2026';
    }
    p_.Print(shown + keptEnd);
    p_.FontSize = size;
  }

  void printInColumn(int day, double top, const QString& text) {
    const double right = day + 1 < fields::DaysInWeek ? kDayColumnX[day + 1] - kColumnGap
                                                       : p_.ScaleWidth();
    // A marked main shift ends in " *": a name cut to fit keeps its mark.
    const QString mark = text.size() > kMarkAfter.size() && text.endsWith(kMarkAfter)
                             ? kMarkAfter : QString();
    printFitted(kDayColumnX[day], top, right, text, mark);
  }

  double ruleLine() {
    const QString family = p_.FontName;
    const double size = p_.FontSize;
    p_.FontName = fonts_.ruleFamily;
    p_.FontSize = fonts_.ruleSize;
    const double line = p_.TextHeight();
    p_.FontName = family;
    p_.FontSize = size;
    return line;
  }

  // Block k below the deepest row of the blocks before it; returns its own
  // deepest row (the row after its last name, or its first row when it lists
  // nobody, so the next block's rule never lands on this one's).
  int printBlock(int k, int deepest) {
    bodyFont();
    const auto& names = s_.names[k];
    int rows = 0;
    for (const QStringList& day : names) rows = std::max(rows, int(day.size()));
    const double lh = lineHeight();

    double ruleY = 0;
    int start = 0;
    if (k == 0) {
      ruleY = p_.CurrentY;  // the line after the day headings
      start = kFirstNameRow;
    } else {
      ruleY = y(deepest + 1);
      start = deepest + 3;
    }
    // The rule, the label and the first row of names stay together.
    const double needed = rows > 0 ? y(start) + lh : ruleY + ruleLine() + lh;
    if (k > 0 && !fits(needed)) {
      newPage();
      ruleY = p_.CurrentY;
      start = kFirstNameRow;
    }
    printRuleAndLabel(ruleY, s_.labels[k]);

    for (int i = 0; i < rows; ++i) {
      if (!fits(y(start + i) + lh)) {
        newPage();
        printRuleAndLabel(p_.CurrentY, s_.labels[k] + " (continued)");
        start = kFirstNameRow - i;
      }
      for (int d = 0; d < fields::DaysInWeek; ++d)
        if (i < names[d].size()) printInColumn(d, y(start + i), names[d][i]);
    }
    p_.FontBold = false;
    return rows > 0 ? start + rows : start;
  }

  // Lines of the extras that print, for the room the foot needs.
  int sentenceLines() const {
    int n = 0;
    for (int i = kExtrasFirstSentenceLine; i < s_.extras.size() && i < kExtrasLineCount; ++i)
      if (!isNothing(s_.extras[i])) ++n;
    return n;
  }

  double footBottom(int deepest, double lh) {
    double bottom = y(deepest + 1) + ruleLine();  // the rule
    if (s_.extrasShown && !s_.extras.isEmpty()) {
      bottom = y(deepest + 3) + lh;
      if (s_.extras.size() > kExtrasFirstSentenceLine - 1) bottom += lh * (1 + sentenceLines());
    }
    return bottom + 3 * lh;  // empty line, area, staff count
  }

  void printFoot(int deepest) {
    bodyFont();
    const double lh = lineHeight();
    if (!fits(footBottom(deepest, lh))) {
      newPage();
      // Under the headings, as a block rule would stand.
      deepest = int(std::ceil(p_.CurrentY / row_)) - 1;
    }
    printRule(y(deepest + 1));
    p_.FontBold = true;
    if (s_.extrasShown) printExtras(deepest);
    p_.FontBold = true;
    p_.Print();
    p_.Print(kAreaFootLead + s_.area);
    p_.Print("Total staffing for this Schedule (" + QString::number(s_.staffCount) + ")");
  }

  // The label line and the weekday entries on one row, then the sentences.
  // A short file prints what it has; "NOTHING" prints nothing.
  void printExtras(int deepest) {
    const QStringList& items = s_.extras;
    const int n = std::min<int>(items.size(), kExtrasLineCount);
    const double row = y(deepest + 3);
    p_.CurrentY = row;
    if (n > kExtrasLabelLine && !isNothing(items[kExtrasLabelLine])) {
      p_.FontBold = true;
      printFitted(0, row, kDayColumnX[0] - kColumnGap, items[kExtrasLabelLine].trimmed());
    }
    p_.FontBold = false;
    for (int d = 0; d < fields::DaysInWeek; ++d) {
      const int i = kExtrasFirstDayLine + d;
      if (i >= n) return;
      if (!isNothing(items[i])) printInColumn(d, row, items[i].trimmed());
    }
    p_.CurrentX = 0;
    p_.Print();
    p_.FontBold = true;
    for (int i = kExtrasFirstSentenceLine; i < n; ++i) {
      if (isNothing(items[i])) continue;
      p_.CurrentX = 0;
      p_.Print(items[i].trimmed());
    }
  }

  Printer& p_;
  const ScheduleSheet& s_;
  double row_;
  ScheduleFonts fonts_;
};
}  // namespace

ScheduleFonts scheduleFonts(Printer& printer, double rowUnit) {
  ScheduleFonts fonts;
  // The ink of a line, from the top of a capital to the bottom of a
  // descender, as a share of the line: line boxes may touch, letters not.
  QFont face(fonts.family);
  face.setPointSizeF(100);
  const QFontMetricsF metrics(face);
  const double inkShare = (metrics.capHeight() + metrics.descent()) / metrics.lineSpacing();
  const QString family = printer.FontName;
  const double size = printer.FontSize;
  const bool bold = printer.FontBold;
  printer.FontName = fonts.family;
  fonts.bodySize = kSmallestSize;
  const double gap = rowUnit / 10;
  for (double s = 10; s >= kSmallestSize; s -= 0.5) {
    printer.FontSize = s;
    if (inkShare * printer.TextHeight() + gap <= rowUnit) {
      fonts.bodySize = s;
      break;
    }
  }
  // The rule runs from the left margin to the right one, over all seven
  // columns, on any paper and in whatever face the machine gives for the
  // rule's: its size follows from its width (sizes go in twentieths of a
  // point), not from a list of sizes that may fall well short of Sunday.
  printer.FontName = fonts.ruleFamily;
  printer.FontBold = true;
  printer.FontSize = 10;
  const double widthAtTen = printer.TextWidth(kScheduleRule);
  fonts.ruleSize = widthAtTen > 0 ? 10 * printer.ScaleWidth() / widthAtTen : kSmallestSize;
  fonts.ruleSize = std::floor(fonts.ruleSize * 20) / 20;
  printer.FontSize = fonts.ruleSize;
  while (fonts.ruleSize > 1 && printer.TextWidth(kScheduleRule) > printer.ScaleWidth()) {
    fonts.ruleSize -= 0.05;
    printer.FontSize = fonts.ruleSize;
  }
  printer.FontBold = bold;
  printer.FontName = family;
  printer.FontSize = size;
  return fonts;
}

void printScheduleSheet(Printer& printer, const ScheduleSheet& sheet, double rowUnit) {
  SheetPrinter(printer, sheet, rowUnit).print();
}

void prepareScheduleNames(Printer& printer, const QVector<const ScheduleSheet*>& sheets,
                          double rowUnit) {
  QStringList names;
  const auto beyondLatin = [](const QString& name) {
    return std::any_of(name.cbegin(), name.cend(), [](QChar c) { return c.unicode() >= 0x250; });
  };
  for (const ScheduleSheet* sheet : sheets)
    for (const auto& block : sheet->names)
      for (const QStringList& day : block)
        for (const QString& name : day)
          if (beyondLatin(name)) names << name;
  if (names.isEmpty()) return;
  const QString family = printer.FontName;
  const double size = printer.FontSize;
  const bool bold = printer.FontBold;
  const ScheduleFonts fonts = scheduleFonts(printer, rowUnit);
  printer.FontName = fonts.family;
  printer.FontSize = fonts.bodySize;
  printer.FontBold = false;
  printer.prepareTexts(names);
  printer.FontName = family;
  printer.FontSize = size;
  printer.FontBold = bold;
}
