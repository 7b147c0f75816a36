// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QRect>

class QImage;

// One connected piece of ink: a glyph, a part of one (a dot, an accent, a
// stroke of a Han character) or a part of an icon.
struct GlyphPiece {
    QRect box;
    int ink = 0; // pixels of ink
};

// The pieces of an ink mask (see inkMask) that may be text: long thin bars
// are left out, and an outline around text keeps only its part beside the
// text it frames.
QList<GlyphPiece> glyphPieces(const QImage &mask);
