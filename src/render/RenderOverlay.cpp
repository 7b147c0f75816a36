// SPDX-License-Identifier: GPL-3.0-or-later

#include "RenderOverlay.h"

#include "FontFitting.h"
#include "LineGeometry.h"
#include "OverlayFont.h"
#include "PlateColour.h"
#include "SamplePosition.h"
#include "TextBlock.h"

#include <QPainter>

namespace {

constexpr qreal kCornerRadius = 3.0;

// The canvas keeps the source's own pixel format where that loses nothing and
// Qt paints on it directly; other formats (indexed, one-bit, alpha masks,
// 16-bit packings) become 32-bit RGB, with alpha where the source has it,
// which holds each of their colours exactly.
QImage::Format canvasFormat(const QImage &source)
{
    switch (source.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
    case QImage::Format_Grayscale8:
    case QImage::Format_Grayscale16:
    case QImage::Format_BGR30:
    case QImage::Format_A2BGR30_Premultiplied:
    case QImage::Format_RGB30:
    case QImage::Format_A2RGB30_Premultiplied:
    case QImage::Format_RGBX64:
    case QImage::Format_RGBA64:
    case QImage::Format_RGBA64_Premultiplied:
    case QImage::Format_RGBX16FPx4:
    case QImage::Format_RGBA16FPx4:
    case QImage::Format_RGBA16FPx4_Premultiplied:
    case QImage::Format_RGBX32FPx4:
    case QImage::Format_RGBA32FPx4:
    case QImage::Format_RGBA32FPx4_Premultiplied:
        return source.format();
    default:
        return source.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32;
    }
}

// The plate and the text of one line. The plate's colour comes from `source`,
// never from the canvas, so plates painted before do not change it.
void drawLine(QPainter &painter, const QImage &source, const QRectF &box, const QString &text, const QFont &font)
{
    const QSize picture = source.size();
    const std::optional<LineGeometry> line = lineGeometry(box, picture);
    if (!line)
        return;
    const QColor fill = plateColour(source, samplePosition(line->pixelRect, picture));
    const QRectF &plate = line->plate;

    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(rasterRect(plate, picture.height()), kCornerRadius, kCornerRadius);

    TextBlock block(text, font);
    const FittedText fitted = fitText(block, line->pixelRect.height(), plate.size());
    // Centred on the plate's middle, so a block taller than the plate spills
    // over both edges alike.
    const qreal bottom = plate.y() + (plate.height() - fitted.height) * 0.5;
    const QRectF textRect(plate.x(), bottom, plate.width(), fitted.height);
    painter.setPen(inkColour(fill));
    block.draw(painter, rasterRect(textRect, picture.height()).topLeft());
}

} // namespace

QImage renderOverlay(const QImage &source, const TextItems &items, const QStringList &translated)
{
    if (source.isNull())
        return QImage();
    // A copy of the source, transparent where it is, one unit per source
    // pixel whatever device pixel ratio the source carries.
    QImage canvas = source.convertToFormat(canvasFormat(source));
    canvas.setDevicePixelRatio(1.0);
    if (items.isEmpty())
        return canvas;

    QPainter painter(&canvas);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const QFont font = overlayFont();
    for (qsizetype i = 0; i < items.size(); ++i) {
        const TextItem &item = items.at(i);
        drawLine(painter, source, item.box, i < translated.size() ? translated.at(i) : item.text, font);
    }
    painter.end();
    return canvas;
}
