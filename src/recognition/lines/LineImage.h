// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QRect>

// The height lines are enlarged to: most models read small text best at it.
constexpr int readingHeight = 40;

// Whether a line found is a speck no one could read: under 9 pixels tall and
// less than twice as wide. A glyph alone that small is no word (a Han letter
// alone is legible at twice the height), and words as small are wider (the
// smallest clock of a status bar, "8:24", is 19 by 7). Such specks are the
// lights and textures of a photograph, dots and scraps of icons.
bool tooSmallToRead(const QRect &line);

// `line` without the rows of one grey at its top and bottom. They hold no
// visible ink, though the mask may have found some there: a selected row's
// edge, or the strip of paper between it and a separator below, is as thin
// as a stroke, and its pieces join the line as marks.
QRect withoutEvenRows(const QImage &gray, QRect line);

// Cuts one line out of the grey picture as black text on white, whatever its
// colours were (dark mode, white on an accent colour, dimmed, gradients),
// framed in white and enlarged so that small text reaches `height`, about
// the height the recogniser reads best. A null image when the line holds no
// ink.
QImage lineImage(const QImage &gray, const QImage &mask, const QRect &line, int height = readingHeight);

// Maps `box`, in the pixels of `image` = lineImage(gray, mask, line), back to
// the pixels of the page.
QRect pageBox(const QImage &gray, const QRect &line, const QImage &image, const QRect &box);
