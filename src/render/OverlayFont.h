// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>

// Text is laid out at this one pixel size and scaled to the size it is drawn
// at. Qt rounds a font's pixel size to a whole number, and the fitting steps
// through fractional sizes (17.85, 16.85, ...); with hinting off, glyph
// outlines and advances scale exactly, so one layout size serves them all
// and its font is made once.
inline constexpr int kLayoutPixelSize = 64;

// The typeface of the overlay: Noto Sans Medium, with the Hebrew and Arabic
// faces of the same design, also Medium, for the letters it lacks. Naming the
// families keeps Qt from asking the desktop's fallback rules (which prefer
// DejaVu for Hebrew and Arabic). Unhinted, grey antialiased: the picture may
// be shown at any scale or on any screen.
QFont overlayFont();
