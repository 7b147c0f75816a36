#include "InkMask.h"

#include "Pix.h"

#include <leptonica/allheaders.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

// Strokes of interface text stay well below this many pixels, even at 2x; the
// closing and opening that find the paper must span more than a stroke.
int kernelSize(const QImage &gray)
{
    return std::max(15, std::min(gray.width(), gray.height()) / 72) | 1;
}

// Ink differs from the paper around it by at least this much (0..255).
constexpr int inkContrast = 40;

// Summed-area table with one extra row and column of zeros.
std::vector<qint64> integral(const QImage &gray)
{
    const int width = gray.width(), height = gray.height();
    std::vector<qint64> sums(size_t(width + 1) * (height + 1), 0);
    for (int y = 0; y < height; ++y) {
        const uchar *row = gray.constScanLine(y);
        qint64 rowSum = 0;
        for (int x = 0; x < width; ++x) {
            rowSum += row[x];
            sums[size_t(y + 1) * (width + 1) + x + 1] = sums[size_t(y) * (width + 1) + x + 1] + rowSum;
        }
    }
    return sums;
}

} // namespace

QImage inkMask(const QImage &gray)
{
    const PixPtr source = pixFromGray(gray);
    if (!source)
        return {};
    const int k = kernelSize(gray);
    // The closing wipes out dark strokes and leaves the paper of dark text;
    // the opening does the same for light text.
    const PixPtr closedPix(pixCloseGray(source.get(), k, k));
    const PixPtr openedPix(pixOpenGray(source.get(), k, k));
    if (!closedPix || !openedPix)
        return {};
    const QImage closed = grayFromPix(closedPix.get());
    const QImage opened = grayFromPix(openedPix.get());
    const std::vector<qint64> sums = integral(gray);
    const int width = gray.width(), height = gray.height();
    const size_t stride = width + 1;

    QImage mask(width, height, QImage::Format_Grayscale8);
    for (int y = 0; y < height; ++y) {
        const int y0 = std::max(0, y - k), y1 = std::min(height, y + k + 1);
        const uchar *g = gray.constScanLine(y);
        const uchar *c = closed.constScanLine(y);
        const uchar *o = opened.constScanLine(y);
        uchar *m = mask.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const int x0 = std::max(0, x - k), x1 = std::min(width, x + k + 1);
            const qint64 sum =
                sums[y1 * stride + x1] - sums[y0 * stride + x1] - sums[y1 * stride + x0] + sums[y0 * stride + x0];
            const int mean = int(sum / (qint64(x1 - x0) * (y1 - y0)));
            // Text is sparse: the average around a pixel lies near its paper.
            const bool darkText = std::abs(c[x] - mean) <= std::abs(o[x] - mean);
            const int contrast = darkText ? c[x] - g[x] : g[x] - o[x];
            m[x] = contrast >= inkContrast ? 255 : 0;
        }
    }
    return mask;
}
