// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRectF>
#include <QSize>

#include <optional>

// Where one line sits on the picture, in drawing units of one per source
// pixel with the origin at the bottom-left corner and y growing upward, the
// way the line's box is given.
struct LineGeometry {
    QRectF pixelRect; // the box scaled to the picture, its width and height made non-negative
    QRectF plate;     // the pixel rectangle grown by 3 left and right, 2 below and above
};

// Scales a normalised box to the picture. Gives nothing for a box with a value
// that is not finite or lies so far beyond the picture that no recogniser
// could have meant it: such a box would only stall the drawing.
std::optional<LineGeometry> lineGeometry(const QRectF &box, QSize picture);

// The same rectangle in raster coordinates (rows counted from the top) of a
// picture `pictureHeight` rows high.
QRectF rasterRect(const QRectF &rect, qreal pictureHeight);
