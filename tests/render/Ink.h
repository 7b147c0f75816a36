// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "PlateColour.h"

#include <QImage>
#include <QList>
#include <QRect>

// Reading the text back out of a picture rendered on white: "ink" is every
// pixel whose luma is below one half, so an antialiased edge counts where a
// glyph covers more than half a pixel.
namespace ink {

// The smallest rectangle of `area` holding every ink pixel.
inline QRect extentIn(const QImage &image, const QRect &area)
{
    QRect bounds;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (luma(image.pixelColor(x, y)) < 0.5)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// The extents of the bands of ink in `image` that rows without ink separate:
// one per line of text.
inline QList<QRect> linesIn(const QImage &image)
{
    QList<QRect> lines;
    int bandTop = -1;
    for (int y = 0; y <= image.height(); ++y) {
        const bool inked = y < image.height() && !extentIn(image, QRect(0, y, image.width(), 1)).isEmpty();
        if (inked && bandTop < 0)
            bandTop = y;
        if (!inked && bandTop >= 0) {
            lines.append(extentIn(image, QRect(0, bandTop, image.width(), y - bandTop)));
            bandTop = -1;
        }
    }
    return lines;
}

// The middle of the widest run of ink-free columns inside `line`: on a line
// of two words, the space between them.
inline double widestGapCentre(const QImage &image, const QRect &line)
{
    int bestStart = line.left(), bestLength = 0, runStart = -1;
    for (int x = line.left(); x <= line.right() + 1; ++x) {
        const bool blank = x <= line.right() && extentIn(image, QRect(x, line.top(), 1, line.height())).isEmpty();
        if (blank && runStart < 0)
            runStart = x;
        if (!blank && runStart >= 0) {
            if (x - runStart > bestLength) {
                bestLength = x - runStart;
                bestStart = runStart;
            }
            runStart = -1;
        }
    }
    return bestStart + bestLength / 2.0;
}

} // namespace ink
