#pragma once
// The Linux programs the tests read files with (poppler's pdftotext,
// unzip). The tests of the Windows build run under Wine, which starts Linux
// programs too: there a tool is called by its Linux path, and a file is
// handed to it by its Linux path.
#include <QString>

QString hostTool(const QString& name);
QString hostPath(const QString& path);

// Under Wine the tests' offscreen windows draw with FreeType and no font of
// their own: they get this machine's faces, with Windows' names (Arial,
// Courier New, ...) standing for the Liberation faces of the same metrics,
// as fontconfig does on Linux. Nothing to do on Linux. Call after the
// QApplication is made.
void useHostFonts();
