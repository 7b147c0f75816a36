// SPDX-License-Identifier: GPL-3.0-or-later

// The clipboard on a real X server of the test's own, owned by another
// program (xclip): pictures of every size and kind arrive, whatever cannot
// be a picture gives nothing, and an owner that is frozen while it holds the
// clipboard ends the read within seconds without holding up the event loop.
#include "ChildProcess.h"
#include "Clipboard.h"
#include "ClipboardPicture.h"
#include "ClipboardRead.h"
#include "SolidPng.h"
#include "XvfbServer.h"

#include <QApplication>
#include <QClipboard>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

#include <csignal>

namespace {

// xclip serving one file as one content type on the clipboard, from the moment
// it is made until it is destroyed.
class ClipboardOwner {
public:
    ClipboardOwner(const QByteArray &bytes, const QString &type)
    {
        QFile file(folder.filePath(QStringLiteral("content")));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        file.close();
        xclip.setStandardOutputFile(QProcess::nullDevice());
        xclip.setStandardErrorFile(QProcess::nullDevice());
        xclip.start(QStringLiteral("xclip"),
                    {QStringLiteral("-quiet"), QStringLiteral("-selection"), QStringLiteral("clipboard"),
                     QStringLiteral("-t"), type, QStringLiteral("-i"), file.fileName()});
        // Until xclip has taken the clipboard, what is offered may still be this
        // program's own picture from an earlier test.
        owning =
            xclip.waitForStarted() &&
            QTest::qWaitFor([&] { return !QGuiApplication::clipboard()->ownsClipboard() && offers(type); }, 10'000);
    }

    ~ClipboardOwner()
    {
        thaw();
        stopChild(xclip);
    }

    bool isOwning() const { return owning; }
    bool freeze() { return pauseChild(xclip); }
    void thaw() { ::kill(pid_t(xclip.processId()), SIGCONT); }

private:
    static bool offers(const QString &type)
    {
        QProcess query;
        query.start(QStringLiteral("xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard"),
                                              QStringLiteral("-o"), QStringLiteral("-t"), QStringLiteral("TARGETS")});
        if (!query.waitForFinished(5'000)) {
            query.kill();
            query.waitForFinished();
            return false;
        }
        return query.readAllStandardOutput().contains(type.toUtf8());
    }

    QTemporaryDir folder;
    QProcess xclip;
    bool owning = false;
};

QByteArray encoded(const QImage &image, const char *format)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 100);
    return buffer.data();
}

