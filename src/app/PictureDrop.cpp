// SPDX-License-Identifier: GPL-3.0-or-later

#include "PictureDrop.h"

#include "Clipboard.h"

#include <QDropEvent>
#include <QWidget>

PictureDrop::PictureDrop(QWidget *target, std::function<void(std::optional<QImage>)> take)
    : QObject(target), take(std::move(take))
{
    target->setAcceptDrops(true);
    target->installEventFilter(this);
}

bool PictureDrop::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
        // Everything is taken, so that a drop without a picture says so
        // rather than sliding back to where it came from.
        auto *drop = static_cast<QDropEvent *>(event);
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        if (event->type() == QEvent::Drop)
            readDroppedPicture(this, drop->mimeData(), take);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}
