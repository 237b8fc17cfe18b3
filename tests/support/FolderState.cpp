#include "support/FolderState.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace {
QStringList filesUnder(const QString& folder) {
  QStringList out;
  const QDir root(folder);
  QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
  while (it.hasNext()) out << root.relativeFilePath(it.next());
  out.sort();
  return out;
}
}  // namespace

const char* stepName(FileStep step) {
  switch (step) {
    case FileStep::Create: return "create";
    case FileStep::Write: return "write";
    case FileStep::Flush: return "flush";
    case FileStep::Link: return "link";
    case FileStep::Rename: return "rename";
    case FileStep::Delete: return "delete";
    case FileStep::Copy: return "copy";
  }
  return "?";
}

FolderState folderState(const QString& folder) {
  FolderState state;
  for (const QString& name : filesUnder(folder)) {
    QFile f(QDir(folder).filePath(name));
    if (f.open(QIODevice::ReadOnly)) state[name] = f.readAll();
  }
  return state;
}

void setFolder(const FolderState& state) {
  for (const QString& name : filesUnder(QDir::currentPath())) QFile::remove(name);
  for (auto it = state.begin(); it != state.end(); ++it) {
    QDir().mkpath(QFileInfo(it.key()).path());
    QFile f(it.key());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << it.key().toStdString();
    f.write(it.value());
  }
}
