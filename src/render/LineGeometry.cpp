// SPDX-License-Identifier: GPL-3.0-or-later

#include "LineGeometry.h"

#include "TextItem.h"

#include <cmath>

namespace {

// Boxes of a picture are fractions of it; anything beyond four picture sizes
// is garbage. The bound also keeps every pixel position far inside a 64-bit
// integer and the fitting's descent in steps of one bounded.
constexpr qreal kMaxBoxValue = 4.0;

bool usable(qreal value)
{
    return std::isfinite(value) && std::abs(value) <= kMaxBoxValue;
}

} // namespace

std::optional<LineGeometry> lineGeometry(const QRectF &box, QSize picture)
{
    if (!usable(box.x()) || !usable(box.y()) || !usable(box.width()) || !usable(box.height()))
        return std::nullopt;
    // A box given with a negative width or height is the same rectangle as
    // its mirror image.
    const QRectF r = scaledBox(box, picture).normalized();
    const QRectF plate(r.x() - 3.0, r.y() - 2.0, r.width() + 6.0, r.height() + 4.0);
    return LineGeometry{r, plate};
}

QRectF rasterRect(const QRectF &rect, qreal pictureHeight)
{
    return QRectF(rect.x(), pictureHeight - rect.y() - rect.height(), rect.width(), rect.height());
}
