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

// One line as it will be drawn. Every plate's colour is taken before
// anything is painted, so plates painted before never change it, even when
// the source itself is the canvas.
struct Plate {
    LineGeometry line;
    QColor fill;
    QString text;
};

std::optional<Plate> plateFor(const QImage &source, const QRectF &box, const QString &text)
{
    const QSize picture = source.size();
    std::optional<LineGeometry> line = lineGeometry(box, picture);
    if (!line)
        return std::nullopt;
    const QColor fill = plateColour(source, samplePosition(line->pixelRect, picture));
    return Plate{std::move(*line), fill, text};
}

void drawPlate(QPainter &painter, int pictureHeight, const Plate &plate, const QFont &font)
{
    const QRectF &area = plate.line.plate;
    painter.setPen(Qt::NoPen);
    painter.setBrush(plate.fill);
    painter.drawRoundedRect(rasterRect(area, pictureHeight), kCornerRadius, kCornerRadius);

    TextBlock block(plate.text, font);
    const FittedText fitted = fitText(block, plate.line.pixelRect.height(), area.size());
    // Centred on the plate's middle, so a block taller than the plate spills
    // over both edges alike.
    const qreal bottom = area.y() + (area.height() - fitted.height) * 0.5;
    const QRectF textRect(area.x(), bottom, area.width(), fitted.height);
    painter.setPen(inkColour(plate.fill));
    block.draw(painter, rasterRect(textRect, pictureHeight).topLeft());
}

} // namespace

QImage renderOverlay(QImage source, const TextItems &items, const QStringList &translated)
{
    if (source.isNull())
        return QImage();
    QList<Plate> plates;
    for (qsizetype i = 0; i < items.size(); ++i) {
        const TextItem &item = items.at(i);
        if (std::optional<Plate> plate =
                plateFor(source, item.box, i < translated.size() ? translated.at(i) : item.text))
            plates.append(std::move(*plate));
    }
    // One unit per source pixel whatever device pixel ratio the source
    // carries; a picture handed over whole in a paintable format is painted
    // on where it lies, and a shared one is copied first.
    const QImage::Format format = canvasFormat(source);
    QImage canvas = std::move(source).convertToFormat(format);
    canvas.setDevicePixelRatio(1.0);
    if (plates.isEmpty())
        return canvas;

    QPainter painter(&canvas);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const QFont font = overlayFont();
    for (const Plate &plate : plates)
        drawPlate(painter, canvas.height(), plate, font);
    painter.end();
    return canvas;
}
