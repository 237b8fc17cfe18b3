#pragma once
// Pictures that windows load at run time from the current directory
// ("clouds.bmp", "employee.bmp"). A missing picture leaves the window plain.
#include <QPixmap>
#include <QString>

class QWidget;

QPixmap loadPicture(const QString& fileName);
// Paints the picture as the window's background, stretched over the whole
// window; returns false when there is no picture.
bool setBackgroundPicture(QWidget* window, const QString& fileName);
// The program icon (install/rotawise.png, built into the program).
QPixmap programIcon();
