#pragma once

#include <QList>
#include <QRectF>
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
