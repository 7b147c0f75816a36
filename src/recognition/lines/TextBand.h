// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRect>
#include <QRectF>
#include <QString>

class QImage;

// The box of a line as its plate should cover it, in pixels: the columns of
// `line`, and the rows of its text's whole height, from above capitals and
// accents to below descenders, at the font size its ink and its `text` imply
// (to a fraction of a pixel). Lines set at one size get boxes of one height
// whatever letters they hold; where the line's ink reaches further, the box
// grows to hold it. `gray` is the picture in grey levels and `mask` its ink
// mask (see inkMask).
QRectF textBand(const QImage &gray, const QImage &mask, const QRect &line, const QString &text);
