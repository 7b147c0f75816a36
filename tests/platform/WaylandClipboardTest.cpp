// SPDX-License-Identifier: GPL-3.0-or-later

// The clipboard on a real Wayland compositor of the test's own (weston, on an
// X server of its own), owned by another program (wl-copy): pictures and
// copied files arrive, and an owner that is stopped while it holds the
// clipboard ends the read within seconds without holding up the event loop.
#include "ChildProcess.h"
#include "Clipboard.h"
#include "ClipboardRead.h"
#include "SolidPng.h"
#include "XvfbServer.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include <csignal>

namespace {

// wl-copy serving one file as one content type, until destroyed.
class ClipboardOwner {
public:
    ClipboardOwner(const QByteArray &bytes, const QString &type)
    {
        QFile file(folder.filePath(u"content"_qs));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        file.close();
        wlCopy.setStandardInputFile(file.fileName());
        wlCopy.setStandardOutputFile(QProcess::nullDevice());
        wlCopy.setStandardErrorFile(QProcess::nullDevice());
        // Owning once Qt's own data device has seen this offer: without taking
        // the focus, as wl-paste on this compositor would.
        bool changed = false;
        const QMetaObject::Connection watch =
            QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, [&] { changed = true; });
        wlCopy.start(u"wl-copy"_qs, {u"--foreground"_qs, u"--type"_qs, type});
        owning = wlCopy.waitForStarted() && QTest::qWaitFor([&] { return changed && offers(type); }, 10'000);
        QObject::disconnect(watch);
    }

    ~ClipboardOwner()
    {
        resume();
        wlCopy.kill();
        wlCopy.waitForFinished();
    }

    bool isOwning() const { return owning; }
    bool stop() { return pauseChild(wlCopy); }
    void resume() { ::kill(pid_t(wlCopy.processId()), SIGCONT); }

private:
    static bool offers(const QString &type)
    {
        const QMimeData *data = QGuiApplication::clipboard()->mimeData();
        return data && data->formats().contains(type);
    }

    QTemporaryDir folder;
    QProcess wlCopy;
    bool owning = false;
};

} // namespace

class WaylandClipboardTest : public QObject {
    Q_OBJECT

    QWidget window;
    QTemporaryDir files;

private Q_SLOTS:
    // A Wayland client is offered the clipboard only while it has the focus.
    void initTestCase()
    {
        bool readable = false;
        whenClipboardReadable(&window, [&] { readable = true; });
        window.resize(200, 100);
        window.show();
        QTRY_VERIFY_WITH_TIMEOUT(readable, 20'000);
    }

    void pictureOrCopiedFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QSize>("size");
        QVERIFY(files.isValid());
        const QString shot = files.filePath(u"shot.png"_qs);
        QFile file(shot);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(solidPng(300, 200, true));
        file.close();
        QTest::newRow("PNG") << solidPng(320, 240, true) << u"image/png"_qs << QSize(320, 240);
        QTest::newRow("copied file") << QUrl::fromLocalFile(shot).toEncoded() + "\r\n"
                                     << u"text/uri-list"_qs << QSize(300, 200);
        QTest::newRow("text only") << QByteArray("Hello") << u"text/plain;charset=utf-8"_qs << QSize();
    }
    void pictureOrCopiedFile()
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

    // The owner stopped while it holds the clipboard: the read ends with
    // nothing after the owner's silence limit, and the event loop runs all along.
    void stoppedOwnerEndsWithinSeconds()
    {
        ClipboardOwner owner(solidPng(64, 64, true), u"image/png"_qs);
        QVERIFY(owner.isOwning());
        QVERIFY(owner.stop());
        const ClipboardRead read = readClipboard();
        QVERIFY(read.delivered);
        QVERIFY(!read.picture);
        qInfo("stopped owner: read ended after %lld ms; the event loop stalled at most %lld ms", read.milliseconds,
              read.longestStall);
        // Qt's own read holds the event loop for a whole second here.
        QVERIFY2(read.longestStall < 500, "the event loop was held up");
        QVERIFY(read.milliseconds < 10'000);

        owner.resume();
        const ClipboardOwner next(solidPng(64, 32, true), u"image/png"_qs);
        QVERIFY(next.isOwning());
        const ClipboardRead after = readClipboard();
        QVERIFY(after.picture);
        QCOMPARE(after.picture->size(), QSize(64, 32));
    }
};

// weston, on an X server of its own, for as long as the test runs.
int main(int argc, char *argv[])
{
    XvfbServer x;
    QTemporaryDir runtime;
    if (!x.isRunning() || !runtime.isValid()) {
        std::fprintf(stderr, "WaylandClipboardTest: Xvfb did not start\n");
        return 1;
    }
    QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QString socket = u"quillmere-test-%1"_qs.arg(QCoreApplication::applicationPid());
    QProcess weston;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"DISPLAY"_qs, QString::fromLatin1(x.display()));
    environment.insert(u"XDG_RUNTIME_DIR"_qs, runtime.path());
    weston.setProcessEnvironment(environment);
    weston.setStandardOutputFile(QProcess::nullDevice());
    weston.setStandardErrorFile(QProcess::nullDevice());
    // The headless backend has no seat, and so no clipboard; the X11 one has.
    weston.start(u"weston"_qs, {u"--backend=x11-backend.so"_qs, u"--shell=kiosk-shell.so"_qs, u"--no-config"_qs,
                                u"--use-pixman"_qs, u"--socket="_qs + socket, u"--idle-time=0"_qs});
    QDeadlineTimer started(20'000);
    while (!QFile::exists(runtime.filePath(socket)) && !started.hasExpired() && weston.state() != QProcess::NotRunning)
        QThread::msleep(50);
    if (!QFile::exists(runtime.filePath(socket))) {
        std::fprintf(stderr, "WaylandClipboardTest: weston did not start\n");
        return 1;
    }
    qunsetenv("DISPLAY");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    qputenv("WAYLAND_DISPLAY", socket.toUtf8());
    qputenv("QT_QPA_PLATFORM", "wayland");
    // Decorations would start EGL, which keeps memory that leak checks report.
    qputenv("QT_WAYLAND_DISABLE_WINDOWDECORATION", "1");
    int status = 0;
    {
        QApplication app(argc, argv);
        WaylandClipboardTest test;
        status = QTest::qExec(&test, argc, argv);
    }
    weston.terminate();
    weston.waitForFinished(10'000);
    return status;
}

#include "WaylandClipboardTest.moc"
