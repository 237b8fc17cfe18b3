#pragma once
// A button in a colour of its own. The usual styles do not draw a button in
// the palette's colour: Fusion lightens and greys it (the blue of "Process
// &Data Preview" comes out a pale blue that white text is hard to read on),
// and the Windows styles draw their own face and ignore it. These buttons are
// drawn in exactly their colour, with the classic raised edge.
#include <QColor>

class QPushButton;

void setButtonFace(QPushButton* button, const QColor& face, const QColor& text);
