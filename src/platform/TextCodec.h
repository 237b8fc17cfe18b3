#pragma once
// The data files are in the Windows ANSI code page (1252). Reading takes valid
// UTF-8 as UTF-8 and anything else as 1252; writing uses 1252 where every
// character fits, otherwise UTF-8 (also for the rare 1252 bytes that would
// read as UTF-8), so no character a user typed is lost.
#include <QByteArray>
#include <QString>

QString decodeText(const QByteArray& bytes);
QByteArray encodeText(const QString& text);
bool fitsCodePage1252(const QString& text);
QString decodeCp1252(const QByteArray& bytes);
