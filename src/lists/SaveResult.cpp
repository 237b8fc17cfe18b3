#include "lists/SaveResult.h"

#include <QWidget>

#include "platform/Forms.h"
#include "platform/MessageBox.h"

QString saveFailedMessage(const QString& what, const QString& error) {
  return QString("%1 could not be saved.  %2  Your entries are still on the screen, and the "
                 "old file was left as it was.  Please check the disk and folder, then save again.")
      .arg(what, error);
}

QString quoteRefusedMessage(const QString& boxName) {
  return QString("%1 holds a double quote (\"), which cannot be stored.  Please take it out or "
                 "use a single quote ('), then save again.  Nothing was saved.")
      .arg(boxName);
}

QString valueRefusedMessage(const QString& boxName, const QString& value) {
  if (value.contains(u'"')) return quoteRefusedMessage(boxName);
  return QString("%1 holds a line break, which cannot be stored: each entry is kept on one line.  "
                 "Please put it on one line, then save again.  Nothing was saved.")
      .arg(boxName);
}

int askBeforeClosingUnsaved(const QString& what) {
  return msgBox(QString("The changes to %1 have not been saved.  Save them before the window "
                        "closes?\n\nYes saves them, No leaves the file as it was, Cancel goes "
                        "back to the window.")
                    .arg(what),
                msg::YesNoCancel + msg::Question, "Warning question");
}

bool closeAfterUnload(QWidget* window, const std::function<void(int& Cancel)>& unload) {
  if (window->property("unloading").toBool()) return true;
  int cancel = 0;
  unload(cancel);
  if (cancel) return false;
  window->setProperty("unloading", true);
  showMainWindow();
  return true;
}
