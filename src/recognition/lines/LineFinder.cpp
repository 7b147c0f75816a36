// SPDX-License-Identifier: GPL-3.0-or-later

#include "LineFinder.h"

#include "DisjointSets.h"
#include "DotLattice.h"
#include "GlyphPieces.h"
#include "LineEnds.h"

#include <QImage>
#include <QSet>

#include <algorithm>
#include <numeric>
#include <vector>

namespace {

// Pieces at least this tall may carry a line; smaller ones only join one.
constexpr int minGlyphHeight = 3;
// Word gaps stay below about two glyph heights; columns are further apart.
constexpr double maxGapInGlyphHeights = 2.0;
// Glyphs of one line differ in height by less than this factor...
constexpr double maxHeightRatio = 2.6;
// ...and share at least this much of the taller one's height. A smaller
// piece is part of a glyph (a Han radical, a Thai vowel, an accent) and joins
// the line as a mark instead, so that it cannot bridge two lines.
constexpr double minSharedHeight = 0.5;
// A line's glyphs, from the highest to the lowest, span less than this many
// times the tallest of them: ascenders and descenders reach half a letter's
// height beyond the others.
constexpr double maxBandHeight = 1.8;
// A mark is at most this tall against its line's glyphs, and lies within this
// many glyph heights above or below them (stacked Thai marks go as high).
constexpr double maxMarkHeight = 0.7;
constexpr double markReach = 0.6;
// ...and no further than this from the glyph or mark it stands over or under.
constexpr double maxMarkGap = 0.35;
// Marks outside the band come alone or stacked two or three high; parts
// within it may be a row of pieces, or a few flat strokes this many times
// wider than thick.
constexpr int maxPiecesOfAMark = 3;
constexpr int flatStroke = 3;
// A piece of a panel's edge is this many times taller than thick, and at
// most this many pixels thick.
constexpr int edgeAspect = 6, thinnestStem = 2;
// An ellipsis's dots, the ink mask may break each in two, are this tall
// against the glyphs, and follow the last letter within this many glyph
// heights.
constexpr int maxPiecesOfAnEllipsis = 6, minGlyphsBeforeAnEllipsis = 3;
constexpr double minDotHeight = 0.1, maxDotHeight = 0.35;
constexpr double maxEllipsisGap = 0.5;
// Lines of glyphs this alike in height, side by side on one band, are one
// line once their marks fill the gap between them.
constexpr double maxJoinHeightRatio = 1.6;
constexpr int minLineHeight = 5;
// Filled round shapes of one size, spaced apart, with nothing else beside
// them are a row of dots: a window's buttons, a carousel's pages. Letters
// have counters or open sides, and a dense Han character is no dot of its
// neighbour's size a third of its height away.
constexpr double minDotFill = 0.7;
constexpr double maxDotSizeRatio = 1.25;
constexpr double minDotGap = 0.3;

// A component taller than this share of the picture, or this large and this
// thinly inked, is a web of edges (the lit windows and walls of a
// photographed city), which as a glyph would swallow the text before it. In
// a picture cut close around a line or two, the letters themselves are that
// share of its height: a web is large, too.
constexpr int tallestGlyph = 4;
constexpr int largeSide = 100;
constexpr double sparseInk = 0.08;

bool isWeb(const GlyphPiece &piece, const QSize &picture)
{
    const QRect &r = piece.box;
    return (r.height() * tallestGlyph > picture.height() && r.height() >= largeSide) ||
           (r.width() >= largeSide && r.height() >= largeSide && piece.ink < sparseInk * r.width() * r.height());
}

int verticalOverlap(const QRect &a, const QRect &b)
{
    return std::min(a.bottom(), b.bottom()) - std::max(a.top(), b.top()) + 1;
}

int horizontalGap(const QRect &a, const QRect &b)
{
    return std::max(a.left(), b.left()) - std::min(a.right(), b.right()) - 1;
}

// Whether two pieces are glyphs side by side on one line.
bool sideBySide(const QRect &a, const QRect &b)
{
    const int low = std::min(a.height(), b.height()), high = std::max(a.height(), b.height());
    if (low < minGlyphHeight || high > maxHeightRatio * low)
        return false;
    if (verticalOverlap(a, b) < minSharedHeight * high)
        return false;
    return horizontalGap(a, b) <= maxGapInGlyphHeights * (low + high) / 2.0;
}

struct Line {
    QRect box;  // everything, marks included
    QRect band; // the glyphs that carry the line
    QList<int> glyphs, marks;
    int glyphHeight = 0;
    bool strokes = true; // all its glyphs are flat: the strokes of 二 or 三
};

// The typical height of a line's glyphs: the upper quartile of their
// heights, since a line of Han characters or Hangul counts their parts among
// its glyphs, and an icon or an avatar among them is only one.
int glyphHeightOf(const QList<GlyphPiece> &pieces, const QList<int> &indices)
{
    QList<int> heights;
    for (int i : indices)
        heights.append(pieces[i].box.height());
    std::sort(heights.begin(), heights.end());
    return heights[heights.size() * 3 / 4];
}

QList<Line> chains(const QList<GlyphPiece> &pieces)
{
    DisjointSets sets(pieces.size());
    // Each chain's band and tallest piece: pieces that pair up one by one
    // (the lit windows of a photographed city, dots of a texture) must not
    // chain into a band taller than a line of text.
    std::vector<QRect> band(pieces.size());
    std::vector<int> tallest(pieces.size());
    for (int i = 0; i < pieces.size(); ++i) {
        band[i] = pieces[i].box;
        tallest[i] = pieces[i].box.height();
    }
    for (int i = 0; i < pieces.size(); ++i) {
        const QRect &a = pieces[i].box;
        const double reach = a.right() + maxGapInGlyphHeights * maxHeightRatio * a.height();
        for (int j = i + 1; j < pieces.size() && pieces[j].box.left() <= reach; ++j) {
            if (!sideBySide(a, pieces[j].box))
                continue;
            const qsizetype ri = sets.find(i), rj = sets.find(j);
            const QRect both = band[ri] | band[rj];
            const int high = std::max(tallest[ri], tallest[rj]);
            if (ri == rj || both.height() > maxBandHeight * high)
                continue;
            sets.unite(ri, rj);
            band[rj] = both;
            tallest[rj] = high;
        }
    }
    QList<Line> lines;
    std::vector<qsizetype> lineOf(pieces.size(), -1);
    for (int i = 0; i < pieces.size(); ++i) {
        const qsizetype root = sets.find(i);
        if (lineOf[root] < 0) {
            lineOf[root] = lines.size();
            lines.append(Line{});
        }
        Line &line = lines[lineOf[root]];
        line.glyphs.append(i);
        line.box |= pieces[i].box;
        line.strokes = line.strokes && pieces[i].box.width() >= flatStroke * pieces[i].box.height();
    }
    for (Line &line : lines) {
        line.band = line.box;
        line.glyphHeight = glyphHeightOf(pieces, line.glyphs);
    }
    return lines;
}

// Whether `small` lies close over or under one of `host`'s pieces: an
// accent over its letter, a tone mark over the vowel under it. The lights and
// dots of a photograph are as small, but lie at any height, and one over the
// other would rest on each other up and away from the line.
bool restsOnAPiece(const Line &small, const Line &host, const QList<GlyphPiece> &pieces)
{
    const int h = host.glyphHeight;
    // Marks beside the letters (a full stop, an ellipsis) share rows with them.
    if (verticalOverlap(small.box, host.band) > 0)
        return true;
    const int fromBand = std::max(host.band.top() - small.box.bottom(), small.box.top() - host.band.bottom()) - 1;
    if (fromBand > markReach * h)
        return false;
    const int aside = h / 3, apart = std::max(2, int(maxMarkGap * h));
    for (int i : host.glyphs + host.marks) {
        const QRect &p = pieces[i].box;
        if (horizontalGap(small.box, p) <= aside &&
            std::max(p.top() - small.box.bottom(), small.box.top() - p.bottom()) - 1 <= apart)
            return true;
    }
    return false;
}

// Whether `small` may be a mark of `host`: a part of its glyphs within their
// band (the lower parts of Hangul syllables, the radicals and strokes of Han
// characters), or a few small pieces close above or below them (accents,
// dots, Thai vowels and tone marks). Marks above or below are within a
// glyph's height of the glyphs themselves (as stacked Thai marks are), so
// that the dots of a photograph (lit windows, a texture) cannot chain on to a
// line one above the other and swallow it.
bool fitsAsMark(const Line &small, const Line &host, const QList<GlyphPiece> &pieces)
{
    const int h = host.glyphHeight;
    if (horizontalGap(small.box, host.box) > h)
        return false;
    // A lone upright line as thin is a piece of a panel's edge, which the
    // ink mask breaks where its shadow fades: it hosts no text beside it. A
    // letter's stem as tall is thicker.
    if (host.glyphs.size() == 1 && host.marks.isEmpty() && host.box.width() <= thinnestStem &&
        host.box.height() >= edgeAspect * host.box.width())
        return false;
    const bool few = small.glyphs.size() + small.marks.size() <= maxPiecesOfAMark;
    // Parts of glyphs are not much smaller than the glyphs, or are strokes; a
    // line that fits in the band of a far larger shape (a highlighted row's
    // edge) is a line.
    const bool part = small.box.height() * maxHeightRatio >= h || (few && small.strokes);
    const int slack = h / 6;
    if (part && small.box.top() >= host.band.top() - slack && small.box.bottom() <= host.band.bottom() + slack &&
        small.box.height() < host.band.height())
        return true;
    // An ellipsis after the last letter of a line of text (not an icon's
    // shape) lies low in the band, a row of more pieces than a mark's where
    // the ink mask breaks its dots in two, none of them a flat stroke.
    const qsizetype count = small.glyphs.size() + small.marks.size();
    const int gap = horizontalGap(small.box, host.box);
    const auto dotShaped = [&](int i) { return pieces[i].box.width() <= 2 * pieces[i].box.height(); };
    if (host.glyphs.size() >= minGlyphsBeforeAnEllipsis && count > maxPiecesOfAMark && count <= maxPiecesOfAnEllipsis &&
        small.box.width() >= 2 * small.box.height() && small.box.height() <= maxDotHeight * h &&
        small.box.height() >= minDotHeight * h && small.box.top() >= host.band.top() &&
        small.box.bottom() <= host.band.bottom() + slack && gap >= 0 && gap <= maxEllipsisGap * h &&
        std::all_of(small.glyphs.begin(), small.glyphs.end(), dotShaped) &&
        std::all_of(small.marks.begin(), small.marks.end(), dotShaped))
        return true;
    const int reach = int(markReach * h);
    const QPoint c = small.box.center();
    return few && small.box.height() <= maxMarkHeight * h && small.box.width() <= maxHeightRatio * h &&
           c.y() >= host.box.top() - reach && c.y() <= host.box.bottom() + reach && c.y() >= host.band.top() - h &&
           c.y() <= host.band.bottom() + h && restsOnAPiece(small, host, pieces);
}

int bandDistance(const Line &line, int y)
{
    return y < line.band.top() ? line.band.top() - y : y > line.band.bottom() ? y - line.band.bottom() : 0;
}

// Gives each small chain that lies by a line to that line as marks, smallest
// first, until none is left: a stacked mark may reach its line only through
// the mark below it.
void attachMarks(QList<Line> &lines, const QList<GlyphPiece> &pieces)
{
    // Between hosts at the same distance, the one nearer beside it wins (a
    // stroke at the end of a name, not a column of icons as tall as the
    // list beside it), then the upper one.
    std::sort(lines.begin(), lines.end(), [](const Line &a, const Line &b) { return a.box.top() < b.box.top(); });
    bool moved = true;
    while (moved) {
        moved = false;
        QList<int> order(lines.size());
        std::iota(order.begin(), order.end(), 0);
        std::sort(order.begin(), order.end(),
                  [&](int a, int b) { return lines[a].box.height() < lines[b].box.height(); });
        std::vector<bool> gone(lines.size(), false);
        for (int s : order) {
            const Line &small = lines[s];
            if (gone[s])
                continue;
            int best = -1, bestDistance = 0, bestGap = 0;
            const int cy = small.box.center().y();
            for (int h = 0; h < lines.size(); ++h) {
                if (h == s || gone[h] || lines[h].box.top() > small.box.bottom() + lines[h].glyphHeight)
                    continue;
                if (!fitsAsMark(small, lines[h], pieces))
                    continue;
                const int distance = bandDistance(lines[h], cy);
                const int gap = std::max(0, horizontalGap(small.box, lines[h].box));
                if (best < 0 || distance < bestDistance || (distance == bestDistance && gap < bestGap)) {
                    best = h;
                    bestDistance = distance;
                    bestGap = gap;
                }
            }
            if (best < 0)
                continue;
            Line &host = lines[best];
            host.box |= small.box;
            host.marks += small.glyphs + small.marks;
            gone[s] = true;
            moved = true;
        }
        QList<Line> kept;
        for (int i = 0; i < lines.size(); ++i) {
            if (!gone[i])
                kept.append(std::move(lines[i]));
        }
        lines = std::move(kept);
    }
}

bool continues(const Line &a, const Line &b)
{
    const int low = std::min(a.glyphHeight, b.glyphHeight), high = std::max(a.glyphHeight, b.glyphHeight);
    if (high > maxJoinHeightRatio * low)
        return false;
    if (verticalOverlap(a.band, b.band) < minSharedHeight * std::max(a.band.height(), b.band.height()))
        return false;
    return horizontalGap(a.box, b.box) <= maxGapInGlyphHeights * high;
}

// Joins lines that one band carries on across a stretch of marks (Han
// characters of strokes only, such as 二 or 三, between two words).
void joinAlongBands(QList<Line> &lines, const QList<GlyphPiece> &pieces)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        for (qsizetype j = i + 1; j < lines.size(); ++j) {
            if (!continues(lines[i], lines[j]))
                continue;
            Line &a = lines[i];
            a.box |= lines[j].box;
            a.band |= lines[j].band;
            a.glyphs += lines[j].glyphs;
            a.marks += lines[j].marks;
            a.glyphHeight = glyphHeightOf(pieces, a.glyphs);
            lines.removeAt(j);
            j = i;
        }
    }
}

