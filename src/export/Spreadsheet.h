#pragma once
// The week for a spreadsheet: week.xlsx (made with libxlsxwriter) and
// week.csv (RFC 4180, UTF-8).
#include <QByteArray>
#include <stdexcept>

struct WeekPlan;

class ExportError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Sheet "Week": the week's rows, times as time cells, hours per day and a
// total per employee; then a sheet per area with its staff per day. Throws
// ExportError when the workbook cannot be made.
QByteArray weekWorkbook(const WeekPlan& plan);

// The rows of the sheet "Week": fields quoted where they hold a comma, a
// quote or a line break, lines ended by CR LF, times as "09:30", hours with
// a decimal point. A text that a spreadsheet would take for a formula
// (beginning with =, +, -, @, a tab or a carriage return) gets a leading
// apostrophe. Starts with a byte order mark, so spreadsheet programs take the
// file for UTF-8.
QByteArray weekCsv(const WeekPlan& plan);
