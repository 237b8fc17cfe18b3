#pragma once
// The data control `Data1`: the familiar |< < caption > >| bar that owns a
// record set over a table and keeps its bound controls in step with the
// current record. It starts on the program's database (TableRules.h).
//
// Bound controls (QLineEdit, QComboBox, QTextEdit-free) register a field name
// with bind(); the control stores it as the "DataField" property. Moving to
// another record (buttons or Move* below) first writes the edits of the record
// it leaves (only when a bound control's text differs from the stored value,
// or a new record is pending), then shows the new record in every bound control.
// Showing a record does not fire the bound controls' change signals.
//
// The bar's buttons are children named "MoveFirst", "MovePrevious", "MoveNext"
// and "MoveLast" around the caption label "Caption". Like the bar, the Move*
// members below stop at the first and last record and do nothing on an empty
// table; walking to EOF is done on Recordset(). A button shows a database
// error as an "Opps!" message. Closing the window also writes the edits.
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

#include "data/RecordSet.h"

class QLabel;
class QToolButton;

class DataControl : public QWidget {
  Q_OBJECT
 public:
  explicit DataControl(const QString& name, QWidget* parent = nullptr);
  ~DataControl() override;

  // Properties of the classic control.
  QString Connect = "Access";
  void setDatabaseName(const QString& name) { databaseName_ = name; }
  QString DatabaseName() const { return databaseName_; }
  void setRecordSource(const QString& source) { recordSource_ = source; }
  QString RecordSource() const { return recordSource_; }
  void setCaption(const QString& caption);
  QString caption() const;

  // Closes and opens the record set again on DatabaseName/RecordSource and
  // shows the first record (bound controls are cleared when there is none).
  // Writes a pending edit first. Throws DbError when the table cannot be opened.
  void Refresh();
  void closeRecordset();  // writes a pending edit, then closes the table

  RecordSet& Recordset();  // throws DbError when not open
  bool isOpen() const;

  void bind(QWidget* control, const QString& field);
  QList<QWidget*> boundControls() const;

  // Record movement with the write-back of bound edits; these are what the
  // buttons do.
  void MoveFirst();
  void MovePrevious();
  void MoveNext();
  void MoveLast();
  // Starts a new record: bound controls cleared, the record written when the
  // control leaves it (a move, Refresh, UpdateRecord or closeRecordset); it
  // is then the current (last) record. Empty controls leave their fields
  // empty (null). Throws DbError for a record the table's rules refuse (one
  // past the largest record number).
  void AddNew();
  bool newRecordPending() const;
  // Writes the bound controls' texts into the current (or new) record now.
  void UpdateRecord();
  // Shows the current record in the bound controls again.
  void showCurrent();
  // Asked each time before the record on screen is written: `finish`
  // completes what the user was still typing; `keepNew`, asked for a new
  // record, answers false to drop it unwritten (one the user left without
  // entering anything).
  void setWriteHooks(std::function<void()> finish, std::function<bool()> keepNew);

 signals:
  void repositioned();  // after a new record became current

 protected:
  bool event(QEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void clicked(void (DataControl::*move)());
  void watchWindow();
  // The program's database, as the control is placed on every window.
  QString databaseName_;
  QString recordSource_;
  struct Impl;
  std::unique_ptr<Impl> d_;
};
