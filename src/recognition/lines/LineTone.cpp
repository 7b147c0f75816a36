// SPDX-License-Identifier: GPL-3.0-or-later

#include "LineTone.h"

#include "GlyphPieces.h"

#include <QImage>

#include <algorithm>
#include <array>

namespace {

constexpr int strokeContrast = 40;
constexpr double maxPaperInInk = 0.25;
// Strokes are brought back beside a line where the mask lost this many of
// them per pixel of the line's height beyond its ends or between its parts,
// in areas no more than this share of the ink's side (more is another
// panel); on lines no taller than this many ink kernels, whose own strokes
// it lost no more of than this share (a picture's streaks are no strokes it
// would mark); and as glyphs no further than this share of the line's height
// from its letters.
constexpr double minLostOutside = 0.5;
constexpr double maxPanelShare = 0.5;
constexpr int largestMended = 2;
constexpr double maxLostWithin = 0.7;
constexpr double maxLetterGap = 0.25;
// A stroke this many times wider than thick is flat (一, ー).
constexpr int flatStroke = 3;
// Most of the frame around a line lies within this much of its middle grey.
constexpr int evenPaper = 20;
constexpr double minEvenShare = 0.75;
// An uneven frame's middle grey this close to black is a night's (see
// toneIsClear).
constexpr int nearBlack = 40;
// Lines of text are this many times wider than tall.
constexpr double minAspect = 1.5;

// The grey of the paper around `line`: the middle value of a frame a few
// pixels wide, and whether the frame is even paper (not across the edge of a
// panel or a selected row, nor over a photograph). -1 when there is no frame.
struct Paper {
    double level = -1;
    bool even = false;
};

Paper framePaper(const QImage &gray, const QRect &line)
{
    const int margin = std::max(2, line.height() / 8);
    const QRect frame = line.adjusted(-margin, -margin, margin, margin) & gray.rect();
    std::array<int, 256> counts{};
    int total = 0;
    for (int y = frame.top(); y <= frame.bottom(); ++y) {
        for (int x = frame.left(); x <= frame.right(); ++x) {
            if (!line.contains(x, y)) {
                ++counts[gray.constScanLine(y)[x]];
                ++total;
            }
        }
    }
    int median = 0;
    for (int seen = 0; median < 256 && 2 * (seen += counts[median]) < total;)
        ++median;
    int near = 0;
    for (int level = std::max(0, median - evenPaper); level <= std::min(255, median + evenPaper); ++level)
        near += counts[level];
    if (total == 0)
        return {};
    return {double(median), near >= minEvenShare * total};
}

// The grey of even paper around `line`, or -1.
double paperAround(const QImage &gray, const QRect &line)
{
    const Paper paper = framePaper(gray, line);
    return paper.even ? paper.level : -1.0;
}

// What a line's pixels say against the grey of its paper: how many differ
// from it by a stroke's contrast on either side, and how many of the mask's
// ink, if a mask is given, lie near it on either side.
struct Counts {
    qint64 dark = 0, light = 0;
    qint64 ink = 0, inkNotLighter = 0, inkNotDarker = 0;
    qint64 darkLost = 0, lightLost = 0; // not the mask's ink

