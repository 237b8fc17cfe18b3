#include "platform/FolderDialog.h"

#include <QFileDialog>

namespace {
FolderChoice*& activeChoice() {
  static FolderChoice* choice = nullptr;
  return choice;
}
}  // namespace

QString askForFolder(QWidget* parent, const QString& title, const QString& start) {
  if (FolderChoice* choice = activeChoice()) {
    ++choice->timesShown;
    choice->lastTitle = title;
    choice->lastStart = start;
    return choice->path;
  }
  return QFileDialog::getExistingDirectory(parent, title, start, QFileDialog::ShowDirsOnly);
}

std::unique_ptr<FolderChoice> FolderChoice::folder(const QString& path) {
  std::unique_ptr<FolderChoice> c(new FolderChoice());
  c->path = path;
  activeChoice() = c.get();
  return c;
}

FolderChoice::~FolderChoice() {
  if (activeChoice() == this) activeChoice() = nullptr;
}
