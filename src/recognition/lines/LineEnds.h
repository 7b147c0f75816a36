// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "GlyphPieces.h"

struct LineWithoutIcons {
    QRect text;         // the line's box without them
    QList<QRect> icons; // the icons at its ends, whole
};

// Finds an icon, a check box, a radio button or an avatar at the start or end
// of a line of `pieces`: told apart from the line's glyphs by shape, size and
// the gap beside it, not by what a reader makes of it. `around` holds the
// other pieces near the line, which may complete an icon that fell apart.
LineWithoutIcons withoutEndIcons(const QList<GlyphPiece> &pieces, const QList<GlyphPiece> &around);
