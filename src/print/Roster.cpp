#include "print/Roster.h"

#include <QHash>
#include <QSet>

#include "data/RecordSet.h"
#include "db/EmployeeFields.h"
#include "lists/ListFile.h"
#include "platform/Printer.h"

namespace {
constexpr int kAreaWidth = 30;

QString comparable(const QString& text) { return text.trimmed().toUpper(); }

// The text cut into pieces that each fit in `room` (at least one letter each).
QStringList piecesFitting(const Printer& printer, const QString& text, double room) {
  QStringList pieces;
  QString piece;
  for (const QChar c : text) {
    if (!piece.isEmpty() && printer.TextWidth(piece + c) > room) {
      pieces << piece;
      piece.clear();
    }
    piece += c;
  }
  pieces << piece;
  return pieces;
}

// Area, name and position in print zones. A name that ends one blank short of
// the next zone would run into its position ("Matthew Lewis Bartender"), so
// the position then goes one zone further on.
void printRow(Printer& printer, const QString& area, const QString& name, const QString& position) {
  printer.Print({area, Printer::Zone});
  const double nameX = printer.CurrentX;
  const double nameEnd = nameX + printer.TextWidth(name);
  double positionX = printer.nextZone(nameEnd);
  if (positionX - nameEnd < 2 * printer.columnWidth() - 1e-6) positionX += printer.zoneWidth();
  const double right = printer.ScaleWidth();
  if (positionX + printer.TextWidth(position) <= right) {
    printer.Print({name, Printer::Join});
    printer.Print({Printer::Zone});
    if (printer.CurrentX - nameEnd < 2 * printer.columnWidth() - 1e-6) printer.Print({Printer::Zone});
    printer.Print(position);
    return;
  }
  // A name or position too long for the line goes on over the next lines,
  // under the name, rather than running off the edge of the paper.
  bool first = true;
  for (const QString& text : {name, position})
    for (const QString& piece : piecesFitting(printer, text, right - nameX)) {
      if (!first) printer.CurrentX = nameX;
      printer.Print(piece);
      first = false;
    }
}
}  // namespace

QVector<RosterArea> rosterAreas(const QStringList& items) {
  QVector<RosterArea> areas;
  for (const QString& item : items) {
    const QString key = comparable(item);
    // A blank item is a cleared box of the area window, not the end of the
    // list: the areas after it are printed too, however many there are.
    if (key == "SPECIAL" || key == "ALL_AREAS" || key.isEmpty()) continue;
    areas.push_back({item.left(kAreaWidth).leftJustified(kAreaWidth, ' '), key});
  }
  if (areas.isEmpty()) areas.push_back({QString(kAreaWidth, ' '), QString()});
  return areas;
}

QVector<RosterArea> readRosterAreas() {
  const ListRead list = readListFile("AREAS.IGH");
  if (!list.ok) throw RosterError("AREAS.IGH cannot be read");
  return rosterAreas(list.items);
}

int printRoster(Printer& printer, const QVector<RosterArea>& areas, RecordSet& employees,
                const QString& date, QStringList* unlisted) {
  printer.FontStrikethru = true;
  printer.PrintQuality = 600;
  printer.Zoom = 100;
  printer.FontBold = true;
  printer.FontStrikethru = false;
  printer.Print(" ");
  printer.FontBold = false;
  printer.FontUnderline = true;
  printer.FontBold = true;
  printer.Print();

  printer.Print({"Area", Printer::Zone, Printer::Zone, "Name", Printer::Zone, Printer::Zone,
                 "Position", Printer::Zone, date});
  printer.FontUnderline = false;
  printer.Print();

  // One walk of the table, its employees grouped by area in table order, so
  // twenty areas cost one reading and not twenty.
  struct Row {
    QString name, position;
  };
  QHash<QString, QVector<Row>> byArea;
  QSet<QString> sections;
  for (const RosterArea& area : areas) sections.insert(area.key);
  QHash<QString, QString> keys;  // of each area as written: a few, over and over
  // A position comes again and again: each is one string, measured once.
  QHash<QString, QString> positions;
  employees.eachTexts({fields::Area, fields::Fullname, fields::Position}, [&](QString* texts) {
    auto known = keys.constFind(texts[0]);
    if (known == keys.cend()) known = keys.insert(texts[0], comparable(texts[0]));
    const QString& key = *known;
    auto position = positions.constFind(texts[2]);
    if (position == positions.cend()) position = positions.insert(texts[2], texts[2].trimmed());
    byArea[key].push_back({texts[1].trimmed(), *position});
    // A first area not (or no longer) in the list: no page shows them, so
    // the closing box names them.
    if (unlisted && !sections.contains(key))
      *unlisted << texts[1].trimmed() + (key.isEmpty() ? QString(" (no Bldg/Dept)")
                                                       : " (" + texts[0].trimmed() + ")");
  });

  // Every line's texts measured at once, in the order they are printed.
  printer.FontBold = false;
  QStringList texts;
  for (const RosterArea& area : areas)
    for (const Row& row : byArea.value(area.key)) texts << area.shown << row.name << row.position;
  printer.prepareTexts(texts);

  const QString rule(127, '_');
  int total = 0;
  for (const RosterArea& area : areas) {
    int count = 0;
    printer.FontBold = false;
    for (const Row& row : byArea.value(area.key)) {
      printRow(printer, area.shown, row.name, row.position);
      ++count;
    }
    printer.FontBold = true;
    printer.Print();
    printer.Print(QString("Staff count for this area ( %1)").arg(count));
    printer.Print(rule);
    total += count;
    printer.FontBold = false;
  }

  printer.FontBold = true;
  printer.Print();
  printer.Print(QString("ToTal Staff count for these areas ( %1)").arg(total));
  printer.EndDoc();
  return total;
}

QString unlistedStaffNotice(const QStringList& unlisted, int shown) {
  if (unlisted.isEmpty()) return {};
  QString text = "These staff are on no page of the roster, since their Bldg/Dept is not in the "
                 "list of areas (renamed or removed since, or none given):";
  for (int i = 0; i < unlisted.size() && i < shown; ++i) text += "\n" + unlisted[i];
  if (unlisted.size() > shown) text += QString("\n... and %1 more.").arg(unlisted.size() - shown);
  return text;
}
