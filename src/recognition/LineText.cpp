#include "LineText.h"

QString cleanLineText(const QString &text)
{
    QString clean = text;
    clean.remove(QChar(0x200E));
    clean.remove(QChar(0x200F));
    return clean.trimmed();
}

QRectF normalisedBox(const QRectF &pixels, const QSize &size)
{
    const double width = size.width(), height = size.height();
    return QRectF(pixels.left() / width, 1.0 - (pixels.top() + pixels.height()) / height, pixels.width() / width,
                  pixels.height() / height);
}
