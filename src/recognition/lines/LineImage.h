// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QRect>

// The height lines are enlarged to: most models read small text best at it.
constexpr int readingHeight = 40;

// Cuts one line out of the grey picture as black text on white, whatever its
// colours were (dark mode, white on an accent colour, dimmed, gradients),
// framed in white and enlarged so that small text reaches `height`, about
// the height the recogniser reads best. A null image when the line holds no
// ink.
QImage lineImage(const QImage &gray, const QImage &mask, const QRect &line, int height = readingHeight);

// Maps `box`, in the pixels of `image` = lineImage(gray, mask, line), back to
// the pixels of the page.
QRect pageBox(const QImage &gray, const QRect &line, const QImage &image, const QRect &box);
