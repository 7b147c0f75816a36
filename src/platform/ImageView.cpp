// SPDX-License-Identifier: GPL-3.0-or-later

#include "ImageView.h"

#include <QPainter>

ImageView::ImageView(QWidget *parent) : QWidget(parent)
{
}

void ImageView::setImage(const QImage &image)
{
    m_image = image;
    update();
}

QRectF ImageView::fittedRect(QSizeF imageSize, QSizeF viewSize)
{
    if (imageSize.isEmpty() || viewSize.isEmpty())
        return {};
    const QSizeF fitted = imageSize.scaled(viewSize, Qt::KeepAspectRatio);
    return QRectF(QPointF((viewSize.width() - fitted.width()) / 2, (viewSize.height() - fitted.height()) / 2), fitted);
}

void ImageView::paintEvent(QPaintEvent *)
{
    if (m_image.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(fittedRect(m_image.size(), size()), m_image);
}
