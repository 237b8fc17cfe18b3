#pragma once
// The Linux programs the tests read files with (poppler's pdftotext,
// unzip). The tests of the Windows build run under Wine, which starts Linux
// programs too: there a tool is called by its Linux path, and a file is
// handed to it by its Linux path.
#include <QString>

QString hostTool(const QString& name);
QString hostPath(const QString& path);