QImage noise(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<quint32 *>(image.scanLine(y));
        QRandomGenerator::global()->fillRange(line, size.width());
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

class X11ClipboardTest : public QObject {
    Q_OBJECT

    QTemporaryDir files;

private Q_SLOTS:
    void pictureFromAnotherProgram_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QSize>("size");
        QImage small(320, 200, QImage::Format_RGB32);
        small.fill(Qt::darkMagenta);
        QTest::newRow("PNG") << encoded(small, "PNG") << u"image/png"_qs << QSize(320, 200);
        QTest::newRow("JPEG only") << encoded(small, "JPEG") << u"image/jpeg"_qs << QSize(320, 200);
        // Uncompressed noise: far more than one X request holds, so it comes in pieces.
        QTest::newRow("12 MB PNG in pieces")
            << encoded(noise({2000, 1500}), "PNG") << u"image/png"_qs << QSize(2000, 1500);
        QTest::newRow("1 x 1") << solidPng(1, 1, true) << u"image/png"_qs << QSize(1, 1);
        QTest::newRow("not a PNG, offered as one") << QByteArray("GIF89a but not really") << u"image/png"_qs << QSize();
        QTest::newRow("text only") << QByteArray("Hello") << u"UTF8_STRING"_qs << QSize();
    }
    void pictureFromAnotherProgram()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, type);
        QFETCH(QSize, size);
        const ClipboardOwner owner(bytes, type);
        QVERIFY(owner.isOwning());
        const ClipboardRead read = readClipboard();
        QVERIFY(read.delivered);
        QCOMPARE(read.picture ? read.picture->size() : QSize(), size);
    }

    // A file copied in a file manager: its address on the clipboard, read
    // off the main thread. (Which files give a picture is PlatformTest's.)
    void copiedFileFromAnotherProgram_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QSize>("size");
        QVERIFY(files.isValid());
        QFile picture(files.filePath(u"shot.png"_qs));
        QVERIFY(picture.open(QIODevice::WriteOnly));
        picture.write(encoded(noise({300, 200}), "PNG"));
        picture.close();
        QCOMPARE(mkfifo(QFile::encodeName(files.filePath(u"fifo.png"_qs)).constData(), 0600), 0);
        QTest::newRow("text/uri-list") << picture.fileName() << u"text/uri-list"_qs << QSize(300, 200);
        QTest::newRow("gnome-copied-files")
            << picture.fileName() << u"x-special/gnome-copied-files"_qs << QSize(300, 200);
        QTest::newRow("FIFO") << files.filePath(u"fifo.png"_qs) << u"text/uri-list"_qs << QSize();
    }
    void copiedFileFromAnotherProgram()
    {
        QFETCH(QString, file);
        QFETCH(QString, type);
        QFETCH(QSize, size);
        const QByteArray address = QUrl::fromLocalFile(file).toEncoded();
        const ClipboardOwner owner(type.startsWith(u"x-special") ? "copy\n" + address : address + "\r\n", type);
        QVERIFY(owner.isOwning());
        const ClipboardRead read = readClipboard();
        QVERIFY(read.delivered);
        QCOMPARE(read.picture ? read.picture->size() : QSize(), size);
        QVERIFY2(read.longestStall < 1'000, "the event loop was held up");
    }

    void emptyClipboardGivesNothing()
    {
        QGuiApplication::clipboard()->clear();
        const ClipboardRead read = readClipboard();
        QVERIFY(read.delivered);
        QVERIFY(!read.picture);
    }

    // What this program put on the clipboard comes back through the X
    // server, served by the event loop that the read leaves free.
    void ownPictureReadBack()
    {
        QImage image(40, 30, QImage::Format_ARGB32);
        image.fill(Qt::cyan);
        writeClipboardImage(image);
        const ClipboardRead read = readClipboard();
        QVERIFY(read.picture);
        QCOMPARE(read.picture->size(), QSize(40, 30));
        QCOMPARE(read.picture->pixelColor(5, 5), QColor(Qt::cyan));
    }

    // Another program frozen while it owns the clipboard: the read ends with
    // nothing after the owner's silence limit, and the event loop runs all along.
    void frozenOwnerEndsWithinSeconds()
    {
        ClipboardOwner owner(solidPng(64, 64, true), u"image/png"_qs);
        QVERIFY(owner.isOwning());
        QVERIFY(owner.freeze());
        const ClipboardRead read = readClipboard();
        QVERIFY(read.delivered);
        QVERIFY(!read.picture);
        qInfo("frozen owner: read ended after %lld ms; the event loop stalled at most %lld ms", read.milliseconds,
              read.longestStall);
        QVERIFY2(read.longestStall < 1'000, "the event loop was held up");
        QVERIFY(read.milliseconds < 10'000);

        // Nothing is left stuck: the next owner's picture reads as usual.
        owner.thaw();
        const ClipboardOwner next(solidPng(64, 32, true), u"image/png"_qs);
        QVERIFY(next.isOwning());
        const ClipboardRead after = readClipboard();
        QVERIFY(after.picture);
        QCOMPARE(after.picture->size(), QSize(64, 32));
    }

    // Only the newest of several reads delivers.
    void newerReadAbandonsOlder()
    {
        ClipboardOwner owner(solidPng(8, 8, true), u"image/png"_qs);
        QVERIFY(owner.isOwning());
        QVERIFY(owner.freeze());
        QObject receiver;
        QList<int> delivered;
        for (int i = 0; i < 5; ++i)
            readClipboardImage(&receiver, [&delivered, i](std::optional<QImage>) { delivered.append(i); });
        QVERIFY(QTest::qWaitFor([&] { return !delivered.isEmpty(); }, 20'000));
        QTest::qWait(500);
        QCOMPARE(delivered, QList<int>{4});
    }
};

int main(int argc, char *argv[])
{
    XvfbServer x;
    if (!x.isRunning()) {
        std::fprintf(stderr, "X11ClipboardTest: Xvfb did not start\n");
        return 1;
    }
    qputenv("DISPLAY", x.display());
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    X11ClipboardTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "X11ClipboardTest.moc"
