#pragma once
// A generated, realistic business for the benchmarks: twenty areas of a large
// hotel, twenty job descriptions, and employees who work full weeks, some with
// split shifts, weekend doubles and on-call (special) days, in the folder
// layout an installation has (employee.mdb, AREAS.IGH, POSITION.IGH, the
// supplied choice lists, every area's settings file, PRINT.IGH, EXEMPT.IGH,
// extras.txt).
//
// A business is made once per size in the build folder and then copied for
// every run; it is made again when the generator changes.
#include <QString>
#include <QStringList>

namespace bench {

// The sizes every action is measured at: a real business, and the table's
// limit (the record number is a 16-bit number).
constexpr int kSmall = 500;
constexpr int kLargest = 32767;

// What the benchmarks and the SQLite floors need to know of a business.
struct Facts {
  int employees = 0;
  QString findName;     // a name near the end of the table, as the search list shows it
  int deletePosition = 0;  // the record Delete removes (0-based, the middle of the table)
  QString printedArea;  // the area a one-area schedule prints
  QStringList areas;    // AREAS.IGH
};

// The folder of the business with `employees` employees, made when missing or
// out of date. It holds employee.mdb (all of them) and save-base.mdb (one
// fewer, the table Save New Employee starts from), and facts.txt.
QString businessFolder(int employees);
Facts businessFacts(int employees);

// The name Save New Employee types in, and its area and position.
inline const QString kNewcomerName = QStringLiteral("Newcomer, Pat Q.");

}  // namespace bench
