#pragma once
// What a save of one of the setup files came to: done, or the message the
// window shows under "Opps!" (with nothing written when a value was refused,
// and the old file left as it was when the disk refused).
#include <QString>

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
