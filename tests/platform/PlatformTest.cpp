// SPDX-License-Identifier: GPL-3.0-or-later

#include "Clipboard.h"
#include "ClipboardPicture.h"
#include "ImageView.h"
#include "SolidPng.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QtTest>

namespace {

// What one read of the clipboard gave; on this platform it answers at once.
std::optional<QImage> readNow()
{
    QObject receiver;
    std::optional<std::optional<QImage>> result;
    readClipboardImage(&receiver, [&](std::optional<QImage> picture) { result = std::move(picture); });
    return result.value_or(std::nullopt);
}

} // namespace

class PlatformTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { limitPictureAllocation(); }

    // Whatever bytes a clipboard owner hands over: a picture, or nothing.
    void decodesPicturesOrNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("size");
        QTest::newRow("1 x 1") << solidPng(1, 1, true) << QSize(1, 1);
        QTest::newRow("144 MiB, beyond Qt's own default limit") << solidPng(8192, 4608, true) << QSize(8192, 4608);
        QTest::newRow("0 x 0 header") << pngWithHeaderOnly(0, 0) << QSize();
        QTest::newRow("header of 100000 x 100000") << pngWithHeaderOnly(100'000, 100'000) << QSize();
        QTest::newRow("276 MiB, beyond the limit") << solidPng(17'000, 17'000, false) << QSize();
    }
    void decodesPicturesOrNothing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, size);
        const std::optional<QImage> picture = decodePicture(bytes);
        QCOMPARE(picture ? picture->size() : QSize(), size);
    }

    void picturesAskedForBestFirst()
    {
        QCOMPARE(pictureTypes({"TARGETS", "image/bmp", "text/plain", "image/png", "image/x-unknown", "image/jpeg"}),
                 QList<QByteArray>({"image/png", "image/bmp", "image/jpeg"}));
        QCOMPARE(pictureTypes({"UTF8_STRING", "TIMESTAMP"}), QList<QByteArray>());
    }

    void clipboardGivesFirstPictureOrNothing()
    {
        QClipboard *clipboard = QGuiApplication::clipboard();
        clipboard->clear();
        QVERIFY(!readNow());
        clipboard->setText(QStringLiteral("text only"));
        QVERIFY(!readNow());

        QImage hidpi(3840, 2160, QImage::Format_ARGB32);
        hidpi.fill(Qt::darkCyan);
        hidpi.setDevicePixelRatio(2);
        clipboard->setImage(hidpi);
        const std::optional<QImage> read = readNow();
        QVERIFY(read);
        QCOMPARE(read->size(), QSize(3840, 2160));
    }

    void writesReplaceWholeClipboard()
    {
        QClipboard *clipboard = QGuiApplication::clipboard();
        clipboard->setText(QStringLiteral("before"));
        QImage image(5, 7, QImage::Format_ARGB32);
        image.fill(Qt::red);
        writeClipboardImage(image);
        QVERIFY(clipboard->mimeData()->hasImage());
        QVERIFY(!clipboard->mimeData()->hasText());

        writeClipboardText(QStringLiteral("שלום\nworld"));
        QCOMPARE(clipboard->text(), QStringLiteral("שלום\nworld"));
        QVERIFY(!clipboard->mimeData()->hasImage());
    }

    // A square picture in a view twice as wide: scaled up to the view's
    // height, centred, with the view's own background either side.
    void viewShowsPictureFittedAndCentred()
    {
        ImageView view;
        view.resize(200, 100);
        QImage tiny(2, 2, QImage::Format_RGB32);
        tiny.fill(Qt::red);
        view.setImage(tiny);
        const QImage shown = view.grab().toImage();
        for (const QPoint inside : {QPoint(52, 2), QPoint(100, 50), QPoint(147, 97)})
            QCOMPARE(QColor(shown.pixel(inside)), QColor(Qt::red));
        for (const QPoint beside : {QPoint(20, 50), QPoint(180, 50)})
            QVERIFY(QColor(shown.pixel(beside)) != QColor(Qt::red));
    }
};

QTEST_MAIN(PlatformTest)
#include "PlatformTest.moc"
