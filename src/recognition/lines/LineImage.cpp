// SPDX-License-Identifier: GPL-3.0-or-later

#include "LineImage.h"

#include <QtMath>

#include <algorithm>
#include <cmath>

namespace {

constexpr double maxUpscale = 4.0;
// Large text (a poster's headline, a lock screen's clock) is read less well,
// and more slowly, at its own size than at this.
constexpr int largestHeight = 64;
// Ink and paper told apart by the mask differ by at least this much (0..255),
// or the mask mixed them up.
constexpr double minLevelGap = 16.0;

// Antialiased fringes of the glyphs lie just outside the mask.
QRect cutArea(const QImage &gray, const QRect &line)
{
    return line.adjusted(-2, -2, 2, 2).intersected(gray.rect());
}

int borderOf(const QRect &line)
{
    return std::max(4, line.height() / 2);
}

// The mean grey of `area` outside `line`, or -1 when there is none.
double frameMean(const QImage &gray, const QRect &area, const QRect &line)
{
    qint64 sum = 0, count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const uchar *g = gray.constScanLine(y);
        for (int x = area.left(); x <= area.right(); ++x) {
            if (!line.contains(x, y)) {
                sum += g[x];
                ++count;
            }
        }
    }
    return count ? double(sum) / count : -1.0;
}

// The ink's grey inside `line` told from the paper's alone: the mean of the
// pixels that differ from it by a stroke's contrast, on the side where more
// of them lie.
double inkBesides(const QImage &gray, const QRect &line, double paper)
{
    constexpr int strokeContrast = 40;
    qint64 darkSum = 0, darkCount = 0, lightSum = 0, lightCount = 0;
    for (int y = line.top(); y <= line.bottom(); ++y) {
        const uchar *g = gray.constScanLine(y);
        for (int x = line.left(); x <= line.right(); ++x) {
            if (g[x] <= paper - strokeContrast) {
                darkSum += g[x];
                ++darkCount;
            } else if (g[x] >= paper + strokeContrast) {
                lightSum += g[x];
                ++lightCount;
            }
        }
    }
    if (darkCount == 0 && lightCount == 0)
        return paper;
    return darkCount >= lightCount ? double(darkSum) / darkCount : double(lightSum) / lightCount;
}

// Which pixels of `area` have the mask's ink within `reach` in a square
// around them, row after row of `area`: the paper of a photograph behind the
// text is no even grey, and its parts away from the ink may be as dark as
// strokes.
QList<bool> nearInk(const QImage &mask, const QRect &area, int reach)
{
    const int w = area.width(), h = area.height();
    QList<bool> across(qsizetype(w) * h, false), near(qsizetype(w) * h, false);
    for (int y = 0; y < h; ++y) {
        const uchar *m = mask.constScanLine(area.top() + y) + area.left();
        for (int x = 0, last = -reach - 1; x < w; ++x) {
            last = m[x] ? x : last;
            across[qsizetype(y) * w + x] = x - last <= reach;
        }
        for (int x = w - 1, next = w + reach; x >= 0; --x) {
            next = m[x] ? x : next;
            across[qsizetype(y) * w + x] = across[qsizetype(y) * w + x] || next - x <= reach;
        }
    }
    for (int x = 0; x < w; ++x) {
        for (int y = 0, last = -reach - 1; y < h; ++y) {
            last = across[qsizetype(y) * w + x] ? y : last;
            near[qsizetype(y) * w + x] = y - last <= reach;
        }
        for (int y = h - 1, next = h + reach; y >= 0; --y) {
            next = across[qsizetype(y) * w + x] ? y : next;
            near[qsizetype(y) * w + x] = near[qsizetype(y) * w + x] || next - y <= reach;
        }
    }
    return near;
}

} // namespace

bool tooSmallToRead(const QRect &line)
{
    constexpr int legibleHeight = 9;
    return line.height() < legibleHeight && line.width() < 2 * line.height();
}

QRect withoutEvenRows(const QImage &gray, QRect line)
{
    // Antialiased ink differs from its paper by more than this (0..255).
    constexpr int sameGrey = 6;
    line &= gray.rect();
    const auto even = [&](int y) {
        const uchar *row = gray.constScanLine(y);
        const auto [low, high] = std::minmax_element(row + line.left(), row + line.right() + 1);
        return *high - *low <= sameGrey;
    };
    while (line.height() > 1 && even(line.top()))
        line.setTop(line.top() + 1);
    while (line.height() > 1 && even(line.bottom()))
        line.setBottom(line.bottom() - 1);
    return line;
}

