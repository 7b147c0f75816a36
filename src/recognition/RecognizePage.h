// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "TextItem.h"

class QImage;

// Finds and reads every line of `image` on the calling thread, using idle
// recognition threads for a share of the lines. Empty when nothing is found.
TextItems recognizePage(const QImage &image);