    TextTone tone() const { return dark == light ? TextTone::Either : dark > light ? TextTone::Dark : TextTone::Light; }
    qint64 strokes(TextTone tone) const { return tone == TextTone::Light ? light : dark; }
    qint64 lost(TextTone tone) const { return tone == TextTone::Light ? lightLost : darkLost; }
};

Counts countsAgainst(const QImage &gray, const QImage *mask, const QRect &line, double paper)
{
    Counts counts;
    for (int y = line.top(); y <= line.bottom(); ++y) {
        const uchar *g = gray.constScanLine(y);
        const uchar *m = mask ? mask->constScanLine(y) : nullptr;
        for (int x = line.left(); x <= line.right(); ++x) {
            const bool dark = g[x] <= paper - strokeContrast, light = g[x] >= paper + strokeContrast;
            counts.dark += dark;
            counts.light += light;
            if (m && !m[x]) {
                counts.darkLost += dark;
                counts.lightLost += light;
            } else if (m) {
                ++counts.ink;
                counts.inkNotLighter += g[x] < paper + strokeContrast / 2;
                counts.inkNotDarker += g[x] > paper - strokeContrast / 2;
            }
        }
    }
    return counts;
}

// Whether the frame's grey tells the line's tone: it does where it is even
// paper, and over a photograph only where it is near black, as all that
// stands out of it is lighter (light letters with a dark rim over a city at
// night, its lit windows around them). An uneven frame of another grey (a
// menu's edge and its shadow beside a line) tells nothing.
bool toneIsClear(const Paper &frame)
{
    return frame.level >= 0 && (frame.even || frame.level <= nearBlack);
}

// `line` and the lines found beside it on its rows, two of its heights or
// less away, each a part: a word whose mask broke is found in parts (the tops of a bold
// Hangul word's syllables), or a line in pieces with letters lost between
// them, and the parts are mended with the line's rows.
QList<QRect> withNeighbours(const QRect &line, const QList<QRect> &lines)
{
    QList<QRect> parts{line};
    QRect whole = line;
    for (bool grown = true; grown;) {
        grown = false;
        for (const QRect &other : lines) {
            const int gap = std::max(other.left() - whole.right(), whole.left() - other.right()) - 1;
            if (whole.contains(other) || gap > 2 * line.height() || other.top() < line.top() ||
                other.bottom() > line.bottom())
                continue;
            whole |= other;
            parts.append(other);
            grown = true;
        }
    }
    return parts;
}

// The columns of `rows` between `parts` that none of them covers.
QList<QRect> gapsBetween(QList<QRect> parts, const QRect &rows)
{
    std::sort(parts.begin(), parts.end(), [](const QRect &a, const QRect &b) { return a.left() < b.left(); });
    QList<QRect> gaps;
    int right = parts.first().right();
    for (const QRect &part : parts) {
        if (part.left() > right + 1)
            gaps.append(QRect(right + 1, rows.top(), part.left() - right - 1, rows.height()));
        right = std::max(right, part.right());
    }
    return gaps;
}

} // namespace

TextTone toneOf(const QImage &gray, const QRect &line)
{
    const Paper frame = framePaper(gray, line);
    return toneIsClear(frame) ? countsAgainst(gray, nullptr, line, frame.level).tone() : TextTone::Either;
}

