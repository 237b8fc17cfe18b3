#include "print/SchedulePrint.h"

#include <QFileInfo>

#include <algorithm>
#include <optional>

#include "lists/ExtrasFile.h"
#include "lists/ListFile.h"
#include "platform/Printer.h"
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

void printAreaSchedule(const ScheduleRun& run, PrintState& state, const QString& settingsFileName) {
  loadAreaChoices(state, settingsFileName);
  loadExclusions(state);
  const ScheduleSelection selection = selectSchedule(state, run.readStaff());
  try {
    printScheduleSheet(*run.printer, makeScheduleSheet(state, selection, run.date), run.rowUnit);
    run.printer->EndDoc();
  } catch (...) {
    run.printer->KillDoc();  // a page in progress is never sent
    throw;
  }
  if (run.unlisted) *run.unlisted += selection.unlisted;
}

int printSchedules(const ScheduleRun& run, PrintState& state) {
  bool ok = false;
  const QString settingsFile = readPrintFile(&ok);
  if (!ok) throw ScheduleError("PRINT.IGH cannot be read");
  if (!isAllAreasSettingsFile(settingsFile)) {
    printAreaSchedule(run, state, settingsFile);
    return 1;
  }
  const ListRead areas = readListFile("AREAS.IGH");
  if (!areas.ok) throw ScheduleError("AREAS.IGH cannot be read");
  // Every area is chosen from the same records, and nothing can change them
  // during the run: read the table once, not once per area.
  std::optional<QVector<EmployeeRow>> staff;
  ScheduleRun eachArea = run;
  eachArea.readStaff = [&] {
    if (!staff) staff = run.readStaff();
    return *staff;
  };
  // The areas' documents reach a PDF file together, drawn at once, and also
  // when an area fails half-way: the areas ended before it stay printed.
  run.printer->holdDocuments();
  int documents = 0;
  const auto isArea = [](const QString& item) { return item.trimmed().size() >= 2; };
  const int areaCount = int(std::count_if(areas.items.cbegin(), areas.items.cend(), isArea));
  int done = 0;
  try {
    for (const QString& item : areas.items) {
      // A blank or one-letter item (a cleared box of the area window) is no
      // area: the areas after it are printed all the same.
      if (!isArea(item)) continue;
      if (run.areaDone) run.areaDone(done++, areaCount);
      const QString settingsFile = areaSettingsFileName(item);
      if (run.unsetAreas && !QFileInfo::exists(settingsFile)) {
        *run.unsetAreas << item.trimmed();
        continue;
      }
      printAreaSchedule(eachArea, state, settingsFile);
      ++documents;
    }
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

QVector<UnlistedShift> sortedUnlisted(QVector<UnlistedShift> shifts) {
  QStringList areas;  // in the order printed
  for (const UnlistedShift& s : shifts)
    if (!areas.contains(s.area)) areas << s.area;
  std::stable_sort(shifts.begin(), shifts.end(), [&](const UnlistedShift& a, const UnlistedShift& b) {
    const qsizetype areaA = areas.indexOf(a.area), areaB = areas.indexOf(b.area);
    if (areaA != areaB) return areaA < areaB;
    if (a.day != b.day) return a.day < b.day;
    return QString::compare(a.name, b.name, Qt::CaseInsensitive) < 0;
  });
  return shifts;
}

QString unlistedNotice(const QVector<UnlistedShift>& shifts, int shown) {
  if (shifts.isEmpty()) return {};
  QString text =
      "These staff work in the printed area on these days, but their hours match none of the "
      "schedule's four times, so the paper leaves them out:";
  const QVector<UnlistedShift> sorted = sortedUnlisted(shifts);
  for (int i = 0; i < sorted.size() && i < shown; ++i)
    text += "\n" + unlistedShiftText(sorted[i]) + " (" + sorted[i].area.trimmed() + ")";
  if (sorted.size() > shown) text += QString("\n... and %1 more.").arg(sorted.size() - shown);
  return text;
}

QString unsetAreasNotice(const QStringList& areas) {
  if (areas.isEmpty()) return {};
  return "These areas have no saved print choices, so they were not printed (choose each in the "
         "print setup and press Save Info):\n" +
         areas.join("\n");
}
