// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "GlyphPieces.h"

#include <QList>

class QImage;

// Whether `piece` of `mask` is a dot: about as wide as tall, at least
// `minSide` pixels tall, filled to at least `minFill` of its box, and
// filled in its middle (a bold o or 0 is as filled, about a hole).
bool isFilledDot(const GlyphPiece &piece, const QImage &mask, int minSide, double minFill);

// Whether each of the pieces of `mask` is a dot of a lattice: filled dots of
// one size set in rows and columns at a few of their sizes apart, as the lit
// windows of a city at night or a dotted texture are. Dots of letters (of i,
// of ü, of Arabic letters) stand one, two or three together, never in a grid.
QList<bool> latticeDots(const QList<GlyphPiece> &pieces, const QImage &mask);
