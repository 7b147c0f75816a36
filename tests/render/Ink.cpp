// SPDX-License-Identifier: GPL-3.0-or-later

#include "Ink.h"

#include "PlateColour.h"

#include <cmath>

namespace ink {
namespace {

// How far toward the ink a pixel is, from 0 (background) to 1.
double coverage(const QImage &image, int x, int y, double background)
{
    const double target = background > 0.5 ? 0.0 : 1.0;
    return (luma(image.pixelColor(x, y)) - background) / (target - background);
}

} // namespace

Extent extentIn(const QImage &image, const QRect &area, const QColor &background)
{
    const double back = luma(background);
    const QRect inside = area & image.rect();
    Extent extent;
    double weight = 0;
    double moment = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const double c = coverage(image, x, y, back);
            if (c <= 0.5)
                continue;
            extent.bounds |= QRect(x, y, 1, 1);
            weight += c;
            moment += c * x;
        }
    }
    extent.centreX = weight > 0 ? moment / weight : 0;
    return extent;
}

QList<Extent> linesIn(const QImage &image, const QRect &area, const QColor &background)
{
    QList<Extent> lines;
    const QRect inside = area & image.rect();
    int bandTop = -1;
    for (int y = inside.top(); y <= inside.bottom() + 1; ++y) {
        const bool inked =
            y <= inside.bottom() && !extentIn(image, QRect(inside.left(), y, inside.width(), 1), background).isEmpty();
        if (inked && bandTop < 0)
            bandTop = y;
        if (!inked && bandTop >= 0) {
            lines.append(extentIn(image, QRect(inside.left(), bandTop, inside.width(), y - bandTop), background));
            bandTop = -1;
        }
    }
    return lines;
}

double widestGapCentre(const QImage &image, const Extent &extent, const QColor &background)
{
    const QRect &b = extent.bounds;
    int bestStart = b.left();
    int bestLength = 0;
    int runStart = -1;
    for (int x = b.left(); x <= b.right() + 1; ++x) {
        const bool blank = x <= b.right() && extentIn(image, QRect(x, b.top(), 1, b.height()), background).isEmpty();
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
