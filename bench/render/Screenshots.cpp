// SPDX-License-Identifier: GPL-3.0-or-later

#include "Screenshots.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

ScreenshotPainter::ScreenshotPainter(QSize size, const QColor &background)
{
    m_shot.image = QImage(size, QImage::Format_RGB32);
    m_shot.image.fill(background);
    m_painter.begin(&m_shot.image);
    m_painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
}

void ScreenshotPainter::write(QPointF origin, const QFont &font, const QColor &colour, const QString &text)
{
    const QFontMetricsF metrics(font);
    m_painter.setFont(font);
    m_painter.setPen(colour);
    m_painter.drawText(origin, text);

    const qreal top = origin.y() - metrics.ascent() * 0.85;
    const qreal bottom = origin.y() + metrics.descent() * 0.75;
    const qreal W = m_shot.image.width();
    const qreal H = m_shot.image.height();
    const QRectF raster(origin.x() - 1, top, metrics.horizontalAdvance(text) + 2, bottom - top);
    m_shot.items.append(
        TextItem{text, QRectF(raster.x() / W, (H - raster.bottom()) / H, raster.width() / W, raster.height() / H)});
}

Screenshot ScreenshotPainter::finish()
{
    m_painter.end();
    return m_shot;
}

QFont screenshotFont(int pixelSize, QFont::Weight weight)
{
    QFont font(QStringLiteral("Noto Sans"));
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    return font;
}

Screenshot denseScreenshot(QSize size, int lines)
{
    static const QStringList words{
        QStringLiteral("Open"),         QStringLiteral("Save as"),  QStringLiteral("Recent files"),
        QStringLiteral("Close"),        QStringLiteral("Print"),    QStringLiteral("Export PDF"),
        QStringLiteral("Undo"),         QStringLiteral("Find"),     QStringLiteral("Replace all"),
        QStringLiteral("Zoom in"),      QStringLiteral("Settings"), QStringLiteral("Help"),
        QStringLiteral("New window"),   QStringLiteral("Share"),    QStringLiteral("Rename"),
        QStringLiteral("Move to trash")};
    // Rows as tall as on a desktop at this resolution: 22 pixels at 1080.
    const qreal pitch = std::max(12.0, size.height() / 1080.0 * 22.0);
    const int rows = std::min(lines, std::max(1, int((size.height() - pitch) / pitch)));
    const int columns = (lines + rows - 1) / rows;
    const qreal cellWidth = qreal(size.width()) / columns;
    const QFont font = screenshotFont(int(std::lround(pitch * 0.6)));
    const QFontMetricsF metrics(font);

    ScreenshotPainter shot(size, QColor(246, 246, 248));
    const QColor panels[] = {QColor(246, 246, 248), QColor(255, 255, 255), QColor(36, 41, 56), QColor(52, 120, 246)};
    for (int c = 0; c < columns; ++c)
        shot.painter().fillRect(QRectF(c * cellWidth, 0, cellWidth, size.height()), panels[c % 4]);
    int word = 0;
    for (int i = 0; i < lines; ++i) {
        const int column = i / rows;
        const int row = i % rows;
        QString text = words.at(word++ % words.size());
        for (int tries = 0; tries < words.size() && metrics.horizontalAdvance(text) > cellWidth - 16; ++tries)
            text = words.at(word++ % words.size());
        const QColor ink = column % 4 >= 2 ? QColor(235, 238, 245) : QColor(30, 30, 34);
        shot.write(QPointF(column * cellWidth + 8, pitch * (row + 1)), font, ink, text);
    }
    return shot.finish();
}
