#include "Clipboard.h"

#include "ClipboardPicture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPointer>
#include <QThreadPool>
#include <QWidget>
#include <QWindow>

#include <memory>
#include <mutex>
#include <utility>

namespace {

std::optional<QImage> readQtClipboardImage()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasImage())
        return std::nullopt;
    QImage image = qvariant_cast<QImage>(data->imageData());
    if (image.isNull())
        return std::nullopt;
    return image;
}

// Qt's own X11 clipboard waits for the owner on the main thread, for seconds
// and then for as long as a frozen owner stays frozen. X11 reads therefore run
// here, one at a time, each on a connection of its own.
class BackgroundReads {
public:
    static BackgroundReads &shared()
    {
        static BackgroundReads reads;
        return reads;
    }

    void start(QObject *receiver, ClipboardPictureCompletion done)
    {
        const std::shared_ptr<std::atomic<bool>> stop = renew();
        auto deliver = [receiver = QPointer(receiver), done = std::move(done), stop](std::optional<QImage> picture) {
            if (receiver && !stop->load())
                done(std::move(picture));
        };
        threads.start([stop, deliver = std::move(deliver)]() mutable {
            std::optional<QImage> picture = readX11ClipboardPicture(QByteArray(), SelectionLimits{}, *stop);
            if (stop->load())
                return;
            QMetaObject::invokeMethod(
                qApp, [deliver = std::move(deliver), picture = std::move(picture)]() mutable { deliver(picture); },
                Qt::QueuedConnection);
        });
    }

private:
    BackgroundReads()
    {
        threads.setMaxThreadCount(1);
        qAddPostRoutine([] { shared().stopAll(); });
    }

    // Abandons the read under way, if any, and gives the next one its flag.
    std::shared_ptr<std::atomic<bool>> renew()
    {
        const std::lock_guard lock(mutex);
        if (current)
            current->store(true);
        current = std::make_shared<std::atomic<bool>>(false);
        return current;
    }

    void stopAll()
    {
        {
            const std::lock_guard lock(mutex);
            if (current)
                current->store(true);
        }
        threads.waitForDone();
    }

    std::mutex mutex;
    std::shared_ptr<std::atomic<bool>> current;
    QThreadPool threads;
};

} // namespace

void readClipboardImage(QObject *receiver, ClipboardPictureCompletion done)
{
    static const bool limited = (limitPictureAllocation(), true);
    Q_UNUSED(limited);
    // On X11 even a picture of our own is asked for through the X server, the
    // one that knows who owns the clipboard now; this thread stays free to
    // serve it.
    if (QGuiApplication::platformName() != u"xcb") {
        done(readQtClipboardImage());
        return;
    }
    BackgroundReads::shared().start(receiver, std::move(done));
}

void writeClipboardImage(const QImage &image)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setImage(image);
}

void writeClipboardText(const QString &text)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

void whenClipboardReadable(QWidget *window, std::function<void()> then)
{
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")) || window->isActiveWindow()) {
        then();
        return;
    }
    // Owned by the window, so the wait ends with it; deleted once it has run.
    auto *waiter = new QObject(window);
    QObject::connect(qGuiApp, &QGuiApplication::focusWindowChanged, waiter,
                     [waiter, window, then = std::move(then)](QWindow *) mutable {
                         if (!window->isActiveWindow())
                             return;
                         const std::function<void()> run = std::exchange(then, nullptr);
                         delete waiter;
                         run();
                     });
}
