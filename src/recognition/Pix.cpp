// SPDX-License-Identifier: GPL-3.0-or-later

#include "Pix.h"

#include <leptonica/allheaders.h>

void PixDeleter::operator()(Pix *pix) const
{
    pixDestroy(&pix);
}

PixPtr pixFromGray(const QImage &gray)
{
    PixPtr pix(pixCreate(gray.width(), gray.height(), 8));
    if (!pix)
        return pix;
    const int wpl = pixGetWpl(pix.get());
    l_uint32 *data = pixGetData(pix.get());
    const int width = gray.width(), height = gray.height();
    for (int y = 0; y < height; ++y) {
        const uchar *src = gray.constScanLine(y);
        l_uint32 *row = data + y * wpl;
        for (int x = 0; x < width; ++x)
            SET_DATA_BYTE(row, x, src[x]);
    }
    return pix;
}

QImage grayFromPix(Pix *pix)
{
    const int width = pixGetWidth(pix), height = pixGetHeight(pix), wpl = pixGetWpl(pix);
    QImage gray(width, height, QImage::Format_Grayscale8);
    const l_uint32 *data = pixGetData(pix);
    for (int y = 0; y < height; ++y) {
        uchar *dst = gray.scanLine(y);
        const l_uint32 *row = data + y * wpl;
        for (int x = 0; x < width; ++x)
            dst[x] = GET_DATA_BYTE(row, x);
    }
    return gray;
}
