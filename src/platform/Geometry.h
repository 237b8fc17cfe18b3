#pragma once
// Window layouts are given in twips (1440 to the inch) and fonts by the names
// of the platform the program first ran on; these helpers turn both into what
// this machine has.
#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

// pixels = twips x logical DPI / 1440 (15 twips a pixel at 96 DPI).
int twipsToPixels(int twips);
int pixelsToTwips(int pixels);
QRect twipsRect(int left, int top, int width, int height);
void placeTwips(class QWidget* w, int left, int top, int width, int height);
void resizeClientTwips(class QWidget* w, int width, int height);

// The font the machine has for a family the windows were designed with. On
// Windows: the family itself (MS Sans Serif and System -> Microsoft Sans
// Serif). Elsewhere, the Liberation face of the same metrics: Arial, MS Sans
// Serif and System -> Liberation Sans, MS Serif -> Liberation Serif, Courier
// New -> Liberation Mono.
QString mapFontFamily(const QString& designFamily);
QFont designFont(const QString& family, double points, bool bold = false, bool italic = false,
                 bool underline = false);
// The default button font of the designs: bold MS Sans Serif 8.25 pt.
QFont buttonFont();

QColor rgb(int r, int g, int b);
// Sets background (and optionally text) colour of a widget through its palette.
void setColours(class QWidget* w, const QColor& background, const QColor& text = QColor());
