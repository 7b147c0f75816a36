// SPDX-License-Identifier: GPL-3.0-or-later

// Pictures handed over as a named file or through a pipe, read in the
// background and delivered on the main thread, and a pipe that keeps its
// reader waiting giving way to a newer read.
#include "HandedPictures.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {

QByteArray png(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return buffer.data();
}

// What a read delivers: the picture's size, an invalid size for nothing.
struct Delivery {
    std::optional<QSize> size;
    ClipboardPictureCompletion done()
    {
        return [this](std::optional<QImage> picture) { size = picture ? picture->size() : QSize(); };
    }
};

} // namespace

class HandedPicturesTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

private Q_SLOTS:
    void pipesDeliverWhatTheyCarry_data()
    {
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<QSize>("size");
        QTest::newRow("PNG") << png({120, 30}) << QSize(120, 30);
        QTest::newRow("text") << QByteArray("Network settings\n") << QSize();
        QTest::newRow("nothing") << QByteArray() << QSize();
    }
    void pipesDeliverWhatTheyCarry()
    {
        QFETCH(QByteArray, written);
        QFETCH(QSize, size);
        int ends[2];
        QVERIFY(::pipe(ends) == 0);
        QObject receiver;
        Delivery delivery;
        readPipedPicture(&receiver, ends[0], delivery.done());
        // The read has a descriptor of its own.
        ::close(ends[0]);
        QCOMPARE(::write(ends[1], written.constData(), size_t(written.size())), ssize_t(written.size()));
        ::close(ends[1]);
        QTRY_VERIFY(delivery.size);
        QCOMPARE(*delivery.size, size);
    }

    void namedFilesDeliverTheirPicture()
    {
        QVERIFY(dir.isValid());
        QFile file(dir.filePath(u"shot.png"_qs));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(png({64, 48}));
        file.close();
        QObject receiver;
        Delivery picture, folder;
        readNamedPicture(&receiver, file.fileName(), picture.done());
        QTRY_VERIFY(picture.size);
        QCOMPARE(*picture.size, QSize(64, 48));
        readNamedPicture(&receiver, dir.path(), folder.done());
        QTRY_VERIFY(folder.size);
        QCOMPARE(*folder.size, QSize());
    }

    // A screenshot tool whose user never chose a region: a file dropped or
    // named meanwhile is read at once, and the abandoned pipe says nothing.
    void newerReadOvertakesAWaitingPipe()
    {
        int ends[2];
        QVERIFY(::pipe(ends) == 0);
        QObject receiver;
        Delivery piped, named;
        readPipedPicture(&receiver, ends[0], piped.done());
        QTest::qWait(300);
        QFile file(dir.filePath(u"later.png"_qs));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(png({10, 20}));
        file.close();
        readNamedPicture(&receiver, file.fileName(), named.done());
        QTRY_VERIFY(named.size);
        QCOMPARE(*named.size, QSize(10, 20));
        ::close(ends[1]);
        QTest::qWait(300);
        QVERIFY(!piped.size);
        ::close(ends[0]);
    }
};

QTEST_GUILESS_MAIN(HandedPicturesTest)
#include "HandedPicturesTest.moc"
