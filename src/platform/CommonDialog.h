#pragma once
// The common dialog control of the old platform: help and (with printing)
// the printer dialog. Its properties keep their classic names.
#include <QObject>
#include <QString>

class QDate;
#include <memory>
#include <stdexcept>

class Printer;
class RecordingTarget;

// Cancel in a dialog whose CancelError is set.
class DialogCancelled : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class CommonDialog : public QObject {
  Q_OBJECT
 public:
  explicit CommonDialog(const QString& name, QObject* parent = nullptr);

  QString HelpFile;
  int HelpCommand = 0;
  int HelpContext = 0;
  bool CancelError = false;
  QString DialogTitle;
  // The name a print to a file is offered under ("Kitchen schedule
  // 2026-12-09.pdf"): in the data folder, and with " (2)", " (3)" ... when a
  // file of that name is there already, so no earlier print is replaced
  // unasked. The document takes it as its name too.
  QString FileName;

  // Shows help from HelpFile with HelpCommand. Returns false on any error
  // (a missing file among them); callers of the help buttons ignore it.
  bool ShowHelp();

  // The printer dialog, titled DialogTitle: every printer CUPS knows and
  // Qt's print to PDF file. Returns the printer to print on (one print run;
  // see platform/Printer.h) and reads the copies chosen back into Copies.
  // Cancel throws DialogCancelled when CancelError is set, else returns null.
  std::unique_ptr<Printer> ShowPrinter();
  int Copies = 1;
};

// Test seam for the printer dialog. While a PrinterChoice lives, ShowPrinter()
// shows no dialog and "picks" what the choice says; when it goes, the real
// dialog is back. The choice counts the dialogs shown and keeps the last title.
class PrinterChoice {
 public:
  static std::unique_ptr<PrinterChoice> pdfFile(const QString& path, int copies = 1);
  static std::unique_ptr<PrinterChoice> recording(std::shared_ptr<RecordingTarget> target,
                                                  int copies = 1);
  static std::unique_ptr<PrinterChoice> cancel();
  ~PrinterChoice();
  PrinterChoice(const PrinterChoice&) = delete;
  PrinterChoice& operator=(const PrinterChoice&) = delete;

  int timesShown = 0;
  QString lastTitle;
  QString lastFileName;  // the file a print to a file was offered under (absolute)

  enum class Kind { PdfFile, Recording, Cancel };
  Kind kind;
  QString path;
  std::shared_ptr<RecordingTarget> target;
  int copies = 1;

 private:
  explicit PrinterChoice(Kind k);
};

// The name of a file of prints: `subject` and the day ("Kitchen schedule
// 2026-12-09.pdf"), with every character a file name may not hold as "_".
QString printFileName(const QString& subject, const QDate& day);
// The path in `folder` for the file name that no file has yet: the name
// itself, else with " (2)", " (3)" ... before its extension.
QString freeFileName(const QString& folder, const QString& fileName);

// The Help buttons of the setup and data windows, and "&Main Help Index":
// the contents of EMPLOYEE.HLP in the current directory; errors end it silently.
void showHelpContents(CommonDialog& dialog);
