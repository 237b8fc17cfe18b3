#pragma once
// A list box filled with thousands of one-line texts at once (the preview's
// names of a large business).
#include <QStringList>

class QListWidget;

// Puts `texts` into the box in place of what it held. The box takes every
// row's size from its last row, as measuring each row of a long list costs
// more than filling it; the last row is given the widest text's width, so
// the scroll bar still reaches the end of every text.
void fillLongList(QListWidget* box, const QStringList& texts);
