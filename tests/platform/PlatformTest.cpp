// SPDX-License-Identifier: GPL-3.0-or-later

// The platform layer on the offscreen platform: decoding what a clipboard
// owner hands over, the clipboard as Qt holds it, the picture view, and
// pictures handed over as files (the addresses that count, the files that are
// read and those that are not, and the clipboard and drops that carry them).
#include "Clipboard.h"
#include "ClipboardPicture.h"
#include "ImageView.h"
#include "PictureFiles.h"
#include "SolidPng.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QMimeData>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

#include <thread>

namespace {

QByteArray encoded(QSize size, const char *format)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkYellow);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return buffer.data();
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray address(const QString &path)
{
    return QUrl::fromLocalFile(path).toEncoded();
}

QSize sizeOf(const std::optional<QImage> &picture)
{
    return picture ? picture->size() : QSize();
}

// A file that another thread keeps appending to until this is destroyed.
class GrowingFile {
public:
    GrowingFile(const QString &path, const QByteArray &start) : file(path)
    {
        file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        file.write(start);
        writer = std::thread([this] {
            const QByteArray piece(64 * 1024, '\x5a');
            while (!stop.load()) {
                file.write(piece);
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        });
    }
    ~GrowingFile()
    {
        stop.store(true);
        writer.join();
    }

private:
    QFile file;
    std::atomic<bool> stop{false};
    std::thread writer;
};

} // namespace

class PlatformTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    const std::atomic<bool> never{false};

    QString at(const QString &name) const { return dir.filePath(name); }

