#include <xlsxwriter.h>

#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include "db/EmployeeFields.h"
#include "export/Spreadsheet.h"
#include "export/WeekPlan.h"
#include "export/WeekTable.h"

namespace {
constexpr int kHoursColumn = 10;

// A sheet name a spreadsheet program accepts: at most 31 characters, none of
// []:*?/\, no apostrophe at either end, and unique without regard to case.
QString sheetName(const QString& area, QSet<QString>& taken) {
  QString name;
  for (const QChar c : area.trimmed())
    name += (c.unicode() < 0x20 || QStringLiteral("[]:*?/\\").contains(c)) ? QChar('_') : c;
  while (name.startsWith('\'')) name.remove(0, 1);
  while (name.endsWith('\'')) name.chop(1);
  if (name.isEmpty() || name.compare("History", Qt::CaseInsensitive) == 0) name = "Area " + name;
  auto fit = [](QString s, const QString& tail) {
    const QList<uint> points = s.toUcs4();  // cut between characters, never inside one
    s = QString::fromUcs4(reinterpret_cast<const char32_t*>(points.constData()),
                          qMin(points.size(), 31 - qsizetype(tail.size())));
    return s + tail;
  };
  QString candidate = fit(name, {});
  for (int n = 2; taken.contains(candidate.toCaseFolded()); ++n)
    candidate = fit(name, QString(" (%1)").arg(n));
  taken.insert(candidate.toCaseFolded());
  return candidate;
}

class Workbook {
  static lxw_workbook* newBook(const QString& path) {
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    return workbook_new_opt(path.toUtf8().constData(), &options);
  }

 public:
  // Rows go to the file as they are written rather than all being held (a
  // large business has a hundred thousand rows), so every sheet is written
  // row by row from the top.
  explicit Workbook(const QString& path) : book_(newBook(path)) {
    if (!book_) throw ExportError("The spreadsheet could not be started.");
    bold_ = workbook_add_format(book_);
    format_set_bold(bold_);
    time_ = workbook_add_format(book_);
    format_set_num_format(time_, "h:mm AM/PM");
    format_set_align(time_, LXW_ALIGN_CENTER);
    hours_ = workbook_add_format(book_);
    format_set_num_format(hours_, "0.00");
    totalHours_ = workbook_add_format(book_);
    format_set_num_format(totalHours_, "0.00");
    format_set_bold(totalHours_);
  }
  ~Workbook() {
    if (book_) workbook_close(book_);
  }
  void close() {
    const lxw_error result = workbook_close(book_);
    book_ = nullptr;
    if (result != LXW_NO_ERROR)
      throw ExportError(QString("The spreadsheet could not be written (%1).")
                            .arg(lxw_strerror(result))
                            .toStdString());
  }

  void writeWeek(const WeekPlan& plan) {
    lxw_worksheet* sheet = addSheet("Week");
    const QVector<WeekRow> rows = weekRows(plan);
    const double widths[] = {24, 18, 11, 10, 10, 16, 10, 10, 16, 8, 8};
    for (int c = 0; c <= kHoursColumn; ++c) worksheet_set_column(sheet, c, c, widths[c], nullptr);
    worksheet_autofilter(sheet, 0, 0, lxw_row_t(rows.size()), kHoursColumn);
    pageSetUp(sheet);
    heading(sheet, kWeekHeadings);
    for (int i = 0; i < rows.size(); ++i) writeRow(sheet, i + 1, rows[i]);
  }

  void writeArea(const WeekPlan& plan, const QString& area) {
    lxw_worksheet* sheet = addSheet(area);
    worksheet_set_column(sheet, 0, 6, 30, nullptr);
    pageSetUp(sheet);
    // A printed area sheet says which area it is ("&" starts a code in a page header).
    const QString header = "&C" + QString(area).replace("&", "&&");
    worksheet_set_header(sheet, header.left(255).toUtf8().constData());
    QStringList days;
    for (const auto& d : fields::weekdays) days << d.name;
    heading(sheet, days);
    const auto staff = areaStaff(plan, area);
    qsizetype depth = 0;
    for (const QStringList& day : staff) depth = qMax(depth, day.size());
    for (int i = 0; i < depth; ++i)
      for (int d = 0; d < 7; ++d) text(sheet, i + 1, d, staff[d].value(i));
  }

 private:
  lxw_worksheet* addSheet(const QString& wanted) {
    lxw_worksheet* sheet =
        workbook_add_worksheet(book_, sheetName(wanted, sheetNames_).toUtf8().constData());
    if (!sheet) throw ExportError("A sheet of the spreadsheet could not be made.");
    return sheet;
  }
  // The headings stay in view and on every printed page; a page is as wide as the sheet.
  static void pageSetUp(lxw_worksheet* sheet) {
    worksheet_freeze_panes(sheet, 1, 0);
    worksheet_repeat_rows(sheet, 0, 0);
    worksheet_set_landscape(sheet);
    worksheet_fit_to_pages(sheet, 1, 0);
  }
  void heading(lxw_worksheet* sheet, const QStringList& titles) {
    for (int c = 0; c < titles.size(); ++c) text(sheet, 0, c, titles[c], bold_);
  }
  static void text(lxw_worksheet* sheet, int row, int col, const QString& value,
                   lxw_format* format = nullptr) {
    if (!value.isEmpty())
      worksheet_write_string(sheet, lxw_row_t(row), lxw_col_t(col), value.toUtf8().constData(),
                             format);
  }
  void time(lxw_worksheet* sheet, int row, int col, const TimeCell& t) {
    if (t.minutes)
      worksheet_write_number(sheet, row, col, *t.minutes / (24.0 * 60), time_);
    else
      text(sheet, row, col, t.text);
  }
  void writeRow(lxw_worksheet* sheet, int row, const WeekRow& r) {
    lxw_format* plain = r.isTotal ? bold_ : nullptr;
    text(sheet, row, 0, r.name, plain);
    text(sheet, row, 1, r.position, plain);
    text(sheet, row, 2, r.day, plain);
    time(sheet, row, 3, r.start);
    time(sheet, row, 4, r.stop);
    text(sheet, row, 5, r.area);
    time(sheet, row, 6, r.splitStart);
    time(sheet, row, 7, r.splitStop);
    text(sheet, row, 8, r.splitArea);
    text(sheet, row, 9, r.special);
    if (r.totalOfRows > 0) {
      // Rows are numbered from 1 in a formula; this row is row + 1.
      const QString sum = QString("=SUM(K%1:K%2)").arg(row + 1 - r.totalOfRows).arg(row);
      worksheet_write_formula_num(sheet, row, kHoursColumn, sum.toUtf8().constData(), totalHours_,
                                  r.hours.value_or(0));
    } else if (r.hours) {
      worksheet_write_number(sheet, row, kHoursColumn, *r.hours, r.isTotal ? totalHours_ : hours_);
    }
  }

  lxw_workbook* book_;
  lxw_format *bold_, *time_, *hours_, *totalHours_;
  QSet<QString> sheetNames_;
};
}  // namespace

QByteArray weekWorkbook(const WeekPlan& plan) {
  // The library writes a file: it is made in a private temporary folder and
  // read back, so the export folder only ever sees a finished workbook.
  QTemporaryDir scratch;
  if (!scratch.isValid())
    throw ExportError("No temporary folder could be made for the spreadsheet.");
  const QString path = scratch.filePath("week.xlsx");
  {
    Workbook book(path);
    book.writeWeek(plan);
    for (const QString& area : plan.areas) book.writeArea(plan, area);
    book.close();
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    throw ExportError("The spreadsheet could not be read back from its temporary folder.");
  return file.readAll();
}
