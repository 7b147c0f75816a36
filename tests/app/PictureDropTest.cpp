// SPDX-License-Identifier: GPL-3.0-or-later

// What the window does with a drop, given Qt's own drop events: it takes
// every drag, and hands over the picture a drop carries, or nothing.
#include "PictureDrop.h"

#include <QApplication>
#include <QMimeData>
#include <QtTest>

class PictureDropTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void dropsHandOverTheirPicture_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QSize>("size");
        QTest::newRow("picture data") << u"application/x-qt-image"_qs << QSize(30, 20);
        QTest::newRow("text") << u"text/plain"_qs << QSize();
        QTest::newRow("web address") << u"text/uri-list"_qs << QSize();
    }
    void dropsHandOverTheirPicture()
    {
        QFETCH(QString, type);
        QFETCH(QSize, size);
        QMimeData data;
        if (type == u"application/x-qt-image") {
            QImage image(30, 20, QImage::Format_RGB32);
            image.fill(Qt::red);
            data.setImageData(image);
        } else {
            data.setData(type, "https://127.0.0.1:9/picture.png\r\n");
        }
        QWidget window;
        std::optional<std::optional<QImage>> taken;
        new PictureDrop(&window, [&](std::optional<QImage> picture) { taken = std::move(picture); });
        QVERIFY(window.acceptDrops());

        for (const QEvent::Type step : {QEvent::DragEnter, QEvent::DragMove}) {
            QDragMoveEvent moving(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {}, step);
            QApplication::sendEvent(&window, &moving);
            QVERIFY(moving.isAccepted());
            QCOMPARE(moving.dropAction(), Qt::CopyAction);
        }
        QVERIFY(!taken);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&window, &drop);
        QVERIFY(drop.isAccepted());
        QTRY_VERIFY(taken);
        QCOMPARE(*taken ? (*taken)->size() : QSize(), size);
    }
};

QTEST_MAIN(PictureDropTest)
#include "PictureDropTest.moc"
