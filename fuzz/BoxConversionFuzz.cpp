// SPDX-License-Identifier: GPL-3.0-or-later

// Boxes on their way from the recogniser to the renderer. A pixel box inside
// a picture becomes a normalised box inside (0, 0, 1, 1) that scales back to
// the same pixels; any box at all, NaN, infinities and huge or negative values
// included, is either passed over by the renderer or samples a pixel inside
// the picture.
#include "LineGeometry.h"
#include "SamplePosition.h"
#include "TextItem.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdlib>

namespace {

void pixelBoxRoundTrip(FuzzedDataProvider &input)
{
    const QSize picture(input.ConsumeIntegralInRange(1, 1 << 16), input.ConsumeIntegralInRange(1, 1 << 16));
    const int left = input.ConsumeIntegralInRange(0, picture.width() - 1);
    const int top = input.ConsumeIntegralInRange(0, picture.height() - 1);
    const QRect pixels(left, top, input.ConsumeIntegralInRange(1, picture.width() - left),
                       input.ConsumeIntegralInRange(1, picture.height() - top));
    const QRectF box = normalisedBox(pixels, picture);
    constexpr double slack = 1e-9;
    if (!(box.x() >= 0 && box.y() >= -slack && box.x() + box.width() <= 1 + slack &&
          box.y() + box.height() <= 1 + slack && box.width() > 0 && box.height() > 0))
        std::abort();
    // Back to rows counted from the top, as the renderer places it.
    const QRectF back = rasterRect(scaledBox(box, picture), picture.height());
    if (std::abs(back.x() - pixels.x()) > 1e-6 || std::abs(back.y() - pixels.y()) > 1e-6 ||
        std::abs(back.width() - pixels.width()) > 1e-6 || std::abs(back.height() - pixels.height()) > 1e-6)
        std::abort();
}

void anyBoxIsSafe(FuzzedDataProvider &input)
{
    const QSize picture(input.ConsumeIntegralInRange(1, 1 << 15), input.ConsumeIntegralInRange(1, 1 << 15));
    // Raw bits: every double there is, NaN and the infinities included.
    const QRectF box(input.ConsumeFloatingPoint<double>(), input.ConsumeFloatingPoint<double>(),
                     input.ConsumeFloatingPoint<double>(), input.ConsumeFloatingPoint<double>());
    const std::optional<LineGeometry> line = lineGeometry(box, picture);
    if (!line)
        return;
    const QRectF &r = line->pixelRect;
    if (!std::isfinite(r.x()) || !std::isfinite(r.y()) || r.width() < 0 || r.height() < 0)
        std::abort();
    const QPoint sample = samplePosition(r, picture);
    if (sample.x() < 0 || sample.y() < 0 || sample.x() >= picture.width() || sample.y() >= picture.height())
        std::abort();
    const QRectF raster = rasterRect(line->plate, picture.height());
    if (!std::isfinite(raster.y()))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    if (input.ConsumeBool())
        pixelBoxRoundTrip(input);
    else
        anyBoxIsSafe(input);
    return 0;
}
