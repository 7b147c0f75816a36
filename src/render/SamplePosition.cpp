// SPDX-License-Identifier: GPL-3.0-or-later

#include "SamplePosition.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr std::int64_t kSampleDistance = 3;

std::int64_t clampIndex(std::int64_t index, int size)
{
    return std::max<std::int64_t>(std::min<std::int64_t>(index, std::int64_t(size) - 1), 0);
}

} // namespace

QPoint samplePosition(const QRectF &pixelRect, QSize picture)
{
    // Casting a double to an integer truncates toward zero, which is the rule
    // for both coordinates.
    std::int64_t column = std::int64_t(pixelRect.x()) - kSampleDistance;
    if (column < 0)
        column = std::int64_t(pixelRect.x() + pixelRect.width()) + kSampleDistance;
    const auto row = std::int64_t(qreal(picture.height()) - (pixelRect.y() + pixelRect.height() / 2));
    return QPoint(int(clampIndex(column, picture.width())), int(clampIndex(row, picture.height())));
}