private Q_SLOTS:
    void initTestCase()
    {
        limitPictureAllocation();
        QVERIFY(dir.isValid());
        write(at(u"shot.png"_qs), encoded({64, 48}, "PNG"));
        write(at(u"photo.txt"_qs), encoded({30, 20}, "JPEG"));
        write(at(u"notes.txt"_qs), QByteArray("just words\n").repeated(1000));
        write(at(u"empty.png"_qs), QByteArray());
        write(at(u"big.png"_qs), solidPng(2000, 2000) + QByteArray(2 << 20, '\0'));
        QVERIFY(QFile::link(at(u"shot.png"_qs), at(u"link.png"_qs)));
        QVERIFY(QDir(dir.path()).mkdir(u"folder.png"_qs));
        QCOMPARE(mkfifo(QFile::encodeName(at(u"fifo.png"_qs)).constData(), 0600), 0);
        QVERIFY(QFile::link(at(u"fifo.png"_qs), at(u"link-to-fifo.png"_qs)));
    }

    // Whatever bytes a clipboard owner hands over: a picture, or nothing.
    void decodesPicturesOrNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("size");
        QTest::newRow("1 x 1") << solidPng(1, 1) << QSize(1, 1);
        QTest::newRow("144 MiB, beyond Qt's own default limit") << solidPng(8192, 4608) << QSize(8192, 4608);
        QTest::newRow("header of 100000 x 100000") << pngWithHeaderOnly(100'000, 100'000) << QSize();
        QTest::newRow("309 MiB, just beyond the limit") << solidPng(9000, 9000) << QSize();
    }
    void decodesPicturesOrNothing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, size);
        QCOMPARE(sizeOf(decodePicture(bytes)), size);
    }

    void picturesAskedForBestFirst()
    {
        QCOMPARE(pictureTypes({"TARGETS", "image/bmp", "text/plain", "image/png", "image/x-unknown", "image/jpeg"}),
                 QList<QByteArray>({"image/png", "image/bmp", "image/jpeg"}));
        QCOMPARE(pictureTypes({"UTF8_STRING", "TIMESTAMP"}), QList<QByteArray>());
    }

    // Read at its size in pixels, whatever its device pixel ratio; on this
    // platform the read answers at once.
    void clipboardGivesHiDpiPictureWhole()
    {
        QImage hidpi(3840, 2160, QImage::Format_ARGB32);
        hidpi.fill(Qt::darkCyan);
        hidpi.setDevicePixelRatio(2);
        QGuiApplication::clipboard()->setImage(hidpi);
        QObject receiver;
        QSize read;
        readClipboardImage(&receiver, [&](std::optional<QImage> picture) { read = sizeOf(picture); });
        QCOMPARE(read, QSize(3840, 2160));
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

    void localPathsOnly_data()
    {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<QStringList>("paths");
        QTest::newRow("uri-list with CRLF and a comment")
            << QByteArray("# copied\r\nfile:///home/u/a.png\r\nfile:///home/u/b.png\r\n")
            << QStringList{u"/home/u/a.png"_qs, u"/home/u/b.png"_qs};
        QTest::newRow("gnome-copied-files") << QByteArray("copy\nfile:///tmp/x.png") << QStringList{u"/tmp/x.png"_qs};
        QTest::newRow("cut, then escapes")
            << QByteArray("cut\nfile:///tmp/with%20space%20%D7%A9.png") << QStringList{u"/tmp/with space ש.png"_qs};
        QTest::newRow("localhost") << QByteArray("file://localhost/tmp/a.png") << QStringList{u"/tmp/a.png"_qs};
        QTest::newRow("this machine by name")
            << "file://" + QSysInfo::machineHostName().toUtf8() + "/tmp/a.png" << QStringList{u"/tmp/a.png"_qs};
        QTest::newRow("remote addresses are skipped")
            << QByteArray("https://127.0.0.1/a.png\nfile://fileserver.example/share/a.png\nsmb://host/a.png\n"
                          "sftp://host/a.png\nfile:///kept.png")
            << QStringList{u"/kept.png"_qs};
        QTest::newRow("plain path, relative, empty") << QByteArray("/tmp/a.png\nfile:a.png\n\n") << QStringList{};
        QTest::newRow("same file twice") << QByteArray("file:///a.png\nfile:///a.png") << QStringList{u"/a.png"_qs};
    }
    void localPathsOnly()
    {
        QFETCH(QByteArray, list);
        QFETCH(QStringList, paths);
        QCOMPARE(localPaths(list), paths);
    }

    // Every kind of file a list may name; only regular picture files within
    // the size limit give a picture, and nothing waits on a FIFO or a device.
    void readsRegularPictureFilesOnly_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<qint64>("maxBytes");
        QTest::addColumn<QSize>("size");
        const qint64 usual = SelectionLimits{}.maxBytes;
        QTest::newRow("PNG") << at(u"shot.png"_qs) << usual << QSize(64, 48);
        QTest::newRow("JPEG under a text name") << at(u"photo.txt"_qs) << usual << QSize(30, 20);
        QTest::newRow("symbolic link to a PNG") << at(u"link.png"_qs) << usual << QSize(64, 48);
        QTest::newRow("PNG beyond the size limit") << at(u"big.png"_qs) << qint64(1 << 20) << QSize();
        QTest::newRow("text") << at(u"notes.txt"_qs) << usual << QSize();
        QTest::newRow("empty") << at(u"empty.png"_qs) << usual << QSize();
        QTest::newRow("directory") << at(u"folder.png"_qs) << usual << QSize();
        QTest::newRow("FIFO without a writer") << at(u"fifo.png"_qs) << usual << QSize();
        QTest::newRow("symbolic link to a FIFO") << at(u"link-to-fifo.png"_qs) << usual << QSize();
        QTest::newRow("endless device") << u"/dev/zero"_qs << usual << QSize();
        QTest::newRow("terminal") << u"/dev/tty"_qs << usual << QSize();
        QTest::newRow("missing") << at(u"gone.png"_qs) << usual << QSize();
    }
    void readsRegularPictureFilesOnly()
    {
        QFETCH(QString, path);
        QFETCH(qint64, maxBytes);
        QFETCH(QSize, size);
        SelectionLimits limits;
        limits.maxBytes = maxBytes;
        QCOMPARE(sizeOf(readPictureFile(path, limits, never)), size);
    }

    // A file still being written is read as far as it was when opened.
    void growingFilesEnd()
    {
        {
            const GrowingFile garbage(at(u"garbage.png"_qs), QByteArray("\x89PNG\r\n\x1a\n", 8));
            QTest::qWait(50);
            QVERIFY(!readPictureFile(at(u"garbage.png"_qs), SelectionLimits{}, never));
        }
        const GrowingFile picture(at(u"appended.png"_qs), encoded({40, 10}, "PNG"));
        QTest::qWait(50);
        QCOMPARE(sizeOf(readPictureFile(at(u"appended.png"_qs), SelectionLimits{}, never)), QSize(40, 10));
    }

    void firstPictureAmongMany()
    {
        const QByteArray list = "copy\n" + address(at(u"gone.png"_qs)) + '\n' + address(at(u"fifo.png"_qs)) + '\n' +
                                address(at(u"folder.png"_qs)) + '\n' + address(at(u"notes.txt"_qs)) + '\n' +
                                address(at(u"photo.txt"_qs)) + '\n' + address(at(u"shot.png"_qs));
        QCOMPARE(sizeOf(firstPictureFile(list, SelectionLimits{}, never)), QSize(30, 20));
        const std::atomic<bool> stopped{true};
        QVERIFY(!firstPictureFile(list, SelectionLimits{}, stopped));
    }

    // The clipboard as this platform's Qt holds it, and drops, each carrying
    // one kind of content.
    void clipboardAndDropsCarryPictures_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QSize>("size");
        QTest::newRow("copied file") << u"text/uri-list"_qs << address(at(u"shot.png"_qs)) << QSize(64, 48);
        QTest::newRow("copied files, second a picture")
            << u"x-special/gnome-copied-files"_qs
            << "copy\n" + address(at(u"notes.txt"_qs)) + '\n' + address(at(u"shot.png"_qs)) << QSize(64, 48);
        QTest::newRow("copied FIFO") << u"text/uri-list"_qs << address(at(u"fifo.png"_qs)) << QSize();
        QTest::newRow("PNG data") << u"image/png"_qs << encoded({12, 34}, "PNG") << QSize(12, 34);
        QTest::newRow("text") << u"text/plain"_qs << QByteArray("file:///tmp/x.png") << QSize();
    }
    void clipboardAndDropsCarryPictures()
    {
        QFETCH(QString, type);
        QFETCH(QByteArray, content);
        QFETCH(QSize, size);
        auto *data = new QMimeData;
        data->setData(type, content);
        QGuiApplication::clipboard()->setMimeData(data);

        QObject receiver;
        std::optional<QSize> pasted, dropped;
        readClipboardImage(&receiver, [&](std::optional<QImage> picture) { pasted = sizeOf(picture); });
        QTRY_VERIFY(pasted);
        QCOMPARE(*pasted, size);
        readDroppedPicture(&receiver, data, [&](std::optional<QImage> picture) { dropped = sizeOf(picture); });
        QTRY_VERIFY(dropped);
        QCOMPARE(*dropped, size);
    }
};

QTEST_MAIN(PlatformTest)
#include "PlatformTest.moc"
