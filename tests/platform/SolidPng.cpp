// SPDX-License-Identifier: GPL-3.0-or-later

#include "SolidPng.h"

#include <QtEndian>

#include <zlib.h>

#include <vector>

namespace {

void appendChunk(QByteArray &png, const char *type, const QByteArray &data)
{
    png.append(4, '\0');
    qToBigEndian(quint32(data.size()), png.data() + png.size() - 4);
    const QByteArray typed = QByteArray(type, 4) + data;
    png.append(typed);
    const auto crc = quint32(crc32(0, reinterpret_cast<const Bytef *>(typed.constData()), uInt(typed.size())));
    png.append(4, '\0');
    qToBigEndian(crc, png.data() + png.size() - 4);
}

// 8 bits per sample, truecolour, deflate, adaptive filters, no interlace.
QByteArray header(quint32 width, quint32 height)
{
    QByteArray ihdr(13, '\0');
    qToBigEndian(width, ihdr.data());
    qToBigEndian(height, ihdr.data() + 4);
    ihdr[8] = 8;
    ihdr[9] = 2;
    return ihdr;
}

const QByteArray signature("\x89PNG\r\n\x1a\n", 8);

} // namespace

QByteArray solidPng(int width, int height)
{
    std::vector<unsigned char> row(1 + size_t(width) * 3, 0x80);
    row[0] = 0; // no filter
    z_stream stream{};
    deflateInit(&stream, Z_BEST_SPEED);
    QByteArray compressed;
    std::vector<unsigned char> out(1 << 16);
    for (int y = 0; y <= height; ++y) {
        const bool last = y == height;
        stream.next_in = last ? nullptr : row.data();
        stream.avail_in = last ? 0 : uInt(row.size());
        do {
            stream.next_out = out.data();
            stream.avail_out = uInt(out.size());
            deflate(&stream, last ? Z_FINISH : Z_NO_FLUSH);
            compressed.append(reinterpret_cast<const char *>(out.data()), qsizetype(out.size() - stream.avail_out));
        } while (stream.avail_out == 0);
    }
    deflateEnd(&stream);

    QByteArray png = signature;
    appendChunk(png, "IHDR", header(quint32(width), quint32(height)));
    appendChunk(png, "IDAT", compressed);
    appendChunk(png, "IEND", {});
    return png;
}

QByteArray pngWithHeaderOnly(quint32 width, quint32 height)
{
    QByteArray png = signature;
    appendChunk(png, "IHDR", header(width, height));
    appendChunk(png, "IEND", {});
    return png;
}
