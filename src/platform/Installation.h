#pragma once
// Where the files the installation supplies are (the choice files, pictures,
// the help file and the empty employee.mdb): share/rotawise beside the
// program's bin/ folder once installed, or share/rotawise inside the build
// folder when the program runs from there. The program finds them from its
// own location, so an installed tree works under any prefix.
#include <QString>

namespace installation {
// The folder of the supplied files, or empty when none is found.
QString suppliedFolder();
// The folder a program in `programFolder` takes its supplied files from.
QString suppliedFolderFor(const QString& programFolder);
}  // namespace installation

// The existing file or folder `path` names, found in any letter case in its
// folder (as a folder copied from Windows may spell it); empty when none.
QString findInAnyCase(const QString& path);