bool mendTextTone(const QImage &gray, QImage &mask, const QList<QRect> &lines)
{
    const int kernel = inkKernelSize(gray.size());
    bool mended = false;
    for (const QRect &line : lines) {
        // An icon is about square; its strokes are no text to mend.
        if (line.width() < minAspect * line.height())
            continue;
        const Paper frame = framePaper(gray, line);
        if (!toneIsClear(frame))
            continue;
        const double paper = frame.level;
        const Counts counts = countsAgainst(gray, &mask, line, paper);
        const TextTone tone = counts.tone();
        if (tone == TextTone::Either || counts.ink == 0)
            continue;
        // Ink differs from the paper by a stroke's contrast; the mask took
        // the paper for ink where much of its ink lies on the paper's side.
        const qint64 paperLike = tone == TextTone::Light ? counts.inkNotLighter : counts.inkNotDarker;
        const bool wrong = paperLike >= maxPaperInInk * counts.ink;
        // A letter at either end that the mask lost ("l" of "Cancel" on a
        // button, a lone stroke such as 一 or ー beside paper alone) lies
        // within half the line's height, and so does one lost between the
        // parts of a line; the parts beside it and those letters must lie on
        // the same paper.
        const int reach = line.height() / 2;
        QList<QRect> neighbours = withNeighbours(line, lines);
        QRect parts;
        for (const QRect &part : neighbours)
            parts |= part;
        QRect whole = parts.adjusted(-reach, 0, reach, 0) & gray.rect();
        const double wholePaper = paperAround(gray, whole);
        if (wholePaper < 0 || std::abs(wholePaper - paper) > evenPaper) {
            parts = whole = line;
            neighbours = {line};
        }
        // Beyond the ends, only what lies within the line's rows as letters
        // do: a panel's edge beside a line is no letter of it.
        const int slack = line.height() / 6;
        const QRect rows(whole.left(), line.top() - slack, whole.width(), line.height() + 2 * slack);
        QList<QRect> open = gapsBetween(neighbours, rows);
        open << (QRect(parts.left() - reach, rows.top(), reach, rows.height()) & whole)
             << (QRect(parts.right() + 1, rows.top(), reach, rows.height()) & whole);
        open.removeIf([](const QRect &area) { return area.isEmpty(); });
        qint64 lostOutside = 0;
        for (const QRect &area : open) {
            const qint64 lost = countsAgainst(gray, &mask, area, paper).lost(tone);
            if (lost <= maxPanelShare * area.width() * area.height())
                lostOutside += lost;
        }
        // Large text (a clock, a subtitle, a poster's headline) is found
        // again as large text; over a picture what lies beside it is more
        // often the picture than a lost stroke.
        const bool lostStrokes = frame.even && line.height() <= largestMended * kernel &&
                                 counts.lost(tone) <= maxLostWithin * counts.strokes(tone) &&
                                 lostOutside >= minLostOutside * line.height();
        if (!wrong && !lostStrokes)
            continue;
        const QRect around = whole.adjusted(-kernel, -kernel, kernel, kernel) & gray.rect();
        const QImage own = inkMask(gray.copy(around), kernel, tone);
        const auto copy = [&](const QRect &area) {
            for (int y = area.top(); y <= area.bottom(); ++y)
                std::copy_n(own.constScanLine(y - around.top()) + area.left() - around.left(), area.width(),
                            mask.scanLine(y) + area.left());
        };
        // A glyph brought back beside the line only adds ink: what the
        // page's mask holds there may be another line's, larger text the
        // line's own mask takes for flat shapes.
        const auto add = [&](const QRect &area) {
            for (int y = area.top(); y <= area.bottom(); ++y) {
                const uchar *from = own.constScanLine(y - around.top()) + area.left() - around.left();
                uchar *to = mask.scanLine(y) + area.left();
                for (int x = 0; x < area.width(); ++x)
                    to[x] = std::max(to[x], from[x]);
            }
        };
        if (wrong)
            copy(parts);
        // A glyph the line holds part of, or a flat stroke as close to its
        // letters as they stand to one another, that reaches into an end or
        // a gap is taken whole when it ends within an em beyond the ends: 一
        // and ー are as wide, and a bold word's letters run together. Other
        // shapes beside a line are icons (a battery, a play button) that the
        // mask lost to the line's good; what reaches further is a streak of
        // a picture, or over a photograph its lights. Of a line the mask
        // took wrong, the part within the ends is taken.
        const QRect reached = whole.adjusted(-line.height(), 0, line.height(), 0);
        const int letterGap = int(maxLetterGap * line.height());
        bool taken = false;
        for (GlyphPiece piece : glyphPieces(own)) {
            piece.box.translate(around.topLeft());
            if (piece.box.top() < rows.top() || piece.box.bottom() > rows.bottom())
                continue;
            if (std::none_of(open.begin(), open.end(), [&](const QRect &area) { return piece.box.intersects(area); }))
                continue;
            const int gap = std::max(parts.left() - piece.box.right(), piece.box.left() - parts.right()) - 1;
            const bool glyphsPart =
                gap < 0 || (gap <= letterGap && piece.box.width() >= flatStroke * piece.box.height());
            if (lostStrokes && glyphsPart && reached.contains(piece.box)) {
                add(piece.box);
                taken = true;
            } else if (wrong && piece.box.left() >= whole.left() && piece.box.right() <= whole.right()) {
                for (const QRect &area : open)
                    copy(piece.box & area);
            }
        }
        mended = mended || wrong || taken;
    }
    return mended;
}
