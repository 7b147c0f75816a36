// SPDX-License-Identifier: GPL-3.0-or-later

#include "LargeText.h"

#include "InkMask.h"
#include "LineFinder.h"
#include "LineTone.h"

#include <QImage>

#include <algorithm>

namespace {

// The smaller copy's kernel spans this many of the page's pixels per pixel.
constexpr int shrink = 3;
// Lines at least this many kernels tall may hold strokes as wide as one.
constexpr int largeInKernels = 4;
// Strokes at least this share of the page's kernel wide are what the page's
// mask misses; thinner ones (a thin clock's digits) it found, and thin
// streaks at this size are a photograph's (light on water, a horizon).
constexpr double minStrokeInKernels = 0.5;
// A line of text is wider than tall, and its strokes are far thinner than
// it is tall, where a filled shape (an avatar, a button) is all stroke.
constexpr double minAspect = 1.5;
constexpr double maxStrokeInHeights = 0.25;
// The line found again spans at least this share of what the smaller copy saw.
constexpr double sameLineShare = 0.7;
// Rows of text one size are this many times wider than tall, and differ in
// height by less than this factor.
constexpr double rowAspect = 3.0;
constexpr double rowSizes = 1.5;

qint64 area(const QRect &r)
{
    return r.isEmpty() ? 0 : qint64(r.width()) * r.height();
}

// Whether lines of the page inside `large` stand one over the other as rows
// of smaller text of one size do, which the smaller copy blurs into one (a
// list's selected row); the pieces the page's mask makes of a headline differ
// in size.
bool holdsRows(const QRect &large, const QList<QRect> &lines)
{
    QList<QRect> rows;
    for (const QRect &line : lines) {
        if (2 * area(line & large) >= area(line) && 2 * line.height() <= large.height() &&
            line.width() >= rowAspect * line.height())
            rows.append(line);
    }
    for (qsizetype i = 0; i < rows.size(); ++i) {
        for (qsizetype j = i + 1; j < rows.size(); ++j) {
            const QRect &a = rows[i], &b = rows[j];
            const bool stacked = a.bottom() < b.top() || b.bottom() < a.top();
            if (stacked && std::max(a.height(), b.height()) <= rowSizes * std::min(a.height(), b.height()))
                return true;
        }
    }
    return false;
}

// `mask` at the top of an empty one tall enough that glyphs of `lineHeight`
// are glyphs to findLines, not a picture's web of edges.
QImage onCanvas(const QImage &mask, int lineHeight)
{
    constexpr int linesTall = 5;
    if (mask.height() >= linesTall * lineHeight)
        return mask;
    QImage canvas(mask.width(), linesTall * lineHeight, QImage::Format_Grayscale8);
    canvas.fill(0);
    for (int y = 0; y < mask.height(); ++y)
        std::copy_n(mask.constScanLine(y), mask.width(), canvas.scanLine(y));
    return canvas;
}

// The line of `lines` that stands where the smaller copy saw one: it spans
// most of it, or an empty box.
QRect sameLine(const QList<QRect> &lines, const QRect &seen)
{
    for (const QRect &line : lines) {
        const QRect shared = line & seen;
        if (shared.width() >= sameLineShare * seen.width() && shared.height() >= sameLineShare * seen.height())
            return line;
    }
    return {};
}

// The mean width of the strokes of the ink in `box`: twice their area over
// the length of their edges.
double strokeWidth(const QImage &mask, const QRect &box)
{
    qint64 ink = 0, edges = 0;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        const uchar *row = mask.constScanLine(y);
        const uchar *above = mask.constScanLine(std::max(y - 1, 0));
        const uchar *below = mask.constScanLine(std::min(y + 1, mask.height() - 1));
        for (int x = box.left(); x <= box.right(); ++x) {
            if (!row[x])
                continue;
            ++ink;
            edges += !row[std::max(x - 1, 0)] + !row[std::min(x + 1, mask.width() - 1)] + !above[x] + !below[x];
        }
    }
    return edges ? 2.0 * ink / edges : 0.0;
}

// `gray` `shrink` times smaller, each pixel the mean of those it stands for.
QImage shrunk(const QImage &gray)
{
    const int width = gray.width() / shrink, height = gray.height() / shrink;
    QImage out(width, height, QImage::Format_Grayscale8);
    uchar *const bits = out.bits();
    const uchar *rows[shrink];
    for (int y = 0; y < height; ++y) {
        uchar *o = bits + y * out.bytesPerLine();
        for (int r = 0; r < shrink; ++r)
            rows[r] = gray.constScanLine(y * shrink + r);
        for (int x = 0; x < width; ++x) {
            int sum = 0;
            for (const uchar *row : rows) {
                for (int c = 0; c < shrink; ++c)
                    sum += row[x * shrink + c];
            }
            o[x] = uchar((sum + shrink * shrink / 2) / (shrink * shrink));
        }
    }
    return out;
}

} // namespace

void addLargeLines(const QImage &gray, QImage &mask, QList<QRect> &lines)
{
    const int pageKernel = inkKernelSize(gray.size());
    const int large = largeInKernels * pageKernel, kernel = shrink * pageKernel | 1;
    if (gray.height() < shrink * large)
        return;
    const QImage smallMask = inkMask(shrunk(gray));
    if (smallMask.isNull())
        return;
    bool added = false;
    for (const QRect &found : findLines(smallMask)) {
        const QRect seen = QRect(found.topLeft() * shrink, found.size() * shrink) & mask.rect();
        if (seen.height() < large || seen.width() < minAspect * seen.height() || holdsRows(seen, lines))
            continue;
        // The page's own pixels, weighed against a kernel as much larger,
        // hold the line again, glyph by glyph: a filled shape (a chat's
        // bubble, a panel's edge) that the smaller copy took for one does not.
        const QRect around = seen.adjusted(-kernel, -kernel, kernel, kernel) & gray.rect();
        const QImage own = inkMask(gray.copy(around), kernel, toneOf(gray, seen));
        const QRect line = sameLine(findLines(onCanvas(own, seen.height())), seen.translated(-around.topLeft()));
        if (line.isEmpty() || line.height() < large)
            continue;
        const double stroke = strokeWidth(own, line);
        if (stroke < minStrokeInKernels * pageKernel || stroke > maxStrokeInHeights * line.height())
            continue;
        const QRect onPage = line.translated(around.topLeft());
        if (holdsRows(onPage, lines))
            continue;
        lines.removeIf([&](const QRect &inside) { return 2 * area(inside & onPage) >= area(inside); });
        for (int y = line.top(); y <= line.bottom(); ++y)
            std::copy_n(own.constScanLine(y) + line.left(), line.width(),
                        mask.scanLine(y + around.top()) + onPage.left());
        lines.append(onPage);
        added = true;
    }
    if (added)
        std::sort(lines.begin(), lines.end(), [](const QRect &a, const QRect &b) {
            return a.center().y() != b.center().y() ? a.center().y() < b.center().y() : a.left() < b.left();
        });
}
