// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QStringList>

// A picture drawn with known lines, and where each line lies in the
// recogniser's normalised, bottom-left coordinates.
struct TestPicture {
    QImage image;
    QStringList texts;
    QList<QRectF> boxes;
};

struct TestLine {
    QString text;
    QPointF baseline; // in logical pixels
};

// Draws `lines` in `family` at `pixelSize` on a `size` picture (logical
// pixels) at `scale` device pixels per logical pixel.
TestPicture drawPicture(const QList<TestLine> &lines, const QString &family, int pixelSize, QSize size, int scale,
                        QColor paper, QColor ink);

int editDistance(const QString &a, const QString &b);
