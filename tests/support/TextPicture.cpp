// SPDX-License-Identifier: GPL-3.0-or-later

#include "TextPicture.h"

#include <QPainter>

QImage textPicture(QSize size, const QStringList &lines, int pixelSize, QColor paper, QColor ink)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(paper);
    QPainter painter(&image);
    QFont font(QStringLiteral("Noto Sans"));
    font.setPixelSize(pixelSize);
    painter.setFont(font);
    painter.setPen(ink);
    for (qsizetype i = 0; i < lines.size(); ++i)
        painter.drawText(pixelSize, int(2 * (i + 1)) * pixelSize, lines[i]);
    return image;
}

QImage lineImageOf(const QString &text, const QString &family)
{
    QFont font(family);
    font.setPixelSize(34);
    QImage image(QFontMetrics(font).horizontalAdvance(text) + 40, 60, QImage::Format_Grayscale8);
    image.fill(255);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(image.rect(), Qt::AlignCenter, text);
    return image;
}
