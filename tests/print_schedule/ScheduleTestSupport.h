#pragma once
// What the schedule tests share: a data folder, the recording printer, and
// reading the recorded schedule back by text and position.
#include <gtest/gtest.h>

#include <QDate>
#include <memory>

#include "platform/Clock.h"
#include "platform/Printer.h"
#include "print/SchedulePrint.h"
#include "support/ScheduleData.h"
#include "support/TestSupport.h"


// Every text of the recorded documents with where it stands.
struct Placed {
  int document;
  int page;
  PrintedText text;
};

class RecordedSchedule {
 public:
  explicit RecordedSchedule(const RecordingTarget& target);
  int documents() const { return documents_; }
  // Every placement of a text (in any document when doc is -1).
  QVector<Placed> all(const QString& text, int doc = -1) const;
  // The single placement of a text; fails the test when there is not exactly one.
  PrintedText one(const QString& text, int doc = 0) const;
  bool has(const QString& text, int doc = -1) const { return !all(text, doc).isEmpty(); }
  // The texts in a day column (x of that day) between two heights, top down;
  // the day headings (underlined) are not among them.
  QStringList column(int day, double fromY, double toY, int doc = 0, int page = 0) const;
  QVector<Placed> texts;

 private:
  int documents_ = 0;
};

class ScheduleTest : public ::testing::Test {
 protected:
  static constexpr double kRow = 150;  // row unit of these tests, twips
  ScheduleTest() { clock_::fixNow(QDateTime(QDate(2025, 3, 14), QTime(9, 30))); }
  ~ScheduleTest() override { clock_::release(); }

  // Runs the printing over `staff` with the recording printer.
  int print(bool extras = true, QStringList* unsetAreas = nullptr);
  RecordedSchedule recorded() const { return RecordedSchedule(*target); }
  // The line height of the schedule body in the recording printer.
  double bodyLine() const;
  // The line height of the rules (the next line starts that far below one).
  double ruleLine() const;
  double y(int row) const { return row * kRow; }

  DataFolder folder;
  std::shared_ptr<RecordingTarget> target = std::make_shared<RecordingTarget>();
  QVector<EmployeeRow> staff;
  PrintState state;
};
