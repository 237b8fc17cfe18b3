#pragma once
// The question for a folder (where to write an export), with a seam so tests
// answer it without a dialog.
#include <QString>
#include <memory>

class QWidget;

// Shows the folder dialog, starting in `start`. Returns the folder chosen,
// or an empty text on Cancel.
QString askForFolder(QWidget* parent, const QString& title, const QString& start);

// Test seam: while a FolderChoice lives, askForFolder() shows no dialog and
// answers with its folder (empty: Cancel). It counts the questions and keeps
// the last title and start folder.
class FolderChoice {
 public:
  static std::unique_ptr<FolderChoice> folder(const QString& path);
  static std::unique_ptr<FolderChoice> cancel() { return folder({}); }
  ~FolderChoice();
  FolderChoice(const FolderChoice&) = delete;
  FolderChoice& operator=(const FolderChoice&) = delete;

  QString path;
  int timesShown = 0;
  QString lastTitle, lastStart;

 private:
  FolderChoice() = default;
};
