// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "X11Selection.h"

#include <QByteArray>
#include <QIODevice>
#include <QImage>
#include <QList>

#include <optional>

// The largest picture, in MiB of decoded pixels, that the clipboard may hand
// over: 8192 x 8192 at 32 bits, room for an 8K screenshot or three 4K screens
// side by side. A picture whose header promises more is refused before any
// pixel is decoded.
inline constexpr int kPictureAllocationLimitMiB = 256;

// The picture held in `bytes` (PNG, JPEG, BMP, ... whatever the content
// says, not what it was offered as); nothing when it does not decode, is
// empty or is larger than the allocation limit. Thread-safe; needs
// limitPictureAllocation() to have run.
std::optional<QImage> decodePicture(const QByteArray &bytes);
// The same for what `device`, open for reading, holds; the decoder reads only
// as far as it needs.
std::optional<QImage> decodePicture(QIODevice *device);

// Sets the allocation limit of every picture decoded in this process,
// Qt's own clipboard included. Call on the main thread before decoding.
void limitPictureAllocation();

// The content types among `offered` worth asking for a picture, best first:
// PNG (lossless, what screenshots come as), then the other picture types Qt
// can decode, in the owner's order.
QList<QByteArray> pictureTypes(const QList<QByteArray> &offered);

// The picture on the CLIPBOARD of the X server `display`, through a reader of
// its own within `limits`: the first offered picture type that decodes, or
// else the first picture file among the local files it names.
// Nothing when there is none, the owner does not answer in time, or `stop`
// turns true.
std::optional<QImage> readX11ClipboardPicture(const QByteArray &display, const SelectionLimits &limits,
                                              const std::atomic<bool> &stop);
