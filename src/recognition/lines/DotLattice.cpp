// SPDX-License-Identifier: GPL-3.0-or-later

#include "DotLattice.h"

#include "DisjointSets.h"

#include <QImage>

#include <algorithm>
#include <vector>

namespace {

constexpr int minDotSide = 3;
constexpr double maxAspect = 1.4;
constexpr double latticeDotFill = 0.6;
// Neighbours in a row or a column are this many of their sizes apart at
// least and at most: dots of letters stacked or side by side (a triangle of
// Arabic dots, the two of ü) touch or nearly so.
constexpr double minGap = 0.5;
constexpr double maxGap = 8.0;
// A lattice has at least this many dots, linked in rows and in columns.
constexpr int minDots = 6;

bool alike(int a, int b)
{
    return std::abs(a - b) <= std::max(1, std::min(a, b) / 4);
}

} // namespace

bool isFilledDot(const GlyphPiece &piece, const QImage &mask, int minSide, double minFill)
{
    const QRect &b = piece.box;
    const QPoint c = b.center();
    return b.height() >= minSide && b.width() <= maxAspect * b.height() && b.height() <= maxAspect * b.width() &&
           piece.ink >= minFill * b.width() * b.height() && mask.constScanLine(c.y())[c.x()] != 0;
}

QList<bool> latticeDots(const QList<GlyphPiece> &pieces, const QImage &mask)
{
    // Dots with no ink close beside them: letters of a word, bold ones as
    // filled as a dot, stand closer together. A window lit just over a
    // letter is no less a dot of its lattice.
    const auto alone = [&](const QRect &dot) {
        const int apart = int(minGap * std::max(dot.width(), dot.height()));
        const QRect around = dot.adjusted(-apart, 0, apart, 0) & mask.rect();
        for (int y = around.top(); y <= around.bottom(); ++y) {
            const uchar *row = mask.constScanLine(y);
            for (int x = around.left(); x <= around.right(); ++x) {
                if (row[x] && !dot.contains(x, y))
                    return false;
            }
        }
        return true;
    };
    QList<int> dots;
    for (int i = 0; i < pieces.size(); ++i) {
        if (isFilledDot(pieces[i], mask, minDotSide, latticeDotFill) && alone(pieces[i].box))
            dots.append(i);
    }
    std::sort(dots.begin(), dots.end(), [&](int a, int b) { return pieces[a].box.left() < pieces[b].box.left(); });
    DisjointSets sets(dots.size());
    std::vector<bool> inRow(dots.size()), inColumn(dots.size());
    for (qsizetype i = 0; i < dots.size(); ++i) {
        const QRect &a = pieces[dots[i]].box;
        const int size = std::max(a.width(), a.height());
        const int near = std::max(1, size / 3);
        for (qsizetype j = i + 1; j < dots.size() && pieces[dots[j]].box.left() <= a.right() + 1 + int(maxGap * size);
             ++j) {
            const QRect &b = pieces[dots[j]].box;
            if (!alike(a.width(), b.width()) || !alike(a.height(), b.height()))
                continue;
            const int across = b.left() - a.right() - 1;
            const int down = std::max(a.top(), b.top()) - std::min(a.bottom(), b.bottom()) - 1;
            const bool row = std::abs(a.top() - b.top()) <= near && across >= minGap * size;
            const bool column = std::abs(a.left() - b.left()) <= near && down >= minGap * size && down <= maxGap * size;
            if (!row && !column)
                continue;
            sets.unite(i, j);
            (row ? inRow : inColumn)[i] = true;
            (row ? inRow : inColumn)[j] = true;
        }
    }
    // Each set's dots, and whether some of them stand in a row and some in a
    // column.
    std::vector<int> count(dots.size(), 0);
    std::vector<bool> rows(dots.size(), false), columns(dots.size(), false);
    for (qsizetype i = 0; i < dots.size(); ++i) {
        const qsizetype root = sets.find(i);
        ++count[root];
        rows[root] = rows[root] || inRow[i];
        columns[root] = columns[root] || inColumn[i];
    }
    QList<bool> lattice(pieces.size(), false);
    for (qsizetype i = 0; i < dots.size(); ++i) {
        const qsizetype root = sets.find(i);
        lattice[dots[i]] = count[root] >= minDots && rows[root] && columns[root];
    }
    return lattice;
}
