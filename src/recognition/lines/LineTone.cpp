// SPDX-License-Identifier: GPL-3.0-or-later

#include "LineTone.h"

#include "GlyphPieces.h"

#include <QImage>

#include <algorithm>
#include <array>

namespace {

constexpr int strokeContrast = 40;
constexpr double maxPaperInInk = 0.25;
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

    TextTone tone() const { return dark == light ? TextTone::Either : dark > light ? TextTone::Dark : TextTone::Light; }
};

Counts countsAgainst(const QImage &gray, const QImage *mask, const QRect &line, double paper)
{
    Counts counts;
    for (int y = line.top(); y <= line.bottom(); ++y) {
        const uchar *g = gray.constScanLine(y);
        const uchar *m = mask ? mask->constScanLine(y) : nullptr;
        for (int x = line.left(); x <= line.right(); ++x) {
            counts.dark += g[x] <= paper - strokeContrast;
            counts.light += g[x] >= paper + strokeContrast;
            if (m && m[x]) {
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

// `line` with the lines found beside it on its rows, two of its heights or
// less away: a word whose mask broke is found in parts (the tops of a bold
// Hangul word's syllables), or a line in pieces with letters lost between
// them, and the parts are mended with the line's rows.
QRect withNeighbours(const QRect &line, const QList<QRect> &lines)
{
    QRect whole = line;
    for (bool grown = true; grown;) {
        grown = false;
        for (const QRect &other : lines) {
            const int gap = std::max(other.left() - whole.right(), whole.left() - other.right()) - 1;
            if (whole.contains(other) || gap > 2 * line.height() || other.top() < line.top() ||
                other.bottom() > line.bottom())
                continue;
            whole |= other;
            grown = true;
        }
    }
    return whole;
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
        // Ink differs from the paper by a stroke's contrast; the mask took
        // the paper for ink where much of its ink lies on the paper's side.
        const qint64 paperLike = tone == TextTone::Light ? counts.inkNotLighter : counts.inkNotDarker;
        if (tone == TextTone::Either || counts.ink == 0 || paperLike < maxPaperInInk * counts.ink)
            continue;
        // A letter at either end that the mask lost ("l" of "Cancel" on a
        // button) lies within half the line's height; the parts beside it
        // and those letters must lie on the same paper.
        const int reach = line.height() / 2;
        QRect parts = withNeighbours(line, lines);
        QRect whole = parts.adjusted(-reach, 0, reach, 0) & gray.rect();
        const double wholePaper = paperAround(gray, whole);
        if (wholePaper < 0 || std::abs(wholePaper - paper) > evenPaper)
            parts = whole = line;
        const QRect around = whole.adjusted(-kernel, -kernel, kernel, kernel) & gray.rect();
        const QImage own = inkMask(gray.copy(around), kernel, tone);
        const auto copy = [&](const QRect &area) {
            for (int y = area.top(); y <= area.bottom(); ++y)
                std::copy_n(own.constScanLine(y - around.top()) + area.left() - around.left(), area.width(),
                            mask.scanLine(y) + area.left());
        };
        copy(parts);
        // Beyond the ends, only what lies within the line's rows as letters
        // do: a panel's edge beside a line is no letter of it.
        const int slack = line.height() / 6;
        const QRect rows(whole.left(), line.top() - slack, whole.width(), line.height() + 2 * slack);
        const QRect ends[] = {QRect(parts.left() - reach, whole.top(), reach, whole.height()),
                              QRect(parts.right() + 1, whole.top(), reach, whole.height())};
        for (GlyphPiece piece : glyphPieces(own)) {
            piece.box.translate(around.topLeft());
            if (!rows.contains(piece.box))
                continue;
            for (const QRect &end : ends) {
                if (const QRect area = piece.box & whole & end; !area.isEmpty())
                    copy(area);
            }
        }
        mended = true;
    }
    return mended;
}