QImage lineImage(const QImage &gray, const QImage &mask, const QRect &line, int height)
{
    const QRect area = cutArea(gray, line);
    qint64 inkSum = 0, inkCount = 0, paperSum = 0, paperCount = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const uchar *g = gray.constScanLine(y);
        const uchar *m = mask.constScanLine(y);
        for (int x = area.left(); x <= area.right(); ++x) {
            if (m[x]) {
                inkSum += g[x];
                ++inkCount;
            } else {
                paperSum += g[x];
                ++paperCount;
            }
        }
    }
    if (inkCount == 0)
        return {};
    double ink = double(inkSum) / inkCount, paper = paperCount ? double(paperSum) / paperCount : ink;
    // The mask can take the paper for ink, or mix the two, where light strokes
    // about outweigh the dark gaps between them (Han letters on a dark page);
    // the frame around the line is paper whatever the mask says.
    const double frame = frameMean(gray, area, line);
    if (frame >= 0 && std::abs(frame - ink) < std::abs(frame - paper))
        std::swap(ink, paper);
    if (frame >= 0 && std::abs(paper - ink) < minLevelGap) {
        paper = frame;
        ink = inkBesides(gray, line.intersected(gray.rect()), paper);
    }
    if (std::abs(paper - ink) < 1.0)
        return {};

    const int border = borderOf(line);
    QImage out(area.width() + 2 * border, area.height() + 2 * border, QImage::Format_Grayscale8);
    out.fill(255);
    QList<int> darkRows;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const uchar *g = gray.constScanLine(y);
        uchar *o = out.scanLine(y - area.top() + border) + border;
        int dark = 0;
        for (int x = area.left(); x <= area.right(); ++x) {
            const double v = 255.0 * (g[x] - ink) / (paper - ink);
            o[x - area.left()] = static_cast<uchar>(std::clamp(v, 0.0, 255.0));
            dark += o[x - area.left()] < 128;
        }
        if (2 * dark >= area.width())
            darkRows.append(y - area.top());
    }
    // Large text is read at a smaller size, where what lies between its thin
    // strokes (the clouds behind a lock screen's clock) would blend with them
    // into greys: away from the ink, its image is paper. Elsewhere, a row
    // dark across most of the line, and nearly all dark away from the ink, is
    // a band of the picture behind the text (the sky over a sea's horizon);
    // strokes the mask missed have paper between them. Text on even paper has
    // no row dark across most of it, and needs no such look.
    const bool large = line.height() > largestHeight;
    if (large || !darkRows.isEmpty()) {
        const QList<bool> near = nearInk(mask, area, std::max(2, line.height() / 8));
        const auto nearRow = [&](int y) { return near.constData() + qsizetype(y) * area.width(); };
        if (large) {
            for (int y = 0; y < area.height(); ++y) {
                uchar *o = out.scanLine(y + border) + border;
                const bool *n = nearRow(y);
                for (int x = 0; x < area.width(); ++x)
                    o[x] = n[x] ? o[x] : 255;
            }
            darkRows.clear();
        }
        for (const int y : std::as_const(darkRows)) {
            uchar *o = out.scanLine(y + border) + border;
            const bool *n = nearRow(y);
            const auto farDark = [&](int x) { return !n[x] && o[x] < 128; };
            int far = 0, dark = 0;
            for (int x = 0; x < area.width(); ++x) {
                far += !n[x];
                dark += farDark(x);
            }
            if (2 * dark >= area.width() && 10 * dark >= 9 * far) {
                for (int x = 0; x < area.width(); ++x)
                    o[x] = farDark(x) ? 255 : o[x];
            }
        }
    }
    const double scale = line.height() > largestHeight ? double(largestHeight) / line.height()
                                                       : std::clamp(double(height) / line.height(), 1.0, maxUpscale);
    if (scale == 1.0)
        return out;
    QImage scaled = out.scaledToHeight(qRound(out.height() * scale), Qt::SmoothTransformation);
    // Qt's smooth scaling of 8-bit grey blends the last column with what lies
    // past the row's end, a grey bar that reads as a stroke ("Save." or "Save|")
    // and lowers the reading's confidence; that column is border, paper.
    for (int y = 0; y < scaled.height(); ++y)
        scaled.scanLine(y)[scaled.width() - 1] = 255;
    return scaled;
}

QRect pageBox(const QImage &gray, const QRect &line, const QImage &image, const QRect &box)
{
    const QRect area = cutArea(gray, line);
    const int border = borderOf(line);
    const double scale = double(image.height()) / (area.height() + 2 * border);
    const QPoint origin = area.topLeft() - QPoint(border, border);
    const QRect page(origin + QPoint(qFloor(box.left() / scale), qFloor(box.top() / scale)),
                     origin + QPoint(qCeil((box.right() + 1) / scale) - 1, qCeil((box.bottom() + 1) / scale) - 1));
    return page.intersected(area);
}
