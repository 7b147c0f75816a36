// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPoint>
#include <QRectF>
#include <QSize>

// The pixel whose colour fills a line's plate: 3 pixels left of the line's
// pixel rectangle (right of it when left would be off the picture), on the row
// through its vertical middle, clamped into the picture. Column and row count
// from the top-left pixel; `pixelRect` has its origin at the bottom left.
QPoint samplePosition(const QRectF &pixelRect, QSize picture);
