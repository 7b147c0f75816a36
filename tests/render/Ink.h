// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QRect>

// Reading the text back out of a rendered picture: "ink" is every pixel whose
// luma lies more than halfway from the background's toward the other
// extreme, so an antialiased edge counts where a glyph covers half a pixel.
namespace ink {

struct Extent {
    QRect bounds;       // the smallest rectangle holding every ink pixel
    double centreX = 0; // mean column of the ink, weighted by its coverage
    bool isEmpty() const { return bounds.isEmpty(); }
};

Extent extentIn(const QImage &image, const QRect &area, const QColor &background);

// The rows of `area` split into bands of ink separated by rows with none:
// one band per line of text.
QList<Extent> linesIn(const QImage &image, const QRect &area, const QColor &background);

// The middle of the widest run of ink-free columns inside `extent`: on a line
// of two words, the space between them.
double widestGapCentre(const QImage &image, const Extent &extent, const QColor &background);

} // namespace ink
