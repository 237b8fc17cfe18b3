#include "print/SchedulePrint.h"

#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <exception>
#include <future>
#include <numeric>
#include <thread>
#include <vector>

#include "lists/ExtrasFile.h"
#include "lists/ListFile.h"
#include "platform/Printer.h"
#include "platform/NameOrder.h"
#include "db/EmployeeFields.h"
#include "print/AreaSettings.h"

bool isAllAreasSettingsFile(const QString& settingsFileName) {
  return compareKey(settingsFileName) == "ALL_AREA.IGH";
}

ScheduleSheet makeScheduleSheet(const PrintState& state, const ScheduleSelection& selection,
                                const QString& date) {
  ScheduleSheet sheet;
  sheet.area = state.area;
  sheet.date = date;
  sheet.labels = state.labels;
  sheet.staffCount = selection.staffCount;
  for (int k = 0; k < 4; ++k)
    for (int d = 0; d < 7; ++d)
      for (const Listing& l : selection.cells[k][d]) sheet.names[k][d] << l.printed();
  if (state.extrasWanted) {
    // The items as the file holds them, so a short file prints what it has.
    const ListRead read = readListFile(extrasFileName());
    sheet.extrasShown = read.ok;
    sheet.extras = read.items.mid(0, kExtrasLineCount);
  }
  return sheet;
}

namespace {
// Draws one area's sheet and ends its document.
void printSheet(const ScheduleRun& run, const ScheduleSheet& sheet) {
  try {
    printScheduleSheet(*run.printer, sheet, run.rowUnit);
    run.printer->EndDoc();
  } catch (...) {
    run.printer->KillDoc();  // a page in progress is never sent
    throw;
  }
}
}  // namespace

void printAreaSchedule(const ScheduleRun& run, PrintState& state, const QString& settingsFileName) {
  loadAreaChoices(state, settingsFileName);
  loadExclusions(state);
  const ScheduleSelection selection = selectSchedule(state, run.readStaff());
  printSheet(run, makeScheduleSheet(state, selection, run.date));
  if (run.unlisted) *run.unlisted += selection.unlisted;
}

namespace {
// One area of an all-areas run. Every area is chosen before any is drawn, so
// that the names of all of them are shaped at once, on every processor.
struct AreaPrint {
  QString item;
  bool unset = false;  // no saved choices: passed over
  PrintState state;
  ScheduleSelection selection;
  ScheduleSheet sheet;
  std::exception_ptr failure;  // why the area cannot be printed
};

// The selections of the areas, shared out over the processors: one area's
// choice of staff does not depend on another's.
void selectAreas(QVector<AreaPrint>& areas, const QVector<EmployeeRow>& staff) {
  AreaPrint* const each = areas.data();  // each thread takes areas of its own
  const auto selectRun = [&](qsizetype from, qsizetype step) {
    for (qsizetype i = from; i < areas.size(); i += step) {
      AreaPrint& a = each[i];
      if (a.unset || a.failure) continue;
      try {
        a.selection = selectSchedule(a.state, staff);
      } catch (...) {
        a.failure = std::current_exception();
      }
    }
  };
  const int processors = int(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
  std::vector<std::future<void>> others;
  for (int k = 1; k < processors; ++k)
    others.push_back(std::async(std::launch::async, selectRun, k, processors));
  selectRun(0, processors);
  for (auto& other : others) other.get();
}

// Reads the choices of every area in turn; the first area whose choices
// cannot be read ends the list there (the areas before it still print).
QVector<AreaPrint> loadAreas(const ScheduleRun& run, PrintState& state, const QStringList& items) {
  QVector<AreaPrint> areas;
  for (const QString& item : items) {
    AreaPrint a;
    a.item = item;
    const QString settingsFile = areaSettingsFileName(item);
    a.unset = run.unsetAreas && !QFileInfo::exists(settingsFile);
    if (!a.unset) {
      try {
        loadAreaChoices(state, settingsFile);
        loadExclusions(state);
      } catch (...) {
        a.failure = std::current_exception();
      }
      a.state = state;
    }
    areas << a;
    if (a.failure) break;
  }
  return areas;
}

int printAllAreas(const ScheduleRun& run, PrintState& state, const QStringList& items) {
  // The bar shows from the start: the reading and measuring come first.
  if (run.areaDone) run.areaDone(0, int(items.size()));
  QVector<AreaPrint> areas = loadAreas(run, state, items);
  const bool anyToPrint = std::any_of(areas.cbegin(), areas.cend(), [](const AreaPrint& a) {
    return !a.unset && !a.failure;
  });
  if (anyToPrint) {
    // Every area is chosen from the same records, and nothing can change
    // them during the run: the table is read once, not once per area.
    selectAreas(areas, run.readStaff());
    QVector<const ScheduleSheet*> sheets;
    for (AreaPrint& a : areas) {
      if (a.unset || a.failure) continue;
      a.sheet = makeScheduleSheet(a.state, a.selection, run.date);
      sheets << &a.sheet;
    }
    prepareScheduleNames(*run.printer, sheets, run.rowUnit);
  }
  int documents = 0;
  for (qsizetype i = 0; i < areas.size(); ++i) {
    const AreaPrint& a = areas[i];
    if (run.areaDone) run.areaDone(int(i), int(items.size()));
    if (a.unset) {
      *run.unsetAreas << a.item.trimmed();
      continue;
    }
    if (a.failure) std::rethrow_exception(a.failure);
    printSheet(run, a.sheet);
    if (run.unlisted) *run.unlisted += a.selection.unlisted;
    ++documents;
  }
  return documents;
}
}  // namespace

int printSchedules(const ScheduleRun& run, PrintState& state) {
  bool ok = false;
  const QString settingsFile = readPrintFile(&ok);
  if (!ok) throw ScheduleError("PRINT.IGH cannot be read");
  if (!isAllAreasSettingsFile(settingsFile)) {
    printAreaSchedule(run, state, settingsFile);
    return 1;
  }
  const ListRead list = readListFile("AREAS.IGH");
  if (!list.ok) throw ScheduleError("AREAS.IGH cannot be read");
  // A blank or one-letter item (a cleared box of the area window) is no
  // area: the areas after it are printed all the same.
  QStringList items;
  for (const QString& item : list.items)
    if (item.trimmed().size() >= 2) items << item;
  // The areas' documents reach a PDF file together, drawn at once, and also
  // when an area fails half-way: the areas ended before it stay printed.
  run.printer->holdDocuments();
  int documents = 0;
  try {
    documents = printAllAreas(run, state, items);
  } catch (...) {
    try {
      run.printer->releaseDocuments();
    } catch (const PrinterError&) {
      // The area's own failure is the one to report.
    }
    throw;
  }
  run.printer->releaseDocuments();
  return documents;
}

QString unlistedShiftText(const UnlistedShift& shift) {
  return shift.name + ": " + fields::weekdays[shift.day].name + " " + shift.hours;
}

namespace {
// The order of the closing message: by area (in the order printed), weekday
// and name; shifts alike in all three keep their order.
class UnlistedOrder {
 public:
  explicit UnlistedOrder(const QVector<UnlistedShift>& shifts) : shifts_(shifts) {
    QHash<QString, int> areas;
    areaRank_.reserve(shifts.size());
    for (const UnlistedShift& s : shifts) {
      if (!areas.contains(s.area)) areas.insert(s.area, int(areas.size()));
      areaRank_ << areas.value(s.area);
    }
  }
  bool operator()(qsizetype a, qsizetype b) const {
    const UnlistedShift& x = shifts_[a];
    const UnlistedShift& y = shifts_[b];
    if (areaRank_[a] != areaRank_[b]) return areaRank_[a] < areaRank_[b];
    if (x.day != y.day) return x.day < y.day;
    if (const int order = nameorder::compare(x.name, y.name); order != 0) return order < 0;
    return a < b;
  }

