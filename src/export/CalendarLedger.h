#pragma once
// What the last export into a folder put into its calendar files, kept in
// the folder itself (kLedgerName, written with the files), so that the next
// export into it tells calendars what changed: an event whose shift changed
// comes with a higher SEQUENCE, and one whose shift, or whose employee, is
// gone is written once more as cancelled (with a higher SEQUENCE), so a
// calendar that imports the file again drops it instead of keeping it for
// ever. The file of an employee who is gone stays until the export after.
#include <QDir>
#include <QHash>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

#include "export/CalendarFile.h"

struct WeekPlan;

inline const QString kLedgerName = ".rotawise-calendars.json";

class CalendarLedger {
 public:
  // What the last export left in `folder`. Where an earlier version exported
  // there without a ledger, its calendar files stand for it: their events
  // then belong to whoever's file has that name now.
  static CalendarLedger read(const QDir& folder);

  // The file the employee's events went into last time (under any of their
  // keys); empty for none.
  QString previousFile(const QStringList& employeeKeys) const;
  // The files of employees not among `present` that still hold events to
  // cancel.
  QStringList filesOfGone(const QSet<QString>& present) const;

  // One employee's file of this export: their events, each with its
  // revision, then the cancellations of the events the last export gave
  // them (under any of their keys, the first being the one they have now)
  // and this one does not.
  QVector<IssuedEvent> issue(const QStringList& employeeKeys, const QString& file,
                             const QVector<ShiftEvent>& events);
  // The cancellations of every event of employees not among `present`, by
  // the file they were in.
  QMap<QString, QVector<IssuedEvent>> cancelGone(const QSet<QString>& present);

  int cancelledCount() const { return cancelled_; }
  // The calendar files the last export wrote that this one did not write.
  QStringList leftBehind() const;
  // The ledger of this export.
  QByteArray bytes() const;

 private:
  struct Entry {
    QString uid, employee, file;
    int sequence = 0;
    bool cancelled = false;
    QByteArray text;  // the event without DTSTAMP and SEQUENCE, as last written
  };
  void add(const Entry& e);
  void cancel(const Entry& previous, const QString& file, QVector<IssuedEvent>& out);
  void wrote(const QString& file);

  QVector<Entry> previous_;  // in the order the last export wrote them
  QHash<QString, int> previousByUid_;
  QHash<QString, QVector<int>> previousOf_;  // by employee; by file (after "/") before the ledger
  QHash<QString, QString> fileOfEmployee_;
  QStringList previousFiles_;  // empty where no ledger was found
  QVector<Entry> next_;
  QHash<QString, int> nextByUid_;
  QStringList written_;        // in the order written
  QSet<QString> writtenNames_;
  int cancelled_ = 0;
};

// Each employee keeps the calendar file the last export gave them while it
// still fits their name; the others are named around those files and the
// files of employees who are gone.
void keepCalendarFiles(WeekPlan& plan, const CalendarLedger& ledger);
