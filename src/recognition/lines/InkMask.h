// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>

// Marks the pixels of thin strokes that stand out from their surroundings,
// dark on light or light on dark alike, while flat areas, edges of panels and
// shapes larger than a glyph's stroke stay blank. Returns an 8-bit picture,
// 255 for ink and 0 elsewhere, of the size of `gray`.
QImage inkMask(const QImage &gray);
