// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "TextItem.h"

#include <QFont>
#include <QImage>
#include <QPainter>

// A picture drawn the way a screenshot looks, with the lines a recogniser
// would find in it.
struct Screenshot {
    QImage image;
    TextItems items;
};

// Draws a screenshot and keeps, for every piece of text written, a line box
// as a recogniser reports it: normalised, origin at the bottom left, from a
// little above the capitals to a little below the baseline.
class ScreenshotPainter {
public:
    ScreenshotPainter(QSize size, const QColor &background);

    QPainter &painter() { return m_painter; }
    // Writes `text` from `origin` (left end of the baseline) and records it.
    void write(QPointF origin, const QFont &font, const QColor &colour, const QString &text);
    Screenshot finish();

private:
    Screenshot m_shot;
    QPainter m_painter;
};

// The UI font of the made-up applications, at a pixel size.
QFont screenshotFont(int pixelSize, QFont::Weight weight = QFont::Normal);

// A window of `size` packed with `lines` short pieces of text in a grid over
// light and dark panels, as a dense application screen is.
Screenshot denseScreenshot(QSize size, int lines);
