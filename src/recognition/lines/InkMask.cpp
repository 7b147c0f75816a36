// SPDX-License-Identifier: GPL-3.0-or-later

#include "InkMask.h"

#include "GrayMorphology.h"
#include "RecognitionThreads.h"

#include <algorithm>
#include <vector>

namespace {

// Ink differs from the paper around it by at least this much (0..255).
constexpr int inkContrast = 40;

// The rows of a picture, the closing and the opening of its grey.
struct Planes {
    const QImage &gray, &closed, &opened;
};

// Adds `sign` times each pixel's vote of row `y` to `columns`: +1 where the
// pixel would be ink if the text were dark, -1 where it would be if light.
void addVotes(const Planes &planes, int y, int sign, std::vector<int> &columns)
{
    const uchar *g = planes.gray.constScanLine(y);
    const uchar *c = planes.closed.constScanLine(y);
    const uchar *o = planes.opened.constScanLine(y);
    for (size_t x = 0; x < columns.size(); ++x)
        columns[x] += sign * ((c[x] - g[x] >= inkContrast) - (g[x] - o[x] >= inkContrast));
}

} // namespace

int inkKernelSize(const QSize &picture)
{
    return std::max(15, std::min(picture.width(), picture.height()) / 72) | 1;
}

QImage inkMask(const QImage &gray, int kernel, TextTone tone)
{
    if (gray.isNull())
        return {};
    const int k = kernel > 0 ? kernel : inkKernelSize(gray.size());
    // The closing wipes out dark strokes and leaves the paper of dark text;
    // the opening does the same for light text.
    QImage closed, opened;
    parallelFor(2, [&](int i) {
        if (i == 0)
            closed = closeGray(gray, k);
        else
            opened = openGray(gray, k);
    });
    if (closed.isNull() || opened.isNull())
        return {};
    const int width = gray.width(), height = gray.height();
    const Planes planes{gray, closed, opened};
    QImage mask(width, height, QImage::Format_Grayscale8);
    // Bands left undone when recognition stops must hold no stray memory for
    // the line finder to take for ink (noise takes it a hundred times longer
    // than a page).
    mask.fill(0);
    // Rows are written from several threads: through one pointer, since
    // QImage::scanLine() counts each call in the image.
    uchar *const rows = mask.bits();
    const qsizetype rowBytes = mask.bytesPerLine();
    // Each band keeps the votes of the square's rows summed by column, and
    // slides the square along a row by those sums.
    constexpr int bandRows = 128;
    parallelFor((height + bandRows - 1) / bandRows, [&](int band) {
        const int first = band * bandRows, end = std::min(height, first + bandRows);
        std::vector<int> columns(width, 0);
        for (int y = std::max(0, first - k - 1); y < std::min(height, first + k); ++y)
            addVotes(planes, y, 1, columns);
        for (int y = first; y < end; ++y) {
            if (y + k < height)
                addVotes(planes, y + k, 1, columns);
            if (y - k - 1 >= 0)
                addVotes(planes, y - k - 1, -1, columns);
            const uchar *g = gray.constScanLine(y);
            const uchar *c = closed.constScanLine(y);
            const uchar *o = opened.constScanLine(y);
            uchar *m = rows + y * rowBytes;
            int balance = 0;
            for (int x = 0; x < std::min(width, k); ++x)
                balance += columns[x];
            for (int x = 0; x < width; ++x) {
                if (x + k < width)
                    balance += columns[x + k];
                if (x - k - 1 >= 0)
                    balance -= columns[x - k - 1];
                // Taken for the wrong colour, text turns inside out: the
                // paper between its strokes, within letters, between letters
                // and in narrow gaps between lines, becomes ink, which covers
                // more than the strokes do. So the reading with less ink
                // around is right, in dense text (bold Han characters) too,
                // where an average of the grey lies half way between paper
                // and ink.
                const bool darkText = tone == TextTone::Either ? balance <= 0 : tone == TextTone::Dark;
                const int contrast = darkText ? c[x] - g[x] : g[x] - o[x];
                m[x] = contrast >= inkContrast ? 255 : 0;
            }
        }
    });
    return mask;
}
