// SPDX-License-Identifier: GPL-3.0-or-later

#include "FontFitting.h"

#include "TextBlock.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr qreal kStartFactor = 0.85;
constexpr qreal kFloorSize = 9.0;
constexpr qreal kStep = 1.0;

} // namespace

FittedText fitText(TextBlock &block, qreal lineHeight, QSizeF plate)
{
    qreal size = std::max(kStartFactor * lineHeight, kFloorSize);
    // Sizes at which even one line per paragraph is taller than the plate
    // cannot fit; passing over them without laying out changes nothing but
    // the time a tall box takes.
    while (size > kFloorSize && std::ceil(block.minimumHeight(size)) > plate.height())
        size -= kStep;
    while (true) {
        const qreal height = std::ceil(block.layOut(size, plate.width()));
        if (plate.height() >= height || size <= kFloorSize)
            return FittedText{size, height};
        size -= kStep;
    }
}
