// SPDX-License-Identifier: GPL-3.0-or-later

#include "SingleWindow.h"

#include "AppDelegate.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>

namespace {

constexpr char objectPath[] = "/org/quillmere/Quillmere";
// A running window answers at once; one that does not is taken for stuck, and
// this launch opens a window of its own.
constexpr int handOverTimeoutMs = 5'000;

void bringToFront(QWidget *window)
{
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

SingleWindow::SingleWindow(AppDelegate &delegate) : delegate(delegate)
{
    // Before the name is taken, so that no call finds the name but not the
    // object.
    QDBusConnection::sessionBus().registerObject(QLatin1String(objectPath), this,
                                                 QDBusConnection::ExportScriptableSlots);
}

bool SingleWindow::handedOver(const PictureSource &picture)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> claim =
        bus.interface()->registerService(QLatin1String(busName), QDBusConnectionInterface::DontQueueService,
                                         QDBusConnectionInterface::DontAllowReplacement);
    if (!claim.isValid() || claim.value() != QDBusConnectionInterface::ServiceNotRegistered)
        return false;

    auto call = [](const char *method) {
        return QDBusMessage::createMethodCall(QLatin1String(busName), QLatin1String(objectPath), QLatin1String(busName),
                                              QLatin1String(method));
    };
    QDBusMessage message;
    switch (picture.kind) {
    case PictureSource::Kind::Clipboard:
        message = call("Paste");
        break;
    case PictureSource::Kind::File:
        message = call("OpenFile") << picture.path;
        break;
    case PictureSource::Kind::Pipe:
        if (!(bus.connectionCapabilities() & QDBusConnection::UnixFileDescriptorPassing))
            return false;
        message = call("OpenPipe") << QVariant::fromValue(QDBusUnixFileDescriptor(picture.pipe));
        break;
    }
    return bus.call(message, QDBus::Block, handOverTimeoutMs).type() == QDBusMessage::ReplyMessage;
}

void SingleWindow::Paste()
{
    take([](AppDelegate &delegate) { openPicture(delegate, {}); });
}

void SingleWindow::OpenFile(const QString &path)
{
    take([path](AppDelegate &delegate) { openPicture(delegate, {PictureSource::Kind::File, path, -1}); });
}

void SingleWindow::OpenPipe(const QDBusUnixFileDescriptor &pipe)
{
    // The copy keeps the descriptor open until the picture is taken.
    take([pipe](AppDelegate &delegate) {
        openPicture(delegate, {PictureSource::Kind::Pipe, {}, pipe.fileDescriptor()});
    });
}

void SingleWindow::take(std::function<void(AppDelegate &)> open)
{
    // Queued behind the launch, which a call that comes early may precede:
    // the window is built by the time this runs.
    QMetaObject::invokeMethod(
        &delegate,
        [&delegate = delegate, open = std::move(open)] {
            bringToFront(delegate.window);
            open(delegate);
        },
        Qt::QueuedConnection);
}
