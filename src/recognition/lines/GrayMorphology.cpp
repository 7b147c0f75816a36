// SPDX-License-Identifier: GPL-3.0-or-later

#include "GrayMorphology.h"

#include <algorithm>
#include <cstring>
#include <memory>

// The passes below are plain loops over bytes, written for the compiler to
// vectorise; this file is built with a cost model that lets it.

namespace {

template <bool Max> void combine(uchar *__restrict out, const uchar *__restrict a, const uchar *__restrict b, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        out[i] = Max ? std::max(a[i], b[i]) : std::min(a[i], b[i]);
}

// Writes to `out` the extreme of every `size` consecutive elements of `in`,
// `count` elements of `step` bytes each, as extremes of 2, 4, 8… elements:
// a handful of passes whatever the size. The passes go back and forth
// between `in`, which they overwrite, and `scratch`, of the same size.
template <bool Max> void extremesAlong(uchar *in, uchar *scratch, uchar *out, size_t count, size_t step, int size)
{
    uchar *from = in, *to = scratch;
    size_t span = 1;
    while (2 * span < size_t(size)) {
        combine<Max>(to, from, from + span * step, (count - span) * step);
        std::swap(from, to);
        span *= 2;
    }
    combine<Max>(out, from, from + (size - span) * step, (count - size + 1) * step);
}

template <bool Max> QImage extremes(const QImage &gray, int size)
{
    const int width = gray.width(), height = gray.height(), reach = size / 2;
    const uchar beyond = Max ? 0 : 255;
    const size_t rowBytes = gray.bytesPerLine();
    // Rows of the square's extremes along each row, with `reach` rows of what
    // lies beyond the picture above and below.
    const size_t rows = size_t(height) + 2 * reach;
    const auto along = std::make_unique_for_overwrite<uchar[]>(rows * rowBytes);
    const auto scratch = std::make_unique_for_overwrite<uchar[]>(rows * rowBytes);
    std::fill_n(along.get(), reach * rowBytes, beyond);
    std::fill_n(along.get() + (reach + height) * rowBytes, reach * rowBytes, beyond);
    const size_t padded = size_t(width) + 2 * reach;
    const auto row = std::make_unique_for_overwrite<uchar[]>(3 * padded);
    for (int y = 0; y < height; ++y) {
        std::fill_n(row.get(), reach, beyond);
        std::memcpy(row.get() + reach, gray.constScanLine(y), width);
        std::fill_n(row.get() + reach + width, reach, beyond);
        extremesAlong<Max>(row.get(), row.get() + padded, row.get() + 2 * padded, padded, 1, size);
        std::memcpy(along.get() + (reach + y) * rowBytes, row.get() + 2 * padded, width);
    }
    QImage result(width, height, QImage::Format_Grayscale8);
    if (result.isNull())
        return result;
    // Whole rows at once, bytes past the width included: they are never read.
    extremesAlong<Max>(along.get(), scratch.get(), result.bits(), rows, rowBytes, size);
    return result;
}

} // namespace

QImage closeGray(const QImage &gray, int size)
{
    return extremes<false>(extremes<true>(gray, size), size);
}

QImage openGray(const QImage &gray, int size)
{
    return extremes<true>(extremes<false>(gray, size), size);
}
