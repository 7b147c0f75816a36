// SPDX-License-Identifier: GPL-3.0-or-later

#include "Clipboard.h"

#include "ClipboardPicture.h"
#include "PictureFiles.h"
#include "WaylandPaste.h"

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

// What a clipboard or a drop that Qt holds offers, taken on the main thread:
// the bytes of its best picture type, a picture already decoded in this
// process, or else its list of files. Decoding and reading files come later,
// in the background.
struct Offer {
    QByteArray pictureBytes;
    std::optional<QImage> picture;
    QByteArray fileList;
};

QList<QByteArray> formatsOf(const QMimeData &data)
{
    QList<QByteArray> formats;
    for (const QString &format : data.formats())
        formats.append(format.toUtf8());
    return formats;
}

Offer offerOf(const QMimeData *data)
{
    Offer offer;
    if (!data)
        return offer;
    const QList<QByteArray> formats = formatsOf(*data);
    if (const QList<QByteArray> types = pictureTypes(formats); !types.isEmpty())
        offer.pictureBytes = data->data(QString::fromUtf8(types.first()));
    else if (data->hasImage())
        offer.picture = qvariant_cast<QImage>(data->imageData());
    if (!offer.pictureBytes.isEmpty() || (offer.picture && !offer.picture->isNull()))
        return offer;
    offer.picture.reset();
    for (const QByteArray &type : fileListTypes(formats)) {
        offer.fileList = data->data(QString::fromUtf8(type));
        if (!offer.fileList.isEmpty())
            break;
    }
    return offer;
}

std::optional<QImage> pictureIn(const Offer &offer, const std::atomic<bool> &stop)
{
    if (offer.picture)
        return offer.picture;
    if (!offer.pictureBytes.isEmpty())
        return decodePicture(offer.pictureBytes);
    return firstPictureFile(offer.fileList, SelectionLimits{}, stop);
}

using BackgroundRead = std::function<std::optional<QImage>(const std::atomic<bool> &stop)>;

// Qt's own X11 clipboard waits for the owner on the main thread, for seconds
// and then for as long as a frozen owner stays frozen. X11 reads therefore run
// here, one at a time, each on a connection of its own; so do the decoding
// and the file reads of every other clipboard read and of drops.
class BackgroundReads {
public:
    static BackgroundReads &shared()
    {
        static BackgroundReads reads;
        return reads;
    }

    void start(QObject *receiver, ClipboardPictureCompletion done, BackgroundRead read)
    {
        const std::shared_ptr<std::atomic<bool>> stop = renew();
        auto deliver = [receiver = QPointer(receiver), done = std::move(done), stop](std::optional<QImage> picture) {
            if (receiver && !stop->load())
                done(std::move(picture));
        };
        threads.start([stop, read = std::move(read), deliver = std::move(deliver)]() mutable {
            std::optional<QImage> picture = read(*stop);
            if (stop->load())
                return;
            QMetaObject::invokeMethod(
                qApp, [deliver = std::move(deliver), picture = std::move(picture)]() mutable { deliver(picture); },
                Qt::QueuedConnection);
        });
    }

    void abandon() { renew(); }

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

void limitAllocationOnce()
{
    static const bool limited = (limitPictureAllocation(), true);
    Q_UNUSED(limited);
}

} // namespace

void readClipboardImage(QObject *receiver, ClipboardPictureCompletion done)
{
    limitAllocationOnce();
    // On X11 even a picture of our own is asked for through the X server, the
    // one that knows who owns the clipboard now; this thread stays free to
    // serve it.
    if (QGuiApplication::platformName() == u"xcb") {
        BackgroundReads::shared().start(receiver, std::move(done), [](const std::atomic<bool> &stop) {
            return readX11ClipboardPicture(QByteArray(), SelectionLimits{}, stop);
        });
        return;
    }
    // Likewise on Wayland, through wl-paste; Qt lists the offered types
    // without asking the owner. A picture of our own Qt holds already, and
    // lists only under its internal type, which wl-paste cannot serve.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")) && canRunWaylandPaste() &&
        !QGuiApplication::clipboard()->ownsClipboard()) {
        const QMimeData *data = QGuiApplication::clipboard()->mimeData();
        BackgroundReads::shared().start(
            receiver, std::move(done),
            [offered = data ? formatsOf(*data) : QList<QByteArray>()](const std::atomic<bool> &stop) {
                return readWaylandClipboardPicture(offered, SelectionLimits{}, stop);
            });
        return;
    }
    Offer offer = offerOf(QGuiApplication::clipboard()->mimeData());
    if (!offer.fileList.isEmpty()) {
        BackgroundReads::shared().start(
            receiver, std::move(done),
            [offer = std::move(offer)](const std::atomic<bool> &stop) { return pictureIn(offer, stop); });
        return;
    }
    // Picture data Qt has taken already is decoded at once, as Qt would.
    BackgroundReads::shared().abandon();
    const std::atomic<bool> never(false);
    done(pictureIn(offer, never));
}

void readDroppedPicture(QObject *receiver, const QMimeData *data, ClipboardPictureCompletion done)
{
    limitAllocationOnce();
    BackgroundReads::shared().start(receiver, std::move(done), [offer = offerOf(data)](const std::atomic<bool> &stop) {
        return pictureIn(offer, stop);
    });
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
