// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QRect>

class QImage;

// Adds the lines of text too large for the ink mask of the page (a poster's
// headline, a title over a photograph, whose strokes are about as wide as
// the mask's kernel) to `lines` (see findLines): seen in a copy of the page a
// few times smaller, and found again in the page's own pixels with a kernel
// as many times larger. Lines of the page that lie within one are left out,
// and `mask` takes that larger kernel's mask there.
void addLargeLines(const QImage &gray, QImage &mask, QList<QRect> &lines);
