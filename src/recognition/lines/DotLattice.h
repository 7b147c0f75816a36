// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "GlyphPieces.h"

#include <QList>

class QImage;

// Whether each of the pieces of `mask` is a dot of a lattice: filled dots of one size set in
// rows and columns at a few of their sizes apart, as the lit windows of a
// city at night or a dotted texture are. Dots of letters (of i, of ü, of
// Arabic letters) stand one, two or three together, never in a grid.
QList<bool> latticeDots(const QList<GlyphPiece> &pieces, const QImage &mask);
