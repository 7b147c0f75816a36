// SPDX-License-Identifier: GPL-3.0-or-later

#include "GlyphPieces.h"

#include "Pix.h"

#include <QImage>

#include <leptonica/allheaders.h>

#include <algorithm>

namespace {

// A component this many times longer than thick, and this long, is a rule,
// a slider's track, a progress or scroll bar: no glyph is that thin.
constexpr int barAspect = 10;
constexpr int minBarLength = 40;

bool isBar(const QRect &r)
{
    const int longSide = std::max(r.width(), r.height()), shortSide = std::min(r.width(), r.height());
    return longSide >= minBarLength && longSide >= barAspect * shortSide;
}

// A component around two or more glyph-sized ones is the outline of a button,
// a field or a bubble, not a glyph: as one, it would swallow its text as marks.
// Only its part beside the text it frames is kept, as the pieces it falls
// into: a glyph the outline touches, and the outline's sides.
constexpr int minFrameSide = 20;
constexpr int minFramedHeight = 6;

// The vertical extent of the glyphs `box` frames; empty when it frames fewer
// than two.
QRect framedBand(const QRect &box, const QList<QRect> &boxes)
{
    if (box.width() < minFrameSide || box.height() < minFrameSide)
        return {};
    int framed = 0;
    QRect band;
    for (const QRect &other : boxes) {
        if (other.height() >= minFramedHeight && other != box && box.contains(other, true)) {
            ++framed;
            band |= QRect(box.left(), other.top(), box.width(), other.height());
        }
    }
    return framed >= 2 ? band : QRect();
}

// The components of `pix` with their ink, shifted by `offset`.
QList<GlyphPiece> components(PIX *pix, QPoint offset, QList<PIX *> *keep = nullptr)
{
    QList<GlyphPiece> out;
    PIXA *parts = nullptr;
    BOXA *boxes = pixConnComp(pix, &parts, 8);
    for (int i = 0; boxes && parts && i < boxaGetCount(boxes); ++i) {
        l_int32 x = 0, y = 0, w = 0, h = 0, ink = 0;
        boxaGetBoxGeometry(boxes, i, &x, &y, &w, &h);
        PIX *part = pixaGetPix(parts, i, L_CLONE);
        pixCountPixels(part, &ink, nullptr);
        out.append({QRect(offset.x() + x, offset.y() + y, w, h), ink});
        if (keep)
            keep->append(part);
        else
            pixDestroy(&part);
    }
    boxaDestroy(&boxes);
    pixaDestroy(&parts);
    return out;
}

QList<GlyphPiece> piecesBeside(PIX *component, const QRect &box, const QRect &band)
{
    BOX *clip = boxCreate(0, band.top() - box.top(), box.width(), band.height());
    const PixPtr part(pixClipRectangle(component, clip, nullptr));
    boxDestroy(&clip);
    if (!part)
        return {};
    return components(part.get(), QPoint(box.left(), band.top()));
}

} // namespace

QList<GlyphPiece> glyphPieces(const QImage &mask)
{
    QImage inverted = mask;
    inverted.invertPixels();
    const PixPtr gray = pixFromGray(inverted);
    if (!gray)
        return {};
    const PixPtr binary(pixThresholdToBinary(gray.get(), 128));
    if (!binary)
        return {};
    QList<PIX *> pixes;
    const QList<GlyphPiece> all = components(binary.get(), QPoint(0, 0), &pixes);
    QList<QRect> boxes;
    for (const GlyphPiece &piece : all)
        boxes.append(piece.box);
    QList<GlyphPiece> out;
    for (qsizetype i = 0; i < all.size(); ++i) {
        if (isBar(all[i].box))
            continue;
        const QRect band = framedBand(all[i].box, boxes);
        if (band.isEmpty())
            out.append(all[i]);
        else
            out.append(piecesBeside(pixes[i], all[i].box, band));
    }
    for (PIX *pix : pixes)
        pixDestroy(&pix);
    return out;
}
