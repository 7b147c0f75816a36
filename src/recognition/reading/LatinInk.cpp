// SPDX-License-Identifier: GPL-3.0-or-later

#include "LatinInk.h"

#include "GlyphPieces.h"

#include <QImage>

#include <algorithm>

namespace {

// The boxes of the pieces of ink of an image at least a third as tall as
// its ink: letters, without their dots and marks.
QList<QRect> tallPieces(const QImage &image)
{
    QImage mask = image;
    mask.invertPixels();
    QList<QRect> pieces;
    QRect all;
    for (const GlyphPiece &piece : glyphPieces(mask)) {
        pieces.append(piece.box);
        all |= piece.box;
    }
    pieces.removeIf([&](const QRect &piece) { return 3 * piece.height() < all.height(); });
    return pieces;
}

} // namespace

// Latin letters stand about one a piece, and none much wider than tall: a
// word of a joined script (Arabic) is a long piece or two, a Han letter or a
// Hangul syllable several pieces.
bool latinInk(const QImage &image, const QString &text)
{
    constexpr double joinedAspect = 1.6, joinedShare = 0.3;
    // Digits stand in pieces of their own as letters do ("27 Nov 2023").
    const auto letters = std::count_if(text.begin(), text.end(), [](QChar c) { return c.isLetterOrNumber(); });
    const QList<QRect> pieces = tallPieces(image);
    int width = 0, joined = 0;
    for (const QRect &piece : pieces) {
        width += piece.width();
        if (piece.width() > joinedAspect * piece.height())
            joined += piece.width();
    }
    return 2 * pieces.size() >= letters && 2 * pieces.size() <= 3 * letters && joined < joinedShare * width;
}
