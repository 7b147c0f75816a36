// SPDX-License-Identifier: GPL-3.0-or-later

#include "Clipboard.h"

#include "BackgroundReads.h"
#include "ClipboardPicture.h"
#include "PictureFiles.h"
#include "WaylandPaste.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QWidget>
#include <QWindow>

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

} // namespace

void readClipboardImage(QObject *receiver, ClipboardPictureCompletion done)
{
    limitAllocationOnce();
    // On X11 even a picture of our own is asked for through the X server, the
    // one that knows who owns the clipboard now; this thread stays free to
    // serve it.
    if (QGuiApplication::platformName() == u"xcb") {
        readInBackground(receiver, std::move(done), [](const std::atomic<bool> &stop) {
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
        readInBackground(receiver, std::move(done),
                         [offered = data ? formatsOf(*data) : QList<QByteArray>()](const std::atomic<bool> &stop) {
                             return readWaylandClipboardPicture(offered, SelectionLimits{}, stop);
                         });
        return;
    }
    Offer offer = offerOf(QGuiApplication::clipboard()->mimeData());
    if (!offer.fileList.isEmpty()) {
        readInBackground(receiver, std::move(done),
                         [offer = std::move(offer)](const std::atomic<bool> &stop) { return pictureIn(offer, stop); });
        return;
    }
    // Picture data Qt has taken already is decoded at once, as Qt would.
    abandonBackgroundRead();
    const std::atomic<bool> never(false);
    done(pictureIn(offer, never));
}

void readDroppedPicture(QObject *receiver, const QMimeData *data, ClipboardPictureCompletion done)
{
    limitAllocationOnce();
    readInBackground(receiver, std::move(done),
                     [offer = offerOf(data)](const std::atomic<bool> &stop) { return pictureIn(offer, stop); });
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
