// SPDX-License-Identifier: GPL-3.0-or-later

#include "PictureSource.h"

#include "AppDelegate.h"
#include "Clipboard.h"
#include "HandedPictures.h"

void openPicture(AppDelegate &delegate, const PictureSource &source)
{
    const auto take = [&delegate](std::optional<QImage> picture) { delegate.pasteImage(std::move(picture)); };
    switch (source.kind) {
    case PictureSource::Kind::Clipboard:
        whenClipboardReadable(delegate.window, [&delegate] { delegate.pasteNow(); });
        return;
    case PictureSource::Kind::File:
        readNamedPicture(&delegate, source.path, take);
        return;
    case PictureSource::Kind::Pipe:
        readPipedPicture(&delegate, source.pipe, take);
        return;
    }
}
