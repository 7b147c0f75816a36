// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "TextItem.h"

#include <QImage>
#include <QStringList>

// Draws `translated[i]` over the line `items[i]` of `source` and returns the new
// picture, of the same pixel size, one unit per source pixel whatever the
// source's device pixel ratio. Lines past the end of `translated` carry their
// own text; a line whose box holds a value that is not finite or lies far
// beyond the picture is left as it is. A source that nothing else shares (one
// moved in) is painted on where it lies, with no copy; the copy of a shared
// one is made here.
QImage renderOverlay(QImage source, const TextItems &items, const QStringList &translated);
