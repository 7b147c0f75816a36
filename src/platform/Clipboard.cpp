#include "Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QWidget>
#include <QWindow>

#include <utility>

std::optional<QImage> readClipboardImage()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasImage())
        return std::nullopt;
    QImage image = qvariant_cast<QImage>(data->imageData());
    if (image.isNull())
        return std::nullopt;
    return image;
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
