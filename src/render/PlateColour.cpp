// SPDX-License-Identifier: GPL-3.0-or-later

#include "PlateColour.h"

QColor plateColour(const QImage &source, QPoint pixel)
{
    if (!source.valid(pixel))
        return QColor(Qt::white);
    const QColor colour = source.pixelColor(pixel);
    if (!colour.isValid())
        return QColor(Qt::white);
    return colour.toRgb();
}

double luma(const QColor &colour)
{
    return (0.299 * colour.redF() + 0.587 * colour.greenF()) + 0.114 * colour.blueF();
}

QColor inkColour(const QColor &plate)
{
    // A NaN luma fails the comparison and gets white, as any dark plate does.
    return luma(plate) > 0.5 ? QColor(Qt::black) : QColor(Qt::white);
}
