// SPDX-License-Identifier: GPL-3.0-or-later

#include "LatinInk.h"

#include "GlyphPieces.h"

#include <QImage>

#include <algorithm>

namespace {

// The boxes of the pieces of ink of an image (black on white).
QList<QRect> piecesOf(const QImage &image)
{
    QImage mask = image;
    mask.invertPixels();
    QList<QRect> pieces;
    for (const GlyphPiece &piece : glyphPieces(mask))
        pieces.append(piece.box);
    return pieces;
}

// Pieces that stand over or under a letter, apart from it: Thai's vowels and
// tone marks, and in Latin text an i's dot or an accent.
qsizetype marksOverOrUnder(const QList<QRect> &marks, const QList<QRect> &letters)
{
    return std::count_if(marks.begin(), marks.end(), [&](const QRect &mark) {
        return std::any_of(letters.begin(), letters.end(), [&](const QRect &letter) {
            const int across = std::min(mark.right(), letter.right()) - std::max(mark.left(), letter.left()) + 1;
            return 2 * across >= mark.width() && (mark.bottom() < letter.top() || mark.top() > letter.bottom());
        });
    });
}

// The most pieces Latin letters and marks of `text` may stand in over or
// under their bodies: dots, accents (a diaeresis is two), the dots of "!"
// and "?".
qsizetype latinMarks(const QString &text)
{
    static const QString dotted = QStringLiteral("ij!?\u00a1\u00bf");
    qsizetype marks = 0;
    for (const QChar c : text.normalized(QString::NormalizationForm_D)) {
        if (c.category() == QChar::Mark_NonSpacing)
            marks += 2;
        else if (dotted.contains(c))
            ++marks;
    }
    return marks;
}

} // namespace

// Latin letters stand about one a piece, none much wider than tall, and
// carry no marks over or under them but their dots and accents: a word of a
// joined script (Arabic) is a long piece or two, a Han letter or a Hangul
// syllable several pieces, and Thai letters carry vowels and tone marks.
bool latinInk(const QImage &image, const QString &text)
{
    constexpr double joinedAspect = 1.6, joinedShare = 0.3;
    // Digits stand in pieces of their own as letters do ("27 Nov 2023").
    const auto letters = std::count_if(text.begin(), text.end(), [](QChar c) { return c.isLetterOrNumber(); });
    QList<QRect> pieces = piecesOf(image), marks;
    QRect all;
    for (const QRect &piece : pieces)
        all |= piece;
    // Letters are at least a third as tall as the ink; what is smaller is
    // their dots and marks.
    for (auto piece = pieces.begin(); piece != pieces.end();) {
        if (3 * piece->height() < all.height()) {
            marks.append(*piece);
            piece = pieces.erase(piece);
        } else {
            ++piece;
        }
    }
    int width = 0, joined = 0;
    for (const QRect &piece : pieces) {
        width += piece.width();
        if (piece.width() > joinedAspect * piece.height())
            joined += piece.width();
    }
    return 2 * pieces.size() >= letters && 2 * pieces.size() <= 3 * letters && joined < joinedShare * width &&
           marksOverOrUnder(marks, pieces) <= latinMarks(text);
}
