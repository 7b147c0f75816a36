// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>

// Grey-level closing and opening of an 8-bit grey picture by a `size` ×
// `size` square (size odd), the square cut short at the picture's edges. The
// closing wipes out dark strokes narrower than the square, the opening light
// ones.
QImage closeGray(const QImage &gray, int size);
QImage openGray(const QImage &gray, int size);