// Parts a line's glyphs and marks leave a gap this many glyph heights wide
// between are lines of their own, when each part is at least this many glyph
// heights wide: the labels of a grid of icons, set under their icons about
// an em apart, chain as words do, but a space between words is a third of
// an em. An icon beside its label (about square) stays, for the icon test.
constexpr double columnGap = 1.3;
constexpr double minColumnWidth = 2.0;

Line lineOf(const QList<GlyphPiece> &pieces, const QList<int> &glyphs, const QList<int> &marks)
{
    Line line;
    line.glyphs = glyphs.isEmpty() ? marks : glyphs;
    line.marks = glyphs.isEmpty() ? QList<int>{} : marks;
    for (int i : line.glyphs) {
        line.band |= pieces[i].box;
        line.strokes = line.strokes && pieces[i].box.width() >= flatStroke * pieces[i].box.height();
    }
    line.box = line.band;
    for (int i : line.marks)
        line.box |= pieces[i].box;
    line.glyphHeight = glyphHeightOf(pieces, line.glyphs);
    return line;
}

// Splits each line at the gaps between its parts that are too wide for a
// space between words (see columnGap).
void splitAtColumnGaps(QList<Line> &lines, const QList<GlyphPiece> &pieces)
{
    QList<Line> out;
    for (Line &line : lines) {
        QList<int> all = line.glyphs + line.marks;
        std::sort(all.begin(), all.end(), [&](int a, int b) { return pieces[a].box.left() < pieces[b].box.left(); });
        const int gap = int(columnGap * line.glyphHeight), width = int(minColumnWidth * line.glyphHeight);
        // The parts, each the index in `all` where it starts, and its extent.
        QList<qsizetype> starts{0};
        QList<QPair<int, int>> extents{{pieces[all[0]].box.left(), pieces[all[0]].box.right()}};
        for (qsizetype k = 1; k < all.size(); ++k) {
            const QRect &box = pieces[all[k]].box;
            if (box.left() - extents.last().second - 1 > gap) {
                starts.append(k);
                extents.append({box.left(), box.right()});
            } else {
                extents.last().second = std::max(extents.last().second, box.right());
            }
        }
        // A narrow part (an icon, a lone letter) stays with its neighbour.
        for (qsizetype p = starts.size() - 1; p > 0; --p) {
            if (extents[p].second - extents[p].first + 1 < width ||
                extents[p - 1].second - extents[p - 1].first + 1 < width) {
                extents[p - 1].second = extents[p].second;
                starts.removeAt(p);
                extents.removeAt(p);
            }
        }
        if (starts.size() == 1) {
            out.append(std::move(line));
            continue;
        }
        const QSet<int> marks(line.marks.begin(), line.marks.end());
        starts.append(all.size());
        for (qsizetype p = 0; p + 1 < starts.size(); ++p) {
            QList<int> glyphs, partMarks;
            for (qsizetype k = starts[p]; k < starts[p + 1]; ++k)
                (marks.contains(all[k]) ? partMarks : glyphs).append(all[k]);
            out.append(lineOf(pieces, glyphs, partMarks));
        }
    }
    lines = std::move(out);
}

