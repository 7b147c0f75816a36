// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where a window of `size` goes on a screen whose free area is `available`:
// centred, but never with its top or left edge off that area, so its title
// bar stays within reach on a screen smaller than the window.
QPoint centredOnScreen(QSize size, QRect available);
