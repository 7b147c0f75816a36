// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>

// The colour of one pixel of `source` as unpremultiplied RGB with its alpha,
// white when there is no such pixel.
QColor plateColour(const QImage &source, QPoint pixel);

// Brightness with the ITU-R BT.601 weights; alpha plays no part.
double luma(const QColor &colour);

// Black on a plate brighter than the middle, white on any other.
QColor inkColour(const QColor &plate);
