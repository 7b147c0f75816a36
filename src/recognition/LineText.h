#pragma once

#include <QRect>
#include <QRectF>
#include <QSize>
#include <QString>

// The recogniser's text of a line as delivered: without the direction marks
// (U+200E, U+200F) that Tesseract wraps right-to-left words in, trimmed.
QString cleanLineText(const QString &text);

// Converts a pixel box (origin top-left) of a picture of `size` to the
// normalised box with its origin at the bottom-left.
QRectF normalisedBox(const QRectF &pixels, const QSize &size);