 private:
  const QVector<UnlistedShift>& shifts_;
  QVector<int> areaRank_;
};

// The first `count` shifts in that order (all of them when count is larger).
QVector<UnlistedShift> firstUnlisted(const QVector<UnlistedShift>& shifts, qsizetype count) {
  QVector<qsizetype> order(shifts.size());
  std::iota(order.begin(), order.end(), 0);
  count = std::clamp<qsizetype>(count, 0, shifts.size());
  // A large run leaves out thousands; the message shows a few.
  std::partial_sort(order.begin(), order.begin() + count, order.end(), UnlistedOrder(shifts));
  QVector<UnlistedShift> first;
  first.reserve(count);
  for (qsizetype i = 0; i < count; ++i) first << shifts[order[i]];
  return first;
}
}  // namespace

QVector<UnlistedShift> sortedUnlisted(QVector<UnlistedShift> shifts) {
  return firstUnlisted(shifts, shifts.size());
}

QString unlistedNotice(const QVector<UnlistedShift>& shifts, int shown) {
  if (shifts.isEmpty()) return {};
  QString text =
      "These staff work in the printed area on these days, but their hours match none of the "
      "schedule's four times, so the paper leaves them out:";
  for (const UnlistedShift& s : firstUnlisted(shifts, shown))
    text += "\n" + unlistedShiftText(s) + " (" + s.area.trimmed() + ")";
  if (shifts.size() > shown) text += QString("\n... and %1 more.").arg(shifts.size() - shown);
  return text;
}

QString unsetAreasNotice(const QStringList& areas) {
  if (areas.isEmpty()) return {};
  return "These areas have no saved print choices, so they were not printed (choose each in the "
         "print setup and press Save Info):\n" +
         areas.join("\n");
}

QString scheduleSubject() {
  bool ok = false;
  const QString settingsFile = readPrintFile(&ok);
  if (!ok) return "Schedule";
  if (isAllAreasSettingsFile(settingsFile)) return "All areas schedule";
  const QString area = readAreaSettings(settingsFile, &ok).area;
  return ok && !area.isEmpty() ? area + " schedule" : "Schedule";
}
