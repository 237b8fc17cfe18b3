#pragma once
// The employee roster: for every area of AREAS.IGH the employees whose main
// area it is, with name and position, a staff count per area and a grand
// total, laid out in print zones on the printer object.
#include <QString>
#include <QStringList>
#include <QVector>
#include <stdexcept>

class Printer;
class RecordSet;

class RosterError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct RosterArea {
  QString shown;  // the entry as printed: cut after 30 characters or padded to 30
  QString key;    // the whole entry, trimmed and upper-cased: what `area` is matched against
};

// The sections of the roster from the items of the area list: "Special",
// "All_Areas" (any case and spacing) and blank items are skipped; every other
// item is a section. A list with no usable area gives one section, for
// employees whose area is blank.
QVector<RosterArea> rosterAreas(const QStringList& items);
// rosterAreas() of the twenty entries of AREAS.IGH; throws RosterError when
// the file cannot be read.
QVector<RosterArea> readRosterAreas();

// Prints the whole roster and ends the document. Walks `employees` from the
// first record once, listing each area's employees in table order; an `area`
// that holds no value counts as blank. `date` is the heading's date. Returns the grand total.
// `unlisted` (when given) gets the employees on no page, whose first area is
// none of the sections, as "name (area)" in table order.
// Errors of the record set (DbError) and the printer (PrinterError) pass through.
int printRoster(Printer& printer, const QVector<RosterArea>& areas, RecordSet& employees,
                const QString& date, QStringList* unlisted = nullptr);
// The words of the closing box for those employees; empty when there are
// none. Shows at most `shown` of them and says how many more there are.
QString unlistedStaffNotice(const QStringList& unlisted, int shown = 20);
