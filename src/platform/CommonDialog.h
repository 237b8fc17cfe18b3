#pragma once
// The common dialog control of the old platform: help and (with printing)
// the printer dialog. Its properties keep their classic names.
#include <QObject>
#include <QString>

class CommonDialog : public QObject {
  Q_OBJECT
 public:
  explicit CommonDialog(const QString& name, QObject* parent = nullptr);

  QString HelpFile;
  int HelpCommand = 0;
  int HelpContext = 0;
  bool CancelError = false;
  QString DialogTitle;

  // Shows help from HelpFile with HelpCommand. Returns false on any error
  // (a missing file among them); callers of the help buttons ignore it.
  bool ShowHelp();
};

// The Help buttons of the setup and data windows, and "&Main Help Index":
// the contents of EMPLOYEE.HLP in the current directory; errors end it silently.
void showHelpContents(CommonDialog& dialog);
