// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QWidget>

// Shows one picture centred, scaled up or down to fit with its aspect ratio
// kept. Empty until a picture is set.
class ImageView : public QWidget {
    Q_OBJECT
public:
    explicit ImageView(QWidget *parent = nullptr);

    void setImage(const QImage &image);
    const QImage &image() const { return m_image; }

    // Where the picture lands inside a view of `viewSize`.
    static QRectF fittedRect(QSizeF imageSize, QSizeF viewSize);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_image;
};
