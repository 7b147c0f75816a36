// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>

// Marks the pixels of thin strokes that stand out from their surroundings,
// dark on light or light on dark alike, while flat areas, edges of panels and
// shapes larger than a glyph's stroke stay blank. Returns an 8-bit picture,
// 255 for ink and 0 elsewhere, of the size of `gray`. Strokes are at most
// about `kernel` pixels wide (see inkKernelSize when 0). Dark and light text
// are told apart pixel by pixel, by which would leave less ink around, unless
// `tone` says which the text is.
enum class TextTone { Either, Dark, Light };
QImage inkMask(const QImage &gray, int kernel = 0, TextTone tone = TextTone::Either);

// The side of the square around each pixel that inkMask weighs it against:
// strokes of interface text stay well below it, even at 2x, but a poster's
// headline may not.
int inkKernelSize(const QSize &picture);
