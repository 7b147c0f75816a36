#pragma once

#include "TextItem.h"

#include <QImage>
#include <QStringList>

// Draws `translated[i]` over the line `items[i]` of `source` and returns the new
// picture, of the same pixel size. Lines past the end of `translated` carry
// their own text.
QImage renderOverlay(const QImage &source, const TextItems &items, const QStringList &translated);
