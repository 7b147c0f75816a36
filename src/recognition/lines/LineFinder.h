// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QRect>

class QImage;

// Finds the lines of text in an ink mask (see inkMask): glyphs of similar
// height side by side with no more than a word gap between them form a line,
// so columns of an interface (a name and a time on one row, table cells) stay
// apart. Small marks (dots, accents, punctuation) join the line they sit on.
// Returns pixel rectangles, top to bottom.
QList<QRect> findLines(const QImage &mask);
