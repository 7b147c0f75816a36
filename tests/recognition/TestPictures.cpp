// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestPictures.h"

#include "TextItem.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <numeric>
#include <vector>

TestPicture drawPicture(const QList<TestLine> &lines, const QString &family, int pixelSize, QSize size, int scale,
                        QColor paper, QColor ink)
{
    TestPicture picture;
    picture.image = QImage(size * scale, QImage::Format_RGB32);
    picture.image.fill(paper);
    QPainter painter(&picture.image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    QFont font(family);
    font.setPixelSize(pixelSize);
    painter.setFont(font);
    painter.setPen(ink);
    const QFontMetricsF metrics(font);
    for (const TestLine &line : lines) {
        painter.drawText(line.baseline, line.text);
        const QRectF tight = metrics.tightBoundingRect(line.text).translated(line.baseline);
        picture.texts.append(line.text);
        picture.boxes.append(normalisedBox(tight, size));
    }
    return picture;
}

int editDistance(const QString &a, const QString &b)
{
    std::vector<int> row(b.size() + 1);
    std::iota(row.begin(), row.end(), 0);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        int previous = row[0];
        row[0] = int(i);
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const int substitution = previous + (a[i - 1] != b[j - 1]);
            previous = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, substitution});
        }
    }
    return row[b.size()];
}
