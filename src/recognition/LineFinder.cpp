#include "LineFinder.h"

#include "Pix.h"

#include <QImage>

#include <leptonica/allheaders.h>

#include <algorithm>

namespace {

// Glyphs at least this tall may carry a line; smaller marks only join one.
constexpr int minGlyphHeight = 3;
// Word gaps stay below about two glyph heights; columns are further apart.
constexpr double maxGapInGlyphHeights = 2.0;
// Glyphs of one line differ in height by less than this factor.
constexpr double maxHeightRatio = 2.6;
constexpr int minLineHeight = 5;
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

QList<QRect> piecesBeside(PIX *component, const QRect &box, const QRect &band)
{
    QList<QRect> out;
    BOX *clip = boxCreate(0, band.top() - box.top(), box.width(), band.height());
    const PixPtr part(pixClipRectangle(component, clip, nullptr));
    boxDestroy(&clip);
    if (!part)
        return out;
    BOXA *pieces = pixConnCompBB(part.get(), 8);
    if (!pieces)
        return out;
    for (int i = 0; i < boxaGetCount(pieces); ++i) {
        l_int32 x, y, w, h;
        if (boxaGetBoxGeometry(pieces, i, &x, &y, &w, &h) == 0)
            out.append(QRect(box.left() + x, band.top() + y, w, h));
    }
    boxaDestroy(&pieces);
    return out;
}

struct Line {
    QRect box;
    QRect band; // the vertical extent of the glyphs that carry the line
    QList<int> heights;

    int glyphHeight() const
    {
        QList<int> sorted = heights;
        std::sort(sorted.begin(), sorted.end());
        return sorted[sorted.size() / 2];
    }
};

QList<QRect> glyphBoxes(const QImage &mask)
{
    QImage inverted = mask;
    inverted.invertPixels();
    const PixPtr gray = pixFromGray(inverted);
    if (!gray)
        return {};
    const PixPtr binary(pixThresholdToBinary(gray.get(), 128));
    if (!binary)
        return {};
    PIXA *components = nullptr;
    BOXA *boxes = pixConnComp(binary.get(), &components, 8);
    QList<QRect> all;
    for (int i = 0; boxes && i < boxaGetCount(boxes); ++i) {
        l_int32 x = 0, y = 0, w = 0, h = 0;
        boxaGetBoxGeometry(boxes, i, &x, &y, &w, &h);
        all.append(QRect(x, y, w, h));
    }
    QList<QRect> out;
    for (int i = 0; i < all.size(); ++i) {
        if (isBar(all[i]))
            continue;
        const QRect band = framedBand(all[i], all);
        if (band.isEmpty()) {
            out.append(all[i]);
            continue;
        }
        const PixPtr component(pixaGetPix(components, i, L_CLONE));
        if (component)
            out.append(piecesBeside(component.get(), all[i], band));
    }
    boxaDestroy(&boxes);
    pixaDestroy(&components);
    return out;
}

int verticalOverlap(const QRect &a, const QRect &b)
{
    return std::min(a.bottom(), b.bottom()) - std::max(a.top(), b.top()) + 1;
}

enum class Fit { None, Glyph, Mark };

// Whether `glyph` continues `line` as one of its glyphs, as a small mark
// inside its band (a full stop, a comma), or not at all.
Fit fitOf(const Line &line, const QRect &glyph)
{
    const int h = line.glyphHeight();
    if (glyph.left() - line.box.right() > maxGapInGlyphHeights * h)
        return Fit::None;
    if (glyph.height() > maxHeightRatio * h)
        return Fit::None;
    if (h > maxHeightRatio * glyph.height())
        return line.band.contains(glyph) ? Fit::Mark : Fit::None;
    return verticalOverlap(line.band, glyph) >= 0.5 * std::min(line.band.height(), glyph.height()) ? Fit::Glyph
                                                                                                   : Fit::None;
}

// The line a small mark belongs to: the one whose box, grown by half its
// height above and below, holds the mark's centre, and nearest to it.
int hostOf(const QList<Line> &lines, const QRect &mark)
{
    int best = -1, bestDistance = 0;
    const QPoint c = mark.center();
    for (int i = 0; i < lines.size(); ++i) {
        const QRect &b = lines[i].box;
        const int reach = lines[i].glyphHeight();
        if (c.x() < b.left() - reach || c.x() > b.right() + reach || c.y() < b.top() - reach / 2 ||
            c.y() > b.bottom() + reach / 2)
            continue;
        const int distance = std::abs(c.y() - b.center().y());
        if (best < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

} // namespace

QList<QRect> findLines(const QImage &mask)
{
    QList<QRect> glyphs = glyphBoxes(mask);
    std::sort(glyphs.begin(), glyphs.end(), [](const QRect &a, const QRect &b) {
        return a.left() != b.left() ? a.left() < b.left() : a.top() < b.top();
    });

    QList<Line> lines;
    QList<QRect> marks;
    for (const QRect &glyph : glyphs) {
        if (glyph.height() < minGlyphHeight) {
            marks.append(glyph);
            continue;
        }
        int best = -1, bestOverlap = 0;
        Fit bestFit = Fit::None;
        for (int i = 0; i < lines.size(); ++i) {
            const Fit fit = fitOf(lines[i], glyph);
            if (fit == Fit::None)
                continue;
            const int overlap = verticalOverlap(lines[i].band, glyph);
            if (overlap > bestOverlap) {
                best = i;
                bestOverlap = overlap;
                bestFit = fit;
            }
        }
        if (best < 0) {
            if (glyph.height() < 2 * minGlyphHeight)
                marks.append(glyph);
            else
                lines.append({glyph, glyph, {glyph.height()}});
            continue;
        }
        Line &line = lines[best];
        line.box |= glyph;
        if (bestFit == Fit::Glyph) {
            line.band |= glyph;
            line.heights.append(glyph.height());
        }
    }
    for (const QRect &mark : marks) {
        const int host = hostOf(lines, mark);
        if (host >= 0)
            lines[host].box |= mark;
    }

    QList<QRect> out;
    for (const Line &line : lines) {
        // A lone sliver is the edge of a shape, not a letter.
        const bool sliver = line.heights.size() == 1 && line.box.width() * 3 < line.box.height();
        if (line.box.height() >= minLineHeight && !sliver)
            out.append(line.box);
    }
    std::sort(out.begin(), out.end(), [](const QRect &a, const QRect &b) {
        return a.center().y() != b.center().y() ? a.center().y() < b.center().y() : a.left() < b.left();
    });
    return out;
}
