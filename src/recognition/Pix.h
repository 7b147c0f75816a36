// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>

#include <memory>

struct Pix;

// Owns a Leptonica picture.
struct PixDeleter {
    void operator()(Pix *pix) const;
};
using PixPtr = std::unique_ptr<Pix, PixDeleter>;

// 8-bit grey copies between Qt and Leptonica.
PixPtr pixFromGray(const QImage &gray);
QImage grayFromPix(Pix *pix);
