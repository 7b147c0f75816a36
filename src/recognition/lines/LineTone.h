// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "InkMask.h"

#include <QList>
#include <QRect>

// Whether the text of `line` in `gray` is dark or light: the paper is the
// grey of the frame around it, and more of the line's pixels differ from it
// by a stroke's contrast on the ink's side than on the other, where a shadow
// or an outline lies.
TextTone toneOf(const QImage &gray, const QRect &line);

// Makes the ink of `lines` (see findLines) in `mask` (see inkMask) that of
// their tone where the mask took their paper for ink: bold white letters on a
// dark photograph leave gaps between them as narrow as their strokes, and the
// ink the two readings would leave weighs alike. On even paper it also brings
// back a glyph the mask lost at a line's end or between its parts, where a
// lone stroke (一, ー) weighs little against the paper within the letters
// beside it. Returns whether the mask changed, and its lines must be found
// again.
bool mendTextTone(const QImage &gray, QImage &mask, const QList<QRect> &lines);
