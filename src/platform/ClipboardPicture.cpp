// SPDX-License-Identifier: GPL-3.0-or-later

#include "ClipboardPicture.h"

#include "PictureFiles.h"

#include <QBuffer>
#include <QImageReader>

std::optional<QImage> decodePicture(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return decodePicture(&buffer);
}

std::optional<QImage> decodePicture(QIODevice *device)
{
    QImageReader reader(device);
    reader.setDecideFormatFromContent(true);
    QImage picture = reader.read();
    if (picture.isNull() || picture.width() < 1 || picture.height() < 1)
        return std::nullopt;
    return picture;
}

void limitPictureAllocation()
{
    QImageReader::setAllocationLimit(kPictureAllocationLimitMiB);
}

QList<QByteArray> pictureTypes(const QList<QByteArray> &offered)
{
    const QList<QByteArray> decodable = QImageReader::supportedMimeTypes();
    QList<QByteArray> types;
    if (offered.contains("image/png"))
        types.append("image/png");
    for (const QByteArray &type : offered) {
        if (type != "image/png" && decodable.contains(type) && !types.contains(type))
            types.append(type);
    }
    return types;
}

std::optional<QImage> readX11ClipboardPicture(const QByteArray &display, const SelectionLimits &limits,
                                              const std::atomic<bool> &stop)
{
    X11SelectionReader reader(display, limits, stop);
    const std::optional<QList<QByteArray>> offered = reader.targets();
    if (!offered)
        return std::nullopt;
    for (const QByteArray &type : pictureTypes(*offered)) {
        if (const std::optional<QByteArray> bytes = reader.read(type)) {
            if (std::optional<QImage> picture = decodePicture(*bytes))
                return picture;
        }
        if (reader.givenUp())
            return std::nullopt;
    }
    // A file copied in a file manager comes as its address.
    for (const QByteArray &type : fileListTypes(*offered)) {
        if (const std::optional<QByteArray> list = reader.read(type))
            return firstPictureFile(*list, limits, stop);
        if (reader.givenUp())
            break;
    }
    return std::nullopt;
}
