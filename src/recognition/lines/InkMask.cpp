// SPDX-License-Identifier: GPL-3.0-or-later

#include "InkMask.h"

#include "Pix.h"
#include "RecognitionThreads.h"

#include <leptonica/allheaders.h>

#include <algorithm>
#include <vector>

namespace {

// Ink differs from the paper around it by at least this much (0..255).
constexpr int inkContrast = 40;

// Summed-area table, with one extra row and column of zeros, of the pixels
// that would be ink if the text were dark (+1) and of those that would be ink
// if it were light (-1).
std::vector<int> inkBalance(const QImage &gray, const QImage &closed, const QImage &opened)
{
    const int width = gray.width(), height = gray.height();
    const size_t stride = width + 1;
    std::vector<int> sums(stride * (height + 1), 0);
    for (int y = 0; y < height; ++y) {
        const uchar *g = gray.constScanLine(y);
        const uchar *c = closed.constScanLine(y);
        const uchar *o = opened.constScanLine(y);
        int rowSum = 0;
        for (int x = 0; x < width; ++x) {
            rowSum += (c[x] - g[x] >= inkContrast) - (g[x] - o[x] >= inkContrast);
            sums[(y + 1) * stride + x + 1] = sums[y * stride + x + 1] + rowSum;
        }
    }
    return sums;
}

} // namespace

int inkKernelSize(const QSize &picture)
{
    return std::max(15, std::min(picture.width(), picture.height()) / 72) | 1;
}

QImage inkMask(const QImage &gray, int kernel, TextTone tone)
{
    const PixPtr source = pixFromGray(gray);
    if (!source)
        return {};
    const int k = kernel > 0 ? kernel : inkKernelSize(gray.size());
    // The closing wipes out dark strokes and leaves the paper of dark text;
    // the opening does the same for light text.
    PixPtr closedPix, openedPix;
    parallelFor(2, [&](int i) {
        if (i == 0)
            closedPix.reset(pixCloseGray(source.get(), k, k));
        else
            openedPix.reset(pixOpenGray(source.get(), k, k));
    });
    if (!closedPix || !openedPix)
        return {};
    const QImage closed = grayFromPix(closedPix.get());
    const QImage opened = grayFromPix(openedPix.get());
    const int width = gray.width(), height = gray.height();
    const std::vector<int> sums = inkBalance(gray, closed, opened);
    const size_t stride = width + 1;

    QImage mask(width, height, QImage::Format_Grayscale8);
    // Bands left undone when recognition stops must hold no stray memory for
    // the line finder to take for ink (noise takes it a hundred times longer
    // than a page).
    mask.fill(0);
    // Rows are written from several threads: through one pointer, since
    // QImage::scanLine() counts each call in the image.
    uchar *const rows = mask.bits();
    const qsizetype rowBytes = mask.bytesPerLine();
    const auto maskRow = [&](int y) {
        const int y0 = std::max(0, y - k), y1 = std::min(height, y + k + 1);
        const uchar *g = gray.constScanLine(y);
        const uchar *c = closed.constScanLine(y);
        const uchar *o = opened.constScanLine(y);
        uchar *m = rows + y * rowBytes;
        for (int x = 0; x < width; ++x) {
            const int x0 = std::max(0, x - k), x1 = std::min(width, x + k + 1);
            // Taken for the wrong colour, text turns inside out: the paper
            // between its strokes, within letters, between letters and in
            // narrow gaps between lines, becomes ink, which covers more than
            // the strokes do. So the reading with less ink around is right,
            // in dense text (bold Han characters) too, where an average of
            // the grey lies half way between paper and ink.
            const int balance =
                sums[y1 * stride + x1] - sums[y0 * stride + x1] - sums[y1 * stride + x0] + sums[y0 * stride + x0];
            const bool darkText = tone == TextTone::Either ? balance <= 0 : tone == TextTone::Dark;
            const int contrast = darkText ? c[x] - g[x] : g[x] - o[x];
            m[x] = contrast >= inkContrast ? 255 : 0;
        }
    };
    constexpr int bandRows = 64;
    parallelFor((height + bandRows - 1) / bandRows, [&](int band) {
        for (int y = band * bandRows; y < std::min(height, (band + 1) * bandRows); ++y)
            maskRow(y);
    });
    return mask;
}
