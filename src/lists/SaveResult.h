#pragma once
// What a save of one of the setup files came to: done, or the message the
// window shows under "Opps!" (with nothing written when a value was refused,
// and the old file left as it was when the disk refused).
#include <QString>
#include <functional>

class QWidget;

struct SaveResult {
  bool ok = true;
  QString message;

  static SaveResult saved() { return {}; }
  static SaveResult failed(const QString& message) { return {false, message}; }
};

// The notice for a file the disk would not take.
QString saveFailedMessage(const QString& what, const QString& error);
// The notice for a value holding a double quote, which the files cannot keep.
QString quoteRefusedMessage(const QString& boxName);
// The notice for a value the files cannot keep: a double quote, or a line
// break inside it (pasted text), each with its own words.
QString valueRefusedMessage(const QString& boxName, const QString& value);

// Closing a setup window whose boxes differ from the file: "Warning question"
// with Yes (save), No (discard) and Cancel (stay). Returns the answer.
int askBeforeClosingUnsaved(const QString& what);
// The close path of the setup windows (their closeEvent): a close that Save
// or Cancel did not start (the title bar, Alt+F4, Escape) runs `unload`, the
// window's Form_UnLoad(Cancel), first and then shows the main window as Save
// and Cancel do. False when Form_UnLoad set Cancel: the window stays.
bool closeAfterUnload(QWidget* window, const std::function<void(int& Cancel)>& unload);