// The pieces near either end of `line` that are not its own.
QList<GlyphPiece> aroundEnds(const Line &line, const QList<GlyphPiece> &pieces, const QList<int> &lefts)
{
    const int h = line.glyphHeight;
    const QRect near = line.box.adjusted(0, -h, 0, h);
    QList<int> own = line.glyphs + line.marks;
    std::sort(own.begin(), own.end());
    QList<GlyphPiece> out;
    for (const int end : {line.box.left(), line.box.right()}) {
        const int from = int(std::lower_bound(lefts.begin(), lefts.end(), end - 3 * h) - lefts.begin());
        for (int i = from; i < pieces.size() && lefts[i] <= end + 3 * h; ++i) {
            if (pieces[i].box.intersects(near) && !std::binary_search(own.begin(), own.end(), i))
                out.append(pieces[i]);
        }
    }
    return out;
}

bool isRowOfDots(QList<GlyphPiece> pieces, const QImage &mask)
{
    if (pieces.size() < 2)
        return false;
    std::sort(pieces.begin(), pieces.end(),
              [](const GlyphPiece &a, const GlyphPiece &b) { return a.box.left() < b.box.left(); });
    const int size = pieces.front().box.height();
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        const QRect &dot = pieces[i].box;
        if (!isFilledDot(pieces[i], mask, minLineHeight, minDotFill) ||
            std::max(dot.height(), size) > maxDotSizeRatio * std::min(dot.height(), size))
            return false;
        if (i > 0 && horizontalGap(pieces[i - 1].box, dot) < minDotGap * dot.height())
            return false;
    }
    return true;
}

} // namespace

