// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QSizeF>

class TextBlock;

struct FittedText {
    qreal fontSize = 0; // the last size tried
    qreal height = 0;   // the block's height at that size, rounded up to a whole unit
};

// Finds the font size for a line `lineHeight` units high whose text goes on
// `plate`: starting at 0.85 of the line's height (at least 9), it goes down in
// steps of 1 until the block, wrapped to the plate's width, is no taller than
// the plate, or until a size of 9 or less has been tried. Leaves `block` laid
// out at that size.
FittedText fitText(TextBlock &block, qreal lineHeight, QSizeF plate);
