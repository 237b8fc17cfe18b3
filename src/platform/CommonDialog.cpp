#include "platform/CommonDialog.h"

#include <QPageLayout>
#include <QPrintDialog>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>

#include "platform/Help.h"
#include "platform/Printer.h"

namespace {
PrinterChoice*& activeChoice() {
  static PrinterChoice* choice = nullptr;
  return choice;
}
}  // namespace

CommonDialog::CommonDialog(const QString& name, QObject* parent) : QObject(parent) {
  setObjectName(name);
}

bool CommonDialog::ShowHelp() { return help::show(HelpFile, HelpCommand, HelpContext); }

std::unique_ptr<Printer> CommonDialog::ShowPrinter() {
  auto cancelled = [this]() -> std::unique_ptr<Printer> {
    if (CancelError) throw DialogCancelled("Cancel was selected in the printer dialog");
    return nullptr;
  };
  const QString offered =
      freeFileName(QDir::currentPath(), FileName.isEmpty() ? "Employees Rotawise.pdf" : FileName);
  std::shared_ptr<PrintTarget> target;
  if (PrinterChoice* choice = activeChoice()) {
    ++choice->timesShown;
    choice->lastTitle = DialogTitle;
    choice->lastFileName = offered;
    switch (choice->kind) {
      case PrinterChoice::Kind::Cancel:
        return cancelled();
      case PrinterChoice::Kind::PdfFile:
        target = makePdfTarget(choice->path);
        break;
      case PrinterChoice::Kind::Recording:
        target = choice->target;
        break;
    }
    Copies = choice->copies;
  } else {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // The schedule's seven columns need nearly the whole width of the paper.
    printer->setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Point);
    // The dialog offers a print to a file under the document's name; with no
    // printer installed it offers only that file, named in the data folder
    // rather than left a bare folder.
    printer->setDocName(QFileInfo(offered).completeBaseName());
    if (QPrinterInfo::availablePrinters().isEmpty()) printer->setOutputFileName(offered);
    QPrintDialog dialog(printer.get(), qobject_cast<QWidget*>(parent()));
    dialog.setWindowTitle(DialogTitle.isEmpty() ? QStringLiteral("Print") : DialogTitle);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    if (dialog.exec() != QDialog::Accepted) return cancelled();
    Copies = printer->copyCount();
    target = makeQPrinterTarget(std::move(printer));
  }
  auto result = std::make_unique<Printer>(std::move(target));
  result->Copies = Copies;
  return result;
}

PrinterChoice::PrinterChoice(Kind k) : kind(k) { activeChoice() = this; }

PrinterChoice::~PrinterChoice() {
  if (activeChoice() == this) activeChoice() = nullptr;
}

std::unique_ptr<PrinterChoice> PrinterChoice::pdfFile(const QString& path, int copies) {
  std::unique_ptr<PrinterChoice> c(new PrinterChoice(Kind::PdfFile));
  c->path = path;
  c->copies = copies;
  return c;
}

std::unique_ptr<PrinterChoice> PrinterChoice::recording(std::shared_ptr<RecordingTarget> target,
                                                        int copies) {
  std::unique_ptr<PrinterChoice> c(new PrinterChoice(Kind::Recording));
  c->target = std::move(target);
  c->copies = copies;
  return c;
}

std::unique_ptr<PrinterChoice> PrinterChoice::cancel() {
  return std::unique_ptr<PrinterChoice>(new PrinterChoice(Kind::Cancel));
}

QString printFileName(const QString& subject, const QDate& day) {
  QString name = subject.trimmed() + " " + day.toString(Qt::ISODate) + ".pdf";
  for (QChar& c : name)
    if (c < u' ' || QStringLiteral("/\\<>:\"|?*").contains(c)) c = u'_';
  return name;
}

QString freeFileName(const QString& folder, const QString& fileName) {
  const QDir dir(folder);
  const QFileInfo name(fileName);
  const QString stem = name.completeBaseName();
  const QString extension = name.suffix().isEmpty() ? QString() : "." + name.suffix();
  QString candidate = fileName;
  for (int n = 2; QFileInfo::exists(dir.filePath(candidate)); ++n)
    candidate = QString("%1 (%2)%3").arg(stem).arg(n).arg(extension);
  return dir.absoluteFilePath(candidate);
}

void showHelpContents(CommonDialog& dialog) {
  dialog.HelpFile = "EMPLOYEE.HLP";
  dialog.HelpCommand = help::Contents;
  dialog.CancelError = true;
  (void)dialog.ShowHelp();  // a missing help file is no error worth a message
}