QList<QRect> findLines(const QImage &mask)
{
    QList<GlyphPiece> found = glyphPieces(mask);
    found.removeIf([&](const GlyphPiece &piece) { return isWeb(piece, mask.size()); });
    // Lattice dots would join the lines they stand by as marks, above and
    // below them, until a line is twice as tall as its letters.
    const QList<bool> lattice = latticeDots(found, mask);
    QList<GlyphPiece> pieces;
    for (qsizetype i = 0; i < found.size(); ++i) {
        if (!lattice[i])
            pieces.append(found[i]);
    }
    std::sort(pieces.begin(), pieces.end(), [](const GlyphPiece &a, const GlyphPiece &b) {
        return a.box.left() != b.box.left() ? a.box.left() < b.box.left() : a.box.top() < b.box.top();
    });
    QList<int> lefts;
    for (const GlyphPiece &p : pieces)
        lefts.append(p.box.left());
    QList<Line> lines = chains(pieces);
    attachMarks(lines, pieces);
    joinAlongBands(lines, pieces);
    splitAtColumnGaps(lines, pieces);

    QList<QRect> texts, icons;
    for (const Line &line : lines) {
        QList<GlyphPiece> own;
        for (int i : line.glyphs + line.marks)
            own.append(pieces[i]);
        if (isRowOfDots(own, mask))
            continue;
        const LineWithoutIcons parts = withoutEndIcons(own, aroundEnds(line, pieces, lefts));
        // A lone sliver is the edge of a shape, not a letter.
        const bool sliver = line.glyphs.size() == 1 && parts.text.width() * 3 < parts.text.height();
        texts.append(parts.text.height() >= minLineHeight && !sliver ? parts.text : QRect());
        icons += parts.icons;
    }
    QList<QRect> out;
    for (const QRect &text : texts) {
        // What is left of an icon that fell apart is no line of its own.
        const bool inIcon = std::any_of(icons.begin(), icons.end(),
                                        [&](const QRect &icon) { return icon.adjusted(-1, -1, 1, 1).contains(text); });
        if (!text.isEmpty() && !inIcon)
            out.append(text);
    }
    std::sort(out.begin(), out.end(), [](const QRect &a, const QRect &b) {
        return a.center().y() != b.center().y() ? a.center().y() < b.center().y() : a.left() < b.left();
    });
    return out;
}
