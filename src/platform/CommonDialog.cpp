#include "platform/CommonDialog.h"

#include "platform/Help.h"

CommonDialog::CommonDialog(const QString& name, QObject* parent) : QObject(parent) {
  setObjectName(name);
}

bool CommonDialog::ShowHelp() { return help::show(HelpFile, HelpCommand, HelpContext); }

void showHelpContents(CommonDialog& dialog) {
  dialog.HelpFile = "EMPLOYEE.HLP";
  dialog.HelpCommand = help::Contents;
  dialog.CancelError = true;
  (void)dialog.ShowHelp();  // a missing help file is no error worth a message
}
