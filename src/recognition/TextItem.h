// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>

// One recognised line of a picture.
//
// `box` is in normalised picture coordinates with the origin at the bottom-left
// corner and y growing upward: x and width are fractions of the picture's
// width, y and height fractions of its height, so (0, 0, 1, 1) is the whole
// picture. QRectF is used only as a holder of the four doubles; read y() as
// the distance of the box's lower edge from the picture's bottom.
struct TextItem {
    QString text;
    QRectF box;
};

using TextItems = QList<TextItem>;

// The box of a rectangle given in pixels of a picture of `size`, rows counted
// from the top.
inline QRectF normalisedBox(const QRectF &pixels, QSizeF size)
{
    const double width = size.width(), height = size.height();
    return QRectF(pixels.left() / width, 1.0 - (pixels.top() + pixels.height()) / height, pixels.width() / width,
                  pixels.height() / height);
}

// The box scaled to a picture of `size`: pixels, with the origin still at the
// bottom-left corner.
inline QRectF scaledBox(const QRectF &box, QSizeF size)
{
    return QRectF(box.x() * size.width(), box.y() * size.height(), box.width() * size.width(),
                  box.height() * size.height());
}
