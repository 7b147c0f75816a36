// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QRectF>

class Sheet;

// Filled symbols that apps draw beside text or alone, which a reader can take
// for letters: a music note for "J", a face for "O".
enum class Pictogram { Note, Play, Heart, Bell, Star, Gear, Face, Warning };
constexpr int pictogramKinds = 8;

// Draws `kind` in `area` (in points) and records it as no text. `glyph` draws
// the symbol's character from a font (♪, ▶, ♥, ★, ⚙, ☺) where fonts have one,
// otherwise it is drawn as a shape.
void drawPictogram(Sheet &s, const QRectF &area, Pictogram kind, const QColor &color, bool glyph);

// An outline icon of Widgets.h, recorded as no text.
void drawRecordedIcon(Sheet &s, const QRectF &area, int kind, const QColor &color);

// A file manager's icon of a folder, or of a document whose label has the
// colour `kind` picks; recorded as no text.
void drawFileIcon(Sheet &s, const QRectF &area, bool folder, int kind);
