#pragma once
// What a data folder holds, to compare before and after a save, a failure or
// a crash: files by path relative to the folder (subfolders too) with their
// contents; a missing path means "no such file".
#include <QByteArray>
#include <QMap>
#include <QString>

#include "platform/FileOps.h"

using FolderState = QMap<QString, QByteArray>;

FolderState folderState(const QString& folder);
// Makes the current directory hold exactly `state`.
void setFolder(const FolderState& state);
const char* stepName(FileStep step);
