#pragma once
// What every benchmark shares: a fresh copy of a generated business as the
// current directory, message boxes answered without a dialog, the printer
// dialog choosing a PDF file, and the windows' buttons pressed the way a click
// presses them (through their handlers).
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "support/Business.h"

class QWidget;
class PrinterChoice;

namespace bench {

class Workspace {
 public:
  explicit Workspace(int employees);
  ~Workspace();
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  const Facts& facts() const { return facts_; }
  QString file(const QString& name) const { return dir_.filePath(name); }
  // Puts the generated table back as employee.mdb (`source` is "employee.mdb"
  // or "save-base.mdb" of the business) and removes what a compaction left.
  // No window may hold the table open. With ROTAWISE_BENCH_PG_URI set (a
  // PostgreSQL server's maintenance database), the workspace keeps its table
  // in a database of its own on that server, named in database.url, and this
  // puts the generated rows back there.
  void restoreDatabase(const QString& source = "employee.mdb");
  // Writes PRINT.IGH naming the settings file of `area` ("All_Areas" for all).
  void handOverArea(const QString& area);

 private:
  void useServer(const QString& adminUri);
  QString serverDatabase_;  // empty: the table is employee.mdb
  QString adminUri_;
  Facts facts_;
  QString business_;
  QTemporaryDir dir_;
  QString previous_;
};

// Answers every message box (Yes to a question, OK otherwise) and keeps the
// texts, so a benchmark can tell a failed action from a finished one.
class Answers {
 public:
  Answers();
  ~Answers();
  QStringList texts;
  // True when a box with that text was shown since the last clear().
  bool saw(const QString& text) const;
  void clear() { texts.clear(); }
};

// The printer dialog chooses this PDF file for as long as it lives.
std::unique_ptr<PrinterChoice> printToPdf(const QString& path);
// Pages of a PDF file (0 when it is missing or unreadable); counts page objects.
int pdfPages(const QString& path);

// Presses a button of a window by its object name; throws when there is none.
void press(QWidget* window, const QString& button);
// Deletes a window and lets its deferred deletes run, so the next run starts
// with no window holding the table.
void closeWindow(QWidget* window);
// Deletes every top-level window.
void closeAllWindows();

}  // namespace bench
