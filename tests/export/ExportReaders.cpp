#include "ExportReaders.h"

#include <libical/ical.h>

#include <QProcess>
#include <QRegularExpression>
#include <QTime>
#include <QXmlStreamReader>

#include "support/HostTools.h"

namespace {
QString propertyText(icalcomponent* event, icalproperty_kind kind) {
  icalproperty* p = icalcomponent_get_first_property(event, kind);
  return p ? QString::fromUtf8(icalproperty_get_value_as_string(p)) : QString();
}

QByteArray unzipped(const QString& archive, const QString& member) {
  QProcess p;
  p.start(hostTool("unzip"), {"-p", hostPath(archive), member});
  if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
  return p.readAllStandardOutput();
}

// A1 reference to (row, column), both from 0.
std::pair<int, int> position(const QString& ref) {
  int col = 0, i = 0;
  while (i < ref.size() && ref[i].isLetter()) col = col * 26 + (ref[i++].unicode() - 'A' + 1);
  return {ref.mid(i).toInt() - 1, col - 1};
}
}  // namespace

Calendar readCalendar(const QByteArray& bytes) {
  Calendar c;
  c.lines = QString::fromUtf8(bytes).replace("\r\n ", "").split("\r\n", Qt::SkipEmptyParts);
  icalcomponent* root = icalparser_parse_string(bytes.constData());
  if (!root) return c;
  c.parsed = icalcomponent_isa(root) == ICAL_VCALENDAR_COMPONENT;
  c.errors = icalcomponent_count_errors(root);
  c.restrictionsMet = icalrestriction_check(root) == 1;
  for (icalcomponent* e = icalcomponent_get_first_component(root, ICAL_VEVENT_COMPONENT); e;
       e = icalcomponent_get_next_component(root, ICAL_VEVENT_COMPONENT)) {
    CalendarEvent ev;
    ev.uid = propertyText(e, ICAL_UID_PROPERTY);
    ev.stamp = propertyText(e, ICAL_DTSTAMP_PROPERTY);
    ev.summary = propertyText(e, ICAL_SUMMARY_PROPERTY);
    ev.description = propertyText(e, ICAL_DESCRIPTION_PROPERTY);
    ev.rrule = propertyText(e, ICAL_RRULE_PROPERTY);
    if (icalcomponent_get_first_property(e, ICAL_SEQUENCE_PROPERTY)) ev.sequence = icalcomponent_get_sequence(e);
    ev.cancelled = icalcomponent_get_status(e) == ICAL_STATUS_CANCELLED;
    const icaltimetype start = icalcomponent_get_dtstart(e);
    const icaltimetype end = icalcomponent_get_dtend(e);
    ev.start = QString::fromUtf8(icaltime_as_ical_string(start));
    ev.end = QString::fromUtf8(icaltime_as_ical_string(end));
    ev.allDay = start.is_date && end.is_date;
    ev.floating =
        !start.is_date && !icaltime_is_utc(start) && !start.zone &&
        !icalproperty_get_first_parameter(
            icalcomponent_get_first_property(e, ICAL_DTSTART_PROPERTY), ICAL_TZID_PARAMETER);
    c.events.push_back(ev);
  }
  icalcomponent_free(root);
  return c;
}

QVector<QStringList> Sheet::rows() const {
  QVector<QStringList> out;
  int width = 0;
  for (auto it = cells.begin(); it != cells.end(); ++it)
    width = qMax(width, position(it.key()).second + 1);
  for (auto it = cells.begin(); it != cells.end(); ++it) {
    const auto [row, col] = position(it.key());
    while (out.size() <= row) out.push_back(QStringList(width, QString()));
    out[row][col] = it->text;
  }
  return out;
}

QVector<Sheet> readWorkbook(const QString& path) {
  QStringList shared;
  QXmlStreamReader strings(unzipped(path, "xl/sharedStrings.xml"));
  while (!strings.atEnd())
    if (strings.readNext() == QXmlStreamReader::StartElement && strings.name() == u"si")
      shared << strings.readElementText(QXmlStreamReader::IncludeChildElements);

  // The number format of each cell style: only "is it a time" matters here.
  QVector<bool> timeStyle;
  QMap<int, QString> formats;
  QXmlStreamReader styles(unzipped(path, "xl/styles.xml"));
  bool inCellXfs = false;
  while (!styles.atEnd()) {
    const auto token = styles.readNext();
    if (token == QXmlStreamReader::StartElement && styles.name() == u"numFmt")
      formats[styles.attributes().value("numFmtId").toInt()] =
          styles.attributes().value("formatCode").toString();
    if (styles.name() == u"cellXfs") inCellXfs = token == QXmlStreamReader::StartElement;
    if (inCellXfs && token == QXmlStreamReader::StartElement && styles.name() == u"xf") {
      // Built-in formats 18 to 21 and 45 to 47 are times ("h:mm AM/PM" is 18).
      const int id = styles.attributes().value("numFmtId").toInt();
      timeStyle << (formats.value(id).contains("h:mm") || (id >= 18 && id <= 21) ||
                    (id >= 45 && id <= 47));
    }
  }

  QVector<Sheet> sheets;
  QXmlStreamReader book(unzipped(path, "xl/workbook.xml"));
  while (!book.atEnd())
    if (book.readNext() == QXmlStreamReader::StartElement && book.name() == u"sheet")
      sheets.push_back({book.attributes().value("name").toString(), {}});

  for (int s = 0; s < sheets.size(); ++s) {
    QXmlStreamReader xml(unzipped(path, QString("xl/worksheets/sheet%1.xml").arg(s + 1)));
    QString ref, type, formula;
    int style = 0;
    while (!xml.atEnd()) {
      const auto token = xml.readNext();
      if (token != QXmlStreamReader::StartElement) continue;
      if (xml.name() == u"c") {
        ref = xml.attributes().value("r").toString();
        type = xml.attributes().value("t").toString();
        style = xml.attributes().value("s").toInt();
        formula.clear();
      } else if (xml.name() == u"f") {
        formula = xml.readElementText();
      } else if (xml.name() == u"v" || xml.name() == u"is") {
        const QString v = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        QString text = v;
        if (type == "s") {
          text = shared.value(v.toInt());
        } else if (type.isEmpty() || type == "n") {
          const double number = v.toDouble();
          text = style < timeStyle.size() && timeStyle[style]
                     ? QTime(0, 0).addSecs(qRound(number * 86400)).toString("HH:mm")
                     : QString::number(number, 'f', 2);
        }
        sheets[s].cells[ref] = {text, formula};
      }
    }
  }
  return sheets;
}

QVector<QStringList> readCsv(const QByteArray& bytes, bool* wellFormed) {
  *wellFormed = bytes.startsWith("\xEF\xBB\xBF") && bytes.endsWith("\r\n");
  const QString text = QString::fromUtf8(bytes.mid(3));
  QVector<QStringList> rows(1);
  QString field;
  bool quoted = false;
  for (int i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"')
        field += text[++i];
      else if (c == '"')
        quoted = false;
      else
        field += c;
    } else if (c == '"' && field.isEmpty()) {
      quoted = true;
    } else if (c == ',') {
      rows.back() << field;
      field.clear();
    } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      rows.back() << field;
      field.clear();
      rows.push_back({});
      ++i;
    } else if (c == '\n' || c == '"') {
      *wellFormed = false;  // a bare line feed, or a quote inside an unquoted field
      field += c;
    } else {
      field += c;
    }
  }
  if (rows.back().isEmpty()) rows.pop_back();
  return rows;
}
